#pragma once

#include "NotesRegister.h"
#include "ui/WindowOnDemand.h"

#include <QWidget>
#include <functional>

class FormSizeSave;
class QFont;
class QAction;
class QMenu;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
class RegistryStore;
class EditNoteWindow;

// "Bugs and Notes": the register of the project it was opened for, shown while the window is open. It is
// read when the window is shown and written, to the folder it was read from, after every change and when
// the window closes.
class BugsAndNotesWindow : public QWidget {
    Q_OBJECT
public:
    // Without a store the process-wide one keeps the placement.
    explicit BugsAndNotesWindow(QWidget* parent = nullptr, RegistryStore* store = nullptr);

    void setEditWindow(WindowOnDemand<EditNoteWindow> window) { m_editWindow = std::move(window); }
    // The folder ("…/", or empty with no project open) whose register the next showing reads.
    void setProjectDir(const QString& dir) { m_projectDir = dir; }
    QString projectDir() const { return m_projectDir; }
    // The file the register shown was read from and will be written to; empty while hidden.
    QString registerPath() const { return m_shown ? m_register.path() : QString(); }

    // "Bugs and Notes Manager": shows the register of `projectDir`. Already open on another project's
    // register, it writes that one and opens again on this one.
    void openFor(const QString& projectDir);
    // Another project was loaded or created: a register still open belongs to the old one, so it is
    // written to the old folder and the window closes.
    void projectFolderChanged(const QString& projectDir);

    const NotesRegister& notes() const { return m_register; }
    // With no project open, or a register that could not be read, nothing may be added or written.
    bool editable() const { return m_editable; }
    // Appends an entry to the list and writes the register (the Edit bug/note window's OK).
    void addEntry(const NoteEntry& entry);

    QTreeWidget* listView() const { return m_listView; }

    // A double click on an entry hands its "File and line" text to the opener, which leads to that line
    // of the source or gives the reason it cannot, shown in the status bar.
    using SourceOpener = std::function<QString(const QString& fileAndLine)>;
    void setSourceOpener(SourceOpener opener) { m_openSource = std::move(opener); }

signals:
    // The entries shown changed: read, added, removed or given another status.
    void entriesChanged();

public slots:
    void newEntry();
    void removeSelected();
    void closeSelected();
    void reopenSelected();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    // False when the register could not be written; the window then stays open with it.
    bool FormClose();
    int selectedRow() const;
    void setSelectedStatus(const QString& status);
    static QTreeWidgetItem* newRow(const NoteEntry& entry);
    // Writes the register after a change; a failure is reported and the change kept.
    void writeRegister();
    void setEditable(bool editable);
    void openSourceOf(QTreeWidgetItem* item);

    QTreeWidget* m_listView;
    QPushButton* m_addButton;
    QPushButton* m_removeButton;
    QMenu* m_popup;
    QStatusBar* m_statusBar;
    FormSizeSave* m_sizeSave;
    WindowOnDemand<EditNoteWindow> m_editWindow;
    NotesRegister m_register;
    QString m_projectDir;
    bool m_shown = false;
    bool m_editable = false;
    SourceOpener m_openSource;
};

// The date column's width for a list drawn in `font`: 50 pixels at the standard font, scaled like the other
// sizes, and wider when the system's short date (which can spell out the month) needs more.
int dateColumnWidth(const QFont& font);
