#include "HelpWindow.h"

#include "ui/FontScale.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

QString helpCollectionFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kovrin/help/handwright.qhc");
}

HelpBrowser::HelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), m_engine(engine) {
    setObjectName(QStringLiteral("HelpBrowser"));
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == QLatin1String("qthelp"))
            setSource(url);
        else
            QDesktopServices::openUrl(url);
    });
}

QVariant HelpBrowser::loadResource(int type, const QUrl& url) {
    if (url.scheme() == QLatin1String("qthelp"))
        return m_engine.fileData(url);
    return QTextBrowser::loadResource(type, url);
}

HelpWindow::HelpWindow(const QString& helpFile, const QString& collectionFile, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kovrin Handwright Help"));
    QDir().mkpath(QFileInfo(collectionFile).absolutePath());
    m_engine = new QHelpEngine(collectionFile, this);
    // Registering writes into the collection, which Qt 6 opens read-only unless told otherwise.
    m_engine->setReadOnly(false);
    // Without the filter engine the full-text search finds nothing in a manual without filter attributes.
    m_engine->setUsesFilterEngine(true);
    m_ready = m_engine->setupData() && registerHelpFile(helpFile);
    if (!m_ready && m_error.isEmpty())
        m_error = m_engine->error();
    setupUi();
    resize(FontScale::px(QSize(900, 640)));
}

HelpWindow::~HelpWindow() = default;

bool HelpWindow::registerHelpFile(const QString& helpFile) {
    const QString file = QFileInfo(helpFile).absoluteFilePath();
    m_namespace = QHelpEngineCore::namespaceName(file);
    if (m_namespace.isEmpty()) {
        m_error = QStringLiteral("%1 is not a help file.").arg(file);
        return false;
    }
    // A collection left by a build in another folder names another file: register this one instead.
    if (m_engine->registeredDocumentations().contains(m_namespace)) {
        if (QFileInfo(m_engine->documentationFileName(m_namespace)).absoluteFilePath() == file)
            return true;
        m_engine->unregisterDocumentation(m_namespace);
    }
    if (!m_engine->registerDocumentation(file)) {
        m_error = m_engine->error();
        return false;
    }
    return true;
}

void HelpWindow::setupUi() {
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("HelpTabs"));
    m_browser = new HelpBrowser(*m_engine);

    QHelpContentWidget* contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("HelpContents"));
    m_tabs->addTab(contents, QStringLiteral("Contents"));
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showPage);

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* indexFilter = new QLineEdit;
    indexFilter->setObjectName(QStringLiteral("HelpIndexFilter"));
    indexFilter->setPlaceholderText(QStringLiteral("Look for"));
    QHelpIndexWidget* index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("HelpIndex"));
    indexLayout->addWidget(indexFilter);
    indexLayout->addWidget(index, 1);
    m_tabs->addTab(indexPage, QStringLiteral("Index"));
    connect(indexFilter, &QLineEdit::textChanged, index,
            [index](const QString& text) { index->filterIndices(text); });
    connect(indexFilter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty())
                    showPage(links.first().url);
            });

    QHelpSearchEngine* search = m_engine->searchEngine();
    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    QHelpSearchQueryWidget* query = search->queryWidget();
    query->setObjectName(QStringLiteral("HelpSearchQuery"));
    QHelpSearchResultWidget* results = search->resultWidget();
    results->setObjectName(QStringLiteral("HelpSearchResults"));
    searchLayout->addWidget(query);
    searchLayout->addWidget(results, 1);
    m_tabs->addTab(searchPage, QStringLiteral("Search"));
    connect(query, &QHelpSearchQueryWidget::search, this,
            [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::showPage);
    // The full-text index is built once per registration, in the background, when first needed.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 2)
            startSearch();
    });

    auto* splitter = new QSplitter;
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}

void HelpWindow::startSearch() {
    if (m_indexed || !m_ready)
        return;
    m_indexed = true;
    m_engine->searchEngine()->reindexDocumentation();
}

void HelpWindow::showPage(const QUrl& url) {
    m_browser->setSource(url);
}

void HelpWindow::bringUp() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents() {
    if (!m_ready)
        return;
    m_tabs->setCurrentIndex(0);
    // The manual opens at its first page; the file's own name space tells where it lies.
    const QUrl first =
        m_engine->findFile(QUrl(QStringLiteral("qthelp://%1/handwright/index.html").arg(m_namespace)));
    if (!first.isEmpty())
        showPage(first);
    bringUp();
}

void HelpWindow::showSearch() {
    if (!m_ready)
        return;
    m_tabs->setCurrentIndex(2);
    startSearch();
    bringUp();
    m_engine->searchEngine()->queryWidget()->setFocus();
}
