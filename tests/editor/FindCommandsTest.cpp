#include "editor/FindCommands.h"
#include "editor/FindReplaceDialogs.h"
#include "editor/SourceEditor.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Selection {
    int start;
    int length;
    bool operator==(const Selection&) const = default;
};

Selection selection(const SourceEditor& editor) {
    return {editor.selectionStart(), editor.selectionLength()};
}

const SearchOptions kDown{true, false, false};
const SearchOptions kUp{false, false, false};

} // namespace

TEST(FindCommands, FindNextDownwardStepsOverTheSelectedMatch) {
    SourceEditor editor;
    editor.setLines({"x = foo + foo;"});
    // The caret further from the first occurrence than the search text is long.
    editor.setSelectionStart(0);
    EXPECT_TRUE(findNext(editor, "foo", kDown));
    EXPECT_EQ(selection(editor), (Selection{4, 3}));
    EXPECT_TRUE(findNext(editor, "foo", kDown));
    EXPECT_EQ(selection(editor), (Selection{10, 3}));
    // Nothing more: the step forward stays, nothing is selected.
    EXPECT_FALSE(findNext(editor, "foo", kDown));
    EXPECT_EQ(selection(editor), (Selection{13, 0}));
}

TEST(FindCommands, FindNextDownwardFromTheStartSkipsAnOccurrenceThere) {
    SourceEditor editor;
    editor.setLines({"foo bar", "foo"});
    editor.setSelectionStart(0);
    EXPECT_TRUE(findNext(editor, "foo", kDown));
    EXPECT_EQ(selection(editor), (Selection{9, 3}));
}

TEST(FindCommands, FindNextUpwardWalksBack) {
    SourceEditor editor;
    editor.setLines({"foo", "a foo b foo"});
    editor.setSelectionStart(editor.textLength());
    EXPECT_TRUE(findNext(editor, "foo", kUp));
    EXPECT_EQ(selection(editor), (Selection{13, 3}));
    EXPECT_TRUE(findNext(editor, "foo", kUp));
    EXPECT_EQ(selection(editor), (Selection{7, 3}));
    EXPECT_TRUE(findNext(editor, "foo", kUp));
    EXPECT_EQ(selection(editor), (Selection{0, 3}));
    EXPECT_FALSE(findNext(editor, "foo", kUp));
    EXPECT_EQ(selection(editor), (Selection{0, 3}));
}

TEST(FindCommands, ReplaceTakesWhateverIsSelected) {
    SourceEditor editor;
    editor.setLines({"alpha beta"});
    editor.setSelectionStart(0);
    editor.setSelectionLength(5);
    replaceSelection(editor, "gamma");
    EXPECT_EQ(editor.lines(), QStringList({"gamma beta"}));
    EXPECT_EQ(selection(editor), (Selection{5, 0}));
    // No selection: inserted at the caret.
    replaceSelection(editor, "!");
    EXPECT_EQ(editor.lines(), QStringList({"gamma! beta"}));
}

TEST(FindCommands, ReplaceAllEndsAndReplacesEachMatchOnce) {
    const struct {
        const char* name;
        QStringList text;
        int caret;
        int selected; // the selection's length from `caret`
        QString what;
        QString replacement;
        SearchOptions options;
        QStringList expected;
        int count;
    } cases[] = {
        {"a name, the caret well before it",
         {"", "int count;", "", "x = count;"},
         0,
         0,
         "count",
         "total",
         kDown,
         {"", "int total;", "", "x = total;"},
         2},
        // Downward the search goes on right behind each inserted replacement: nothing is passed over.
        {"an occurrence close behind a replacement",
         {"", "int count;", "count++;"},
         0,
         0,
         "count",
         "total",
         kDown,
         {"", "int total;", "total++;"},
         2},
        {"occurrences one after another", {"xxxx"}, 0, 0, "x", "y", kDown, {"yyyy"}, 4},
        {"an occurrence at the caret", {"foo(foo) foo"}, 0, 0, "foo", "bar", kDown, {"bar(bar) bar"}, 3},
        {"text before the caret stays", {"foo foo foo"}, 4, 0, "foo", "bar", kDown, {"foo bar bar"}, 2},
        {"a selected match is replaced", {"foo foo foo"}, 4, 3, "foo", "bar", kDown, {"foo bar bar"}, 2},
        {"from the start of a backward selection",
         {"foo foo foo"},
         8,
         -4,
         "foo",
         "bar",
         kDown,
         {"foo bar bar"},
         2},
        {"replacement holding the search text, downward",
         {"x a a a"},
         0,
         0,
         "a",
         "aa",
         kDown,
         {"x aa aa aa"},
         3},
        {"replacement holding the search text, upward",
         {"x foo foo", "foo"},
         14,
         0,
         "foo",
         "foofoo",
         kUp,
         {"x foofoo foofoo", "foofoo"},
         3},
        {"upward never over what it inserted", {"aab"}, 3, 0, "ab", "b", kUp, {"ab"}, 1},
        {"whole words, match case",
         {"Int int print(int)"},
         0,
         0,
         "int",
         "long",
         {true, true, true},
         {"Int long print(long)"},
         2},
        {"nothing to find", {"abc"}, 0, 0, "x", "y", kDown, {"abc"}, 0},
        {"empty search text", {"abc"}, 0, 0, "", "y", kDown, {"abc"}, 0},
    };
    for (const auto& c : cases) {
        SourceEditor editor;
        editor.setLines(c.text);
        editor.setSelectionStart(c.caret);
        editor.setSelectionLength(c.selected);
        EXPECT_EQ(replaceAll(editor, c.what, c.replacement, c.options), c.count) << c.name;
        EXPECT_EQ(editor.lines(), c.expected) << c.name;
        // One undo step takes the whole run back.
        editor.undo();
        EXPECT_EQ(editor.lines(), c.text) << c.name;
    }
}

TEST(FindCommands, FindDialogGoesToTheMainWindowsCentre) {
    EXPECT_EQ(findDialogPlace(QRect(100, 200, 800, 600)), QPoint(500, 250));
    EXPECT_EQ(findDialogPlace(QRect(0, 0, 901, 10)), QPoint(450, 50));
}

namespace {

struct Dialogs {
    QWidget owner;
    SourceEditor editor{&owner};
    FindReplace commands{editor, &owner};
    int beeps = 0;

    Dialogs() {
        commands.beep = [this] { ++beeps; };
        owner.resize(600, 400);
        owner.show();
    }
};

} // namespace

TEST(FindCommands, FindDialogRunsFindNextAndBeepsWhenNothingIsFound) {
    Dialogs d;
    d.editor.setLines({"one two one"});
    d.commands.showFind(QRect(40, 60, 600, 400));
    SearchDialog* dialog = d.commands.findDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->pos(), QPoint(340, 110));
    EXPECT_TRUE(dialog->down->isChecked());
    EXPECT_FALSE(dialog->findNextButton->isEnabled());

    QTest::keyClicks(dialog->findWhat, "ONE");
    EXPECT_TRUE(dialog->findNextButton->isEnabled());
    QTest::mouseClick(dialog->findNextButton, Qt::LeftButton);
    EXPECT_EQ(selection(d.editor), (Selection{8, 3}));
    EXPECT_EQ(d.beeps, 0);
    QTest::mouseClick(dialog->findNextButton, Qt::LeftButton);
    EXPECT_EQ(d.beeps, 1);

    dialog->matchCase->setChecked(true);
    dialog->up->setChecked(true);
    d.editor.setSelectionStart(11);
    QTest::mouseClick(dialog->findNextButton, Qt::LeftButton);
    EXPECT_EQ(d.beeps, 2);
    dialog->findWhat->setText("one");
    dialog->wholeWord->setChecked(true);
    QTest::mouseClick(dialog->findNextButton, Qt::LeftButton);
    EXPECT_EQ(selection(d.editor), (Selection{8, 3}));

    QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
}

TEST(FindCommands, ReplaceDialogReplacesAndAlwaysBeepsAfterReplaceAll) {
    Dialogs d;
    d.editor.setLines({"a.b a.b", "xa.b"});
    d.commands.showReplace();
    SearchDialog* dialog = d.commands.replaceDialog();
    ASSERT_TRUE(dialog->isVisible());
    dialog->findWhat->setText("a.b");
    dialog->replaceWith->setText("c");
    dialog->wholeWord->setChecked(true);

    // Replace takes the selection as it is, match or not.
    d.editor.setSelectionStart(0);
    d.editor.setSelectionLength(1);
    QTest::mouseClick(dialog->replaceButton, Qt::LeftButton);
    EXPECT_EQ(d.editor.lines(), QStringList({"c.b a.b", "xa.b"}));
    EXPECT_EQ(d.beeps, 0);

    QTest::mouseClick(dialog->replaceAllButton, Qt::LeftButton);
    EXPECT_EQ(d.editor.lines(), QStringList({"c.b c", "xa.b"}));
    EXPECT_EQ(d.beeps, 1);
    QTest::mouseClick(dialog->replaceAllButton, Qt::LeftButton);
    EXPECT_EQ(d.beeps, 2);

    // Shown again where the user left it.
    dialog->hide();
    dialog->move(123, 77);
    d.commands.showReplace();
    EXPECT_EQ(dialog->pos(), QPoint(123, 77));
}
