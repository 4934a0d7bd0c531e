#include "editor/BreakpointMargin.h"
#include "editor/SourceEditor.h"
#include "workspace/Breakpoints.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString("line %1;").arg(i);
    return lines;
}

// The editor lines (from 0) that carry the breakpoint marker.
QList<int> markedLines(SourceEditor& editor) {
    QList<int> lines;
    for (int line = editor.markerFindNext(0, 1 << BreakpointMargin::Marker); line >= 0;
         line = editor.markerFindNext(line + 1, 1 << BreakpointMargin::Marker))
        lines << line;
    return lines;
}

class BreakpointMarginTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor.resize(400, 300);
        editor.show();
        editor.setLines(numbered(10));
        QTest::qWait(0);
        margin.showFile();
    }
    void showText(const QString& file, const QStringList& lines) {
        shown = file;
        editor.setLines(lines);
        QTest::qWait(0); // the markers are drawn once the switch is done
    }

    SourceEditor editor;
    BreakpointSet set;
    QString shown = "A.java";
    int changes = 0;
    BreakpointMargin margin{editor, set, [this] { return shown; }};
    QMetaObject::Connection counting =
        QObject::connect(&margin, &BreakpointMargin::changed, [this] { ++changes; });
};

// Breakpoints move with the lines they are on, as Scintilla moves the markers, and the set follows.
TEST_F(BreakpointMarginTest, BreakpointsMoveWithEditsAndTheSetFollows) {
    margin.toggleLine(2);
    editor.setCaretLine(6);
    margin.toggleAtCaret();
    ASSERT_EQ(set.lines("A.java"), (QList<int>{3, 7}));
    ASSERT_EQ(markedLines(editor), (QList<int>{2, 6}));
    EXPECT_EQ(changes, 2);
    struct Case {
        const char* what;
        std::function<void()> edit;
        QList<int> lines; // in the set, from 1
    };
    const Case cases[] = {
        {"two lines above both", [&] { editor.insertAt("new\r\nnew\r\n", 0, 0); }, {5, 9}},
        {"a line between", [&] { editor.insertAt("mid\r\n", 6, 0); }, {5, 10}},
        {"typing on a line", [&] { editor.insertAt("x", 4, 0); }, {5, 10}},
        {"the first line removed",
         [&] {
             editor.setSelection(0, 0, 1, 0);
             editor.removeSelectedText();
         },
         {4, 9}},
        {"lines below both", [&] { editor.insertAt("\r\nend\r\nend", editor.lineCount() - 1, 8); }, {4, 9}},
    };
    for (const Case& c : cases) {
        c.edit();
        EXPECT_EQ(set.lines("A.java"), c.lines) << c.what;
        QList<int> drawn;
        for (int line : c.lines)
            drawn << line - 1;
        EXPECT_EQ(markedLines(editor), drawn) << c.what;
    }
    // Toggling a marked line clears it.
    margin.toggleLine(3);
    EXPECT_EQ(set.lines("A.java"), QList<int>{9});
    EXPECT_EQ(markedLines(editor), QList<int>{8});
}

// Another file's text takes none of these markers; coming back draws them again from the set, and the
// replacement itself changes nothing in it.
TEST_F(BreakpointMarginTest, EachFileKeepsItsOwnAcrossTextReplacements) {
    margin.toggleLine(4);
    showText("B.java", numbered(3));
    EXPECT_TRUE(markedLines(editor).isEmpty());
    margin.toggleLine(0);
    showText("A.java", numbered(10));
    EXPECT_EQ(markedLines(editor), QList<int>{4});
    EXPECT_EQ(set.lines("A.java"), QList<int>{5});
    EXPECT_EQ(set.lines("B.java"), QList<int>{1});
    // A shorter text keeps the breakpoints past its end in the set, without drawing them.
    showText("A.java", numbered(3));
    EXPECT_TRUE(markedLines(editor).isEmpty());
    editor.insertAt("more\r\n", 0, 0);
    EXPECT_EQ(set.lines("A.java"), QList<int>{5});
    // A file that takes no breakpoints: nothing is drawn or set.
    showText("", numbered(5));
    margin.toggleLine(1);
    EXPECT_TRUE(markedLines(editor).isEmpty());
    EXPECT_EQ(set.files(), (QStringList{"A.java", "B.java"}));
}

// A click in the symbol margin toggles its line; the line-number gutter beside it does not.
TEST_F(BreakpointMarginTest, ClickInTheSymbolMarginToggles) {
    EXPECT_EQ(editor.marginWidth(BreakpointMargin::Margin), 16);
    EXPECT_EQ(editor.marginMarkerMask(0) & (1 << BreakpointMargin::Marker), 0);
    const int lineHeight = editor.textHeight(0);
    const int symbolX = editor.marginWidth(0) + 8;
    const auto click = [&](int x, int line) {
        QTest::mouseClick(editor.viewport(), Qt::LeftButton, {},
                          QPoint(x, line * lineHeight + lineHeight / 2));
    };
    click(symbolX, 3);
    EXPECT_EQ(set.lines("A.java"), QList<int>{4});
    click(symbolX, 3);
    EXPECT_TRUE(set.lines("A.java").isEmpty());
    click(editor.marginWidth(0) / 2, 2);
    EXPECT_TRUE(set.lines("A.java").isEmpty());
}

} // namespace
