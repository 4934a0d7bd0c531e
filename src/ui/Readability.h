#pragma once

#include <QColor>

// Whether text stands out from what it is drawn on, by the WCAG contrast ratio: (L1 + 0.05) / (L2 + 0.05)
// over the relative luminances of the lighter and the darker colour, from 1 (none) to 21 (black on white).
namespace Readability {

// Body text needs 4.5:1 (WCAG AA).
constexpr double kTextContrast = 4.5;
// Coloured words among plain text, lines and marks need 3:1 (WCAG AA for large text and graphics); the
// editor's documented word colours all reach it on white.
constexpr double kAccentContrast = 3.0;

double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);
bool isReadable(const QColor& text, const QColor& background, double minimum = kTextContrast);

// The colour itself when it reaches `minimum` on `background`; otherwise the same hue made lighter on a
// dark background or darker on a light one, just enough to reach it (black or white when no shade does).
QColor readableOn(const QColor& colour, const QColor& background, double minimum = kAccentContrast);

} // namespace Readability
