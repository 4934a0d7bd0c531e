#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QHelpEngine;
class QTabWidget;

// Where the help engine keeps its collection: a per-user folder, since the program folder may not be
// writable.
QString helpCollectionFile();

// Shows pages of the help engine: qthelp:// addresses are read from the help file, others are left to
// the desktop.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    HelpBrowser(QHelpEngine& engine, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& url) override;

private:
    QHelpEngine& m_engine;
};

// The program's manual: contents, index and full-text search beside the page. It registers the help file
// into the collection on creation, replacing an older registration of the same manual.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& helpFile, const QString& collectionFile, QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Whether the help file could be registered; without it the window shows nothing.
    bool ready() const { return m_ready; }
    QString error() const { return m_error; }

    // The window at the contents, showing the manual's first page.
    void showContents();
    // The window at the search, with the query field focused.
    void showSearch();
    void showPage(const QUrl& url);

    QHelpEngine& engine() { return *m_engine; }
    HelpBrowser* browser() const { return m_browser; }
    QTabWidget* tabs() const { return m_tabs; }

private:
    bool registerHelpFile(const QString& helpFile);
    void setupUi();
    void startSearch();
    void bringUp();

    QHelpEngine* m_engine = nullptr;
    HelpBrowser* m_browser = nullptr;
    QTabWidget* m_tabs = nullptr;
    QString m_namespace;
    QString m_error;
    bool m_ready = false;
    bool m_indexed = false;
};
