#pragma once

#include "workspace/RecoveryStore.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;
class RecoveryWriter;
class WorkspaceSession;

// "Recovered Files": the recovery copies an earlier run left (it was killed, or the machine went down),
// each with its file, the time it was taken, how many lines differ from the file now and whether the
// file is newer. Restore puts a copy's text into its buffer, modified and unsaved; Show difference gives
// the difference to the file; Discard deletes the copy. Neither touches the user's file. Not modal: a
// signal that ends the program never waits on it.
class RecoveryWindow : public QDialog {
    Q_OBJECT
public:
    RecoveryWindow(WorkspaceSession& session, RecoveryWriter& writer, QWidget* parent = nullptr);

    // Called after a restore filled a buffer, for the window's owner to show it.
    void setRestored(std::function<void()> restored) { m_restored = std::move(restored); }

    // Reads the copies again; how many there are to decide on.
    int reload();
    // Reads the copies and shows the window when there is one (with a folder: one of a file below it).
    void offer(const QString& folder = {});

    QTreeWidget* list() const { return m_list; }
    // The difference window of the last Show difference, while it exists.
    QDialog* differenceWindow() const { return m_difference; }

public slots:
    void restoreSelected();
    void showDifference();
    void discardSelected();

private:
    const RecoveryEntry* selected() const;
    void removeRow(int row);
    void updateButtons();

    WorkspaceSession& m_session;
    RecoveryWriter& m_writer;
    std::function<void()> m_restored;
    QList<RecoveryEntry> m_entries; // in the order of the list's rows
    QTreeWidget* m_list;
    QLabel* m_notes;
    QPushButton* m_restore;
    QPushButton* m_showDifference;
    QPushButton* m_discard;
    QDialog* m_difference = nullptr;
};
