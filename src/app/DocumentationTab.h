#pragma once

#include <QObject>

class LazyWebView;
class QPushButton;
class QToolBar;
class QWidget;

// The "Documentation" page: a tool bar with back and forward above the HTML view, which is created the
// first time the page is shown.
class DocumentationTab : public QObject {
    Q_OBJECT
public:
    // Fills `page`, whose layout is a vertical box.
    explicit DocumentationTab(QWidget* page);

    LazyWebView* WebBrowser1 = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QPushButton* BitBtn1 = nullptr; // back
    QPushButton* BitBtn2 = nullptr; // forward

public slots:
    void BitBtn1Click();
    void BitBtn2Click();
    // Code 1 is forward, 2 back; other codes change nothing.
    void WebBrowser1CommandStateChange(int command, bool enable);
};
