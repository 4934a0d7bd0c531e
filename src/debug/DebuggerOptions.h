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

    // remoteDebuggingOptions shows the window through this.
    void runModal();

    DebuggerChoice choice() const;
    // The address= value of the viewer's remote-debugging options, as typed.
    QString port() const;

    QRadioButton* m_useJdb = nullptr;          // Use JDB
    QRadioButton* m_useOther = nullptr;        // Other (Remote Debugger)
    QLineEdit* m_debuggerProgram = nullptr;    // debugger program
    QLineEdit* m_debuggerParameters = nullptr; // its parameters
    QLineEdit* m_port = nullptr;               // port
    QPushButton* m_browseButton = nullptr;     // "..."
    QPushButton* m_okButton = nullptr;         // OK
    QPushButton* m_cancelButton = nullptr;     // Cancel

public slots:
    void chooseDebugger();
    void done(int result) override;

private:
    void setupUi();

    FormSizeSave* m_placement = nullptr;
};
