#include "PreviewGeometry.h"

#include <algorithm>
#include <cmath>

namespace Print {

const QStringList& zoomEntries() {
    static const QStringList entries = {"500%", "200%", "150%",       "100%",
                                        "75%",  "50%",  "Page width", "Whole page"};
    return entries;
}

Zoom zoomFor(int entry, const Paper& paper, double screenDpi, QSize client) {
    static constexpr double percent[] = {500, 200, 150, 100, 75, 50};
    if (paper.dpi <= 0 || paper.size.isEmpty())
        return {};
    if (entry >= 0 && entry < kZoomPageWidth)
        return {screenDpi / paper.dpi * percent[entry] / 100.0, false};
    const double byWidth = (client.width() - 20) / paper.size.width();
    if (entry == kZoomPageWidth)
        return {std::max(byWidth, 0.001), false};
    const double byHeight = (client.height() - 20) / paper.size.height();
    return {std::max(std::min(byWidth, byHeight), 0.001), true};
}

MarginLine marginAt(QPointF pos, const PageLayout& layout, double scale, double tolerance) {
    const QRectF text = layout.textRect();
    const QSizeF size = layout.paper().size * scale;
    if (pos.x() < 0 || pos.y() < 0 || pos.x() > size.width() || pos.y() > size.height())
        return MarginLine::None;
    if (std::abs(pos.x() - text.left() * scale) <= tolerance)
        return MarginLine::Left;
    if (std::abs(pos.x() - text.right() * scale) <= tolerance)
        return MarginLine::Right;
    if (std::abs(pos.y() - text.top() * scale) <= tolerance)
        return MarginLine::Top;
    if (std::abs(pos.y() - text.bottom() * scale) <= tolerance)
        return MarginLine::Bottom;
    return MarginLine::None;
}

double clampDrag(MarginLine line, QPointF pos, const PageLayout& layout, double scale) {
    const QRectF text = layout.textRect();
    const QSizeF size = layout.paper().size * scale;
    switch (line) {
    case MarginLine::Left:
        return std::clamp(pos.x(), 0.0, std::max(text.right() * scale - 1, 0.0));
    case MarginLine::Right:
        return std::clamp(pos.x(), std::min(text.left() * scale + 1, size.width()), size.width());
    case MarginLine::Top:
        return std::clamp(pos.y(), 0.0, std::max(text.bottom() * scale - 1, 0.0));
    case MarginLine::Bottom:
        return std::clamp(pos.y(), std::min(text.top() * scale + 1, size.height()), size.height());
    case MarginLine::None:
        break;
    }
    return 0;
}

Margins releaseDrag(Margins margins, MarginLine line, double at, const PageLayout& layout, double scale) {
    const double dpi = layout.paper().dpi;
    const QSizeF size = layout.paper().size * scale;
    const double perInch = dpi * scale;
    switch (line) {
    case MarginLine::Left:
        margins.left = at / perInch;
        break;
    case MarginLine::Right:
        margins.right = (size.width() - at) / perInch;
        break;
    case MarginLine::Top:
        margins.top = at / perInch;
        break;
    case MarginLine::Bottom:
        margins.bottom = (size.height() - at) / perInch;
        break;
    case MarginLine::None:
        break;
    }
    return margins;
}

} // namespace Print
