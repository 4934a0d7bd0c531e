#include "LazyWebView.h"

#include "PluginLibrary.h"
#include "WebViewBackend.h"

#include <QCoreApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QVBoxLayout>

// Qt's own, exported by QtGui but declared in a private header: the context every other GL context of the
// program shares with.
QOpenGLContext* qt_gl_global_share_context();
void qt_gl_set_global_share_context(QOpenGLContext* context);

#ifndef HW_WEBVIEW_BUILD_PATH
#define HW_WEBVIEW_BUILD_PATH ""
#endif

namespace {

// The web engine hands its pictures to the window through a context shared with all others, which Qt makes
// at start when asked before the application object exists. Made here instead, still before any other GL
// context, a run that shows no page loads no GL library at all.
void makeSharedGLContext() {
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->setFormat(QSurfaceFormat::defaultFormat());
    // Set even when it cannot be made (no GL on the platform), as the engine's own start does: the engine
    // asks for its format and then draws in software.
    context->create();
    qt_gl_set_global_share_context(context);
}

// Resolves the library's entry point once per run; `error` says why when there is none.
CreateWebViewFunction webViewFactory(QString& error) {
    static CreateWebViewFunction factory = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        makeSharedGLContext();
        factory = reinterpret_cast<CreateWebViewFunction>(resolvePluginSymbol(
            kWebViewLibraryName, QStringLiteral(HW_WEBVIEW_BUILD_PATH), kCreateWebViewSymbol, failure));
    }
    error = failure;
    return factory;
}

} // namespace

LazyWebView::LazyWebView(const QString& viewName, QWidget* parent) : QWidget(parent), m_viewName(viewName) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

// The view goes first, while what it reports to still exists; then the backend that made it.
LazyWebView::~LazyWebView() {
    delete m_view;
}

void LazyWebView::navigate(const QString& url) {
    m_url = url;
    if (m_backend)
        m_backend->load(url);
}

QString LazyWebView::pendingOrCurrentUrl() const {
    return m_backend ? m_backend->url() : m_url;
}

QWidget* LazyWebView::ensureView() {
    if (m_view || m_failure)
        return m_view;
    QString error;
    const CreateWebViewFunction create = webViewFactory(error);
    if (!create) {
        m_failure = new QLabel(tr("The pages cannot be shown: %1").arg(error), this);
        m_failure->setWordWrap(true);
        m_failure->setAlignment(Qt::AlignCenter);
        layout()->addWidget(m_failure);
        return nullptr;
    }
    WebViewEvents events;
    events.backEnabled = [this](bool enabled) { emit commandStateChange(2, enabled); };
    events.forwardEnabled = [this](bool enabled) { emit commandStateChange(1, enabled); };
    events.loadFinished = [this](bool ok) { emit loadFinished(ok); };
    m_backend.reset(create(this, m_viewName, std::move(events)));
    m_view = m_backend->widget();
    layout()->addWidget(m_view);
    emit viewCreated(m_view);
    if (!m_url.isEmpty())
        m_backend->load(m_url);
    return m_view;
}

void LazyWebView::goBack() {
    if (m_backend)
        m_backend->back();
}

void LazyWebView::goForward() {
    if (m_backend)
        m_backend->forward();
}

void LazyWebView::showEvent(QShowEvent* event) {
    ensureView();
    QWidget::showEvent(event);
}
