#pragma once

#include "PageLayout.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>

class QPainter;

namespace Print {

// How pages look beside their layout. Fonts carry pixel sizes in dots of the paper, so one page paints
// the same on a printer and, scaled, on the screen.
struct PageLook {
    QFont textFont;
    QFont headerFont;
    QFont footerFont;
    QColor textColour = Qt::black;
    QColor headerColour = Qt::black;
    QString header;
    QString footer;
    Qt::Alignment headerAlign = Qt::AlignLeft;
    Qt::Alignment footerAlign = Qt::AlignLeft;
    double headerYPos = 0.4; // inches below the paper's top edge
    double footerYPos = 0.4; // inches above the paper's bottom edge
    bool lineNumbers = false;
    bool plainText = false;
    const Highlight::Profile* profile = &Highlight::Profile::java();
};

// A font's measurements, the ones the layout uses.
class FontMeasure : public TextMeasure {
public:
    explicit FontMeasure(const QFont& font);
    double width(QStringView text) const override;
    double heightOfA() const override { return m_heightOfA; }

private:
    QFontMetricsF m_metrics;
    double m_heightOfA;
};

// `pointSize` points as pixels at `dpi` dots per inch.
QFont fontForDots(QFont font, double dpi);

// Draws page `index` (from 0) in paper dots: header, footer, line numbers standing in the left margin,
// and the lines in their colours. The caller sets any scale and fills the paper.
void paintPage(QPainter& painter, const PageLayout& layout, int index, const PageLook& look);

// The four margins as dotted lines across the paper.
void paintMargins(QPainter& painter, const PageLayout& layout);

} // namespace Print
