#pragma once

#include "PageLayout.h"

#include <QPointF>
#include <QSize>
#include <QStringList>

// The preview's arithmetic: zoom scales and margin dragging, in screen pixels over a page image whose
// top left corner is (0, 0).
namespace Print {

// The entries of the zoom list, in order; "100%" is the one a new preview starts with.
const QStringList& zoomEntries();
constexpr int kZoom100 = 3;
constexpr int kZoomPageWidth = 6;
constexpr int kZoomWholePage = 7;

struct Zoom {
    double scale = 1;    // screen pixels per printer dot
    bool centre = false; // centre the page horizontally in the scroll area
};

// At 100% one printer inch is one screen inch. "Page width" fits the paper's width into the client
// width less 20 pixels; "Whole page" fits the whole paper into the client area less 20 pixels each way.
Zoom zoomFor(int entry, const Paper& paper, double screenDpi, QSize client);

enum class MarginLine { None, Left, Right, Top, Bottom };

// The margin line under `pos` (within `tolerance` pixels), vertical lines first.
MarginLine marginAt(QPointF pos, const PageLayout& layout, double scale, double tolerance = 3);

// Where a dragged line may go: inside the page, the left margin left of the right one and the top above
// the bottom, by at least one pixel. Returns the line's x (left, right) or y (top, bottom).
double clampDrag(MarginLine line, QPointF pos, const PageLayout& layout, double scale);

// The margins once a line is released at `at` (its x or y): the distance from the paper's edge in
// inches.
Margins releaseDrag(Margins margins, MarginLine line, double at, const PageLayout& layout, double scale);

} // namespace Print
