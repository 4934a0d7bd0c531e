#include "print/PreviewGeometry.h"

#include <gtest/gtest.h>

using namespace Print;

namespace {

class FixedMeasure : public TextMeasure {
public:
    double width(QStringView text) const override { return 10.0 * double(text.size()); }
    double heightOfA() const override { return 20; }
};

// Letter paper at 1200 dots per inch, margins 0.75, 0.5, 0.75, 0.75.
PageLayout letter() {
    static const FixedMeasure measure;
    LayoutInput in;
    in.paper = {1200, QSizeF(10200, 13200)};
    in.measure = &measure;
    return PageLayout(in);
}

} // namespace

TEST(PreviewZoom, ListsTheEightEntriesInOrder) {
    EXPECT_EQ(zoomEntries(),
              (QStringList{"500%", "200%", "150%", "100%", "75%", "50%", "Page width", "Whole page"}));
    EXPECT_EQ(zoomEntries().at(kZoom100), "100%");
}

TEST(PreviewZoom, PercentagesScaleFromOneScreenInchPerPrinterInch) {
    const Paper paper{1200, QSizeF(10200, 13200)};
    const double percent[] = {500, 200, 150, 100, 75, 50};
    for (int entry = 0; entry < 6; ++entry) {
        const Zoom zoom = zoomFor(entry, paper, 96, QSize(800, 600));
        EXPECT_DOUBLE_EQ(zoom.scale, 96.0 / 1200.0 * percent[entry] / 100.0) << entry;
        EXPECT_FALSE(zoom.centre);
    }
    // At 100% the 8.5-inch paper is 8.5 screen inches wide.
    EXPECT_DOUBLE_EQ(zoomFor(kZoom100, paper, 96, {}).scale * 10200, 8.5 * 96);
}

TEST(PreviewZoom, PageWidthAndWholePageFitTheClientLessTwentyPixels) {
    const Paper paper{1200, QSizeF(10200, 13200)};
    struct Case {
        int entry;
        QSize client;
        double scale;
        bool centre;
    };
    const Case cases[] = {
        {kZoomPageWidth, QSize(1040, 300), 1020.0 / 10200, false},
        {kZoomPageWidth, QSize(530, 5000), 510.0 / 10200, false},
        // Whole page: the tighter of the two directions.
        {kZoomWholePage, QSize(1040, 1340), 1020.0 / 10200, true}, // width and height fit alike
        {kZoomWholePage, QSize(2000, 680), 660.0 / 13200, true},   // height is tighter
        {kZoomWholePage, QSize(530, 5000), 510.0 / 10200, true},   // width is tighter
    };
    for (const Case& c : cases) {
        const Zoom zoom = zoomFor(c.entry, paper, 96, c.client);
        EXPECT_DOUBLE_EQ(zoom.scale, c.scale)
            << c.entry << " " << c.client.width() << "x" << c.client.height();
        EXPECT_EQ(zoom.centre, c.centre);
        EXPECT_LE(paper.size.width() * zoom.scale, c.client.width() - 20 + 1e-9);
        if (c.entry == kZoomWholePage) {
            EXPECT_LE(paper.size.height() * zoom.scale, c.client.height() - 20 + 1e-9);
        }
    }
    // A client smaller than the scroll margins still gives a drawable page.
    EXPECT_GT(zoomFor(kZoomWholePage, paper, 96, QSize(5, 5)).scale, 0);
}

TEST(MarginDrag, FindsTheLineUnderTheMouse) {
    const PageLayout layout = letter();
    const double scale = 0.1; // the left margin at 90 px, the right at 960, top 90, bottom 1230
    struct Case {
        QPointF pos;
        MarginLine line;
    };
    const Case cases[] = {
        {{90, 500}, MarginLine::Left}, {{92.5, 10}, MarginLine::Left},    {{960, 700}, MarginLine::Right},
        {{500, 90}, MarginLine::Top},  {{500, 1231}, MarginLine::Bottom}, {{500, 500}, MarginLine::None},
        {{94, 500}, MarginLine::None}, {{90, 1400}, MarginLine::None}, // below the paper
    };
    for (const Case& c : cases)
        EXPECT_EQ(marginAt(c.pos, layout, scale), c.line) << c.pos.x() << "," << c.pos.y();
}

TEST(MarginDrag, LinesStayOnThePageAndInOrder) {
    const PageLayout layout = letter();
    const double scale = 0.1; // paper 1020 x 1320 px
    struct Case {
        MarginLine line;
        QPointF pos;
        double at;
    };
    const Case cases[] = {
        {MarginLine::Left, {300, 0}, 300},     {MarginLine::Left, {-40, 0}, 0},
        {MarginLine::Left, {2000, 0}, 959}, // one pixel left of the right margin
        {MarginLine::Right, {50, 0}, 91},   // one pixel right of the left margin
        {MarginLine::Right, {5000, 0}, 1020},  {MarginLine::Top, {0, -1}, 0},
        {MarginLine::Top, {0, 1300}, 1229},    {MarginLine::Bottom, {0, 10}, 91},
        {MarginLine::Bottom, {0, 1500}, 1320},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(clampDrag(c.line, c.pos, layout, scale), c.at)
            << int(c.line) << " " << c.pos.x() << "," << c.pos.y();
}

TEST(MarginDrag, ReleaseGivesInchesFromThePaperEdge) {
    const PageLayout layout = letter();
    const double scale = 0.1; // 120 px per inch
    const Margins start;
    EXPECT_DOUBLE_EQ(releaseDrag(start, MarginLine::Left, 240, layout, scale).left, 2.0);
    EXPECT_DOUBLE_EQ(releaseDrag(start, MarginLine::Right, 1020 - 60, layout, scale).right, 0.5);
    EXPECT_DOUBLE_EQ(releaseDrag(start, MarginLine::Top, 0, layout, scale).top, 0.0);
    EXPECT_DOUBLE_EQ(releaseDrag(start, MarginLine::Bottom, 1320 - 180, layout, scale).bottom, 1.5);
    // Only the dragged margin changes, and dropping a line where it was changes nothing.
    const Margins moved = releaseDrag(start, MarginLine::Top, 360, layout, scale);
    EXPECT_EQ(moved, (Margins{0.75, 0.5, 3.0, 0.75}));
    EXPECT_EQ(releaseDrag(start, MarginLine::Right, 960, layout, scale), start);
}
