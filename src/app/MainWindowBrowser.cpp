// The class browser: the outline program's lines become the tree; a click leads to the declaration.
#include "MainWindow.h"

#include "build/ConsoleRunner.h"
#include "build/ParserCommand.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "workspace/PathHelpers.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
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

// Puts the entries in a sort's new order, each as it was: expanded or not, selected or not.
void reorderTree(QTreeWidget* tree, const ClassBrowser::SortOrder& order) {
    QTreeWidgetItem* selected = tree->selectedItems().value(0);
    std::vector<QTreeWidgetItem*> items;
    std::vector<bool> expanded;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        items.push_back(tree->topLevelItem(i));
        expanded.push_back(items.back()->isExpanded());
    }
    while (tree->topLevelItemCount() > 0)
        tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
    QList<QTreeWidgetItem*> sortedTop;
    for (std::size_t i = 0; i < order.top.size(); ++i) {
        QTreeWidgetItem* item = items[order.top[i]];
        const QList<QTreeWidgetItem*> children = item->takeChildren();
        QList<QTreeWidgetItem*> sortedChildren;
        for (int old : order.children[i])
            sortedChildren << children[old];
        item->addChildren(sortedChildren);
        sortedTop << item;
    }
    tree->addTopLevelItems(sortedTop);
    for (std::size_t i = 0; i < order.top.size(); ++i)
        sortedTop[int(i)]->setExpanded(expanded[order.top[i]]);
    if (selected) {
        tree->setCurrentItem(selected);
        selected->setSelected(true);
    }
}

} // namespace

void MainWindow::setupBrowser() {
    m_browser = std::make_unique<ClassBrowser>();
    m_parserFolder = programFolder();
    m_parseTimeLimitMs = ClassBrowser::kParseTimeLimitMs;
    // Folders left by runs of this program that were killed.
    const QString scratch = ClassBrowser::scratchParent();
    ClassBrowser::removeStaleScratch(scratch);
    if (QDir::tempPath() != scratch)
        ClassBrowser::removeStaleScratch(QDir::tempPath());
    m_browserDeadline = new QTimer(this);
    m_browserDeadline->setInterval(100);
    connect(m_browserDeadline, &QTimer::timeout, this, &MainWindow::checkBrowserDeadline);
    // Whoever replaces the editor's text (a file opened, reloaded or removed) gets a tree that matches it;
    // callers that refresh on their own right after do so before this runs.
    connect(m_ui.sourceEditor, &SourceEditor::textReplaced, this, [this] {
        // What a running parse of the old text still says must not show up as this text's outline.
        if (m_browser->parsing())
            clearClassBrowser();
        m_browserStale = true;
        QMetaObject::invokeMethod(this, &MainWindow::refreshReplacedText, Qt::QueuedConnection);
    });
    ConsoleRunner* parser = runner(RunnerRole::ClassParser);
    parser->setLineHandler([this](ConsoleRunner*, const QString& line) { browserParseLine(line); });
    parser->setFinishedHandler([this](ConsoleRunner*) { browserParseDone(); });

    connect(m_ui.browserSorted, &QAction::triggered, this, &MainWindow::sortBrowser);
    connect(m_ui.browserSourceOrder, &QAction::triggered, this, &MainWindow::browserInSourceOrder);
    connect(m_ui.browserVariables, &QAction::triggered, this, &MainWindow::toggleBrowserVariables);
    connect(m_ui.browserMethods, &QAction::triggered, this, &MainWindow::toggleBrowserMethods);
    m_ui.classTree->viewport()->installEventFilter(
        new ClickFilter(m_ui.classTree, [this] { browserItemClicked(); }));
}

QString MainWindow::currentPath() const {
    const TProjectFile* current = m_session->files().currentFile();
    return current ? current->Path : QString();
}

void MainWindow::updateBrowser(const QString& path) {
    // The text comes from the editor, so unsaved edits count; the file itself is not read.
    Q_UNUSED(path);
    m_browserStale = false; // this parse, or the one due after the running one, reads the text as it is
    if (m_browser->requestRefresh())
        startBrowserParse();
}

void MainWindow::refreshReplacedText() {
    if (!m_browserStale)
        return;
    SourceEditor* editor = m_ui.sourceEditor;
    // An empty editor (the last file removed, a new project) has no outline: no parse for it.
    if (editor->lineCount() <= 1 && editor->line(0).isEmpty()) {
        m_browserStale = false;
        clearClassBrowser();
    } else {
        updateBrowser(currentPath());
    }
}

void MainWindow::startBrowserParse() {
    m_browser->clear();
    m_ui.classTree->clear();
    // A folder of this instance's own: the program folder may be read-only and shared by two instances.
    if (!m_browserFolder) {
        m_browserFolder =
            std::make_unique<QTemporaryDir>(ClassBrowser::scratchTemplate(ClassBrowser::scratchParent()));
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
                                                             m_ui.sourceEditor->lines());
        !error.isEmpty()) {
        m_browser->parseFailed();
        showError(error);
        return;
    }
    ConsoleRunner* parser = runner(RunnerRole::ClassParser);
    parser->setWorkingDirectory(folder);
    parser->setCommand(parserCommandLine(m_parserFolder));
    m_browserStopped = false;
    m_browserHandlerNs = 0;
    m_browserClock.start();
    m_browserDeadline->start();
    parser->start();
}

void MainWindow::checkBrowserDeadline() {
    ConsoleRunner* parser = runner(RunnerRole::ClassParser);
    if (!parser->isRunning()) {
        m_browserDeadline->stop();
        return;
    }
    // The program's own time: while the tree takes its lines, it waits.
    if (m_browserClock.nsecsElapsed() - m_browserHandlerNs < qint64(m_parseTimeLimitMs) * 1000000)
        return;
    m_browserStopped = true;
    m_browserDeadline->stop();
    parser->stop();
}

void MainWindow::browserParseLine(const QString& line) {
    if (!m_browser->acceptsOutput())
        return;
    QElapsedTimer spent;
    spent.start();
    const auto account = qScopeGuard([&] { m_browserHandlerNs += spent.nsecsElapsed(); });
    const std::optional<ClassBrowser::Placement> at = m_browser->addLine(line);
    if (!at)
        return;
    const BrowserNode* node = m_browser->node(*at);
    auto* item = new QTreeWidgetItem(QStringList(node->label));
    item->setIcon(0, m_ui.browserIcons.value(node->picture));
    if (at->child < 0)
        m_ui.classTree->insertTopLevelItem(at->top, item);
    else
        m_ui.classTree->topLevelItem(at->top)->insertChild(at->child, item);
}

void MainWindow::browserParseDone() {
    m_browserDeadline->stop();
    if (m_browser->acceptsOutput()) {
        QTreeWidget* tree = m_ui.classTree;
        if (const std::optional<ClassBrowser::SortOrder> order = m_browser->finishTree())
            reorderTree(tree, *order);
        // A crash or a stop leaves part of an outline, which must not pass for the whole.
        const QString note = ClassBrowser::endNote(runner(RunnerRole::ClassParser)->exitStatus(),
                                                   m_browserStopped, m_parseTimeLimitMs);
        if (!note.isEmpty()) {
            const ClassBrowser::Placement at = m_browser->addNote(note);
            auto* item = new QTreeWidgetItem(QStringList(note));
            item->setIcon(0, style()->standardIcon(QStyle::SP_MessageBoxWarning));
            item->setToolTip(0, note);
            tree->insertTopLevelItem(at.top, item);
        }
    }
    m_ui.classTree->expandAll();
    // The runner is busy until this handler has returned: the refresh asked for meanwhile starts after.
    if (m_browser->parseEnded())
        QMetaObject::invokeMethod(
            this, [this] { startBrowserParse(); }, Qt::QueuedConnection);
}

void MainWindow::browserItemClicked() {
    QTreeWidget* tree = m_ui.classTree;
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
    SourceEditor* editor = m_ui.sourceEditor;
    editor->setCaretLine(*node->line - 1);
    editor->bringCaretIntoView();
    editor->setFirstVisibleLine(*node->line - 1);
}

void MainWindow::sortBrowser() {
    const ClassBrowser::SortOrder order = m_browser->pressSorted();
    m_ui.browserSorted->setChecked(true);
    m_ui.browserSourceOrder->setChecked(false);
    reorderTree(m_ui.classTree, order);
}

void MainWindow::browserInSourceOrder() {
    m_browser->pressSourceOrder();
    m_ui.browserSorted->setChecked(false);
    m_ui.browserSourceOrder->setChecked(true);
    updateBrowser(currentPath());
}

void MainWindow::toggleBrowserVariables() {
    m_browser->toggleVariables();
    m_ui.browserVariables->setChecked(m_browser->showVariables());
    updateBrowser(currentPath());
}

void MainWindow::toggleBrowserMethods() {
    m_browser->toggleMethods();
    m_ui.browserMethods->setChecked(m_browser->showMethods());
    updateBrowser(currentPath());
}
