#pragma once

#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QWebEngineView;
class WebViewBackend;

// A place for an HTML view that is only created when first needed: the web engine costs its processes and
// a noticeable part of a second, which start-up must not pay. Pages asked for before then are remembered
// and the last one is loaded when the view arrives. The engine itself is in a library loaded then (see
// WebViewBackend); when that library cannot be loaded, the place says so instead of showing pages.
class LazyWebView : public QWidget {
    Q_OBJECT
public:
    // `viewName` becomes the view's objectName.
    explicit LazyWebView(const QString& viewName, QWidget* parent = nullptr);
    ~LazyWebView() override;

    // Loads the address now, or when the view is created.
    void navigate(const QString& url);
    // The address loaded or waiting to be loaded.
    QString pendingOrCurrentUrl() const;
    // Null until the view exists. Only code that links the web engine itself can name its type.
    template <class View = QWebEngineView> View* view() const { return qobject_cast<View*>(m_view); }
    // Creates the view, loading the engine's library the first time; null when the library fails.
    QWidget* ensureView();
    void goBack();
    void goForward();

signals:
    void viewCreated(QWidget* view);
    // The view's history changed: code 1 is the forward command, code 2 the back command.
    void commandStateChange(int command, bool enable);
    void loadFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_viewName;
    QString m_url;
    std::unique_ptr<WebViewBackend> m_backend;
    QWidget* m_view = nullptr;
    QLabel* m_failure = nullptr;
};
