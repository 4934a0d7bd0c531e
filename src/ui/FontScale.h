#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// The program's pixel sizes (fixed widths and heights, control geometry, row heights) are those of the
// standard font: the desktop's sans font at 9 points. A larger desktop font scales them by the ratio of
// its line height to that font's, so text is never clipped; a smaller one leaves them as they are.
namespace FontScale {

constexpr double kStandardPointSize = 9.0;

// Line height of `current` over that of its family at the standard size; never below 1.
double ratioFor(const QFont& current);
// The ratio for the application's font.
double ratio();

int scaled(int pixels, double ratio);
QSize scaled(const QSize& size, double ratio);
QRect scaled(const QRect& rect, double ratio);

// Shorthands with the application font's ratio.
int px(int pixels);
QSize px(const QSize& size);
QRect px(const QRect& rect);

} // namespace FontScale
