// Highlighting a 200,000-line Java file (bench/java200k makes it from the JDK's sources):
//   FIGURE highlight_engine_200k <s> s            the engine alone, line by line, state carried along
//   FIGURE highlight_qscintilla_java_200k <s> s   QScintilla's QsciLexerJava styling the same text
//   FIGURE highlight_lexer_200k <s> s             our lexer styling the same text in the same kind of editor
//   FIGURE keystroke_200k <ms> ms                 one character typed at the end, an open "/*" at the top:
//                                                 median of 200 keystrokes through the source editor
//   FIGURE keystroke_200k_styling <ms> ms         of that, the mean time our lexer spent per styling call
//   FIGURE keystroke_200k_bare_qscintilla <ms> ms the same keystrokes in a bare QScintilla editor
// Styling figures are medians of five runs. Usage: highlight_bench <file.java>
#include "editor/HighlightEngine.h"
#include "editor/ProfileLexer.h"
#include "editor/SourceEditor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Sci = QsciScintillaBase;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double secondsOf(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

std::vector<std::string_view> splitLines(const QByteArray& text) {
    std::vector<std::string_view> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            qsizetype end = i;
            if (end > start && text[end - 1] == '\r')
                --end;
            lines.emplace_back(text.constData() + start, size_t(end - start));
            start = i + 1;
        }
    }
    return lines;
}

// Every style of a hidden editor's text, done at once the way a full recolouring does it. A fresh editor
// each time: our lexer knows that a second recolouring of unchanged text has nothing to do.
double styleFully(const std::function<QsciLexer*()>& makeLexer, const QByteArray& text) {
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        QsciScintilla editor;
        editor.setUtf8(true);
        editor.setLexer(makeLexer());
        editor.SendScintilla(Sci::SCI_SETTEXT, text.constData());
        runs.push_back(secondsOf([&] { editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L); }));
        if (editor.SendScintilla(Sci::SCI_GETENDSTYLED) != editor.length())
            std::exit(3);
    }
    return median(runs);
}

// Our lexer, timing the styling it does.
class TimedLexer : public ProfileLexer {
public:
    void styleText(int start, int end) override {
        QElapsedTimer timer;
        timer.start();
        ProfileLexer::styleText(start, end);
        seconds += double(timer.nsecsElapsed()) / 1e9;
        ++calls;
    }
    double seconds = 0;
    int calls = 0;
};

// Median milliseconds of one character typed at the end of the text and the view repainted, which
// styles what the keystroke changed.
double keystrokeMedian(QsciScintilla& editor, int count) {
    editor.resize(1000, 700);
    editor.show();
    editor.SendScintilla(Sci::SCI_DOCUMENTEND);
    editor.viewport()->repaint();
    QApplication::processEvents();
    if (auto* lexer = dynamic_cast<TimedLexer*>(editor.lexer())) {
        lexer->seconds = 0;
        lexer->calls = 0;
    }
    const long before = editor.length();
    std::vector<double> keystrokes;
    for (int i = 0; i < count; ++i)
        keystrokes.push_back(secondsOf([&] {
            QTest::keyClick(&editor, Qt::Key_X, Qt::NoModifier);
            editor.viewport()->repaint();
        }));
    if (editor.length() != before + count) {
        std::fprintf(stderr, "highlight_bench: the keystrokes did not reach the editor\n");
        std::exit(3);
    }
    return median(keystrokes) * 1000;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: highlight_bench <file.java>\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "highlight_bench: cannot read %s\n", argv[1]);
        return 2;
    }
    const QByteArray text = file.readAll();
    const std::vector<std::string_view> lines = splitLines(text);

    size_t coloured = 0;
    const Highlight::Engine engine;
    std::vector<Highlight::Run> runs;
    {
        std::vector<double> engineRuns;
        for (int run = 0; run < 5; ++run)
            engineRuns.push_back(secondsOf([&] {
                Highlight::LineState state;
                coloured = 0;
                for (std::string_view line : lines) {
                    state = engine.highlightLine(line, state, runs);
                    coloured += runs.size();
                }
            }));
        std::printf("FIGURE highlight_engine_200k %.3f s\n", median(engineRuns));
        std::printf("FIGURE highlight_qscintilla_java_200k %.3f s\n",
                    styleFully([] { return new QsciLexerJava; }, text));
        std::printf("FIGURE highlight_lexer_200k %.3f s\n",
                    styleFully([] { return new ProfileLexer; }, text));
        std::fflush(stdout);
    }

    // Typing at the end of the file while a comment opened at its top runs over all of it: the file's
    // own comment closers are broken up, so the "/*" put before its first line stays open to the end.
    QStringList editorLines = QString::fromUtf8(text).replace("*/", "* /").split('\n');
    for (QString& line : editorLines)
        if (line.endsWith('\r'))
            line.chop(1);
    editorLines.first().prepend("/* ");
    SourceEditor editor;
    auto* lexer = new TimedLexer;
    lexer->setParent(&editor);
    lexer->setDefaultFont(editor.font());
    editor.setLexer(lexer);
    editor.setLines(editorLines);
    const double typing = keystrokeMedian(editor, 200);
    // The typed text sits inside the comment.
    if (editor.SendScintilla(Sci::SCI_GETSTYLEAT, editor.length() - 1) !=
        ProfileLexer::styleOf(Highlight::Profile::java().spanAppearance(0)))
        return 3;
    std::printf("FIGURE keystroke_200k %.3f ms\n", typing);
    std::printf("FIGURE keystroke_200k_styling %.3f ms\n", lexer->seconds / lexer->calls * 1000);
    std::fflush(stdout);

    // The same keystrokes in a bare QScintilla editor without any lexer: what the widget itself costs.
    QsciScintilla bare;
    bare.setUtf8(true);
    bare.SendScintilla(Sci::SCI_SETTEXT, editorLines.join("\r\n").toUtf8().constData());
    std::printf("FIGURE keystroke_200k_bare_qscintilla %.3f ms\n", keystrokeMedian(bare, 50));
    std::fprintf(stderr, "%zu lines, %zu coloured runs per pass\n", lines.size(), coloured);
    return 0;
}
