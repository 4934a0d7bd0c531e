#include "DocumentationTab.h"

#include "LazyWebView.h"
#include "ui/StyleIcons.h"

#include <QLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>

DocumentationTab::DocumentationTab(QWidget* page) : QObject(page) {
    QLayout* layout = page->layout();
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar3 = new QToolBar(page);
    ToolBar3->setObjectName("ToolBar3");
    BitBtn1 = new QPushButton(standardIconOfSize(QStyle::SP_ArrowBack,
                                                 styleIconSize(QStyle::PM_ButtonIconSize, page->style()),
                                                 page->style()),
                              QString(), ToolBar3);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setToolTip("Back");
    BitBtn2 = new QPushButton(standardIconOfSize(QStyle::SP_ArrowForward,
                                                 styleIconSize(QStyle::PM_ButtonIconSize, page->style()),
                                                 page->style()),
                              QString(), ToolBar3);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setToolTip("Forward");
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setEnabled(false);
        // The view keeps the keyboard; the buttons are for the mouse.
        button->setFocusPolicy(Qt::NoFocus);
        ToolBar3->addWidget(button);
    }
    ToolBar3->addSeparator();

    WebBrowser1 = new LazyWebView("WebBrowser1", page);
    layout->addWidget(ToolBar3);
    layout->addWidget(WebBrowser1);

    connect(BitBtn1, &QPushButton::clicked, this, &DocumentationTab::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &DocumentationTab::BitBtn2Click);
    connect(WebBrowser1, &LazyWebView::commandStateChange, this,
            &DocumentationTab::WebBrowser1CommandStateChange);
}

void DocumentationTab::BitBtn1Click() {
    WebBrowser1->goBack();
}

void DocumentationTab::BitBtn2Click() {
    WebBrowser1->goForward();
}

void DocumentationTab::WebBrowser1CommandStateChange(int command, bool enable) {
    if (command == 1)
        BitBtn2->setEnabled(enable);
    else if (command == 2)
        BitBtn1->setEnabled(enable);
}
