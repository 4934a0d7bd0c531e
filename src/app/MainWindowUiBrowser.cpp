// The class browser's widgets: its header, tool bar with pictures, and the tree.
#include "MainWindowUi.h"

#include "editor/ClassBrowser.h"
#include "ui/FontScale.h"

#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSize = 16;

// The same picture for the normal and the selected state, so a selected entry keeps its colours.
QIcon iconOf(const QPixmap& pixmap) {
    QIcon icon;
    icon.addPixmap(pixmap, QIcon::Normal);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

template <class Paint> QIcon paintPicture(Paint paint) {
    QPixmap pixmap(kPictureSize, kPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    return iconOf(pixmap);
}

QIcon letterPicture(const QColor& fill, const QString& letter, bool round) {
    return paintPicture([&](QPainter& p) {
        p.setPen(QPen(fill.darker(150), 1));
        p.setBrush(fill);
        const QRectF box(1.5, 1.5, 13, 13);
        if (round)
            p.drawEllipse(box);
        else
            p.drawRoundedRect(box, 3, 3);
        QFont font = p.font();
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, letter);
    });
}

QIcon methodPicture() {
    return paintPicture([](QPainter& p) {
        QPainterPath diamond;
        diamond.moveTo(8, 1.5);
        diamond.lineTo(14.5, 8);
        diamond.lineTo(8, 14.5);
        diamond.lineTo(1.5, 8);
        diamond.closeSubpath();
        const QColor fill(0x8e, 0x44, 0xad);
        // A light rim keeps the dark diamond visible on a dark tool bar.
        p.setPen(QPen(fill.lighter(190), 1));
        p.setBrush(fill);
        p.drawPath(diamond);
    });
}

// "A" over "Z" with a downward arrow: alphabetical order. On a light card, like the source order's page,
// so the dark letters show on a dark tool bar too.
QIcon sortedPicture() {
    return paintPicture([](QPainter& p) {
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
        QFont font = p.font();
        font.setPixelSize(7);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0x20, 0x40, 0x80));
        p.drawText(QRectF(0, 0, 9, 8), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRectF(0, 8, 9, 8), Qt::AlignCenter, QStringLiteral("Z"));
        p.setPen(QPen(QColor(0x20, 0x40, 0x80), 1.2));
        p.drawLine(QPointF(12.5, 2), QPointF(12.5, 13));
        p.drawLine(QPointF(10, 10.5), QPointF(12.5, 13.5));
        p.drawLine(QPointF(15, 10.5), QPointF(12.5, 13.5));
    });
}

// Text lines of a page: the order of the source.
QIcon sourcePicture() {
    return paintPicture([](QPainter& p) {
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setPen(QPen(QColor(0x20, 0x40, 0x80), 1));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(4.5, 4.5 + 3 * i), QPointF(i % 2 ? 9.5 : 11.5, 4.5 + 3 * i));
    });
}

QAction* browserButton(QToolBar* bar, const QString& name, const QIcon& icon, const QString& hint,
                       bool down) {
    QAction* action = bar->addAction(icon, QString());
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(down);
    action->setToolTip(hint);
    if (QWidget* button = bar->widgetForAction(action))
        button->setObjectName(name);
    return action;
}

} // namespace

void MainWindowUi::setupBrowser(QWidget* parent) {
    browserIcons = {letterPicture(QColor(0x2e, 0x7d, 0x32), QStringLiteral("C"), true), methodPicture(),
                    letterPicture(QColor(0x1e, 0x88, 0xe5), QStringLiteral("v"), false), sortedPicture(),
                    sourcePicture()};

    BrowserHeader = new QLabel(QStringLiteral("Browser"), parent);
    BrowserHeader->setObjectName("BrowserHeader");
    BrowserHeader->setFixedHeight(FontScale::px(15));
    BrowserHeader->setFrameShape(QFrame::StyledPanel);
    BrowserHeader->setAutoFillBackground(true);

    browserToolBar = new QToolBar(parent);
    browserToolBar->setObjectName("ToolBar4");
    browserToolBar->setIconSize(QSize(kPictureSize, kPictureSize));
    browserSorted = browserButton(browserToolBar, "ToolButton20", browserIcons[ClassBrowser::SortedPicture],
                                  QStringLiteral("Sorted"), false);
    browserSourceOrder =
        browserButton(browserToolBar, "ToolButton21", browserIcons[ClassBrowser::SourcePicture],
                      QStringLiteral("Like the source file"), true);
    browserSeparator = browserToolBar->addSeparator();
    browserSeparator->setObjectName("ToolButton22");
    browserVariables =
        browserButton(browserToolBar, "ToolButton23", browserIcons[ClassBrowser::VariablePicture], {}, true);
    browserMethods =
        browserButton(browserToolBar, "ToolButton24", browserIcons[ClassBrowser::MethodPicture], {}, true);

    classTree = new QTreeWidget(parent);
    classTree->setObjectName("TreeView1");
    classTree->setHeaderHidden(true);
    classTree->setRootIsDecorated(false);
    classTree->setIndentation(19);
    classTree->setUniformRowHeights(true);
    classTree->setSelectionMode(QAbstractItemView::SingleSelection);

    treeSection = new QWidget(parent);
    treeSection->setObjectName("treeSection");
    auto* layout = new QVBoxLayout(treeSection);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BrowserHeader);
    layout->addWidget(browserToolBar);
    layout->addWidget(classTree, 1);
}

int MainWindowUi::browserChromeHeight() const {
    return BrowserHeader->maximumHeight() + browserToolBar->sizeHint().height();
}
