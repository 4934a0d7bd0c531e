// The highlighting engine over any text: runs in order, inside the line, never empty; UTF-16 and UTF-8
// give the same colours for ASCII text, and line-by-line state carries the same whichever form is used.
#include "FuzzCheck.h"
#include "editor/HighlightEngine.h"

#include <QStringList>
#include <string>
#include <vector>

namespace {

void checkRuns(const std::vector<Highlight::Run>& runs, int length) {
    int end = 0;
    for (const Highlight::Run& run : runs) {
        FUZZ_CHECK(run.length > 0);
        FUZZ_CHECK(run.start >= end);
        FUZZ_CHECK(run.start + run.length <= length);
        end = run.start + run.length;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Highlight::Engine engine;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    Highlight::LineState state16;
    Highlight::LineState state8;
    std::vector<Highlight::Run> runs16;
    std::vector<Highlight::Run> runs8;
    for (const QString& line : text.split(u'\n')) {
        const QString cut = line.endsWith(u'\r') ? line.chopped(1) : line;
        state16 = engine.highlightLine(QStringView(cut), state16, runs16);
        checkRuns(runs16, int(cut.size()));
        const QByteArray utf8 = cut.toUtf8();
        state8 = engine.highlightLine(std::string_view(utf8.constData(), size_t(utf8.size())), state8, runs8);
        checkRuns(runs8, int(utf8.size()));
        // Byte positions mapped to UTF-16 positions give the same runs: the keys are ASCII.
        std::vector<int> unitAt(size_t(utf8.size()) + 1, -1);
        int byte = 0;
        for (qsizetype i = 0; i < cut.size();) {
            unitAt[size_t(byte)] = int(i);
            const bool pair = cut[i].isHighSurrogate() && i + 1 < cut.size() && cut[i + 1].isLowSurrogate();
            byte += int(cut.mid(i, pair ? 2 : 1).toUtf8().size());
            i += pair ? 2 : 1;
        }
        FUZZ_CHECK(byte == utf8.size());
        unitAt[size_t(byte)] = int(cut.size());
        FUZZ_CHECK(runs8.size() == runs16.size());
        for (size_t k = 0; k < runs8.size(); ++k) {
            const int start = unitAt[size_t(runs8[k].start)];
            const int end = unitAt[size_t(runs8[k].start + runs8[k].length)];
            FUZZ_CHECK(start >= 0 && end >= 0); // runs start and end on whole characters
            FUZZ_CHECK(start == runs16[k].start && end - start == runs16[k].length);
            FUZZ_CHECK(runs8[k].appearance == runs16[k].appearance);
        }
        FUZZ_CHECK(state16 == state8);
    }
    return 0;
}
