#include "help/HelpWindow.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kHelpFile = QStringLiteral(HW_HELP_FILE);

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFileInfo::exists(kHelpFile)) << "the manual was not built";
    }
    QString collection() const { return dir.filePath("user/help/handwright.qhc"); }
    QTemporaryDir dir;
};

TEST_F(HelpWindowTest, OpensAtTheContentsWithTheFirstPage) {
    HelpWindow help(kHelpFile, collection());
    ASSERT_TRUE(help.ready()) << help.error().toStdString();
    help.showContents();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.tabs()->currentIndex(), 0);
    EXPECT_TRUE(help.browser()->source().path().endsWith("/index.html"));
    EXPECT_TRUE(help.browser()->toPlainText().contains("Getting started with the example"));
    // A link of the page leads to another page of the manual.
    help.showPage(help.browser()->source().resolved(QUrl("debugger.html")));
    EXPECT_TRUE(help.browser()->toPlainText().contains("Allow Remote Debugging"));
    EXPECT_FALSE(help.engine().documentsForKeyword("jdb").isEmpty());

    help.showSearch();
    EXPECT_EQ(help.tabs()->currentIndex(), 2);
}

TEST_F(HelpWindowTest, FullTextSearchFindsAWordOfTheManual) {
    HelpWindow help(kHelpFile, collection());
    ASSERT_TRUE(help.ready()) << help.error().toStdString();
    QHelpSearchEngine* search = help.engine().searchEngine();
    int indexing = 0;
    QObject::connect(search, &QHelpSearchEngine::indexingStarted, [&] { ++indexing; });
    QObject::connect(search, &QHelpSearchEngine::indexingFinished, [&] { --indexing; });
    help.showSearch();
    // The index is built in the background (the engine may schedule more than one run): search until the
    // page turns up or the time is over.
    QSignalSpy searched(search, &QHelpSearchEngine::searchingFinished);
    QStringList pages;
    QElapsedTimer clock;
    clock.start();
    while (!pages.contains("debugger.html") && clock.elapsed() < 30000) {
        if (indexing > 0) {
            QTest::qWait(50);
            continue;
        }
        search->search("terminal");
        ASSERT_TRUE(searched.wait(30000));
        pages.clear();
        for (const QHelpSearchResult& result : search->searchResults(0, search->searchResultCount()))
            pages << result.url().fileName();
        if (!pages.contains("debugger.html"))
            QTest::qWait(50);
    }
    EXPECT_TRUE(pages.contains("debugger.html")) << pages.join(' ').toStdString();

    search->search("zyxwvutsrq");
    ASSERT_TRUE(searched.wait(30000));
    EXPECT_EQ(search->searchResultCount(), 0);
}

TEST_F(HelpWindowTest, RegistersAgainWhenTheManualMoved) {
    {
        HelpWindow first(kHelpFile, collection());
        ASSERT_TRUE(first.ready());
    }
    const QString moved = dir.filePath("elsewhere/handwright.qch");
    QDir().mkpath(dir.filePath("elsewhere"));
    ASSERT_TRUE(QFile::copy(kHelpFile, moved));
    HelpWindow second(moved, collection());
    ASSERT_TRUE(second.ready()) << second.error().toStdString();
    const QString ns = QHelpEngineCore::namespaceName(moved);
    EXPECT_EQ(second.engine().documentationFileName(ns), moved);
}

TEST_F(HelpWindowTest, AFileThatIsNoManualShowsNothing) {
    const QString bogus = dir.filePath("handwright.qch");
    QFile file(bogus);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a help file");
    file.close();
    HelpWindow help(bogus, collection());
    EXPECT_FALSE(help.ready());
    EXPECT_FALSE(help.error().isEmpty());
    help.showContents();
    help.showSearch();
    EXPECT_FALSE(help.isVisible());
}

} // namespace
