#include "MainWindowFixture.h"

#include "app/CommandMap.h"
#include "editor/FindCommands.h"
#include "editor/FindReplaceDialogs.h"
#include "editor/ProjectSearchDialog.h"
#include "editor/SourceEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

QStringList captions(const QMenu* menu) {
    QStringList result;
    for (const QAction* action : menu->actions())
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

} // namespace

TEST_F(MainWindowTest, EditMenuAndEditorContextMenuInTheirOrder) {
    MainWindow& w = start();
    EXPECT_EQ(captions(w.ui().menus.value("Edit1")),
              QStringList({"&Undo", "&Redo", "-", "Cu&t", "&Copy", "&Paste", "-", "&Delete Selection",
                           "Select &All", "-", "&Find...", "Find/R&eplace...", "Find in &Project...",
                           "Go to &Declaration"}));
    EXPECT_EQ(captions(w.ui().editorMenu),
              QStringList({"Help", "-", "Undo", "Redo", "-", "Cut", "Copy", "Paste", "-", "Delete Selection",
                           "Select all", "-", "Toggle Comment"}));
    EXPECT_EQ(w.ui().editorMenuActions.value("ToggleComment1")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(w.ui().menuActions.value("Redo1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(w.editor()->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(MainWindowTest, KeysReachTheEditingCommands) {
    writeSource(projectDir + "A.java", {"a = 1;", "// b = 2;", "c = 3;"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    SourceEditor* editor = w.editor();
    editor->setFocus();

    // Ctrl+A toggles the comments of the selected lines; it does not select everything.
    editor->setSelectionStart(0);
    editor->setSelectionLength(editor->position({2, 0}));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor->lines(), QStringList({"// a = 1;", "b = 2;", "c = 3;"}));
    // Ctrl+Z takes it back, Ctrl+R does it again.
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->lines(), QStringList({"a = 1;", "// b = 2;", "c = 3;"}));
    QTest::keyClick(editor, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(editor->lines(), QStringList({"// a = 1;", "b = 2;", "c = 3;"}));

    // The context menu's entry does the same.
    editor->setSelectionStart(editor->position({2, 0}));
    editor->setSelectionLength(6);
    w.ui().editorMenuActions.value("ToggleComment1")->trigger();
    EXPECT_EQ(editor->line(2), "// c = 3;");
    // Delete Selection from the menu.
    editor->setSelectionStart(0);
    editor->setSelectionLength(3);
    w.ui().menuActions.value("DeleteSelection1")->trigger();
    EXPECT_EQ(editor->line(0), "a = 1;");
}

TEST_F(MainWindowTest, FindDialogOpensAtTheWindowsCentre) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.move(60, 40);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.ui().menuActions.value("Find1")->trigger();
    auto* find = w.findChild<SearchDialog*>("FindDialog1");
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->pos(), findDialogPlace(w.frameGeometry()));
    w.ui().menuActions.value("FindReplace1")->trigger();
    auto* replace = w.findChild<SearchDialog*>("ReplaceDialog1");
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->isVisible());
    EXPECT_TRUE(find->isVisible());
}

TEST_F(MainWindowTest, ReplaceAllSaysInTheStatusBarHowManyWereReplaced) {
    writeSource(projectDir + "A.java", {"foo(foo) foo", "xfoo"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.editor()->setSelectionStart(0);
    w.ui().menuActions.value("FindReplace1")->trigger();
    auto* replace = w.findChild<SearchDialog*>("ReplaceDialog1");
    ASSERT_NE(replace, nullptr);
    replace->findWhat->setText("foo");
    replace->replaceWith->setText("bar");
    const struct {
        bool wholeWord;
        QStringList lines;
        QString message;
    } steps[] = {
        {true, {"bar(bar) bar", "xfoo"}, "3 occurrences replaced"},
        {false, {"bar(bar) bar", "xbar"}, "1 occurrence replaced"},
        {false, {"bar(bar) bar", "xbar"}, "0 occurrences replaced"},
    };
    for (const auto& step : steps) {
        w.editor()->setSelectionStart(0);
        replace->wholeWord->setChecked(step.wholeWord);
        QTest::mouseClick(replace->replaceAllButton, Qt::LeftButton);
        EXPECT_EQ(w.editor()->lines(), step.lines);
        EXPECT_EQ(w.statusBar()->currentMessage(), step.message);
    }
}

TEST_F(MainWindowTest, TypingAidsFollowTheirSettingsAtTheKeyRelease) {
    writeSource(projectDir + "A.java", {"void f() {", "}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    SourceEditor* editor = w.editor();
    editor->setFocus();

    w.liveSettings().setFlag(u"Autoformat", false);
    editor->setSelectionStart(10);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->lines(), QStringList({"void f() {", "", "}"}));

    w.liveSettings().setFlag(u"Autoformat", true);
    editor->setSelectionStart(10);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->lines(), QStringList({"void f() {", "\t", "", "}"}));
}

namespace {

// Find in Project lists every source's matching lines, the unsaved buffer's text included, and a hit leads
// to its line like a compiler error does.
TEST_F(MainWindowTest, FindInProjectListsTheHitsAndEachLeadsToItsLine) {
    writeSource(projectDir + "A.java", {"class A {", "  int count;", "}"});
    writeSource(projectDir + "B.java", {"class B {", "}"});
    MainWindow& w = start({writeProject("A", {"A.java", "B.java"})});
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    // B is on screen with an edit not yet saved.
    ASSERT_EQ(w.files().currentFile()->Name, "B.java");
    w.editor()->setLines({"class B {", "  void count() {}", "}"});
    w.ui().menuActions.value("FindInProject1")->trigger();
    auto* dialog = w.findChild<ProjectSearchDialog*>("FindInProjectDialog");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    dialog->findWhat->setText("count");
    dialog->wholeWord->setChecked(true);
    QTest::mouseClick(dialog->findButton, Qt::LeftButton);
    EXPECT_EQ(w.messages(), QStringList({"A.java:2:   int count;", "B.java:2:   void count() {}"}));
    EXPECT_EQ(w.statusBar()->currentMessage(), "2 matches in 2 files");

    auto* list = w.ui().messageList;
    list->flush();
    list->setCurrentRow(0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_EQ(w.editor()->caretLine(), 1);
}

} // namespace
