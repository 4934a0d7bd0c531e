#include "editor/ProfileLexer.h"
#include "HighlightLetters.h"
#include "editor/HighlightEngine.h"
#include "editor/SourceEditor.h"

#include <QRandomGenerator>
#include <QTest>
#include <gtest/gtest.h>

using Highlight::Engine;
using Highlight::LineState;
using Sci = QsciScintillaBase;

namespace {

QByteArray bytesOf(const SourceEditor& editor) {
    const auto* text = static_cast<const char*>(editor.SendScintillaPtrResult(Sci::SCI_GETCHARACTERPOINTER));
    return QByteArray(text, editor.length());
}

// What the whole text should look like, byte by byte, by the engine alone: lines split where Scintilla
// splits them, a line break coloured like a comment that runs on over it.
std::string expectedLetters(const QByteArray& text) {
    const Engine engine;
    std::string letters;
    std::vector<Highlight::Run> runs;
    LineState state;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < text.size())
            next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
        state = engine.highlightLine(std::string_view(text.constData() + start, size_t(end - start)), state,
                                     runs);
        std::string line(size_t(end - start), '.');
        for (const Highlight::Run& run : runs)
            for (int i = run.start; i < run.start + run.length; ++i)
                line[size_t(i)] = letterFor(engine.profile().appearances()[size_t(run.appearance)]);
        letters += line;
        letters += std::string(size_t(next - end), state.openSpan >= 0 ? 'G' : '.');
        if (next == text.size() && end == text.size())
            break;
        start = next;
    }
    return letters;
}

std::string actualLetters(const SourceEditor& editor, long upTo = -1) {
    const auto& looks = Highlight::Profile::java().appearances();
    const long end = upTo < 0 ? editor.length() : upTo;
    std::string letters;
    for (long i = 0; i < end; ++i) {
        const long style = editor.SendScintilla(Sci::SCI_GETSTYLEAT, i);
        letters += size_t(style) < looks.size() ? letterFor(looks[size_t(style)]) : '?';
    }
    return letters;
}

// Styles what Scintilla has not styled yet, up to `end` (-1: the end of the text), as painting would.
void styleUpTo(SourceEditor& editor, long end = -1) {
    editor.SendScintilla(Sci::SCI_COLOURISE, editor.SendScintilla(Sci::SCI_GETENDSTYLED), end);
}

long lineStart(const SourceEditor& editor, int line) {
    return editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
}

long endStyled(const SourceEditor& editor) {
    return editor.SendScintilla(Sci::SCI_GETENDSTYLED);
}

QStringList javaSource(int methods) {
    QStringList lines = {"import waba.ui.*;", "", "public class Demo extends MainWindow {"};
    for (int i = 0; i < methods; ++i)
        lines << QString("    public void onEvent%1(Event e) {").arg(i) << "        int x = 1; // one"
              << "        String s = \"int /* not a comment\";"
              << "    }";
    lines << "}";
    return lines;
}

void typeAt(SourceEditor& editor, int line, int column, const QString& text) {
    editor.setCursorPosition(line, column);
    QTest::keyClicks(&editor, text);
}

} // namespace

TEST(ProfileLexer, IsTheEditorsLexerAndColoursTheTextLikeTheEngine) {
    SourceEditor editor;
    ASSERT_NE(dynamic_cast<ProfileLexer*>(editor.lexer()), nullptr);
    editor.setLines(javaSource(3));
    styleUpTo(editor);
    EXPECT_EQ(actualLetters(editor), expectedLetters(bytesOf(editor)));

    // The styles carry the profile's colours (Scintilla holds them as 0xBBGGRR, like the profile).
    struct Probe {
        int line;
        const char* word;
        long colour;
    };
    const Probe probes[] = {{0, "import", 16711680}, {0, "waba.ui.", 8404992}, {2, "MainWindow", 8404992},
                            {3, "{", 255},           {4, "// one", 32768},     {5, "\"int", 8421440}};
    for (const Probe& probe : probes) {
        SCOPED_TRACE(probe.word);
        const int column = int(editor.text(probe.line).indexOf(probe.word));
        ASSERT_GE(column, 0);
        const long style =
            editor.SendScintilla(Sci::SCI_GETSTYLEAT, editor.positionFromLineIndex(probe.line, column));
        EXPECT_EQ(editor.SendScintilla(Sci::SCI_STYLEGETFORE, style), probe.colour);
    }
    // Plain text has the editor's text colour.
    const long plain = editor.SendScintilla(Sci::SCI_GETSTYLEAT, editor.positionFromLineIndex(4, 12));
    EXPECT_EQ(plain, 0);
    EXPECT_EQ(editor.lexer()->color(0), QApplication::palette().color(QPalette::WindowText));
}

TEST(ProfileLexer, TypingACommentOpenerAndThenItsCloserRestylesTheLinesBelow) {
    SourceEditor editor;
    editor.resize(500, 300);
    editor.show();
    editor.setFocus();
    editor.setLines(javaSource(6));
    styleUpTo(editor);

    typeAt(editor, 3, 4, "/*");
    styleUpTo(editor);
    const std::string opened = actualLetters(editor);
    EXPECT_EQ(opened, expectedLetters(bytesOf(editor)));
    // From the opener to the end of the text everything is comment.
    const long from = editor.positionFromLineIndex(3, 4);
    EXPECT_EQ(opened.substr(size_t(from)), std::string(size_t(editor.length() - from), 'G'));

    typeAt(editor, 5, int(editor.text(5).size()) - 2, "*/");
    styleUpTo(editor);
    const std::string closed = actualLetters(editor);
    EXPECT_EQ(closed, expectedLetters(bytesOf(editor)));
    const long closer = editor.positionFromLineIndex(5, int(editor.text(5).size()) - 2);
    EXPECT_EQ(closed.substr(size_t(from), size_t(closer - from)), std::string(size_t(closer - from), 'G'));
    // Below the closer the keywords are back.
    const long nextInt = editor.positionFromLineIndex(8, 8);
    EXPECT_EQ(closed.substr(size_t(nextInt), 3), "KKK");
    EXPECT_EQ(closed.substr(size_t(editor.positionFromLineIndex(7, 4)), 6), "KKKKKK"); // public
}

TEST(ProfileLexer, RestylingStopsPastTheEditWhereTheCarriedStateIsUnchanged) {
    SourceEditor editor;
    editor.setLines(javaSource(80));
    styleUpTo(editor);
    ASSERT_EQ(endStyled(editor), editor.length());

    // A keystroke that opens nothing: styling the lines around it settles the whole text again.
    editor.SendScintilla(Sci::SCI_INSERTTEXT, lineStart(editor, 10), "x");
    EXPECT_LT(endStyled(editor), lineStart(editor, 11));
    styleUpTo(editor, lineStart(editor, 12));
    EXPECT_EQ(endStyled(editor), editor.length());
    EXPECT_EQ(actualLetters(editor), expectedLetters(bytesOf(editor)));

    // A comment opener changes what every later line carries: only the requested lines are done, the
    // rest waits until it is needed.
    editor.SendScintilla(Sci::SCI_INSERTTEXT, lineStart(editor, 10), "/*");
    styleUpTo(editor, lineStart(editor, 12));
    EXPECT_EQ(endStyled(editor), lineStart(editor, 12));
    styleUpTo(editor);
    EXPECT_EQ(actualLetters(editor), expectedLetters(bytesOf(editor)));

    // Pasting lines below a still-open comment: the pasted lines must be styled even though the line
    // states copied for them already say "inside a comment".
    editor.SendScintilla(Sci::SCI_INSERTTEXT, lineStart(editor, 20), "int a;\r\n*/ int b;\r\nint c;\r\n");
    styleUpTo(editor, lineStart(editor, 21));
    styleUpTo(editor);
    EXPECT_EQ(actualLetters(editor), expectedLetters(bytesOf(editor)));
}

TEST(ProfileLexer, ALineSplitByAnEditIsRestyledWithTheLineAfterIt) {
    // The new line breaks get copies of neighbouring line states; the line after the inserted text must
    // not be trusted to hold its own.
    SourceEditor editor;
    editor.setLines({"a", "/* b", "c", "d */ int", "int e;", "f"});
    styleUpTo(editor);
    editor.SendScintilla(Sci::SCI_INSERTTEXT, lineStart(editor, 2), "*/\r\n");
    styleUpTo(editor, lineStart(editor, 4));
    styleUpTo(editor);
    EXPECT_EQ(actualLetters(editor), expectedLetters(bytesOf(editor)));
    EXPECT_EQ(actualLetters(editor).substr(size_t(lineStart(editor, 4))), ".....KKK..KKK......");
}

TEST(ProfileLexer, RandomEditsKeepEveryStyledLineRight) {
    SourceEditor editor;
    editor.setLines(javaSource(12));
    styleUpTo(editor);
    const char* pieces[] = {"int ",          "/*",     "*/", "\"",    "//", "\r\n", "x", "Button ",
                            "\r\n    }\r\n", "Timer ", "(",  "repeat"};
    QRandomGenerator random(9);
    // Positions never split a CR LF pair, as the editor's own editing never does.
    auto boundary = [&](qsizetype position) {
        const QByteArray text = bytesOf(editor);
        if (position > 0 && position < text.size() && text[position - 1] == '\r' && text[position] == '\n')
            --position;
        return position;
    };
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(step);
        const long length = editor.length();
        const int action = random.bounded(10);
        if (action < 6 || length < 10) {
            const char* piece = pieces[random.bounded(int(std::size(pieces)))];
            editor.SendScintilla(Sci::SCI_INSERTTEXT, boundary(random.bounded(int(length) + 1)), piece);
        } else if (action < 9) {
            const long from = boundary(random.bounded(int(length)));
            const long to = boundary(std::min<long>(length, from + 1 + long(random.bounded(40))));
            if (to > from)
                editor.SendScintilla(Sci::SCI_DELETERANGE, from, to - from);
        } else {
            editor.SendScintilla(random.bounded(2) ? Sci::SCI_UNDO : Sci::SCI_REDO);
        }
        // Style only part of the text, as a view on part of it would.
        styleUpTo(editor, random.bounded(int(editor.length()) + 1));
        const long styled = endStyled(editor);
        ASSERT_EQ(actualLetters(editor, styled), expectedLetters(bytesOf(editor)).substr(0, size_t(styled)));
    }
    styleUpTo(editor);
    EXPECT_EQ(actualLetters(editor), expectedLetters(bytesOf(editor)));
}
