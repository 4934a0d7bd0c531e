// The web view library: the only code that links Qt WebEngine. The program loads it on the first page it
// shows (see LazyWebView).
#include "app/WebViewBackend.h"

#include <QAction>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

class WebEngineBackend final : public WebViewBackend {
public:
    WebEngineBackend(QWidget* parent, const QString& objectName, WebViewEvents events)
        : m_view(new QWebEngineView(parent)) {
        m_view->setObjectName(objectName);
        // The history has no signals of its own; the page's Back and Forward actions follow it.
        QWebEnginePage* page = m_view->page();
        if (events.backEnabled)
            QObject::connect(page->action(QWebEnginePage::Back), &QAction::enabledChanged, m_view,
                             events.backEnabled);
        if (events.forwardEnabled)
            QObject::connect(page->action(QWebEnginePage::Forward), &QAction::enabledChanged, m_view,
                             events.forwardEnabled);
        if (events.loadFinished)
            QObject::connect(m_view, &QWebEngineView::loadFinished, m_view, events.loadFinished);
    }
    QWidget* widget() const override { return m_view; }
    void load(const QString& url) override { m_view->load(QUrl(url)); }
    QString url() const override { return m_view->url().toString(); }
    void back() override { m_view->back(); }
    void forward() override { m_view->forward(); }

private:
    QWebEngineView* m_view;
};

} // namespace

extern "C" Q_DECL_EXPORT WebViewBackend* handwrightCreateWebView(QWidget* parent, const QString& objectName,
                                                                 WebViewEvents events) {
    return new WebEngineBackend(parent, objectName, std::move(events));
}
