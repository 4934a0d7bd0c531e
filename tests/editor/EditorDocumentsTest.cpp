#include "editor/EditorDocuments.h"
#include "TestFiles.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using Sci = QsciScintillaBase;

// The files a row shows by letter: A and B are 300 numbered lines each, C has characters beyond ASCII,
// D opens a comment that runs over its lines and E has 20,000 lines (a wider gutter).
QStringList fileLines(QChar file) {
    QStringList lines;
    if (file == u'E')
        return QStringList(20000, "int e;");
    if (file == u'C')
        return {QString::fromUtf8("// äöü"), QString::fromUtf8("int x€ = 1; // 𝄞"), "class C {}"};
    if (file == u'D')
        return {"/* open", "class still comment", "*/ class D { int d; }"};
    for (int i = 0; i < 300; ++i)
        lines << QString("%1%2 int v = %2;").arg(file.toLower()).arg(i);
    return lines;
}

// One step a string: "A" shows file A (its document, or a new one from its lines), "A!" shows it with
// its lines read again; "type:x", "undo", "redo", "caret:N", "top:N", "select:N" (N characters from
// the caret), "tab:N", "style" (the whole text), "stylePart" (its first third), "drop:A", "dropAll", "loose"
// (a text of no file). A step starting with "=" checks: "=line:T" the caret line's text (a lower-case file
// letter and a number stand for that file's line), "=caret:N", "=top:N", "=selected:T", "=undo:U/R" (whether
// undo and redo are possible), "=docs:N", "=shown:A" ("-" for none), "=notices:N" (textReplaced and changed
// each N times since the last check), "=settings" (code page, line ends, tabs, gutter, styling and
// positions as a fresh editor with the same text has them).
struct Row {
    const char* name;
    QStringList steps;
};

QStringList repeated(int times, const QStringList& steps) {
    QStringList all;
    for (int i = 0; i < times; ++i)
        all << steps;
    return all;
}

// clang-format off
const Row kRows[] = {
    {"UndoTakesBackTheShownFilesEditOnly",
     {"A", "type:x", "B", "type:y", "A", "=line:xa0", "undo", "=line:a0", "=undo:0/1", "redo", "=line:xa0",
      "B", "=line:yb0", "undo", "=line:b0", "undo", "=line:b0", "=undo:0/1"}},
    {"CaretSelectionAndScrollComeBackWithTheirFile",
     {"A", "caret:150", "select:3", "top:120", "B", "caret:7", "top:2",
      "A", "=caret:150", "=top:120", "=selected:a15", "B", "=caret:7", "=top:2", "=selected:"}},
    {"ANewDocumentStartsAtTheTopWithNoHistory",
     {"A", "caret:200", "type:x", "B", "=caret:0", "=top:0", "=undo:0/0", "=line:b0"}},
    {"ReadAgainIsOneUndoStepOverTheKeptText",
     {"A", "type:x", "B", "A!", "=line:r0", "=undo:1/0", "undo", "caret:0", "=line:xa0", "undo", "=line:a0"}},
    {"ReadAgainWithoutAKeptTextHasNoHistory",
     {"A!", "=line:r0", "=undo:0/0"}},
    {"ShowingTheShownFileAgainChangesNothing",
     {"A", "=notices:1", "A", "=notices:0", "type:x", "A", "=line:xa0", "=undo:1/0", "=docs:1"}},
    {"EverySwitchIsOneWholeTextNotice",
     {"A", "=notices:1", "B", "=notices:1", "A", "=notices:1", "loose", "=notices:1", "B", "=notices:1"}},
    {"DroppingTheShownFileFreesItAndEmptiesTheEditor",
     {"A", "type:x", "B", "A", "drop:A", "=docs:1", "=shown:-", "=line:", "undo", "=line:", "=undo:0/0",
      "A", "=line:a0", "=undo:0/0", "=docs:2"}},
    {"DroppingAnotherFileKeepsTheShownOne",
     {"A", "B", "type:y", "drop:A", "drop:A", "=docs:1", "=shown:B", "=line:yb0", "undo", "=line:b0"}},
    {"DropAllFreesEverything",
     {"A", "B", "C", "dropAll", "=docs:0", "=shown:-", "=line:", "undo", "=undo:0/0", "B", "=line:b0"}},
    {"ALooseTextKeepsTheFilesAndGoesItself",
     {"A", "type:x", "loose", "=shown:-", "=undo:0/0", "type:z", "loose", "=undo:0/0", "A", "=line:xa0",
      "=docs:1"}},
    {"EachNewDocumentGetsTheEditorsSettings",
     {"tab:7", "A", "=settings", "C", "=settings", "A", "=settings", "D", "=settings", "E", "=settings", "C",
      "=settings", "E", "=settings", "loose", "=settings"}},
    {"StylingFollowsEachDocumentsOwnEdits",
     {"A", "stylePart", "B", "style", "A", "=settings", "D", "=settings", "style", "A", "type:/* ", "style", "=settings", "D", "caret:0",
      "type:x", "=settings", "A", "undo", "=settings"}},
    {"PositionsCountCharactersInEveryDocument",
     {"A", "caret:3", "=settings", "C", "caret:1", "=settings", "A", "=settings", "C", "=settings"}},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

quint64 keyOf(QChar file) {
    return quint64(file.unicode());
}

// What a fresh editor given the same lines says of code page, line ends, tabs, gutter, positions and
// styles: a document shown again or made anew must say the same.
void expectLikeAFreshEditor(SourceEditor& editor, int tabWidth, const std::string& where) {
    SourceEditor fresh;
    fresh.setTabStops(tabWidth);
    fresh.setLines(editor.lines());
    EXPECT_EQ(editor.SendScintilla(Sci::SCI_GETCODEPAGE), fresh.SendScintilla(Sci::SCI_GETCODEPAGE)) << where;
    EXPECT_EQ(editor.eolMode(), fresh.eolMode()) << where;
    EXPECT_EQ(editor.tabWidth(), fresh.tabWidth()) << where;
    EXPECT_EQ(editor.indentationsUseTabs(), fresh.indentationsUseTabs()) << where;
    EXPECT_EQ(editor.marginWidth(0), fresh.marginWidth(0)) << where;
    EXPECT_EQ(editor.textLength(), fresh.textLength()) << where;
    const int last = editor.lineCount() - 1;
    EXPECT_EQ(editor.position({last, 1}), fresh.position({last, 1})) << where;
    EXPECT_EQ(editor.lineColumn(editor.textLength() - 1).column,
              fresh.lineColumn(fresh.textLength() - 1).column)
        << where;
    editor.SendScintilla(Sci::SCI_COLOURISE, editor.SendScintilla(Sci::SCI_GETENDSTYLED), -1L);
    fresh.SendScintilla(Sci::SCI_COLOURISE, 0ul, -1L);
    for (long i = 0; i < editor.length(); ++i) {
        if (editor.SendScintilla(Sci::SCI_GETSTYLEAT, i) != fresh.SendScintilla(Sci::SCI_GETSTYLEAT, i)) {
            ADD_FAILURE() << where << ": style differs at " << i;
            break;
        }
    }
}

// "a15" is line 15 of file A as fileLines makes it ("r15" of the lines read again), after what comes
// before it ("xa0": "x" typed at the start of line 0); anything else stands for itself.
QString expectedText(const QString& text) {
    const QRegularExpressionMatch line = QRegularExpression("^(.*)([abr])(\\d+)$").match(text);
    if (!line.hasMatch())
        return text;
    return line.captured(1) + fileLines(line.captured(2).at(0).toUpper()).value(line.captured(3).toInt());
}

class EditorDocumentsTest : public ::testing::TestWithParam<Row> {};

TEST_P(EditorDocumentsTest, Steps) {
    SourceEditor editor;
    editor.resize(600, 300);
    editor.show();
    EditorDocuments documents(editor);
    QSignalSpy replaced(&editor, &SourceEditor::textReplaced);
    QSignalSpy changed(&editor, &SourceEditor::changed);
    int tabWidth = 4;
    int index = 0;
    for (const QString& step : GetParam().steps) {
        const std::string where = "step " + std::to_string(++index) + " " + step.toStdString();
        const QString arg = step.section(u':', 1);
        const int number = arg.toInt();
        if (step.size() == 1) {
            documents.show(keyOf(step.at(0)), fileLines(step.at(0)));
        } else if (step.size() == 2 && step.endsWith(u'!')) {
            documents.show(keyOf(step.at(0)), fileLines(u'R'), true);
        } else if (step.startsWith("type:")) {
            editor.insertText(arg);
        } else if (step == "undo") {
            editor.undo();
        } else if (step == "redo") {
            editor.redo();
        } else if (step.startsWith("caret:")) {
            editor.setCaretLine(number);
        } else if (step.startsWith("top:")) {
            editor.setFirstVisibleLine(number);
        } else if (step.startsWith("select:")) {
            editor.setSelectionStart(editor.position({editor.caretLine(), 0}));
            editor.setSelectionLength(number);
        } else if (step.startsWith("tab:")) {
            tabWidth = number;
            editor.setTabStops(number);
        } else if (step == "style") {
            editor.SendScintilla(Sci::SCI_COLOURISE, 0ul, -1L);
        } else if (step == "stylePart") {
            editor.SendScintilla(Sci::SCI_COLOURISE, 0ul, long(editor.length() / 3));
        } else if (step.startsWith("drop:")) {
            documents.release(keyOf(arg.at(0)));
        } else if (step == "dropAll") {
            documents.releaseAll();
        } else if (step == "loose") {
            documents.showUnkept({"a loose text"});
        } else if (step.startsWith("=line:")) {
            EXPECT_EQ(editor.line(editor.caretLine()), expectedText(arg)) << where;
        } else if (step.startsWith("=caret:")) {
            EXPECT_EQ(editor.caretLine(), number) << where;
        } else if (step.startsWith("=top:")) {
            EXPECT_EQ(editor.firstVisibleLine(), number) << where;
        } else if (step.startsWith("=selected:")) {
            EXPECT_EQ(editor.selectedText(), arg) << where;
        } else if (step.startsWith("=undo:")) {
            EXPECT_EQ(QString("%1/%2").arg(int(editor.isUndoAvailable())).arg(int(editor.isRedoAvailable())),
                      arg)
                << where;
        } else if (step.startsWith("=docs:")) {
            EXPECT_EQ(documents.count(), number) << where;
        } else if (step.startsWith("=shown:")) {
            EXPECT_EQ(documents.shownKey(), arg == "-" ? 0 : keyOf(arg.at(0))) << where;
            if (arg != "-")
                EXPECT_TRUE(documents.holds(keyOf(arg.at(0)))) << where;
        } else if (step.startsWith("=notices:")) {
            EXPECT_EQ(replaced.count(), number) << where;
            EXPECT_EQ(changed.count(), number) << where;
            replaced.clear();
            changed.clear();
        } else if (step == "=settings") {
            expectLikeAFreshEditor(editor, tabWidth, where);
        } else {
            FAIL() << "unknown step " << where;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EditorDocumentsTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A hundred rounds over three files: each keeps all of its own edits and nothing else (ASan, in CI,
// checks that the documents switched away from and dropped are freed).
TEST(EditorDocuments, AHundredSwitchesKeepOneDocumentPerFile) {
    SourceEditor editor;
    EditorDocuments documents(editor);
    for (int round = 0; round < 100; ++round) {
        for (QChar file : {u'A', u'B', u'C'}) {
            documents.show(keyOf(file), fileLines(file));
            editor.setCaretLine(0);
            editor.insertText(QString(file));
        }
        if (round % 10 == 9) {
            documents.release(keyOf(u'C'));
            documents.showUnkept({"loose"});
        }
    }
    EXPECT_EQ(documents.count(), 2);
    for (QChar file : {u'A', u'B'}) {
        documents.show(keyOf(file), {});
        EXPECT_EQ(editor.line(0), QString(100, file) + fileLines(file).first());
        while (editor.isUndoAvailable())
            editor.undo();
        EXPECT_EQ(editor.lines(), fileLines(file));
    }
    documents.show(keyOf(u'C'), fileLines(u'C'));
    EXPECT_EQ(editor.line(0), fileLines(u'C').first()) << "dropped after round 99";
}

} // namespace
