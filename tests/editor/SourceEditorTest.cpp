#include "editor/SourceEditor.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList numberedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString("line %1;").arg(i);
    return lines;
}

} // namespace

TEST(SourceEditor, LinesRoundTripIncludingEmptyAndTrailingLines) {
    SourceEditor editor;
    const QList<QStringList> cases = {
        {"class A {", "", "  int x;", "}"},          {"one"}, {"a", ""}, {"", "b"},
        {QString::fromUtf8("// Grüße, naïve café")},
    };
    for (const QStringList& lines : cases) {
        editor.setLines(lines);
        EXPECT_EQ(editor.lines(), lines);
        EXPECT_EQ(editor.lineCount(), lines.size());
    }
    editor.setLines({});
    EXPECT_TRUE(editor.lines().isEmpty());
    EXPECT_EQ(editor.lineCount(), 0);
}

// Scintilla's C-string calls would cut at a NUL and Qt's UTF-8 decoding would drop a leading
// byte-order mark; the editor must hand back exactly what it was given.
TEST(SourceEditor, NulAndLeadingByteOrderMarkSurvive) {
    SourceEditor editor;
    const QChar nul(u'\0');
    const QChar bom(0xFEFF);
    const QList<QStringList> cases = {
        {QString("int a;") + nul + "int b;", "class A {}"},
        {QString(nul), QString(nul) + nul},
        {QString(bom) + "class B {}", "}"},
        {"last" + QString(nul)},
    };
    for (const QStringList& lines : cases) {
        editor.setLines(lines);
        EXPECT_EQ(editor.lines(), lines) << lines.join('|').toUtf8().toHex().constData();
        EXPECT_EQ(editor.lineCount(), lines.size());
    }
    // A read-only editor is still filled by the program.
    editor.setReadOnly(true);
    editor.setLines({QString("x") + nul + "y"});
    EXPECT_EQ(editor.wholeText(), QString("x") + nul + "y");
    EXPECT_TRUE(editor.isReadOnly());
}

TEST(SourceEditor, LineBreaksAreCrLfAndCountTwoCharacters) {
    SourceEditor editor;
    editor.setLines({"ab", "cd"});
    EXPECT_EQ(editor.text(), QString("ab\r\ncd"));
    // Position of "c": two characters, then the two-character break.
    EXPECT_EQ(editor.positionFromLineIndex(1, 0), 4);
}

TEST(SourceEditor, SettingLinesNotifiesOnceEvenWhenReplacingText) {
    SourceEditor editor;
    editor.setLines({"old text", "more"});
    QSignalSpy spy(&editor, &SourceEditor::changed);
    editor.setLines({"new text"});
    EXPECT_EQ(spy.count(), 1);
}

// Replacing the text with another version of the file is one edit: undo brings back what was there,
// and the program hears of it once.
TEST(SourceEditor, ReplacingLinesIsOneUndoStep) {
    const QChar nul(u'\0');
    const struct {
        QStringList before, after;
    } cases[] = {
        {{"class A {", "  int typed;", "}"}, {"class A {", "  int fromDisk;", "}", ""}},
        {{}, {"new"}},
        {{"old"}, {}},
        {{QString("a") + nul + "b"}, {QString(nul), QString::fromUtf8("Gr\xC3\xBC\xC3\x9F\xF0\x9F\x98\x80")}},
    };
    for (const auto& c : cases) {
        SourceEditor editor;
        editor.setLines(c.before);
        EXPECT_FALSE(editor.isUndoAvailable());
        QSignalSpy spy(&editor, &SourceEditor::changed);
        editor.replaceLines(c.after);
        EXPECT_EQ(editor.lines(), c.after);
        EXPECT_EQ(spy.count(), 1);
        editor.undo();
        EXPECT_EQ(editor.lines(), c.before) << c.before.join('|').toStdString();
        EXPECT_FALSE(editor.isUndoAvailable());
        editor.redo();
        EXPECT_EQ(editor.lines(), c.after);
    }
    // The caret stays on its line where the new text has it.
    SourceEditor editor;
    editor.setLines({"a", "b", "c", "d"});
    editor.setCaretLine(2);
    editor.replaceLines({"A", "B", "C"});
    EXPECT_EQ(editor.caretLine(), 2);
    editor.replaceLines({"only"});
    EXPECT_EQ(editor.caretLine(), 0);
}

TEST(SourceEditor, TypingNotifiesChange) {
    SourceEditor editor;
    editor.setLines({"x"});
    QSignalSpy spy(&editor, &SourceEditor::changed);
    editor.show();
    editor.setFocus();
    QTest::keyClicks(&editor, "ab");
    EXPECT_GE(spy.count(), 2);
    EXPECT_EQ(editor.lines().join('\n'), QString("abx"));
}

TEST(SourceEditor, CaretLineAndColumnAreClampedToTheText) {
    SourceEditor editor;
    editor.setLines({"first", "second line", "x"});
    editor.setCaretLine(1);
    editor.setCaretColumn(3);
    EXPECT_EQ(editor.caretLine(), 1);
    EXPECT_EQ(editor.caretColumn(), 3);

    editor.setCaretColumn(100);
    EXPECT_EQ(editor.caretColumn(), 11);
    editor.setCaretLine(99);
    EXPECT_EQ(editor.caretLine(), 2);
    EXPECT_EQ(editor.caretColumn(), 0);
    editor.setCaretLine(-5);
    EXPECT_EQ(editor.caretLine(), 0);
}

TEST(SourceEditor, FirstVisibleLineIsKeptWhenSet) {
    SourceEditor editor;
    editor.resize(400, 200);
    editor.show();
    editor.setLines(numberedLines(500));
    editor.setFirstVisibleLine(120);
    EXPECT_EQ(editor.firstVisibleLine(), 120);
    editor.setCaretLine(300);
    editor.bringCaretIntoView();
    EXPECT_GT(editor.firstVisibleLine(), 200);
    EXPECT_LE(editor.firstVisibleLine(), 300);
}

TEST(SourceEditor, CtrlDeleteIsLeftToTheMenu) {
    SourceEditor editor;
    editor.setLines({"alpha beta gamma"});
    editor.show();
    editor.setFocus();
    editor.setCursorPosition(0, 6);
    QTest::keyClick(&editor, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(editor.lines(), QStringList({"alpha beta gamma"}));
}
