#include "DebuggerOptions.h"

#include "settings/FormSizeSave.h"
#include "ui/FileDialogs.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

DebuggerOptions::DebuggerOptions(QWidget* parent, RegistryStore* store) : QDialog(parent) {
    setupUi();
    m_placement = new FormSizeSave(this, store);
    m_placement->restore();
    // Both buttons only close the window: what the fields hold stays for the next start.
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_browseButton, &QPushButton::clicked, this, &DebuggerOptions::chooseDebugger);
}

void DebuggerOptions::setupUi() {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Debugger Options"));
    // A fixed dialog border: no resizing, no minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto* text = new QLabel(QStringLiteral("Select the debugger you want to start by using the  menu\n"
                                           "command or F8"));
    text->setObjectName(QStringLiteral("Label1"));

    auto* select = new QGroupBox(QStringLiteral("Select Debugger "));
    select->setObjectName(QStringLiteral("GroupBox1"));
    m_useJdb = new QRadioButton(QStringLiteral("Use JDB"));
    m_useJdb->setObjectName(QStringLiteral("RadioButton1"));
    m_useJdb->setChecked(true);
    m_useOther = new QRadioButton(QStringLiteral("Other (Remote Debugger)"));
    m_useOther->setObjectName(QStringLiteral("RadioButton2"));

    auto* other = new QFrame;
    other->setObjectName(QStringLiteral("Panel1"));
    other->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_debuggerProgram = new QLineEdit;
    m_debuggerProgram->setObjectName(QStringLiteral("Edit1"));
    m_browseButton = new QPushButton(QStringLiteral("..."));
    m_browseButton->setObjectName(QStringLiteral("Button3"));
    m_browseButton->setFixedWidth(m_browseButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) +
                                  16);
    m_debuggerParameters = new QLineEdit;
    m_debuggerParameters->setObjectName(QStringLiteral("Edit4"));
    auto* otherGrid = new QGridLayout(other);
    otherGrid->addWidget(new QLabel(QStringLiteral("Debugger")), 0, 0);
    otherGrid->addWidget(m_debuggerProgram, 0, 1);
    otherGrid->addWidget(m_browseButton, 0, 2);
    otherGrid->addWidget(new QLabel(QStringLiteral("Parameter")), 1, 0);
    otherGrid->addWidget(m_debuggerParameters, 1, 1, 1, 2);

    auto* selectLayout = new QVBoxLayout(select);
    selectLayout->addWidget(m_useJdb);
    selectLayout->addWidget(m_useOther);
    selectLayout->addWidget(other);

    auto* remote = new QGroupBox(QStringLiteral("Remote Debugging Options "));
    remote->setObjectName(QStringLiteral("GroupBox2"));
    m_port = new QLineEdit(QStringLiteral("5000"));
    m_port->setObjectName(QStringLiteral("Edit3"));
    auto* remoteLayout = new QHBoxLayout(remote);
    remoteLayout->addWidget(new QLabel(QStringLiteral("Port")));
    remoteLayout->addWidget(m_port, 1);

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"));
    m_cancelButton->setObjectName(QStringLiteral("Button2"));
    m_okButton = new QPushButton(QStringLiteral("OK"));
    m_okButton->setObjectName(QStringLiteral("Button1"));
    m_okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(select);
    layout->addWidget(remote);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DebuggerOptions::runModal() {
    exec();
}

DebuggerChoice DebuggerOptions::choice() const {
    return {m_useJdb->isChecked(), m_debuggerProgram->text(), m_debuggerParameters->text()};
}

QString DebuggerOptions::port() const {
    return m_port->text();
}

void DebuggerOptions::chooseDebugger() {
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = QStringLiteral("Select a debugger");
    request.filter = QStringLiteral("All files (*.*)|*.*");
    const QStringList chosen = chooseFiles(this, request);
    if (!chosen.isEmpty())
        m_debuggerProgram->setText(chosen.first());
}

void DebuggerOptions::done(int result) {
    m_placement->save();
    QDialog::done(result);
}
