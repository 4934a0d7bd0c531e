#include "MainWindowUi.h"

#include "CommandMap.h"
#include "HeaderPanel.h"
#include "editor/SourceEditor.h"
#include "ui/FontScale.h"

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
        size.setHeight(fontscale::px(kFileListRowHeight));
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
    };
    const auto it = pixmaps.find(objectName);
    return it == pixmaps.end() ? QIcon() : style->standardIcon(*it);
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
    ToolBar1 = new QToolBar(window);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    window->addToolBar(ToolBar1);
    for (const ToolCommand& tool : toolCommands()) {
        if (tool.runTargetBoxBefore) {
            ComboBox1 = new QComboBox(ToolBar1);
            ComboBox1->setObjectName("ComboBox1");
            ComboBox1->addItems({"Java", "Palm Emulator", "Palm Simulator"});
            // The box takes typing; a target it does not know starts nothing.
            ComboBox1->setEditable(true);
            ComboBox1->setInsertPolicy(QComboBox::NoInsert);
            ComboBox1->setCurrentIndex(0);
            // The Settings window rebuilds the list after the first showing: the box follows its items.
            ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            ToolBar1->addWidget(ComboBox1);
        }
        const QIcon icon = toolIcon(tool.objectName);
        QAction* action =
            icon.isNull() ? ToolBar1->addAction(tool.hint) : ToolBar1->addAction(icon, tool.hint);
        action->setObjectName(tool.objectName);
        action->setToolTip(tool.hint);
        if (QWidget* button = ToolBar1->widgetForAction(action))
            button->setObjectName(tool.objectName);
        toolActions.insert(tool.objectName, action);
    }
    // Hidden toggle that marks a Palm run target.
    ToolButton14 = new QToolButton(ToolBar1);
    ToolButton14->setObjectName("ToolButton14");
    ToolButton14->setCheckable(true);
    ToolButton14->setEnabled(false);
    QAction* toggleAction = ToolBar1->addWidget(ToolButton14);
    toggleAction->setVisible(false);

    // Left pane: Source list, class tree, Other files.
    mainSplitter = new QSplitter(Qt::Horizontal, window);
    mainSplitter->setObjectName("Splitter2");
    mainSplitter->setOpaqueResize(false);
    Panel1 = new QWidget(mainSplitter);
    Panel1->setObjectName("Panel1");
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    leftSplitter = new QSplitter(Qt::Vertical, Panel1);
    leftSplitter->setObjectName("Splitter1");
    leftSplitter->setOpaqueResize(false);
    panelLayout->addWidget(leftSplitter);

    ListBox1 = makeFileList("ListBox1", leftSplitter);
    sourceSection = ListBox1;

    setupBrowser(leftSplitter);

    ToolBar2 = new QToolBar(leftSplitter);
    ToolBar2->setObjectName("ToolBar2");
    ToolButton15 = ToolBar2->addAction("Add file...");
    ToolButton15->setObjectName("ToolButton15");
    ToolButton16 = ToolBar2->addAction("Remove file");
    ToolButton16->setObjectName("ToolButton16");
    // A tool button would otherwise drop the trailing dots from its caption.
    ToolButton15->setIconText("Add file...");
    for (QAction* action : {ToolButton15, ToolButton16})
        if (QWidget* button = ToolBar2->widgetForAction(action))
            button->setObjectName(action->objectName());
    ListBox2 = makeFileList("ListBox2", leftSplitter);
    // The pane is never narrower than the file buttons, however large the desktop's font.
    Panel1->setMinimumWidth(ToolBar2->sizeHint().width());
    QWidget* otherSection = stack("otherSection", ToolBar2, ListBox2, leftSplitter);

    leftSplitter->addWidget(sourceSection);
    leftSplitter->addWidget(treeSection);
    leftSplitter->addWidget(otherSection);
    leftSplitter->setStretchFactor(0, 0);
    leftSplitter->setStretchFactor(1, 0);
    leftSplitter->setStretchFactor(2, 1);
    leftSplitter->setChildrenCollapsible(false);

    // Pages: Source (editor and message panel) and Documentation.
    PageControl1 = new QTabWidget(mainSplitter);
    PageControl1->setObjectName("PageControl1");
    Source = new QWidget;
    Source->setObjectName("Source");
    auto* sourceLayout = new QVBoxLayout(Source);
    sourceLayout->setContentsMargins(0, 0, 0, 0);
    sourceSplitter = new QSplitter(Qt::Vertical, Source);
    sourceSplitter->setObjectName("Splitter3");
    sourceSplitter->setOpaqueResize(false);
    sourceLayout->addWidget(sourceSplitter);
    RichEdit1 = new SourceEditor(sourceSplitter);
    RichEdit1->setEnabled(false);
    Panel3 = new QWidget(sourceSplitter);
    Panel3->setObjectName("Panel3");
    Panel3->setMinimumHeight(0);
    auto* messageLayout = new QVBoxLayout(Panel3);
    messageLayout->setContentsMargins(0, 0, 0, 0);
    messageLayout->setSpacing(0);
    Panel4 = new HeaderPanel("Messages", Panel3);
    Panel4->setObjectName("Panel4");
    Panel4->setToolTip("Double click to resize.");
    Panel4->setFixedHeight(fontscale::px(15));
    Panel4->setFrameShape(QFrame::StyledPanel);
    Panel4->setAutoFillBackground(true);
    ListBox3 = new MessageList(Panel3);
    ListBox3->setObjectName("ListBox3");
    ListBox3->setMinimumHeight(0);
    ListBox3->setContextMenuPolicy(Qt::CustomContextMenu);
    messageLayout->addWidget(Panel4);
    messageLayout->addWidget(ListBox3, 1);
    sourceSplitter->addWidget(RichEdit1);
    sourceSplitter->addWidget(Panel3);
    sourceSplitter->setStretchFactor(0, 1);
    sourceSplitter->setStretchFactor(1, 0);
    sourceSplitter->setCollapsible(0, false);
    sourceSplitter->setCollapsible(1, false);
    PageControl1->addTab(Source, "Source");

    Documentation = new QWidget;
    Documentation->setObjectName("Documentation");
    new QVBoxLayout(Documentation);
    PageControl1->addTab(Documentation, "Documentation");

    mainSplitter->addWidget(Panel1);
    mainSplitter->addWidget(PageControl1);
    mainSplitter->setStretchFactor(0, 0);
    mainSplitter->setStretchFactor(1, 1);
    mainSplitter->setChildrenCollapsible(false);
    window->setCentralWidget(mainSplitter);

    StatusBar1 = new QStatusBar(window);
    StatusBar1->setObjectName("StatusBar1");
    window->setStatusBar(StatusBar1);
    // Permanent fields on the right; the left stays free for the messages others show for a while.
    const auto field = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, StatusBar1);
        label->setObjectName(name);
        StatusBar1->addPermanentWidget(label);
        return label;
    };
    buildResult = field("buildResult", QString());
    caretPosition = field("caretPosition", QStringLiteral("1:1"));
    typingMode = field("typingMode", QStringLiteral("INS"));

    // Context menus of the two file lists.
    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName("PopupMenu1");
    SaveSource1 = PopupMenu1->addAction("Save");
    SaveSource1->setObjectName("Save2");
    Removefromproject1 = PopupMenu1->addAction("Remove from project");
    Removefromproject1->setObjectName("Removefromproject1");
    PopupMenu2 = new QMenu(window);
    PopupMenu2->setObjectName("PopupMenu2");
    AddNewFile1 = PopupMenu2->addAction("Add new file to project...");
    AddNewFile1->setObjectName("Addnewfiletoproject1");
    Showpicture1 = PopupMenu2->addAction("Show picture...");
    Showpicture1->setObjectName("Showpicture1");
    Removefromproject2 = PopupMenu2->addAction("Remove from project");
    Removefromproject2->setObjectName("Removefromproject2");
    PopupMenu3 = new QMenu(window);
    PopupMenu3->setObjectName("PopupMenu3");
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    for (const MenuCommand& command : editorMenuCommands()) {
        if (command.separatorBefore)
            PopupMenu3->addSeparator();
        QAction* action = PopupMenu3->addAction(command.caption);
        action->setObjectName(command.objectName);
        if (!command.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(command.shortcut, QKeySequence::PortableText));
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            RichEdit1->addAction(action);
        }
        editorMenuActions.insert(command.objectName, action);
    }

    for (QWidget* widget :
         {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(TreeView1), static_cast<QWidget*>(ListBox2),
          static_cast<QWidget*>(ListBox3), static_cast<QWidget*>(RichEdit1)})
        ignoreHeightHint(widget);

    // Designed sizes until the stored ones arrive.
    window->resize(900, 650);
    setLeftPaneWidth(fontscale::px(185));
    setSourceListHeight(fontscale::px(165));
    setClassTreeHeight(fontscale::px(115));
    setMessagePanelHeight(fontscale::px(125));
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
