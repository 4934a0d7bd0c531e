#include "BugsAndNotesWindow.h"

#include "EditNoteWindow.h"
#include "settings/FormSizeSave.h"
#include "ui/FontScale.h"
#include "ui/MessageDialog.h"
#include "workspace/WriteTarget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

enum Column { ColId, ColDate, ColDescription, ColPriority, ColStatus, ColFileAndLine };

QAction* addMenuAction(QMenu* menu, const QString& name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

} // namespace

int dateColumnWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    // A list item's text keeps the focus frame's margin and one pixel on each side.
    const int margins = 2 * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    int widest = 0;
    // The 28th of each month: two-digit day, every month's name.
    for (int month = 1; month <= 12; ++month)
        widest =
            std::max(widest, metrics.horizontalAdvance(EditNoteWindow::dateText(QDate(2026, month, 28))));
    return std::max(FontScale::scaled(50, FontScale::ratioFor(font)), widest + margins);
}

BugsAndNotesWindow::BugsAndNotesWindow(QWidget* parent, RegistryStore* store) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Bugs and Notes"));
    resize(FontScale::px(QSize(641, 407)));

    auto* toolBar = new QWidget(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    auto* tools = new QHBoxLayout(toolBar);
    tools->setContentsMargins(2, 2, 2, 2);
    m_addButton = new QPushButton(QStringLiteral("Add Bug/Note"), toolBar);
    m_addButton->setObjectName(QStringLiteral("BitBtn3"));
    m_removeButton = new QPushButton(QStringLiteral("Remove Bug/Note"), toolBar);
    m_removeButton->setObjectName(QStringLiteral("BitBtn2"));
    tools->addWidget(m_addButton);
    tools->addWidget(m_removeButton);
    tools->addStretch();
    connect(m_addButton, &QPushButton::clicked, this, &BugsAndNotesWindow::newEntry);
    connect(m_removeButton, &QPushButton::clicked, this, &BugsAndNotesWindow::removeSelected);

    m_listView = new QTreeWidget(this);
    m_listView->setObjectName(QStringLiteral("ListView1"));
    m_listView->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Date"), QStringLiteral("Description"),
                                 QStringLiteral("Priority"), QStringLiteral("Status"),
                                 QStringLiteral("File and line")});
    // Report style: whole rows, no tree, no editing in place, rows in the order loaded or added.
    m_listView->setRootIsDecorated(false);
    m_listView->setItemsExpandable(false);
    m_listView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView->setSortingEnabled(false);
    // One line per row: the list need not measure every row of a long register.
    m_listView->setUniformRowHeights(true);
    m_listView->header()->setStretchLastSection(false);
    m_listView->header()->setSectionsClickable(false);
    const int widths[] = {30, 50, 300, 50, 50, 80};
    for (int column = 0; column < 6; ++column)
        m_listView->setColumnWidth(column, FontScale::px(widths[column]));
    m_listView->setColumnWidth(ColDate, dateColumnWidth(m_listView->font()));

    connect(m_listView, &QTreeWidget::itemDoubleClicked, this, &BugsAndNotesWindow::openSourceOf);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    connect(addMenuAction(m_popup, QStringLiteral("Closethebugnote1"), QStringLiteral("Close the bug/note")),
            &QAction::triggered, this, &BugsAndNotesWindow::closeSelected);
    connect(addMenuAction(m_popup, QStringLiteral("Openthebugnote1"), QStringLiteral("Open the bug/note")),
            &QAction::triggered, this, &BugsAndNotesWindow::reopenSelected);
    m_popup->addSeparator();
    connect(addMenuAction(m_popup, QStringLiteral("Addbugnote1"), QStringLiteral("Add bug/note")),
            &QAction::triggered, this, &BugsAndNotesWindow::newEntry);
    connect(addMenuAction(m_popup, QStringLiteral("Removebugnote1"), QStringLiteral("Remove bug/note")),
            &QAction::triggered, this, &BugsAndNotesWindow::removeSelected);
    m_listView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_listView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { m_popup->popup(m_listView->viewport()->mapToGlobal(pos)); });

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_listView, 1);
    layout->addWidget(m_statusBar);

    m_sizeSave = new FormSizeSave(this, store);
    m_sizeSave->setSaveMode(FormSizeSave::smAll);
    setEditable(false);
    // Escape closes the window from wherever the focus is, as it closes a dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

void BugsAndNotesWindow::openFor(const QString& projectDir) {
    if (m_shown && projectDir != m_projectDir && !close())
        return;
    m_projectDir = projectDir;
    show();
    raise();
    activateWindow();
}

void BugsAndNotesWindow::projectFolderChanged(const QString& projectDir) {
    if (m_shown && projectDir != m_projectDir)
        close();
}

void BugsAndNotesWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Coming back from minimised is no new showing.
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void BugsAndNotesWindow::FormShow() {
    m_sizeSave->restore();
    m_listView->clear();
    m_register.clear();
    m_statusBar->clearMessage();
    // With no project open there is no folder of its own to keep a register in.
    if (m_projectDir.isEmpty()) {
        m_register.load(QString());
        setEditable(false);
        return;
    }
    // The register is written back where it was read: a link that leads out of the project is not used.
    if (const FileResult allowed = checkWriteTarget(m_projectDir, NotesRegister::fileName(m_projectDir));
        !allowed) {
        m_register.load(QString());
        setEditable(false);
        messageDialog(allowed.error, mtError, mbOK);
        return;
    }
    const FileResult loaded = m_register.load(NotesRegister::fileName(m_projectDir));
    // A register that could not be read must not be replaced by the empty one shown.
    setEditable(loaded.ok());
    if (!loaded) {
        m_statusBar->showMessage(loaded.error);
        messageDialog(loaded.error, mtError, mbOK);
    }
    // All rows in one go: added one by one, each would be announced to the view on its own.
    QList<QTreeWidgetItem*> rows;
    rows.reserve(m_register.count());
    for (const NoteEntry& entry : m_register.entries())
        rows << newRow(entry);
    m_listView->addTopLevelItems(rows);
    emit entriesChanged();
}

void BugsAndNotesWindow::closeEvent(QCloseEvent* event) {
    if (m_shown && !FormClose()) {
        event->ignore();
        return;
    }
    m_shown = false;
    QWidget::closeEvent(event);
}

bool BugsAndNotesWindow::FormClose() {
    if (m_editable) {
        if (const FileResult saved = m_register.save(); !saved) {
            messageDialog(saved.error, mtError, mbOK);
            return false;
        }
    }
    m_sizeSave->save();
    return true;
}

void BugsAndNotesWindow::keyPressEvent(QKeyEvent* event) {
    // Enter answers the default button, "Add Bug/Note", unless another button has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            newEntry();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BugsAndNotesWindow::setEditable(bool editable) {
    m_editable = editable;
    m_addButton->setEnabled(editable);
    m_removeButton->setEnabled(editable);
    for (QAction* action : m_popup->actions())
        action->setEnabled(editable);
}

QTreeWidgetItem* BugsAndNotesWindow::newRow(const NoteEntry& entry) {
    auto* item = new QTreeWidgetItem(QStringList{entry.id, entry.date, entry.description, entry.priority,
                                                 entry.status, entry.fileAndLine});
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
    return item;
}

void BugsAndNotesWindow::writeRegister() {
    // The change stays in the list either way; closing the window tries the write again.
    if (const FileResult saved = m_register.save(); !saved)
        messageDialog(saved.error, mtError, mbOK);
}

void BugsAndNotesWindow::addEntry(const NoteEntry& entry) {
    if (!m_editable)
        return;
    // Two entries in one section would read back as one.
    if (!m_register.add(entry)) {
        messageDialog(QStringLiteral("An entry with the ID %1 exists already.").arg(entry.id), mtError, mbOK);
        return;
    }
    m_listView->addTopLevelItem(newRow(entry));
    writeRegister();
    emit entriesChanged();
}

int BugsAndNotesWindow::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_listView->selectedItems();
    return selected.isEmpty() ? -1 : m_listView->indexOfTopLevelItem(selected.first());
}

void BugsAndNotesWindow::newEntry() {
    if (m_editable && m_editWindow)
        m_editWindow->exec();
}

void BugsAndNotesWindow::removeSelected() {
    const int row = selectedRow();
    if (!m_editable || row < 0)
        return;
    m_register.remove(row);
    delete m_listView->takeTopLevelItem(row);
    writeRegister();
    emit entriesChanged();
}

void BugsAndNotesWindow::setSelectedStatus(const QString& status) {
    const int row = selectedRow();
    if (!m_editable || row < 0)
        return;
    m_register.setStatus(row, status);
    m_listView->topLevelItem(row)->setText(ColStatus, status);
    writeRegister();
    emit entriesChanged();
}

void BugsAndNotesWindow::openSourceOf(QTreeWidgetItem* item) {
    const int row = m_listView->indexOfTopLevelItem(item);
    if (row < 0 || row >= m_register.count() || !m_openSource)
        return;
    if (const QString problem = m_openSource(m_register.entries()[row].fileAndLine); !problem.isEmpty())
        m_statusBar->showMessage(problem);
    else
        m_statusBar->clearMessage();
}

void BugsAndNotesWindow::closeSelected() {
    setSelectedStatus(NotesRegister::kClosed);
}

void BugsAndNotesWindow::reopenSelected() {
    setSelectedStatus(NotesRegister::kOpen);
}
