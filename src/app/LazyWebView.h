#pragma once

#include <QString>
#include <QWidget>

class QWebEngineView;

// A place for an HTML view that is only created when first needed: the web engine costs its processes and
// a noticeable part of a second, which start-up must not pay. Pages asked for before then are remembered
// and the last one is loaded when the view arrives.
class LazyWebView : public QWidget {
    Q_OBJECT
public:
    // `viewName` becomes the view's objectName.
    explicit LazyWebView(const QString& viewName, QWidget* parent = nullptr);

    // Loads the address now, or when the view is created.
    void navigate(const QString& url);
    // The address loaded or waiting to be loaded.
    QString pendingOrCurrentUrl() const;
    // Null until the view exists.
    QWebEngineView* view() const { return m_view; }
    QWebEngineView* ensureView();
    void goBack();
    void goForward();

signals:
    void viewCreated(QWebEngineView* view);
    // The view's history changed: code 1 is the forward command, code 2 the back command.
    void commandStateChange(int command, bool enable);
    void loadFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_viewName;
    QString m_url;
    QWebEngineView* m_view = nullptr;
};
