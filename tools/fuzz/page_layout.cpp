// The print layout over any text and page settings: every character of the source is printed once, in
// order, no row lies outside its page, and a wrapped piece fits the width where it can.
#include "FuzzCheck.h"
#include "print/PageLayout.h"

#include <cmath>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// A fixed-pitch font without a window system: every character is as wide as its digit says.
class Measure final : public Print::TextMeasure {
public:
    double width(QStringView text) const override {
        double w = 0;
        for (QChar c : text)
            w += 4 + (c.unicode() % 7);
        return w;
    }
    double heightOfA() const override { return 10; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Highlight::Engine engine;
    static const Measure measure;
    FuzzedDataProvider input(data, size);
    Print::LayoutInput layout;
    layout.tabWidth = input.ConsumeIntegralInRange<int>(-2, 16);
    layout.lineSpacing = input.ConsumeFloatingPointInRange<double>(-4, 2);
    layout.margins.left = input.ConsumeFloatingPointInRange<double>(-1, 6);
    layout.margins.right = input.ConsumeFloatingPointInRange<double>(-1, 6);
    layout.margins.top = input.ConsumeFloatingPointInRange<double>(-1, 6);
    layout.margins.bottom = input.ConsumeFloatingPointInRange<double>(-1, 6);
    layout.paper.dpi = input.ConsumeIntegralInRange<int>(0, 600);
    layout.paper.size =
        QSizeF(input.ConsumeIntegralInRange<int>(0, 5000), input.ConsumeIntegralInRange<int>(0, 7000));
    layout.measure = &measure;
    layout.engine = input.ConsumeBool() ? &engine : nullptr;
    const QString text = QString::fromUtf8(input.ConsumeRemainingBytesAsString());
    layout.lines = text.split(u'\n');

    const Print::PageLayout pages(layout);
    FUZZ_CHECK(pages.pageCount() >= 1);
    FUZZ_CHECK(pages.linesPerPage() >= 1);
    FUZZ_CHECK(std::isfinite(pages.lineHeight()) && pages.lineHeight() > 0);
    QStringList printed(layout.lines.size());
    int lastSource = -1;
    for (int p = 0; p < pages.pageCount(); ++p) {
        int lastRow = -1;
        for (const Print::PrintedLine& line : pages.page(p)) {
            FUZZ_CHECK(line.row > lastRow && line.row < pages.linesPerPage());
            lastRow = line.row;
            FUZZ_CHECK(line.sourceLine >= 0 && line.sourceLine < layout.lines.size());
            FUZZ_CHECK(line.sourceLine >= lastSource);
            FUZZ_CHECK(line.continuation == (line.sourceLine == lastSource));
            lastSource = line.sourceLine;
            printed[line.sourceLine] += line.text;
            int end = 0;
            for (const Highlight::Run& run : line.runs) {
                FUZZ_CHECK(run.length > 0 && run.start >= end && run.start + run.length <= line.text.size());
                end = run.start + run.length;
            }
        }
    }
    FUZZ_CHECK(pages.page(-1).empty() && pages.page(pages.pageCount()).empty());
    for (qsizetype i = 0; i < layout.lines.size(); ++i) {
        // A leading form feed breaks the page and is not printed; tabs become blanks.
        const QString& line = layout.lines[i];
        std::vector<Highlight::Run> none;
        const QString expected =
            Print::expandTabs(line.startsWith(u'\f') ? line.mid(1) : line, layout.tabWidth, none);
        FUZZ_CHECK(printed[i] == expected);
    }
    if (!text.isEmpty()) {
        const int cut = Print::wrapPoint(text, input.ConsumeFloatingPointInRange<double>(-10, 200), measure);
        FUZZ_CHECK(cut >= 1 && cut <= text.size());
    }
    return 0;
}
