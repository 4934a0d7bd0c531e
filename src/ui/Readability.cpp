#include "Readability.h"

#include <algorithm>
#include <cmath>

namespace Readability {

namespace {

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isReadable(const QColor& text, const QColor& background, double minimum) {
    return contrastRatio(text, background) >= minimum;
}

QColor readableOn(const QColor& colour, const QColor& background, double minimum) {
    if (isReadable(colour, background, minimum))
        return colour;
    // Luminance is monotonic in HSL lightness for a fixed hue and saturation, so a binary search finds
    // the shade nearest the original that is still readable.
    const bool darkBackground = relativeLuminance(background) < 0.18;
    const QColor hsl = colour.toHsl();
    const double hue = hsl.hslHueF();
    const double saturation = hsl.hslSaturationF();
    const double start = hsl.lightnessF();
    const double end = darkBackground ? 1.0 : 0.0;
    auto shade = [&](double lightness) { return QColor::fromHslF(hue, saturation, lightness).toRgb(); };
    // A little above the bar, so that rounding to 8 bits per channel on the way to the screen keeps it.
    const double goal = minimum + 0.05;
    if (!isReadable(shade(end), background, goal)) {
        const QColor black(Qt::black), white(Qt::white);
        return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
    }
    double near = start, far = end;
    for (int step = 0; step < 24; ++step) {
        const double middle = (near + far) / 2;
        if (isReadable(shade(middle), background, goal))
            far = middle;
        else
            near = middle;
    }
    QColor result = shade(far);
    result.setAlphaF(colour.alphaF());
    return result;
}

} // namespace Readability
