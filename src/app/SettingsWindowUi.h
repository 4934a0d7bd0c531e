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

// The controls of the Settings window, under the component names the settings table binds by. Only the
// controls the window's own behaviour touches are kept as members; the rest are found by name.
struct SettingsWindowUi {
    QTabWidget* PageControl1 = nullptr;
    QPushButton* Button1 = nullptr; // OK
    QPushButton* Button2 = nullptr; // Cancel

    // Exegen
    QCheckBox* CheckBox5 = nullptr; // creator-ID indicator, never clickable
    QLineEdit* edit9 = nullptr;

    // Paths
    QLineEdit* Edit1 = nullptr;  // SuperWaba
    QLineEdit* Edit4 = nullptr;  // JDK
    QLineEdit* Edit5 = nullptr;  // additional class path
    QLineEdit* Edit6 = nullptr;  // emulator
    QLineEdit* Edit14 = nullptr; // simulator
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button4 = nullptr;

    // Applet
    QLineEdit* Edit7 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QLineEdit* Edit11 = nullptr;

    // Other
    QLineEdit* Edit2 = nullptr; // tab stops, changed through UpDown5 only
    UpDown* UpDown5 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QCheckBox* CheckBox13 = nullptr;
    QSlider* TrackBar1 = nullptr;

    void setupUi(QDialog* form);

private:
    QWidget* exegenPage();
    QWidget* warpPage();
    QWidget* jdkPage();
    QWidget* pathsPage();
    QWidget* appletPage();
    QWidget* otherPage();
};
