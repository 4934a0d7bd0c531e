// The class browser: the outline program's lines become the tree; a click leads to the declaration.
#include "MainWindow.h"

#include "build/ParserCommand.h"
#include "build/TGUI2Console.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "workspace/PathHelpers.h"

#include <QAction>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <functional>

namespace {

// Clicks and double clicks anywhere in the tree, on an entry or not: the tree view only reports those
// on an entry.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> clicked)
        : QObject(parent), m_clicked(std::move(clicked)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseButtonDblClick) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                m_clicked();
        }
        return false;
    }

private:
    std::function<void()> m_clicked;
};

} // namespace

void TForm1::setupBrowser() {
    m_browser = std::make_unique<ClassBrowser>();
    m_parserFolder = programFolder();
    TGUI2Console* parser = runner(9);
    parser->OnLine = [this](TGUI2Console*, const QString& line) { GUI2Console9Line(line); };
    parser->OnDone = [this](TGUI2Console*) { GUI2Console9Done(); };

    connect(m_ui.ToolButton20, &QAction::triggered, this, &TForm1::ToolButton20Click);
    connect(m_ui.ToolButton21, &QAction::triggered, this, &TForm1::ToolButton21Click);
    connect(m_ui.ToolButton23, &QAction::triggered, this, &TForm1::ToolButton23Click);
    connect(m_ui.ToolButton24, &QAction::triggered, this, &TForm1::ToolButton24Click);
    m_ui.TreeView1->viewport()->installEventFilter(
        new ClickFilter(m_ui.TreeView1, [this] { TreeView1Click(); }));
}

QString TForm1::currentPath() const {
    const TProjectFile* current = m_files.CurrentFile();
    return current ? current->Path : QString();
}

void TForm1::updateBrowser(const QString& path) {
    // The text comes from the editor, so unsaved edits count; the file itself is not read.
    Q_UNUSED(path);
    if (m_browser->requestRefresh())
        startBrowserParse();
}

void TForm1::startBrowserParse() {
    m_browser->clear();
    m_ui.TreeView1->clear();
    // A folder of this instance's own: the program folder may be read-only and shared by two instances.
    if (!m_browserFolder) {
        m_browserFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/handwright-browser-XXXXXX");
        if (!m_browserFolder->isValid()) {
            const QString error =
                "Cannot create a folder for the class browser: " + m_browserFolder->errorString();
            m_browserFolder.reset();
            m_browser->parseFailed();
            showError(error);
            return;
        }
    }
    const QString folder = m_browserFolder->path();
    if (const QString error = ClassBrowser::writeParserInput(folder + '/' + ClassBrowser::parserInputName(),
                                                             m_ui.RichEdit1->lines());
        !error.isEmpty()) {
        m_browser->parseFailed();
        showError(error);
        return;
    }
    TGUI2Console* parser = runner(9);
    parser->setHomeDirectory(folder);
    parser->setCommand(parserCommandLine(m_parserFolder));
    parser->Start();
}

void TForm1::GUI2Console9Line(const QString& line) {
    if (!m_browser->acceptsOutput())
        return;
    const std::optional<ClassBrowser::Placement> at = m_browser->addLine(line);
    if (!at)
        return;
    const BrowserNode* node = m_browser->node(*at);
    auto* item = new QTreeWidgetItem(QStringList(node->label));
    item->setIcon(0, m_ui.ImageList3.value(node->picture));
    if (at->child < 0)
        m_ui.TreeView1->insertTopLevelItem(at->top, item);
    else
        m_ui.TreeView1->topLevelItem(at->top)->insertChild(at->child, item);
}

void TForm1::GUI2Console9Done() {
    m_ui.TreeView1->expandAll();
    // The runner is busy until this handler has returned: the refresh asked for meanwhile starts after.
    if (m_browser->parseEnded())
        QMetaObject::invokeMethod(
            this, [this] { startBrowserParse(); }, Qt::QueuedConnection);
}

void TForm1::TreeView1Click() {
    QTreeWidget* tree = m_ui.TreeView1;
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* item = selected.first();
    ClassBrowser::Placement at;
    if (QTreeWidgetItem* parent = item->parent()) {
        at.top = tree->indexOfTopLevelItem(parent);
        at.child = parent->indexOfChild(item);
    } else {
        at.top = tree->indexOfTopLevelItem(item);
    }
    const BrowserNode* node = m_browser->node(at);
    if (!node || !node->line)
        return;
    // The keyboard focus stays in the tree.
    SourceEditor* editor = m_ui.RichEdit1;
    editor->setCaretLine(*node->line - 1);
    editor->bringCaretIntoView();
    editor->setFirstVisibleLine(*node->line - 1);
}

void TForm1::ToolButton20Click() {
    const ClassBrowser::SortOrder order = m_browser->pressSorted();
    m_ui.ToolButton20->setChecked(true);
    m_ui.ToolButton21->setChecked(false);

    // The entries move as they are: expanded or not, selected or not.
    QTreeWidget* tree = m_ui.TreeView1;
    QTreeWidgetItem* selected = tree->selectedItems().value(0);
    std::vector<QTreeWidgetItem*> items;
    std::vector<bool> expanded;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        items.push_back(tree->topLevelItem(i));
        expanded.push_back(items.back()->isExpanded());
    }
    while (tree->topLevelItemCount() > 0)
        tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
    for (std::size_t i = 0; i < order.top.size(); ++i) {
        QTreeWidgetItem* item = items[order.top[i]];
        const QList<QTreeWidgetItem*> children = item->takeChildren();
        QList<QTreeWidgetItem*> sortedChildren;
        for (int old : order.children[i])
            sortedChildren << children[old];
        item->addChildren(sortedChildren);
        tree->addTopLevelItem(item);
        item->setExpanded(expanded[order.top[i]]);
    }
    if (selected) {
        tree->setCurrentItem(selected);
        selected->setSelected(true);
    }
}

void TForm1::ToolButton21Click() {
    m_browser->pressSourceOrder();
    m_ui.ToolButton20->setChecked(false);
    m_ui.ToolButton21->setChecked(true);
    updateBrowser(currentPath());
}

void TForm1::ToolButton23Click() {
    m_browser->toggleVariables();
    m_ui.ToolButton23->setChecked(m_browser->showVariables());
    updateBrowser(currentPath());
}

void TForm1::ToolButton24Click() {
    m_browser->toggleMethods();
    m_ui.ToolButton24->setChecked(m_browser->showMethods());
    updateBrowser(currentPath());
}
