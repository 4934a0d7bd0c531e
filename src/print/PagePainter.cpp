#include "PagePainter.h"

#include <QPainter>

namespace Print {

namespace {

QColor fromBgr(quint32 colour) {
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

QFont styled(QFont font, quint8 style) {
    font.setBold(style & Highlight::Bold);
    font.setItalic(style & Highlight::Italic);
    font.setUnderline(style & Highlight::Underline);
    font.setStrikeOut(style & Highlight::StrikeOut);
    return font;
}

void drawBox(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
             const QColor& colour, Qt::Alignment align) {
    if (text.isEmpty())
        return;
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, int(align | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip), text);
}

} // namespace

FontMeasure::FontMeasure(const QFont& font) : m_metrics(font) {
    m_heightOfA = m_metrics.boundingRect(QStringLiteral("A")).height();
    if (m_heightOfA <= 0)
        m_heightOfA = m_metrics.height();
}

double FontMeasure::width(QStringView text) const {
    return m_metrics.horizontalAdvance(text.toString());
}

QFont fontForDots(QFont font, double dpi) {
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    font.setPixelSize(std::max(1, qRound(points * dpi / 72.0)));
    // Hinting fits glyphs to one device's pixels; widths must not change between screen and paper.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void paintPage(QPainter& painter, const PageLayout& layout, int index, const PageLook& look) {
    const Paper& paper = layout.paper();
    const QRectF text = layout.textRect();
    const int number = index + 1;
    // Qt's PDF engine keeps the pen and font of its previous document while a new painter starts from
    // its defaults, so a first "black" looked like no change and the header came out in the colour the
    // previous print ended with. Changing both once makes the first drawing state them afresh.
    painter.setPen(Qt::NoPen);
    painter.setFont(QFont());

    const double headerTop = look.headerYPos * paper.dpi;
    drawBox(painter, QRectF(text.left(), headerTop, text.width(), std::max(text.top() - headerTop, 1.0)),
            pageText(look.header, number), look.headerFont, look.headerColour, look.headerAlign);
    const double footerTop = paper.size.height() - look.footerYPos * paper.dpi;
    drawBox(painter, QRectF(text.left(), footerTop, text.width(), look.footerYPos * paper.dpi),
            pageText(look.footer, number), look.footerFont, look.headerColour, look.footerAlign);

    const QFontMetricsF metrics(look.textFont);
    const double ascent = metrics.ascent();
    const auto& looks = look.profile->appearances();
    for (const PrintedLine& line : layout.page(index)) {
        const double top = text.top() + line.row * layout.lineHeight();
        const double baseline = top + ascent;
        painter.setFont(look.textFont);
        painter.setPen(look.textColour);
        if (look.lineNumbers && !line.continuation) {
            const QString label = QString::number(line.sourceLine + 1) + QStringLiteral(": ");
            painter.drawText(QPointF(text.left() - metrics.horizontalAdvance(label), baseline), label);
        }
        if (look.plainText || line.runs.empty()) {
            painter.drawText(QPointF(text.left(), baseline), line.text);
            continue;
        }
        // Plain stretches between the runs, then each run in its own look.
        int at = 0;
        auto drawPiece = [&](int from, int to, const Highlight::Appearance* appearance) {
            if (to <= from)
                return;
            const QString piece = line.text.mid(from, to - from);
            const double x = text.left() + metrics.horizontalAdvance(line.text.left(from));
            if (!appearance) {
                painter.setFont(look.textFont);
                painter.setPen(look.textColour);
            } else {
                if (appearance->background != Highlight::EditorBackground)
                    painter.fillRect(QRectF(x, top, metrics.horizontalAdvance(piece), layout.lineHeight()),
                                     fromBgr(quint32(appearance->background)));
                painter.setFont(styled(look.textFont, appearance->style));
                painter.setPen(appearance->plain ? look.textColour : fromBgr(appearance->foreground));
            }
            painter.drawText(QPointF(x, baseline), piece);
        };
        for (const auto& run : line.runs) {
            drawPiece(at, run.start, nullptr);
            const size_t which = size_t(run.appearance);
            drawPiece(run.start, run.start + run.length,
                      which > 0 && which < looks.size() ? &looks[which] : nullptr);
            at = run.start + run.length;
        }
        drawPiece(at, int(line.text.size()), nullptr);
    }
}

void paintMargins(QPainter& painter, const PageLayout& layout) {
    const QRectF text = layout.textRect();
    const QSizeF size = layout.paper().size;
    QPen pen(Qt::gray, 0, Qt::DotLine);
    painter.setPen(pen);
    painter.drawLine(QPointF(text.left(), 0), QPointF(text.left(), size.height()));
    painter.drawLine(QPointF(text.right(), 0), QPointF(text.right(), size.height()));
    painter.drawLine(QPointF(0, text.top()), QPointF(size.width(), text.top()));
    painter.drawLine(QPointF(0, text.bottom()), QPointF(size.width(), text.bottom()));
}

} // namespace Print
