#include "PageLayout.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace Print {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The runs of text[from, to), shifted to start at 0. Pieces of a line come left to right, so `first`
// carries on from where the previous piece's runs ended: a long line costs its runs once, not once a piece.
std::vector<Highlight::Run> runsWithin(const std::vector<Highlight::Run>& runs, size_t& first, int from,
                                       int to) {
    while (first < runs.size() && runs[first].start + runs[first].length <= from)
        ++first;
    std::vector<Highlight::Run> result;
    for (size_t i = first; i < runs.size() && runs[i].start < to; ++i) {
        const auto& run = runs[i];
        const int start = std::max(run.start, from);
        const int end = std::min(run.start + run.length, to);
        if (end > start)
            result.push_back({start - from, end - start, run.appearance});
    }
    return result;
}

// Grapheme boundaries (a letter with its combining accents, a surrogate pair, a flag) depend on a few
// characters around a position only, so the finder sees a short window instead of a whole long line.
constexpr int boundaryWindow = 32;

// `at` itself when a grapheme starts there, else the start of the grapheme it lies in.
int graphemeStartAtOrBefore(QStringView text, int at) {
    if (at <= 0 || at >= text.size())
        return at;
    const int from = std::max(0, at - boundaryWindow);
    const int to = int(std::min<qsizetype>(text.size(), at + boundaryWindow));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.mid(from, to - from));
    finder.setPosition(at - from);
    if (finder.isAtBoundary())
        return at;
    const qsizetype previous = finder.toPreviousBoundary();
    return previous < 0 ? from : from + int(previous);
}

// The end of the first grapheme of a non-empty text.
int firstGraphemeEnd(QStringView text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.left(boundaryWindow));
    const qsizetype next = finder.toNextBoundary();
    return next > 0 ? int(next) : 1;
}

// The longest prefix of `text` that is at most `width` wide, found by galloping from `hint` and then
// halving: a few measurements of piece-sized prefixes, never one of the whole rest of a long line.
int longestFittingPrefix(QStringView text, double width, const TextMeasure& measure, int hint) {
    const int size = int(text.size());
    auto fits = [&](int length) { return measure.width(text.left(length)) <= width; };
    int low = 0;     // fits
    int high = size; // nothing longer fits
    const int probe = std::clamp(hint > 0 ? hint : 256, 1, std::max(size, 1));
    int step = std::max(1, probe / 8);
    if (fits(probe)) {
        low = probe;
        while (low < high) {
            const int next = std::min(high, low + step);
            if (!fits(next)) {
                high = next - 1;
                break;
            }
            low = next;
            step *= 2;
        }
    } else {
        high = probe - 1;
        while (high > 0) {
            const int next = std::max(0, high - step);
            if (next == 0 || fits(next)) {
                low = next;
                break;
            }
            high = next - 1;
            step *= 2;
        }
    }
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (fits(mid))
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace

QString pageText(const QString& text, int pageNumber) {
    QString result = text;
    const qsizetype at = result.indexOf(QLatin1String("{p}"));
    if (at >= 0)
        result.replace(at, 3, QString::number(pageNumber));
    return result;
}

QString expandTabs(const QString& text, int tabWidth, std::vector<Highlight::Run>& runs) {
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

int wrapPoint(QStringView text, double width, const TextMeasure& measure, int hint) {
    if (text.isEmpty())
        return 0;
    const int size = int(text.size());
    const int longest = longestFittingPrefix(text, width, measure, hint);
    if (longest >= size)
        return size;
    // Never inside a character: an accent stays with its letter, a surrogate pair stays whole.
    const int fits = graphemeStartAtOrBefore(text, longest);
    if (isBlank(text.at(fits))) {
        // Blanks at the break stay on the line, past the margin, like an editor's word wrap keeps them.
        int cut = fits;
        while (cut < size && isBlank(text.at(cut)))
            ++cut;
        return std::max(cut, 1);
    }
    for (int i = fits - 1; i > 0; --i)
        if (isBlank(text.at(i)))
            return i + 1;
    return fits > 0 ? fits : firstGraphemeEnd(text);
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
    Highlight::LineState state;
    std::vector<Highlight::Run> runs;
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
                               std::vector<Highlight::Run> runs) {
    if (text.startsWith(u'\f')) {
        // A form feed starts a page; the rest of the page before it stays blank.
        if (m_slot % m_linesPerPage != 0)
            m_slot += m_linesPerPage - m_slot % m_linesPerPage;
        text.remove(0, 1);
    }
    text = expandTabs(text, input.tabWidth, runs);

    const double width = m_textRect.width();
    int from = 0;
    int hint = 0;
    size_t firstRun = 0;
    do {
        const QStringView rest = QStringView(text).mid(from);
        const int cut = wrapPoint(rest, width, *input.measure, hint);
        // The next piece of a wrapped line is most likely as long as this one.
        hint = cut;
        const int page = int(m_slot / m_linesPerPage);
        while (int(m_pageStarts.size()) <= page)
            m_pageStarts.push_back(m_lines.size());
        PrintedLine printed;
        printed.sourceLine = index;
        printed.continuation = from > 0;
        printed.row = int(m_slot % m_linesPerPage);
        printed.text = rest.left(cut).toString();
        printed.runs = runsWithin(runs, firstRun, from, from + cut);
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

} // namespace Print
