#include "FontScale.h"

#include <QApplication>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace FontScale {

double ratioFor(const QFont& current) {
    QFont standard = current;
    standard.setPointSizeF(kStandardPointSize);
    const double standardHeight = QFontMetricsF(standard).height();
    if (standardHeight <= 0)
        return 1.0;
    return std::max(1.0, QFontMetricsF(current).height() / standardHeight);
}

double ratio() {
    return ratioFor(QApplication::font());
}

int scaled(int pixels, double ratio) {
    return int(std::lround(pixels * std::max(1.0, ratio)));
}

QSize scaled(const QSize& size, double ratio) {
    return {scaled(size.width(), ratio), scaled(size.height(), ratio)};
}

QRect scaled(const QRect& rect, double ratio) {
    return {QPoint(scaled(rect.x(), ratio), scaled(rect.y(), ratio)), scaled(rect.size(), ratio)};
}

int px(int pixels) {
    return scaled(pixels, ratio());
}

QSize px(const QSize& size) {
    return scaled(size, ratio());
}

QRect px(const QRect& rect) {
    return scaled(rect, ratio());
}

} // namespace FontScale
