#pragma once

class QCheckBox;
class QComboBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class QWidget;
class UpDown;

// The controls of the Settings window. Each carries its component name as objectName, which the settings
// table binds by; the members are named by role. Only the
// controls the window's own behaviour touches are kept as members; the rest are found by name.
struct SettingsWindowUi {
    QTabWidget* pages = nullptr;
    QPushButton* okButton = nullptr;     // OK
    QPushButton* cancelButton = nullptr; // Cancel

    // Exegen
    QCheckBox* creatorIdIndicator = nullptr; // creator-ID indicator, never clickable
    QLineEdit* creatorId = nullptr;

    // Paths
    QLineEdit* superWabaPath = nullptr; // SuperWaba
    QLineEdit* jdkPath = nullptr;       // JDK
    QLineEdit* classPath = nullptr;     // additional class path
    QLineEdit* emulatorPath = nullptr;  // emulator
    QLineEdit* simulatorPath = nullptr; // simulator
    QPushButton* superWabaButton = nullptr;
    QPushButton* jdkButton = nullptr;
    QPushButton* classPathButton = nullptr;
    QPushButton* emulatorButton = nullptr;
    QPushButton* simulatorButton = nullptr;

    // Applet
    QLineEdit* appletX = nullptr;
    QLineEdit* appletY = nullptr;
    QLineEdit* appletWidth = nullptr;
    QLineEdit* appletHeight = nullptr;

    // Other
    QLineEdit* tabStops = nullptr; // tab stops, changed through tabStopsUpDown only
    UpDown* tabStopsUpDown = nullptr;
    QComboBox* hotSyncUser = nullptr;
    QCheckBox* installAtHotSync = nullptr;
    QSlider* startupDelay = nullptr;

    void setupUi(QDialog* form);

private:
    QWidget* exegenPage();
    QWidget* warpPage();
    QWidget* jdkPage();
    QWidget* pathsPage();
    QWidget* appletPage();
    QWidget* otherPage();
};
