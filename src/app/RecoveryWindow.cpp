#include "RecoveryWindow.h"

#include "workspace/LineDiff.h"
#include "workspace/RecoveryWriter.h"
#include "workspace/WorkspaceSession.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString lineCountText(int count) {
    return count == 1 ? QStringLiteral("1 line differs") : QStringLiteral("%1 lines differ").arg(count);
}

QString noteText(const RecoveryComparison& comparison) {
    if (!comparison.fileExists)
        return QStringLiteral("the file no longer exists");
    if (!comparison.readError.isEmpty())
        return comparison.readError;
    if (comparison.olderThanFile)
        return QStringLiteral("older than the file on disk");
    return {};
}

} // namespace

RecoveryWindow::RecoveryWindow(WorkspaceSession& session, RecoveryWriter& writer, QWidget* parent)
    : QDialog(parent), m_session(session), m_writer(writer) {
    setObjectName(QStringLiteral("RecoveryWindow"));
    setWindowTitle(QStringLiteral("Recovered Files"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("These files had unsaved changes when Kovrin Handwright last "
                                            "ended. Restore puts the changes into the file's buffer "
                                            "without saving them."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("RecoveryList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("File"), QStringLiteral("Time"), QStringLiteral("Changes"), QStringLiteral("Note")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);
    m_notes = new QLabel(this);
    m_notes->setObjectName(QStringLiteral("RecoveryNotes"));
    m_notes->setWordWrap(true);
    m_notes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_notes);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& text, void (RecoveryWindow::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    m_restore = button("RestoreButton", QStringLiteral("&Restore"), &RecoveryWindow::restoreSelected);
    m_showDifference =
        button("DifferenceButton", QStringLiteral("Show &difference"), &RecoveryWindow::showDifference);
    m_discard = button("DiscardButton", QStringLiteral("D&iscard"), &RecoveryWindow::discardSelected);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &RecoveryWindow::updateButtons);
    resize(640, 300);
}

int RecoveryWindow::reload() {
    const RecoveryListing listing = m_writer.store().readAll();
    m_entries.clear();
    m_list->clear();
    for (const RecoveryEntry& entry : listing.copies) {
        // This run's own copies follow the buffers; only what an earlier run left is to be decided on.
        if (m_writer.wroteCopyOf(entry.copy.path))
            continue;
        const RecoveryComparison comparison = compareWithFile(entry.copy);
        auto* item = new QTreeWidgetItem(
            m_list,
            {entry.copy.path, QLocale().toString(entry.copy.written.toLocalTime(), QLocale::ShortFormat),
             lineCountText(comparison.differingLines), noteText(comparison)});
        item->setToolTip(0, entry.file);
        m_entries.append(entry);
    }
    m_notes->setText(listing.notes.join(u'\n'));
    m_notes->setVisible(!listing.notes.isEmpty());
    if (!m_entries.isEmpty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    updateButtons();
    return int(m_entries.size());
}

void RecoveryWindow::offer(const QString& folder) {
    if (reload() == 0)
        return;
    if (!folder.isEmpty() &&
        std::none_of(m_entries.cbegin(), m_entries.cend(),
                     [&](const RecoveryEntry& entry) { return entry.copy.path.startsWith(folder); }))
        return;
    show();
    raise();
}

const RecoveryEntry* RecoveryWindow::selected() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < m_entries.size() ? &m_entries[row] : nullptr;
}

void RecoveryWindow::updateButtons() {
    const bool any = selected() != nullptr;
    for (QPushButton* b : {m_restore, m_showDifference, m_discard})
        b->setEnabled(any);
}

void RecoveryWindow::removeRow(int row) {
    delete m_list->takeTopLevelItem(row);
    m_entries.removeAt(row);
    updateButtons();
    if (m_entries.isEmpty())
        close();
}

void RecoveryWindow::restoreSelected() {
    const RecoveryEntry* entry = selected();
    if (!entry)
        return;
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    const RecoveryCopy copy = entry->copy;
    if (!m_session.restoreLines(copy.path, copy.lines, copy.format).ok())
        return;
    // The buffer holds the copy's text now; from here on the copy is this run's, kept as the buffer
    // changes. A copy under another name (its file's real path moved) goes once that one is written.
    const QString file = entry->file;
    if (m_writer.writeAllNow() && file != m_writer.store().fileFor(copy.path))
        QFile::remove(file);
    removeRow(row);
    if (m_restored)
        m_restored();
}

void RecoveryWindow::showDifference() {
    const RecoveryEntry* entry = selected();
    if (!entry)
        return;
    const RecoveryComparison comparison = compareWithFile(entry->copy);
    QString text = unifiedDiff(comparison.fileLines, entry->copy.lines, entry->copy.path + " (on disk)",
                               entry->copy.path + " (recovery copy)");
    if (text.isEmpty())
        text = QStringLiteral("The recovery copy holds what the file holds.");
    delete m_difference;
    m_difference = new QDialog(this);
    m_difference->setObjectName(QStringLiteral("RecoveryDifference"));
    m_difference->setWindowTitle(QStringLiteral("Difference: ") + entry->copy.path);
    m_difference->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(m_difference);
    auto* view = new QPlainTextEdit(m_difference);
    view->setObjectName(QStringLiteral("DifferenceText"));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setPlainText(text);
    layout->addWidget(view);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, m_difference);
    connect(box, &QDialogButtonBox::rejected, m_difference, &QDialog::close);
    layout->addWidget(box);
    m_difference->resize(700, 450);
    m_difference->show();
}

void RecoveryWindow::discardSelected() {
    const RecoveryEntry* entry = selected();
    if (!entry)
        return;
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (QFile file(entry->file); file.exists() && !file.remove()) {
        m_notes->setText(QStringLiteral("Cannot remove %1: %2").arg(entry->file, file.errorString()));
        m_notes->setVisible(true);
        return;
    }
    removeRow(row);
}
