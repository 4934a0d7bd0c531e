#include "ClassHelpWindow.h"

#include "LazyWebView.h"
#include "settings/FormSizeSave.h"
#include "ui/FontScale.h"

#include <QCloseEvent>
#include <QVBoxLayout>

ClassHelpWindow::ClassHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form13");
    setWindowTitle("Class Help");
    resize(FontScale::px(QSize(348, 352)));
    // The program ends with the main window, whether this one is open or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    WebBrowser1 = new LazyWebView("WebBrowser1", this);
    layout->addWidget(WebBrowser1);
    m_placement = new FormSizeSave(this);
}

void ClassHelpWindow::showPage(const QString& url) {
    WebBrowser1->navigate(url);
    WebBrowser1->ensureView();
    bringUp();
}

void ClassHelpWindow::bringUp() {
    // Each showing comes back where the user last left the window.
    if (!isVisible())
        m_placement->restore();
    show();
    raise();
    activateWindow();
}

void ClassHelpWindow::closeEvent(QCloseEvent* event) {
    m_placement->save();
    QWidget::closeEvent(event);
}
