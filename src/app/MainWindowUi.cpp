#include "MainWindowUi.h"

#include "CommandMap.h"
#include "HeaderPanel.h"
#include "editor/SourceEditor.h"
#include "ui/FontScale.h"
#include "ui/StyleIcons.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <numeric>

namespace {

constexpr int kFileListRowHeight = 18;

// Rows of the two file lists are 18 pixels high.
class FixedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(FontScale::px(kFileListRowHeight));
        return size;
    }
};

QListWidget* makeFileList(const QString& name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAlternatingRowColors(true);
    list->setUniformItemSizes(true);
    list->setItemDelegate(new FixedRowDelegate(list));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    return list;
}

QWidget* stack(const QString& name, QWidget* top, QWidget* rest, QWidget* parent) {
    auto* section = new QWidget(parent);
    section->setObjectName(name);
    auto* layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(rest, 1);
    return section;
}

// A green "play" triangle with a light rim: the fill stands out from a light tool bar, the rim from a
// dark one (the style's media icon is dark grey on nothing).
QIcon startPicture() {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 16.0;
        QPainterPath triangle;
        triangle.moveTo(3.5 * s, 2 * s);
        triangle.lineTo(14 * s, 8 * s);
        triangle.lineTo(3.5 * s, 14 * s);
        triangle.closeSubpath();
        p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), 1.5 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0x2e, 0x7d, 0x32));
        p.drawPath(triangle);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon toolIcon(const QString& objectName) {
    if (objectName == QLatin1String("ToolButton19"))
        return startPicture();
    QStyle* style = QApplication::style();
    static const QHash<QString, QStyle::StandardPixmap> pixmaps = {
        {"ToolButton1", QStyle::SP_FileIcon},         {"ToolButton5", QStyle::SP_FileDialogNewFolder},
        {"ToolButton2", QStyle::SP_DialogOpenButton}, {"ToolButton3", QStyle::SP_DialogSaveButton},
        {"ToolButton4", QStyle::SP_DriveFDIcon},      {"ToolButton9", QStyle::SP_TrashIcon},
        {"ToolButton10", QStyle::SP_ArrowForward},    {"ToolButton11", QStyle::SP_ArrowBack},
        {"ToolButton25", QStyle::SP_MediaStop},
    };
    const auto it = pixmaps.find(objectName);
    return it == pixmaps.end() ? QIcon()
                               : standardIconOfSize(*it, styleIconSize(QStyle::PM_ToolBarIconSize, style), style);
}

// Sets one section of a splitter to an exact size; the stretching section takes up the difference. A
// splitter that has no geometry yet keeps the wish and applies it once it is laid out.
class PendingSizes : public QObject {
public:
    PendingSizes(QSplitter* splitter, int stretchSection)
        : QObject(splitter), m_splitter(splitter), m_stretch(stretchSection) {
        splitter->installEventFilter(this);
    }
    void set(int section, int size) {
        m_wanted.insert(section, std::max(0, size));
        apply();
    }
    int stretchSection() const { return m_stretch; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            apply();
        return false;
    }

private:
    void apply() {
        if (m_wanted.isEmpty() || !m_splitter->isVisible())
            return;
        QList<int> sizes = m_splitter->sizes();
        const int total = std::accumulate(sizes.begin(), sizes.end(), 0);
        if (total <= 0)
            return;
        int others = 0;
        for (auto it = m_wanted.cbegin(); it != m_wanted.cend(); ++it)
            if (it.key() < sizes.size())
                sizes[it.key()] = it.value();
        for (int i = 0; i < sizes.size(); ++i)
            if (i != m_stretch)
                others += sizes[i];
        sizes[m_stretch] = std::max(0, total - others);
        m_wanted.clear();
        m_splitter->setSizes(sizes);
    }

    QSplitter* m_splitter;
    int m_stretch;
    QMap<int, int> m_wanted;
};

void setSectionSize(QSplitter* splitter, int section, int size, int stretchSection) {
    auto* pending = static_cast<PendingSizes*>(splitter->property("pendingSizes").value<QObject*>());
    if (!pending) {
        pending = new PendingSizes(splitter, stretchSection);
        splitter->setProperty("pendingSizes", QVariant::fromValue<QObject*>(pending));
    }
    pending->set(section, size);
}

// Pane contents must not hold a pane open beyond the size the user gave it.
void ignoreHeightHint(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setVerticalPolicy(QSizePolicy::Ignored);
    widget->setSizePolicy(policy);
}

} // namespace

void MainWindowUi::setupUi(QMainWindow* window) {
    window->setObjectName("Form1");

    // Menus and their items, from the command map.
    for (const MenuTitle& title : menuTitles()) {
        QMenu* menu = window->menuBar()->addMenu(title.caption);
        menu->setObjectName(title.objectName);
        menus.insert(title.objectName, menu);
        menu->menuAction()->setObjectName(title.objectName + "Action");
    }
    QHash<QString, QMenu*> byCaption;
    for (const MenuTitle& title : menuTitles()) {
        byCaption.insert(title.caption, menus.value(title.objectName));
        // Items may name their menu without its access key ("?" for "&?").
        byCaption.insert(QString(title.caption).remove(u'&'), menus.value(title.objectName));
    }
    for (const MenuCommand& command : menuCommands()) {
        QMenu* menu = byCaption.value(command.menu);
        if (command.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(command.caption);
        action->setObjectName(command.objectName);
        if (!command.shortcut.isEmpty())
            action->setShortcut(QKeySequence(command.shortcut, QKeySequence::PortableText));
        action->setVisible(!command.hidden);
        action->setEnabled(!command.disabled);
        menuActions.insert(command.objectName, action);
    }

    // Main tool bar with the run-target box.
    mainToolBar = new QToolBar(window);
    mainToolBar->setObjectName("ToolBar1");
    mainToolBar->setMovable(false);
    window->addToolBar(mainToolBar);
    for (const ToolCommand& tool : toolCommands()) {
        if (tool.runTargetBoxBefore) {
            runTargetBox = new QComboBox(mainToolBar);
            runTargetBox->setObjectName("ComboBox1");
            runTargetBox->addItems({"Java", "Palm Emulator", "Palm Simulator"});
            // The box takes typing; a target it does not know starts nothing.
            runTargetBox->setEditable(true);
            runTargetBox->setInsertPolicy(QComboBox::NoInsert);
            runTargetBox->setCurrentIndex(0);
            // The Settings window rebuilds the list after the first showing: the box follows its items.
            runTargetBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            mainToolBar->addWidget(runTargetBox);
        }
        const QIcon icon = toolIcon(tool.objectName);
        QAction* action =
            icon.isNull() ? mainToolBar->addAction(tool.hint) : mainToolBar->addAction(icon, tool.hint);
        action->setObjectName(tool.objectName);
        action->setToolTip(tool.hint);
        if (QWidget* button = mainToolBar->widgetForAction(action))
            button->setObjectName(tool.objectName);
        toolActions.insert(tool.objectName, action);
    }
    // Hidden toggle that marks a Palm run target.
    palmTargetToggle = new QToolButton(mainToolBar);
    palmTargetToggle->setObjectName("ToolButton14");
    palmTargetToggle->setCheckable(true);
    palmTargetToggle->setEnabled(false);
    QAction* toggleAction = mainToolBar->addWidget(palmTargetToggle);
    toggleAction->setVisible(false);

    // Left pane: Source list, class tree, Other files.
    mainSplitter = new QSplitter(Qt::Horizontal, window);
    mainSplitter->setObjectName("Splitter2");
    mainSplitter->setOpaqueResize(false);
    leftPane = new QWidget(mainSplitter);
    leftPane->setObjectName("Panel1");
    auto* panelLayout = new QVBoxLayout(leftPane);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    leftSplitter = new QSplitter(Qt::Vertical, leftPane);
    leftSplitter->setObjectName("Splitter1");
    leftSplitter->setOpaqueResize(false);
    panelLayout->addWidget(leftSplitter);

    sourceList = makeFileList("ListBox1", leftSplitter);
    sourceSection = sourceList;

    setupBrowser(leftSplitter);

    otherFilesToolBar = new QToolBar(leftSplitter);
    otherFilesToolBar->setObjectName("ToolBar2");
    addFileAction = otherFilesToolBar->addAction("Add file...");
    addFileAction->setObjectName("ToolButton15");
    removeFileAction = otherFilesToolBar->addAction("Remove file");
    removeFileAction->setObjectName("ToolButton16");
    // A tool button would otherwise drop the trailing dots from its caption.
    addFileAction->setIconText("Add file...");
    for (QAction* action : {addFileAction, removeFileAction})
        if (QWidget* button = otherFilesToolBar->widgetForAction(action))
            button->setObjectName(action->objectName());
    otherFileList = makeFileList("ListBox2", leftSplitter);
    // The pane is never narrower than the file buttons, however large the desktop's font.
    leftPane->setMinimumWidth(otherFilesToolBar->sizeHint().width());
    QWidget* otherSection = stack("otherSection", otherFilesToolBar, otherFileList, leftSplitter);

    leftSplitter->addWidget(sourceSection);
    leftSplitter->addWidget(treeSection);
    leftSplitter->addWidget(otherSection);
    leftSplitter->setStretchFactor(0, 0);
    leftSplitter->setStretchFactor(1, 0);
    leftSplitter->setStretchFactor(2, 1);
    leftSplitter->setChildrenCollapsible(false);

    // Pages: Source (editor and message panel) and Documentation.
    pages = new QTabWidget(mainSplitter);
    pages->setObjectName("PageControl1");
    sourcePage = new QWidget;
    sourcePage->setObjectName("Source");
    auto* sourceLayout = new QVBoxLayout(sourcePage);
    sourceLayout->setContentsMargins(0, 0, 0, 0);
    sourceSplitter = new QSplitter(Qt::Vertical, sourcePage);
    sourceSplitter->setObjectName("Splitter3");
    sourceSplitter->setOpaqueResize(false);
    sourceLayout->addWidget(sourceSplitter);
    sourceEditor = new SourceEditor(sourceSplitter);
    sourceEditor->setEnabled(false);
    messagePanel = new QWidget(sourceSplitter);
    messagePanel->setObjectName("Panel3");
    messagePanel->setMinimumHeight(0);
    auto* messageLayout = new QVBoxLayout(messagePanel);
    messageLayout->setContentsMargins(0, 0, 0, 0);
    messageLayout->setSpacing(0);
    messageHeader = new HeaderPanel("Messages", messagePanel);
    messageHeader->setObjectName("Panel4");
    messageHeader->setToolTip("Double click to resize.");
    messageHeader->setFixedHeight(FontScale::px(15));
    messageHeader->setFrameShape(QFrame::StyledPanel);
    messageHeader->setAutoFillBackground(true);
    messageList = new MessageList(messagePanel);
    messageList->setObjectName("ListBox3");
    messageList->setMinimumHeight(0);
    messageList->setContextMenuPolicy(Qt::CustomContextMenu);
    messageLayout->addWidget(messageHeader);
    messageLayout->addWidget(messageList, 1);
    sourceSplitter->addWidget(sourceEditor);
    sourceSplitter->addWidget(messagePanel);
    sourceSplitter->setStretchFactor(0, 1);
    sourceSplitter->setStretchFactor(1, 0);
    sourceSplitter->setCollapsible(0, false);
    sourceSplitter->setCollapsible(1, false);
    pages->addTab(sourcePage, "Source");

    documentationPage = new QWidget;
    documentationPage->setObjectName("Documentation");
    new QVBoxLayout(documentationPage);
    pages->addTab(documentationPage, "Documentation");

    mainSplitter->addWidget(leftPane);
    mainSplitter->addWidget(pages);
    mainSplitter->setStretchFactor(0, 0);
    mainSplitter->setStretchFactor(1, 1);
    mainSplitter->setChildrenCollapsible(false);
    window->setCentralWidget(mainSplitter);

    mainStatusBar = new QStatusBar(window);
    mainStatusBar->setObjectName("StatusBar1");
    window->setStatusBar(mainStatusBar);
    // Permanent fields on the right; the left stays free for the messages others show for a while.
    const auto field = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, mainStatusBar);
        label->setObjectName(name);
        mainStatusBar->addPermanentWidget(label);
        return label;
    };
    buildResult = field("buildResult", QString());
    compileCounts = field("compileCounts", QString());
    applicationState = field("applicationState", QString());
    caretPosition = field("caretPosition", QStringLiteral("1:1"));
    typingMode = field("typingMode", QStringLiteral("INS"));

    // Context menus of the two file lists.
    sourceListMenu = new QMenu(window);
    sourceListMenu->setObjectName("PopupMenu1");
    saveSourceItem = sourceListMenu->addAction("Save");
    saveSourceItem->setObjectName("Save2");
    removeSourceItem = sourceListMenu->addAction("Remove from project");
    removeSourceItem->setObjectName("Removefromproject1");
    otherFilesMenu = new QMenu(window);
    otherFilesMenu->setObjectName("PopupMenu2");
    addOtherFileItem = otherFilesMenu->addAction("Add new file to project...");
    addOtherFileItem->setObjectName("Addnewfiletoproject1");
    showPictureItem = otherFilesMenu->addAction("Show picture...");
    showPictureItem->setObjectName("Showpicture1");
    removeOtherItem = otherFilesMenu->addAction("Remove from project");
    removeOtherItem->setObjectName("Removefromproject2");
    editorMenu = new QMenu(window);
    editorMenu->setObjectName("PopupMenu3");
    sourceEditor->setContextMenuPolicy(Qt::CustomContextMenu);
    for (const MenuCommand& command : editorMenuCommands()) {
        if (command.separatorBefore)
            editorMenu->addSeparator();
        QAction* action = editorMenu->addAction(command.caption);
        action->setObjectName(command.objectName);
        if (!command.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(command.shortcut, QKeySequence::PortableText));
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            sourceEditor->addAction(action);
        }
        editorMenuActions.insert(command.objectName, action);
    }

    for (QWidget* widget : {static_cast<QWidget*>(sourceList), static_cast<QWidget*>(classTree),
                            static_cast<QWidget*>(otherFileList), static_cast<QWidget*>(messageList),
                            static_cast<QWidget*>(sourceEditor)})
        ignoreHeightHint(widget);

    // Designed sizes until the stored ones arrive.
    window->resize(900, 650);
    setLeftPaneWidth(FontScale::px(185));
    setSourceListHeight(FontScale::px(165));
    setClassTreeHeight(FontScale::px(115));
    setMessagePanelHeight(FontScale::px(125));
}

int MainWindowUi::sourceListHeight() const {
    return leftSplitter->sizes().value(0);
}
int MainWindowUi::leftPaneWidth() const {
    return mainSplitter->sizes().value(0);
}
int MainWindowUi::messagePanelHeight() const {
    return sourceSplitter->sizes().value(1);
}
int MainWindowUi::classTreeHeight() const {
    return std::max(0, leftSplitter->sizes().value(1) - browserChromeHeight());
}

void MainWindowUi::setSourceListHeight(int height) {
    setSectionSize(leftSplitter, 0, height, 2);
}
void MainWindowUi::setLeftPaneWidth(int width) {
    setSectionSize(mainSplitter, 0, width, 1);
}
void MainWindowUi::setMessagePanelHeight(int height) {
    setSectionSize(sourceSplitter, 1, height, 0);
}
void MainWindowUi::setClassTreeHeight(int height) {
    setSectionSize(leftSplitter, 1, height + browserChromeHeight(), 2);
}
