#include "LazyWebView.h"

#include <QAction>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

LazyWebView::LazyWebView(const QString& viewName, QWidget* parent) : QWidget(parent), m_viewName(viewName) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void LazyWebView::navigate(const QString& url) {
    m_url = url;
    if (m_view)
        m_view->load(QUrl(url));
}

QString LazyWebView::pendingOrCurrentUrl() const {
    return m_view ? m_view->url().toString() : m_url;
}

QWebEngineView* LazyWebView::ensureView() {
    if (m_view)
        return m_view;
    m_view = new QWebEngineView(this);
    m_view->setObjectName(m_viewName);
    layout()->addWidget(m_view);
    // The history has no signals of its own; the page's Back and Forward actions follow it.
    QWebEnginePage* page = m_view->page();
    connect(page->action(QWebEnginePage::Forward), &QAction::enabledChanged, this,
            [this](bool enabled) { emit commandStateChange(1, enabled); });
    connect(page->action(QWebEnginePage::Back), &QAction::enabledChanged, this,
            [this](bool enabled) { emit commandStateChange(2, enabled); });
    connect(m_view, &QWebEngineView::loadFinished, this, &LazyWebView::loadFinished);
    emit viewCreated(m_view);
    if (!m_url.isEmpty())
        m_view->load(QUrl(m_url));
    return m_view;
}

void LazyWebView::goBack() {
    if (m_view)
        m_view->back();
}

void LazyWebView::goForward() {
    if (m_view)
        m_view->forward();
}

void LazyWebView::showEvent(QShowEvent* event) {
    ensureView();
    QWidget::showEvent(event);
}
