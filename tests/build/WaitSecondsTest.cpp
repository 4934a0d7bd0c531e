#include "build/WaitSeconds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(WaitSeconds, HandlesEventsWhileItWaits) {
    int delivered = 0;
    QTimer::singleShot(0, [&] { ++delivered; });
    QMetaObject::invokeMethod(
        qApp, [&] { ++delivered; }, Qt::QueuedConnection);
    QElapsedTimer clock;
    clock.start();
    waitSeconds(0);
    EXPECT_GT(clock.elapsed(), 0);
    EXPECT_EQ(delivered, 2);
}

// A quit ends every event loop of the process for good, so this runs in a child process of its own.
TEST(WaitSecondsDeathTest, ReturnsWhenTheApplicationQuits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QTimer::singleShot(10, [] { QCoreApplication::exit(0); });
            QElapsedTimer clock;
            clock.start();
            waitSeconds(30);
            std::exit(clock.elapsed() < 30000 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
