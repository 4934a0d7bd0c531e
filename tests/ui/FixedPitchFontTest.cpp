#include "ui/FixedPitchFont.h"

#include <QApplication>
#include <QFontInfo>
#include <QWidget>
#include <gtest/gtest.h>

TEST(FixedPitchFont, WantedFamilyOrAFixedPitchStandInOrTheDesktopsFixedFont) {
    struct Case {
        const char* name;
        QString wanted;
        FontCandidates candidates;
        QString family;
    };
    const Case cases[] = {
        {"installed",
         "Courier New",
         {{"DejaVu Sans", "Courier New", "Liberation Mono"}, "Courier New", true, "DejaVu Sans Mono"},
         "Courier New"},
        {"installed in other letter case",
         "Courier New",
         {{"courier new"}, "courier new", true, "Monospace"},
         "courier new"},
        // The matcher draws the stand-in when the name is asked for, with its metrics.
        {"metric-compatible stand-in",
         "Courier New",
         {{"DejaVu Sans", "Liberation Mono"}, "Liberation Mono", true, "DejaVu Sans Mono"},
         "Courier New"},
        {"stand-in that is not fixed-pitch",
         "Courier",
         {{"DejaVu Sans", "Liberation Mono"}, "DejaVu Sans", false, "DejaVu Sans Mono"},
         "DejaVu Sans Mono"},
        {"no stand-in at all", "Courier New", {{}, "", false, "Noto Mono"}, "Noto Mono"},
        {"a fixed-pitch answer without a name", "Courier New", {{}, "", true, "Noto Mono"}, "Noto Mono"},
        {"a name that only contains it",
         "Courier New",
         {{"Courier New Bold"}, "Courier New Bold", false, "Hack"},
         "Hack"},
        {"a longer installed name that starts with it",
         "Courier",
         {{"Courier New"}, "Courier New", false, "Hack"},
         "Hack"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fixedPitchFamily(c.wanted, c.candidates), c.family) << c.name;
}

// On this machine's fonts: whatever is installed, the text comes out fixed-pitch.
TEST(FixedPitchFont, ComesOutFixedPitchForAnyWantedFamily) {
    for (const QString& wanted : {QStringLiteral("Courier"), QStringLiteral("Courier New"),
                                  QStringLiteral("Handwright Missing Sans")}) {
        const QFont font = fixedPitchFont(wanted, 10);
        EXPECT_TRUE(QFontInfo(font).fixedPitch())
            << wanted.toStdString() << " -> " << QFontInfo(font).family().toStdString();
        EXPECT_EQ(font.family(), fixedPitchFamily(wanted, installedFontCandidates(wanted)));
        EXPECT_EQ(font.pointSizeF(), 10.0);
    }
}

// Without a size the font takes the widget's, so a larger desktop font makes it larger too.
TEST(FixedPitchFont, WithoutASizeFollowsTheApplicationFont) {
    const QFont before = QApplication::font();
    QFont larger = before;
    larger.setPointSizeF(15);
    QApplication::setFont(larger);
    {
        QWidget widget;
        widget.setFont(fixedPitchFont(QStringLiteral("Courier")));
        EXPECT_EQ(widget.font().pointSizeF(), 15.0);
        EXPECT_TRUE(QFontInfo(widget.font()).fixedPitch());
    }
    QApplication::setFont(before);
}
