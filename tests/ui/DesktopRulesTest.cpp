#include "ui/ApplicationTitle.h"
#include "ui/FontScale.h"
#include "ui/Readability.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

using namespace Readability;

TEST(Readability, ContrastRatiosOfKnownPairs) {
    struct Case {
        QColor a, b;
        double ratio;
    };
    const Case cases[] = {
        {Qt::black, Qt::white, 21.0},         {Qt::white, Qt::black, 21.0}, // order does not matter
        {Qt::white, Qt::white, 1.0},          {QColor(0x77, 0x77, 0x77), Qt::white, 4.48},
        {QColor(0, 0, 255), Qt::white, 8.59}, {QColor(255, 0, 0), Qt::white, 4.0},
        {QColor(0, 128, 0), Qt::white, 5.14}, {QColor(0, 0, 255), QColor(0x2a, 0x2a, 0x2a), 1.67},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a.name().toStdString() + " on " + c.b.name().toStdString());
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.01);
    }
    EXPECT_FALSE(isReadable(QColor(0x77, 0x77, 0x77), Qt::white));
    EXPECT_TRUE(isReadable(QColor(0x76, 0x76, 0x76), Qt::white));
}

TEST(Readability, ColoursThatReachTheBarStayAsTheyAre) {
    // The editor's word colours on white: none may change under the standard palette.
    for (const QColor& colour :
         {QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 64, 128), QColor(0, 128, 0), QColor(64, 128, 128)})
        EXPECT_EQ(readableOn(colour, Qt::white), colour) << colour.name().toStdString();
}

TEST(Readability, ShadesTooFaintAColourOfTheSameHue) {
    struct Case {
        QColor colour, background;
        double minimum;
        bool lighter;
    };
    const Case cases[] = {
        {QColor(0, 0, 255), QColor(0x2a, 0x2a, 0x2a), kAccentContrast, true},
        {QColor(0, 64, 128), QColor(0x23, 0x26, 0x29), kAccentContrast, true},
        {QColor(0, 128, 0), QColor(0x35, 0x35, 0x35), kTextContrast, true},
        {QColor(255, 255, 0), Qt::white, kTextContrast, false},
        {QColor(255, 0, 0), QColor(0xef, 0xef, 0xef), kTextContrast, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour.name().toStdString() + " on " + c.background.name().toStdString());
        const QColor shaded = readableOn(c.colour, c.background, c.minimum);
        // Also after rounding to 8 bits a channel, as the screen gets it.
        const QColor onScreen(shaded.red(), shaded.green(), shaded.blue());
        EXPECT_GE(contrastRatio(onScreen, c.background), c.minimum);
        // Just enough: not pushed all the way to white or black.
        EXPECT_LT(contrastRatio(onScreen, c.background), c.minimum + 0.5);
        EXPECT_NEAR(shaded.hslHueF(), c.colour.hslHueF(), 0.01);
        if (c.lighter)
            EXPECT_GT(shaded.lightnessF(), c.colour.lightnessF());
        else
            EXPECT_LT(shaded.lightnessF(), c.colour.lightnessF());
    }
}

TEST(Readability, GivesBlackOrWhiteWhenNoShadeReaches) {
    // Mid grey: no shade reaches 7:1 at all; black comes closest.
    const QColor grey(0x80, 0x80, 0x80);
    EXPECT_EQ(readableOn(QColor(0x90, 0x90, 0x90), grey, 7.0), QColor(Qt::black));
    // Grey text (no hue) on black is made lighter, still grey.
    const QColor lighter = readableOn(QColor(0x30, 0x30, 0x30), Qt::black, kTextContrast);
    EXPECT_EQ(lighter.red(), lighter.green());
    EXPECT_EQ(lighter.green(), lighter.blue());
    EXPECT_GE(contrastRatio(lighter, Qt::black), kTextContrast);
}

TEST(FontScale, RatioFollowsTheLineHeightAndNeverShrinks) {
    QFont standard = QApplication::font();
    standard.setPointSizeF(FontScale::kStandardPointSize);
    EXPECT_DOUBLE_EQ(FontScale::ratioFor(standard), 1.0);
    QFont larger = standard;
    larger.setPointSizeF(FontScale::kStandardPointSize * 1.5);
    const double expected = QFontMetricsF(larger).height() / QFontMetricsF(standard).height();
    EXPECT_DOUBLE_EQ(FontScale::ratioFor(larger), expected);
    EXPECT_NEAR(expected, 1.5, 0.2);
    QFont smaller = standard;
    smaller.setPointSizeF(6);
    EXPECT_DOUBLE_EQ(FontScale::ratioFor(smaller), 1.0);
    // A font given in pixels is measured all the same.
    QFont pixels = standard;
    pixels.setPixelSize(30);
    EXPECT_GT(FontScale::ratioFor(pixels), 1.5);
}

TEST(FontScale, ScalesSizesAndPlacesAndRoundsToTheNearestPixel) {
    EXPECT_EQ(FontScale::scaled(15, 1.0), 15);
    EXPECT_EQ(FontScale::scaled(15, 1.5), 23); // 22.5 rounds up
    EXPECT_EQ(FontScale::scaled(18, 1.25), 23);
    EXPECT_EQ(FontScale::scaled(18, 0.5), 18); // never smaller than designed
    EXPECT_EQ(FontScale::scaled(QSize(619, 382), 1.5), QSize(929, 573));
    EXPECT_EQ(FontScale::scaled(QRect(520, 340, 80, 26), 2.0), QRect(1040, 680, 160, 52));
    // The application's own font: the standard one in tests, so designed sizes come out unchanged.
    EXPECT_EQ(FontScale::px(QSize(520, 520)), FontScale::scaled(QSize(520, 520), FontScale::ratio()));
}

// The desktop finds the entry (and with it the icon) by this name, and windows show the icon.
TEST(DesktopIdentity, TheDesktopEntryNameAndTheWindowIconAreSet) {
    applyDesktopIdentity();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "handwright"); // packaging/handwright.desktop
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 64}) {
        const QImage picture = icon.pixmap(size, size).toImage();
        ASSERT_EQ(picture.width(), size);
        // Something is drawn: not every pixel is transparent.
        bool drawn = false;
        for (int y = 0; y < size && !drawn; ++y)
            for (int x = 0; x < size && !drawn; ++x)
                drawn = qAlpha(picture.pixel(x, y)) > 0;
        EXPECT_TRUE(drawn) << size;
    }
}
