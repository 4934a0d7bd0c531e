#include "ui/MessageDialogLayout.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {8, 6, 4, 12},
        {10, 13, 8, 16},
        {14, 13, 8, 23},
        {10, 5, 4, 13},
        {10, -5, 4, -13},
        {-7, 1, 2, -4},
        {7, 1, -2, -4},
        {-7, -1, 2, 4},
        {5, 5, 0, -1},
        {1, 1, 3, 0},
        {100000, 100000, 10000, 1000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MessageDialogMetrics, FollowCharacterSize) {
    const MessageDialogMetrics a = messageDialogMetrics(6, 13);
    EXPECT_EQ(a.horizontalMargin, 12);
    EXPECT_EQ(a.verticalMargin, 13);
    EXPECT_EQ(a.horizontalSpacing, 15);
    EXPECT_EQ(a.verticalSpacing, 16);
    EXPECT_EQ(a.buttonWidth, 75);
    EXPECT_EQ(a.buttonHeight, 23);
    EXPECT_EQ(a.buttonGap, 6);
}

TEST(MessageDialogLayout, IconTextAndThreeButtons) {
    const auto g = layoutMessageDialog(messageDialogMetrics(6, 13), QSize(200, 26), true, 3);
    EXPECT_EQ(g.textBlock, QSize(247, 32)); // icon height wins over one-line text
    EXPECT_EQ(g.buttonRowWidth, 237);
    EXPECT_EQ(g.clientSize, QSize(271, 97));
    EXPECT_EQ(g.iconRect, QRect(12, 13, 32, 32));
    EXPECT_EQ(g.textRect, QRect(59, 13, 200, 26));
    const QList<QRect> buttons{QRect(17, 61, 75, 23), QRect(98, 61, 75, 23), QRect(179, 61, 75, 23)};
    EXPECT_EQ(g.buttonRects, buttons);
}

TEST(MessageDialogLayout, ShortTextIsWidenedToItsButtons) {
    const auto g = layoutMessageDialog(messageDialogMetrics(6, 13), QSize(30, 13), false, 3);
    EXPECT_EQ(g.clientSize, QSize(261, 78));
    EXPECT_FALSE(g.iconRect.isValid());
    EXPECT_EQ(g.textRect, QRect(12, 13, 30, 13));
    ASSERT_EQ(g.buttonRects.size(), 3);
    EXPECT_EQ(g.buttonRects.front().topLeft(), QPoint(12, 42));
    EXPECT_EQ(g.buttonRects.back().right() + 1 + 12, g.clientSize.width());

    const auto none = layoutMessageDialog(messageDialogMetrics(6, 13), QSize(10, 13), false, 0);
    EXPECT_EQ(none.clientSize.width(), 34); // no row of minus one gap
}

TEST(MessageDialogLayout, WideTextCentresItsButton) {
    const auto g = layoutMessageDialog(messageDialogMetrics(6, 13), QSize(400, 60), true, 1);
    EXPECT_EQ(g.clientSize, QSize(471, 125));
    EXPECT_EQ(g.textRect.topLeft(), QPoint(59, 13));
    const QList<QRect> buttons{QRect(198, 89, 75, 23)};
    EXPECT_EQ(g.buttonRects, buttons);
}

TEST(MessageDialogLayout, WrapsAtHalfTheScreenAndCentres) {
    EXPECT_EQ(messageWrapWidth(1920), 960);
    EXPECT_EQ(messageWrapWidth(1025), 512);
    EXPECT_EQ(centredOn(QRect(0, 0, 1920, 1080), QSize(271, 97)), QPoint(825, 492));
    EXPECT_EQ(centredOn(QRect(1920, 0, 1280, 1024), QSize(100, 50)), QPoint(2510, 487));
}

TEST(MessageDialogLayout, OnlyWordsWiderThanTheWrapWidthAreBroken) {
    const QFont font = QApplication::font("QMessageBox");
    const QFontMetrics metrics(font);
    const int width = 40 * metrics.averageCharWidth();
    const QString words = "A short message that wraps at its blanks like any other text does.";
    EXPECT_EQ(breakLongWords(words, font, width), words);
    EXPECT_EQ(breakLongWords("one\ntwo", font, width), "one\ntwo");

    const QString path = "/opt/" + QString(200, 'x') + "/lib";
    const QString text = "Cannot open " + path + " now.\nSecond line";
    const QString broken = breakLongWords(text, font, width);
    EXPECT_EQ(QString(broken).remove('\n'), QString(text).remove('\n'));
    const QStringList lines = broken.split('\n');
    EXPECT_GT(lines.size(), 4);
    EXPECT_EQ(lines.last(), "Second line");
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line.trimmed()), width) << line.toStdString();
}
