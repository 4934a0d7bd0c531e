#include "ui/StyleIcons.h"
#include "ui/WindowOnDemand.h"

#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

// A window made on demand is made once, on first use, and never before it.
TEST(WindowOnDemandTest, MakesTheWindowOnceOnFirstUse) {
    int made = 0;
    QWidget window;
    WindowOnDemand<QWidget> onDemand([&] {
        ++made;
        return &window;
    });
    EXPECT_TRUE(static_cast<bool>(onDemand));
    EXPECT_EQ(onDemand.madeWindow(), nullptr);
    EXPECT_EQ(made, 0);
    EXPECT_EQ(onDemand.get(), &window);
    EXPECT_EQ(onDemand->objectName(), window.objectName());
    EXPECT_EQ(onDemand.madeWindow(), &window);
    EXPECT_EQ(made, 1);

    QWidget given;
    WindowOnDemand<QWidget> held(&given);
    EXPECT_EQ(held.madeWindow(), &given);
    EXPECT_FALSE(static_cast<bool>(WindowOnDemand<QWidget>()));
    EXPECT_EQ(WindowOnDemand<QWidget>().get(), nullptr);
}

// The style's icons carry every size up to 128 pixels; the sized copy keeps only what is shown.
TEST(StyleIconsTest, KeepsOnlyTheSizeShown) {
    for (const auto which : {QStyle::SP_FileIcon, QStyle::SP_ArrowBack, QStyle::SP_DialogSaveButton}) {
        const QIcon full = QApplication::style()->standardIcon(which);
        ASSERT_FALSE(full.isNull());
        const QIcon sized = standardIconOfSize(which, 16);
        EXPECT_EQ(sized.availableSizes(), QList<QSize>{QSize(16, 16)}) << which;
        EXPECT_EQ(sized.pixmap(16).toImage(), full.pixmap(16).toImage()) << which;
    }
}
