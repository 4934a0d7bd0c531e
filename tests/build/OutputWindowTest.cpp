#include "build/OutputWindow.h"
#include "QtPrinters.h"
#include "ui/FixedPitchFont.h"

#include <QAction>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QStringList initialLines{"Kovrin Handwright 1.0 - ", "", "Debug Window", ""};

QAction* button(OutputWindow& window, const QString& text) {
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->text() == text)
            return action;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return new QAction(&window);
}

TEST(OutputWindow, StartsWithTheBannerAndOnlyAppends) {
    OutputWindow window;
    EXPECT_EQ(window.windowTitle(), "Output Window");
    EXPECT_EQ((window.findChild<QPlainTextEdit*>("Memo1")), window.memo());
    EXPECT_TRUE(window.memo()->isReadOnly());
    EXPECT_EQ(window.memo()->palette().color(QPalette::Base), Qt::black);
    EXPECT_EQ(window.memo()->palette().color(QPalette::Text), Qt::white);
    // "Courier" where it or a fixed-pitch stand-in is found, the desktop's fixed-width font elsewhere.
    EXPECT_EQ(window.memo()->font().family(),
              fixedPitchFamily("Courier", installedFontCandidates("Courier")));
    EXPECT_TRUE(QFontInfo(window.memo()->font()).fixedPitch());
    EXPECT_EQ(window.lines(), initialLines);

    window.append("Starting javac.exe");
    window.append("");
    const QStringList expected = initialLines + QStringList({"Starting javac.exe", ""});
    EXPECT_EQ(window.lines(), expected);
    // The lines reach the memo shortly, without a flush.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.memo()->toPlainText() == expected.join(u'\n'); }));
    EXPECT_EQ(window.lines(), expected);

    button(window, "Clear")->trigger();
    EXPECT_EQ(window.lines(), QStringList());
    window.append("");
    window.flush();
    window.append("Old Classpath: x");
    window.flush();
    EXPECT_EQ(window.lines(), (QStringList{"", "Old Classpath: x"}));
    window.append("dropped by Clear before it was shown");
    button(window, "Clear")->trigger();
    window.flush();
    EXPECT_EQ(window.lines(), QStringList());
    EXPECT_EQ(window.memo()->toPlainText(), "");
}

// Until the window is first shown it has no controls; the lines logged (and a Clear) meanwhile are all
// there once it shows.
TEST(OutputWindow, LinesLoggedBeforeTheFirstShowingAreShownThen) {
    struct Row {
        QStringList before; // "<clear>" clears
        QStringList shown;
    };
    const Row rows[] = {
        {{}, initialLines},
        {{"javac Hello.java", ""}, initialLines + QStringList{"javac Hello.java", ""}},
        {{"dropped", "<clear>", "kept"}, {"kept"}},
        {{"dropped", "<clear>"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.before.join('|').toStdString());
        OutputWindow window;
        for (const QString& line : row.before) {
            if (line == "<clear>")
                window.clear();
            else
                window.append(line);
        }
        window.flush();
        QTest::qWait(30);
        EXPECT_EQ(window.findChild<QPlainTextEdit*>("Memo1"), nullptr);
        window.show();
        ASSERT_NE(window.findChild<QPlainTextEdit*>("Memo1"), nullptr);
        EXPECT_EQ(window.memo()->toPlainText(), row.shown.join(u'\n'));
        EXPECT_EQ(window.lines(), row.shown);
    }
}

TEST(OutputWindow, CloseButtonsAndPlacement) {
    {
        OutputWindow window;
        QSignalSpy dontOpen(&window, &OutputWindow::dontOpenAgain);
        window.show();
        button(window, "Close")->trigger();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(dontOpen.count(), 0);

        window.show();
        window.move(40, 50);
        window.resize(500, 300);
        button(window, "Close and don't open again")->trigger();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(dontOpen.count(), 1);
    }
    OutputWindow again;
    EXPECT_EQ(again.pos(), QPoint(40, 50));
    EXPECT_EQ(again.size(), QSize(500, 300));
}

} // namespace
