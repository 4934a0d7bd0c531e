#include "app/BitmapViewerSize.h"

#include <gtest/gtest.h>

TEST(BitmapViewerSize, SmallPicturesGetTheMinimumWindow) {
    const struct {
        QSize picture, window;
    } cases[] = {
        {{30, 20}, {64, 70}},
        {{100, 60}, {105, 80}},
        {{64, 48}, {64, 70}},
        {{65, 49}, {70, 69}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bitmapViewerSize(c.picture), c.window) << c.picture.width() << "x" << c.picture.height();
}
