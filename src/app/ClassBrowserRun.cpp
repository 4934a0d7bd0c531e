// The class browser's run: the outline program's lines become the tree; a click leads to the declaration.
#include "ClassBrowserRun.h"

#include "MainWindowUi.h"

#include "build/ConsoleRunner.h"
#include "build/ParserCommand.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "workspace/PathHelpers.h"

#include <QAction>
#include <QApplication>
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

ClassBrowserRun::ClassBrowserRun(MainWindowUi& ui, ConsoleRunner& parser, QObject* parent)
    : QObject(parent), m_ui(ui), m_parser(parser), m_browser(std::make_unique<ClassBrowser>()),
      m_parserFolder(programFolder()), m_parseTimeLimitMs(ClassBrowser::kParseTimeLimitMs) {
    // Folders left by runs of this program that were killed.
    const QString scratch = ClassBrowser::scratchParent();
    ClassBrowser::removeStaleScratch(scratch);
    if (QDir::tempPath() != scratch)
        ClassBrowser::removeStaleScratch(QDir::tempPath());
    m_deadline = new QTimer(this);
    m_deadline->setInterval(100);
    connect(m_deadline, &QTimer::timeout, this, &ClassBrowserRun::checkDeadline);
    // Whoever replaces the editor's text (a file opened, reloaded or removed) gets a tree that matches it;
    // callers that refresh on their own right after do so before this runs.
    connect(m_ui.sourceEditor, &SourceEditor::textReplaced, this, [this] {
        // What a running parse of the old text still says must not show up as this text's outline.
        if (m_browser->parsing())
            clear();
        m_stale = true;
        QMetaObject::invokeMethod(this, &ClassBrowserRun::refreshReplacedText, Qt::QueuedConnection);
    });
    m_parser.setLineHandler([this](ConsoleRunner*, const QString& line) { parseLine(line); });
    m_parser.setFinishedHandler([this](ConsoleRunner*) { parseDone(); });

    connect(m_ui.browserSorted, &QAction::triggered, this, &ClassBrowserRun::sort);
    connect(m_ui.browserSourceOrder, &QAction::triggered, this, &ClassBrowserRun::inSourceOrder);
    connect(m_ui.browserVariables, &QAction::triggered, this, &ClassBrowserRun::toggleVariables);
    connect(m_ui.browserMethods, &QAction::triggered, this, &ClassBrowserRun::toggleMethods);
    m_ui.classTree->viewport()->installEventFilter(
        new ClickFilter(m_ui.classTree, [this] { itemClicked(); }));
}

ClassBrowserRun::~ClassBrowserRun() = default;

void ClassBrowserRun::refresh() {
    // The text comes from the editor, so unsaved edits count; the file itself is not read.
    m_stale = false; // this parse, or the one due after the running one, reads the text as it is
    if (m_browser->requestRefresh())
        startParse();
}

void ClassBrowserRun::clear() {
    m_browser->clearWithoutParse();
    m_ui.classTree->clear();
}

void ClassBrowserRun::refreshReplacedText() {
    if (!m_stale)
        return;
    SourceEditor* editor = m_ui.sourceEditor;
    // An empty editor (the last file removed, a new project) has no outline: no parse for it.
    if (editor->lineCount() <= 1 && editor->line(0).isEmpty()) {
        m_stale = false;
        clear();
    } else {
        refresh();
    }
}

void ClassBrowserRun::parseFailed(const QString& error) {
    m_browser->parseFailed();
    messageDialog(error, mtError, mbOK);
}

void ClassBrowserRun::startParse() {
    m_browser->clear();
    m_ui.classTree->clear();
    // A folder of this instance's own: the program folder may be read-only and shared by two instances.
    if (!m_folder) {
        m_folder =
            std::make_unique<QTemporaryDir>(ClassBrowser::scratchTemplate(ClassBrowser::scratchParent()));
        if (!m_folder->isValid()) {
            const QString error = "Cannot create a folder for the class browser: " + m_folder->errorString();
            m_folder.reset();
            parseFailed(error);
            return;
        }
    }
    const QString folder = m_folder->path();
    if (const QString error = ClassBrowser::writeParserInput(folder + '/' + ClassBrowser::parserInputName(),
                                                             m_ui.sourceEditor->lines());
        !error.isEmpty()) {
        parseFailed(error);
        return;
    }
    m_parser.setWorkingDirectory(folder);
    m_parser.setCommand(parserCommandLine(m_parserFolder));
    m_stopped = false;
    m_handlerNs = 0;
    m_clock.start();
    m_deadline->start();
    m_parser.start();
}

void ClassBrowserRun::checkDeadline() {
    if (!m_parser.isRunning()) {
        m_deadline->stop();
        return;
    }
    // The program's own time: while the tree takes its lines, it waits.
    if (m_clock.nsecsElapsed() - m_handlerNs < qint64(m_parseTimeLimitMs) * 1000000)
        return;
    m_stopped = true;
    m_deadline->stop();
    m_parser.stop();
}

void ClassBrowserRun::parseLine(const QString& line) {
    if (!m_browser->acceptsOutput())
        return;
    QElapsedTimer spent;
    spent.start();
    const auto account = qScopeGuard([&] { m_handlerNs += spent.nsecsElapsed(); });
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

void ClassBrowserRun::parseDone() {
    m_deadline->stop();
    if (m_browser->acceptsOutput()) {
        QTreeWidget* tree = m_ui.classTree;
        if (const std::optional<ClassBrowser::SortOrder> order = m_browser->finishTree())
            reorderTree(tree, *order);
        // A crash or a stop leaves part of an outline, which must not pass for the whole.
        const QString note = ClassBrowser::endNote(m_parser.exitStatus(), m_stopped, m_parseTimeLimitMs);
        if (!note.isEmpty()) {
            const ClassBrowser::Placement at = m_browser->addNote(note);
            auto* item = new QTreeWidgetItem(QStringList(note));
            item->setIcon(0, tree->style()->standardIcon(QStyle::SP_MessageBoxWarning));
            item->setToolTip(0, note);
            tree->insertTopLevelItem(at.top, item);
        }
    }
    m_ui.classTree->expandAll();
    // The runner is busy until this handler has returned: the refresh asked for meanwhile starts after.
    if (m_browser->parseEnded())
        QMetaObject::invokeMethod(
            this, [this] { startParse(); }, Qt::QueuedConnection);
}

void ClassBrowserRun::itemClicked() {
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

void ClassBrowserRun::sort() {
    const ClassBrowser::SortOrder order = m_browser->pressSorted();
    m_ui.browserSorted->setChecked(true);
    m_ui.browserSourceOrder->setChecked(false);
    reorderTree(m_ui.classTree, order);
}

void ClassBrowserRun::inSourceOrder() {
    m_browser->pressSourceOrder();
    m_ui.browserSorted->setChecked(false);
    m_ui.browserSourceOrder->setChecked(true);
    refresh();
}

void ClassBrowserRun::toggleVariables() {
    m_browser->toggleVariables();
    m_ui.browserVariables->setChecked(m_browser->showVariables());
    refresh();
}

void ClassBrowserRun::toggleMethods() {
    m_browser->toggleMethods();
    m_ui.browserMethods->setChecked(m_browser->showMethods());
    refresh();
}
