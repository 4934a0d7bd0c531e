#include "MainWindowFixture.h"
#include "app/ClassHelpWindow.h"
#include "app/DocumentationTab.h"
#include "app/LazyWebView.h"
#include "editor/SourceEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <algorithm>

namespace {

constexpr int kLoadTimeout = 30000;

void writePage(const QString& path, const QString& title, const QString& body = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("<html><head><title>" + title + "</title></head><body><p id='p'>" + title + "</p>" + body +
                "</body></html>")
                   .toUtf8());
}

// This program links no part of the web engine, as the IDE does not, so that the engine's library is
// loaded here as it is there; the view is read through its properties.
QWidget* webView(LazyWebView* place) {
    return place->view<QWidget>();
}

QUrl viewUrl(LazyWebView* place) {
    return webView(place)->property("url").toUrl();
}

QString viewTitle(LazyWebView* place) {
    return webView(place)->property("title").toString();
}

qsizetype webViewCount(const QWidget& window) {
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    return std::count_if(widgets.begin(), widgets.end(),
                         [](const QWidget* each) { return each->inherits("QWebEngineView"); });
}

// The address of the page each view last finished loading; a view is tracked before anything loads.
QHash<LazyWebView*, QString> g_lastLoaded;

void track(LazyWebView* place) {
    QObject::connect(place, &LazyWebView::loadFinished, place, [place](bool) {
        // Our own pages lie beside the program, not beside this test program: their loads fail, and the
        // address asked for is what counts.
        g_lastLoaded[place] = viewUrl(place).toString();
    });
}

// True once the view has finished loading an address ending in `tail`.
bool waitForPage(LazyWebView* place, const QString& tail) {
    return QTest::qWaitFor([&] { return g_lastLoaded.value(place).endsWith(tail); }, kLoadTimeout);
}

// The built stand-in SDK, beside <build>/tests where this program runs.
QString builtSdk() {
    return QDir(QCoreApplication::applicationDirPath() + "/../sdk").canonicalPath() + "/";
}

} // namespace

class DocumentationTest : public MainWindowTest {
protected:
    // A SuperWaba folder of our own whose documentation holds an index and two class pages.
    QString makeSdk(bool withIndex = true) {
        const QString sdk = dirPath("sdk") + "/";
        const QString html = sdk + "docs/html/";
        if (withIndex)
            writePage(html + "index.html", "Index", "<a href='waba/ui/Button.html'>Button</a>");
        writePage(html + "waba/ui/Button.html", "Button");
        writePage(html + "waba/fx/Graphics.html", "Graphics" + QString("<br>").repeated(400));
        setStoreText(kProductKey + "Paths", "SuperWabaPath", sdk);
        return sdk;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        g_lastLoaded.clear();
    }
    MainWindow& startTracked() {
        MainWindow& w = start();
        track(tab().WebBrowser1);
        return w;
    }
    DocumentationTab& tab() { return window->documentationTab(); }
    void showDocumentationTab() { window->ui().pages->setCurrentWidget(window->ui().documentationPage); }
};

TEST_F(DocumentationTest, ViewIsCreatedOnlyWhenTheTabIsFirstShown) {
    makeSdk();
    MainWindow& w = startTracked();
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(webViewCount(w), 0);
    EXPECT_EQ(webView(tab().WebBrowser1), nullptr);
    // The start page is chosen at once and waits for the view.
    EXPECT_TRUE(w.documentationUrl().endsWith("/sdk/docs/html/index.html"))
        << w.documentationUrl().toStdString();
    EXPECT_FALSE(tab().BitBtn1->isEnabled());
    EXPECT_FALSE(tab().BitBtn2->isEnabled());

    showDocumentationTab();
    ASSERT_NE(webView(tab().WebBrowser1), nullptr);
    EXPECT_EQ(webView(tab().WebBrowser1)->objectName(), "WebBrowser1");
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/index.html"));
    EXPECT_EQ(viewTitle(tab().WebBrowser1), "Index");
    EXPECT_EQ(webViewCount(w), 1);
}

TEST_F(DocumentationTest, MissingIndexShowsOurOwnPage) {
    makeSdk(false);
    MainWindow& w = startTracked();
    w.show();
    EXPECT_EQ(w.documentationUrl(), "file://" + QCoreApplication::applicationDirPath() + "/noHelp.html");
    showDocumentationTab();
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/noHelp.html"));

    // Changing tabs goes back to it while the index is missing...
    tab().WebBrowser1->navigate("file://" + dirPath("sdk") + "/docs/html/waba/ui/Button.html");
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Button.html"));
    w.ui().pages->setCurrentWidget(w.ui().sourcePage);
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/noHelp.html"));
}

TEST_F(DocumentationTest, ChangingTabsLeavesThePageWhenTheIndexExists) {
    makeSdk();
    MainWindow& w = startTracked();
    w.show();
    showDocumentationTab();
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/index.html"));
    tab().WebBrowser1->navigate("file://" + dirPath("sdk") + "/docs/html/waba/ui/Button.html");
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Button.html"));
    w.ui().pages->setCurrentWidget(w.ui().sourcePage);
    showDocumentationTab();
    QTest::qWait(300);
    EXPECT_TRUE(w.documentationUrl().endsWith("/Button.html"));
}

TEST_F(DocumentationTest, HistoryButtonsFollowTheView) {
    makeSdk();
    MainWindow& w = startTracked();
    w.show();
    showDocumentationTab();
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/index.html"));
    EXPECT_FALSE(tab().BitBtn1->isEnabled());
    EXPECT_FALSE(tab().BitBtn2->isEnabled());

    // Two pages visited: back only.
    w.showDocumentation("file://" + dirPath("sdk") + "/docs/html/waba/ui/Button.html");
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Button.html"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tab().BitBtn1->isEnabled(); }, kLoadTimeout));
    EXPECT_FALSE(tab().BitBtn2->isEnabled());

    // A third page, then back once: both.
    w.showDocumentation("file://" + dirPath("sdk") + "/docs/html/waba/fx/Graphics.html");
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Graphics.html"));
    tab().BitBtn1->click();
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Button.html"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tab().BitBtn2->isEnabled(); }, kLoadTimeout));
    EXPECT_TRUE(tab().BitBtn1->isEnabled());

    // Back to the start: forward only; forward again: both.
    tab().BitBtn1->click();
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/index.html"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tab().BitBtn1->isEnabled(); }, kLoadTimeout));
    EXPECT_TRUE(tab().BitBtn2->isEnabled());
    tab().BitBtn2->click();
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Button.html"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tab().BitBtn1->isEnabled(); }, kLoadTimeout));
    EXPECT_TRUE(tab().BitBtn2->isEnabled());
}

TEST_F(DocumentationTest, KeysWorkInsideTheViewAndCopyTakesThePageText) {
    makeSdk();
    MainWindow& w = startTracked();
    w.show();
    w.activateWindow();
    w.editor()->setEnabled(true);
    w.editor()->setLines({"editor text"});
    w.editor()->selectAll();
    showDocumentationTab();
    tab().WebBrowser1->navigate("file://" + dirPath("sdk") + "/docs/html/waba/fx/Graphics.html");
    ASSERT_TRUE(waitForPage(tab().WebBrowser1, "/Graphics.html"));
    QWidget* view = webView(tab().WebBrowser1);
    view->setFocus();
    QWidget* target = view->focusProxy() ? view->focusProxy() : view;
    ASSERT_TRUE(QTest::qWaitFor([&] { return target->hasFocus(); }, 5000));

    // Page Down scrolls the page.
    QTest::keyClick(target, Qt::Key_PageDown);
    const QList<QObject*> children = view->findChildren<QObject*>();
    const auto found = std::find_if(children.begin(), children.end(),
                                    [](const QObject* each) { return each->inherits("QWebEnginePage"); });
    ASSERT_NE(found, children.end());
    QObject* page = *found;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return page->property("scrollPosition").toPointF().y() > 0; }, kLoadTimeout));

    // Ctrl+C copies the page's selection, not the editor's (the Edit menu's Copy has the same keys).
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText("before");
    QTest::qWait(200);
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(
        QTest::qWaitFor([] { return QApplication::clipboard()->text().contains("Graphics"); }, kLoadTimeout))
        << QApplication::clipboard()->text().toStdString();
    EXPECT_FALSE(QApplication::clipboard()->text().contains("editor text"));
}

class ClassHelpTest : public DocumentationTest {
protected:
    ClassHelpWindow& classHelp() { return *window->findChild<ClassHelpWindow*>(); }
    void startWithClassHelp() {
        start();
        auto* help = new ClassHelpWindow(window.get());
        track(help->WebBrowser1);
        window->setClassHelpWindow(help);
        window->editor()->setEnabled(true);
    }
    void helpAt(const QString& line, int column) {
        window->editor()->setLines({"class A {", line, "}"});
        window->editor()->setCaretLine(1);
        window->editor()->setCaretColumn(column);
        window->helpOnWord();
    }
};

TEST_F(ClassHelpTest, ShowsThePageOfTheWordAtTheCaret) {
    makeSdk();
    startWithClassHelp();
    ClassHelpWindow& help = classHelp();
    EXPECT_EQ(help.windowTitle(), "Class Help");
    EXPECT_EQ(help.size(), QSize(348, 352));
    EXPECT_EQ(webView(help.WebBrowser1), nullptr);
    ASSERT_EQ(window->docFileList().size(), 3);

    helpAt("Button b = new Button();", 21);
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.isModal());
    ASSERT_TRUE(waitForPage(help.WebBrowser1, "/waba/ui/Button.html"));
    EXPECT_EQ(viewTitle(help.WebBrowser1), "Button");

    // No page for the word: our own page.
    helpAt("button b;", 2);
    ASSERT_TRUE(waitForPage(help.WebBrowser1, "/noDocHelp.html"));
    EXPECT_EQ(viewUrl(help.WebBrowser1).toLocalFile(),
              QCoreApplication::applicationDirPath() + "/noDocHelp.html");
}

TEST_F(ClassHelpTest, PageGoneSinceStartKeepsTheCurrentPage) {
    const QString sdk = makeSdk();
    startWithClassHelp();
    helpAt("Graphics g;", 3);
    ASSERT_TRUE(waitForPage(classHelp().WebBrowser1, "/Graphics.html"));
    classHelp().close();
    ASSERT_TRUE(QFile::remove(sdk + "docs/html/waba/ui/Button.html"));
    helpAt("Button b;", 3);
    // Brought up again, still on the page it had.
    EXPECT_TRUE(classHelp().isVisible());
    QTest::qWait(300);
    EXPECT_TRUE(viewUrl(classHelp().WebBrowser1).toString().endsWith("/Graphics.html"));
}

TEST_F(ClassHelpTest, BuiltSdkDocumentsItsClasses) {
    const QString sdk = builtSdk();
    if (!QFileInfo::exists(sdk + "docs/html/index.html"))
        GTEST_SKIP() << "the stand-in SDK was built without javadoc";
    setStoreText(kProductKey + "Paths", "SuperWabaPath", sdk);
    startWithClassHelp();
    helpAt("MainWindow w = new MainWindow();", 4);
    ASSERT_TRUE(waitForPage(classHelp().WebBrowser1, "/waba/ui/MainWindow.html"));
    helpAt("g.setColor(Color.BLACK);", 12);
    ASSERT_TRUE(waitForPage(classHelp().WebBrowser1, "/waba/fx/Color.html"));
}
