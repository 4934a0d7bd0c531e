#pragma once

#include "DebuggerCommand.h"

#include <QDialog>

class FormSizeSave;
class QLineEdit;
class QPushButton;
class QRadioButton;
class RegistryStore;

// The Debugger Options window (Form15): which debugger "Start Debugger" runs and the port a remote
// debugger attaches to. The values live in the controls for this run only; OK and Cancel both keep them.
class DebuggerOptions : public QDialog {
    Q_OBJECT
public:
    explicit DebuggerOptions(QWidget* parent = nullptr, RegistryStore* store = nullptr);

    // RemoteDebuggingOptions1Click shows the window through this.
    void runModal();

    DebuggerChoice choice() const;
    // The address= value of the viewer's remote-debugging options, as typed.
    QString port() const;

    QRadioButton* RadioButton1 = nullptr; // Use JDB
    QRadioButton* RadioButton2 = nullptr; // Other (Remote Debugger)
    QLineEdit* Edit1 = nullptr;           // debugger program
    QLineEdit* Edit4 = nullptr;           // its parameters
    QLineEdit* Edit3 = nullptr;           // port
    QPushButton* Button3 = nullptr;       // "..."
    QPushButton* Button1 = nullptr;       // OK
    QPushButton* Button2 = nullptr;       // Cancel

public slots:
    void Button3Click();
    void done(int result) override;

private:
    void setupUi();

    FormSizeSave* m_placement = nullptr;
};
