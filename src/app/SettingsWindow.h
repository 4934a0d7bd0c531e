#pragma once

#include "app/SettingsWindowUi.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class FormSizeSave;
class LiveSettings;
class SettingsBinder;
class WorkspaceHost;

// The Settings window (Form5): shows and edits the live settings. It is created once and hidden, not
// destroyed, when closed. Its controls are bound to the live settings both ways, so a change counts at
// once; every showing reads the store again, OK writes it, Cancel and the close box write nothing. What
// its creation does to the live settings happens at creation; its controls are made when it is first
// shown (or asked for), since a run may never open it.
class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    SettingsWindow(WorkspaceHost& host, LiveSettings& live, QWidget* parent = nullptr);

    SettingsWindowUi& ui() {
        makeControls();
        return m_ui;
    }
    SettingsBinder& binder() {
        makeControls();
        return *m_binder;
    }
    // Whether the controls exist yet.
    bool controlsMade() const { return m_binder != nullptr; }

    void setVisible(bool visible) override;

    // openSettings: shows the window modally; true when it was closed with OK.
    bool runModal();

    // Creation and every showing: placement, tool paths, creator ID, the store, icons, Palm users and the
    // run-target list.
    void FormShow();

    // The run-target list of the main window rebuilt from the emulator and simulator paths.
    void rebuildRunTargets();

public slots:
    void acceptSettings();        // OK
    void discardSettings();       // Cancel
    void chooseSuperWabaFolder(); // SuperWaba folder
    void chooseJdkFolder();       // JDK folder
    void addToClassPath();        // add to the class path
    void chooseEmulator();        // emulator program
    void chooseSimulator();       // simulator program
    void installAtHotSyncClicked(bool checked);

    // Closing, whichever way: the run-target list, then the placement.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void makeControls();
    void showCreatorId();
    // The HotSync user list into its box, as the last showing filled it.
    void showPalmUsers();
    void fillPalmUsers(const QStringList& users, int storedIndex);
    QString chooseFolder(const QString& title, const QString& startFolder);
    QString chooseProgram(const QString& title, const QString& current);
    void reportFailure(const QString& message);

    WorkspaceHost& m_host;
    LiveSettings& m_live;
    SettingsWindowUi m_ui;
    SettingsBinder* m_binder = nullptr;
    FormSizeSave* m_placement = nullptr;
    QString m_superWabaAtShowing;
    QString m_dirName; // the folder last chosen in the folder picker
    // The HotSync users the last showing found, and whether there were any; none yet before the first.
    QStringList m_palmUsers;
    int m_palmUserIndex = -1;
    std::optional<bool> m_palmUsersEnabled;
};
