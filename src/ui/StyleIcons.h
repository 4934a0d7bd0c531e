#pragma once

#include <QIcon>
#include <QStyle>

// One of the style's standard icons holding only the pixmaps of the size it is shown at (and of the
// screen's pixel ratio). The style's own icon carries every size up to 128 pixels, about 64 KB each,
// kept for the whole run by every button that shows one.
QIcon standardIconOfSize(QStyle::StandardPixmap which, int size, const QStyle* style = nullptr);
// The size a style gives icons of tool bars, push buttons or item views.
int styleIconSize(QStyle::PixelMetric metric, const QStyle* style = nullptr);
