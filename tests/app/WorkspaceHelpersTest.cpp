#include "TestFiles.h"
#include "app/BitmapViewerSize.h"
#include "app/Environment.h"

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

TEST(Environment, SavedAndRestoredValuesComeBackUnsetWhenTheyWereUnset) {
    const char* name = "HW_TEST_CLASSPATH";
    qunsetenv(name);
    const QString saved = getEnvironmentValue(name);
    ASSERT_TRUE(setEnvironmentValue(name, "/sdk/lib:/p/"));
    EXPECT_EQ(qgetenv(name), "/sdk/lib:/p/");
    EXPECT_EQ(getEnvironmentValue(name), "/sdk/lib:/p/");
    setEnvironmentValue(name, saved);
    EXPECT_FALSE(qEnvironmentVariableIsSet(name));
}
