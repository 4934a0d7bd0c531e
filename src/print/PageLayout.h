#pragma once

#include "editor/HighlightEngine.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <span>
#include <vector>

namespace Print {

// Distances from the paper's edges, in inches.
struct Margins {
    double left = 0.75;
    double right = 0.5;
    double top = 0.75;
    double bottom = 0.75;

    bool operator==(const Margins&) const = default;
};

// The page as the printer reports it: one resolution for both directions (Qt's printers have square
// dots) and the paper's size in dots. Painting happens on the whole paper, so the non-printable offsets
// are the device's business.
struct Paper {
    double dpi = 0;
    QSizeF size;

    bool operator==(const Paper&) const = default;
};

// Text widths and the height of "A" in the printing font, in dots.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double width(QStringView text) const = 0;
    virtual double heightOfA() const = 0;
};

// One printed line: a whole source line or the continuation of a wrapped one. `runs` index `text`.
struct PrintedLine {
    int sourceLine = 0; // from 0
    bool continuation = false;
    int row = 0; // from the top of its page
    QString text;
    std::vector<Highlight::Run> runs;
};

struct LayoutInput {
    QStringList lines;
    int tabWidth = 4;
    // 0 or more: inches; negative: a multiple of the height of "A".
    double lineSpacing = -1.5;
    Margins margins;
    Paper paper;
    const TextMeasure* measure = nullptr;
    // Without one the text has no colours.
    const Highlight::Engine* engine = nullptr;
};

// The text laid out on pages: line height, lines per page, form-feed breaks and word wrap at the width
// between the margins. Coordinates are dots from the paper's top left corner.
class PageLayout {
public:
    PageLayout() = default;
    explicit PageLayout(const LayoutInput& input);

    int pageCount() const { return int(m_pageStarts.size()); }
    int linesPerPage() const { return m_linesPerPage; }
    double lineHeight() const { return m_lineHeight; }
    // The box between the margins.
    QRectF textRect() const { return m_textRect; }
    const Paper& paper() const { return m_paper; }
    // The printed lines of a page (from 0); empty outside the pages.
    std::span<const PrintedLine> page(int index) const;

private:
    void addSourceLine(const LayoutInput& input, int index, QString text, std::vector<Highlight::Run> runs);

    Paper m_paper;
    QRectF m_textRect;
    double m_lineHeight = 1;
    int m_linesPerPage = 1;
    std::vector<PrintedLine> m_lines;
    std::vector<size_t> m_pageStarts{0}; // index of each page's first line in m_lines
    qint64 m_slot = 0;                   // next free row counted over all pages
};

// The page header or footer: the first "{p}" becomes the page number (from 1).
QString pageText(const QString& text, int pageNumber);

// Replaces tabs by blanks up to the next tab stop, carrying the colour runs along.
QString expandTabs(const QString& text, int tabWidth, std::vector<Highlight::Run>& runs);

// Where a line too wide for `width` is cut: after the last blank that still fits, or after as many
// characters as fit when no blank does; always at least one character, and never inside one (a letter
// keeps its combining accents, a surrogate pair stays whole). `hint`, a length likely to fit about
// exactly (the previous piece's), saves measurements; 0 when there is none.
int wrapPoint(QStringView text, double width, const TextMeasure& measure, int hint = 0);

} // namespace Print
