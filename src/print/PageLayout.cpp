#include "PageLayout.h"

#include <algorithm>
#include <cmath>

namespace print {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The runs of text[from, to), shifted to start at 0.
std::vector<highlight::Run> runsWithin(const std::vector<highlight::Run>& runs, int from, int to) {
    std::vector<highlight::Run> result;
    for (const auto& run : runs) {
        const int start = std::max(run.start, from);
        const int end = std::min(run.start + run.length, to);
        if (end > start)
            result.push_back({start - from, end - start, run.appearance});
    }
    return result;
}

} // namespace

QString pageText(const QString& text, int pageNumber) {
    QString result = text;
    const qsizetype at = result.indexOf(QLatin1String("{p}"));
    if (at >= 0)
        result.replace(at, 3, QString::number(pageNumber));
    return result;
}

QString expandTabs(const QString& text, int tabWidth, std::vector<highlight::Run>& runs) {
    if (!text.contains(u'\t'))
        return text;
    tabWidth = std::max(tabWidth, 1);
    QString result;
    // Where each character of `text` starts in the result, and where the text ends.
    std::vector<int> startOf(size_t(text.size()) + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        startOf[size_t(i)] = int(result.size());
        if (text.at(i) == u'\t')
            result.append(QString(tabWidth - int(result.size()) % tabWidth, u' '));
        else
            result.append(text.at(i));
    }
    startOf.back() = int(result.size());
    for (auto& run : runs) {
        const int end = startOf[size_t(std::min<qsizetype>(run.start + run.length, text.size()))];
        run.start = startOf[size_t(std::min<qsizetype>(run.start, text.size()))];
        run.length = end - run.start;
    }
    return result;
}

int wrapPoint(QStringView text, double width, const TextMeasure& measure) {
    // The longest prefix that fits; widths grow with the prefix.
    int low = 0, high = int(text.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (measure.width(text.left(mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    const int fits = low;
    if (fits >= text.size())
        return int(text.size());
    if (isBlank(text.at(fits))) {
        // Blanks at the break stay on the line, past the margin, like an editor's word wrap keeps them.
        int cut = fits;
        while (cut < text.size() && isBlank(text.at(cut)))
            ++cut;
        return std::max(cut, 1);
    }
    for (int i = fits - 1; i > 0; --i)
        if (isBlank(text.at(i)))
            return i + 1;
    return std::max(fits, 1);
}

PageLayout::PageLayout(const LayoutInput& input) : m_paper(input.paper) {
    m_pageStarts.clear();
    const double dpi = input.paper.dpi;
    const Margins& m = input.margins;
    m_lineHeight =
        input.lineSpacing < 0 ? -input.lineSpacing * input.measure->heightOfA() : input.lineSpacing * dpi;
    m_lineHeight = std::max(m_lineHeight, 1.0);
    const double left = m.left * dpi, right = m.right * dpi, top = m.top * dpi, bottom = m.bottom * dpi;
    const QSizeF size = input.paper.size;
    m_textRect = QRectF(left, top, std::max(size.width() - left - right, 1.0),
                        std::max(size.height() - top - bottom, 1.0));
    m_linesPerPage = std::max(1, int(std::floor((size.height() - top - bottom) / m_lineHeight)));

    m_lines.reserve(size_t(input.lines.size()));
    highlight::LineState state;
    std::vector<highlight::Run> runs;
    for (int i = 0; i < input.lines.size(); ++i) {
        const QString& line = input.lines.at(i);
        runs.clear();
        // A leading form feed is a page break, not text: it must not glue itself to the first word.
        const QStringView text = line.startsWith(u'\f') ? QStringView(line).mid(1) : QStringView(line);
        if (input.engine)
            state = input.engine->highlightLine(text, state, runs);
        addSourceLine(input, i, line, runs);
    }
    // An empty text still has its page, with the header alone. A count of lines that fills its pages
    // exactly makes no empty page after them.
    if (m_pageStarts.empty())
        m_pageStarts.push_back(0);
}

void PageLayout::addSourceLine(const LayoutInput& input, int index, QString text,
                               std::vector<highlight::Run> runs) {
    if (text.startsWith(u'\f')) {
        // A form feed starts a page; the rest of the page before it stays blank.
        if (m_slot % m_linesPerPage != 0)
            m_slot += m_linesPerPage - m_slot % m_linesPerPage;
        text.remove(0, 1);
    }
    text = expandTabs(text, input.tabWidth, runs);

    const double width = m_textRect.width();
    int from = 0;
    do {
        const QStringView rest = QStringView(text).mid(from);
        // Most lines fit: one measurement decides.
        const int cut =
            input.measure->width(rest) <= width ? int(rest.size()) : wrapPoint(rest, width, *input.measure);
        const int page = int(m_slot / m_linesPerPage);
        while (int(m_pageStarts.size()) <= page)
            m_pageStarts.push_back(m_lines.size());
        PrintedLine printed;
        printed.sourceLine = index;
        printed.continuation = from > 0;
        printed.row = int(m_slot % m_linesPerPage);
        printed.text = rest.left(cut).toString();
        printed.runs = runsWithin(runs, from, from + cut);
        m_lines.push_back(std::move(printed));
        ++m_slot;
        from += cut;
    } while (from < text.size());
}

std::span<const PrintedLine> PageLayout::page(int index) const {
    if (index < 0 || index >= pageCount())
        return {};
    const size_t begin = m_pageStarts[size_t(index)];
    const size_t end =
        size_t(index) + 1 < m_pageStarts.size() ? m_pageStarts[size_t(index) + 1] : m_lines.size();
    return std::span<const PrintedLine>(m_lines.data() + begin, end - begin);
}

} // namespace print
