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
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, &DebuggerOptions::Button3Click);
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
    RadioButton1 = new QRadioButton(QStringLiteral("Use JDB"));
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Other (Remote Debugger)"));
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));

    auto* other = new QFrame;
    other->setObjectName(QStringLiteral("Panel1"));
    other->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button3 = new QPushButton(QStringLiteral("..."));
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setFixedWidth(Button3->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    Edit4 = new QLineEdit;
    Edit4->setObjectName(QStringLiteral("Edit4"));
    auto* otherGrid = new QGridLayout(other);
    otherGrid->addWidget(new QLabel(QStringLiteral("Debugger")), 0, 0);
    otherGrid->addWidget(Edit1, 0, 1);
    otherGrid->addWidget(Button3, 0, 2);
    otherGrid->addWidget(new QLabel(QStringLiteral("Parameter")), 1, 0);
    otherGrid->addWidget(Edit4, 1, 1, 1, 2);

    auto* selectLayout = new QVBoxLayout(select);
    selectLayout->addWidget(RadioButton1);
    selectLayout->addWidget(RadioButton2);
    selectLayout->addWidget(other);

    auto* remote = new QGroupBox(QStringLiteral("Remote Debugging Options "));
    remote->setObjectName(QStringLiteral("GroupBox2"));
    Edit3 = new QLineEdit(QStringLiteral("5000"));
    Edit3->setObjectName(QStringLiteral("Edit3"));
    auto* remoteLayout = new QHBoxLayout(remote);
    remoteLayout->addWidget(new QLabel(QStringLiteral("Port")));
    remoteLayout->addWidget(Edit3, 1);

    Button2 = new QPushButton(QStringLiteral("Cancel"));
    Button2->setObjectName(QStringLiteral("Button2"));
    Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);

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
    return {RadioButton1->isChecked(), Edit1->text(), Edit4->text()};
}

QString DebuggerOptions::port() const {
    return Edit3->text();
}

void DebuggerOptions::Button3Click() {
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = QStringLiteral("Select a debugger");
    request.filter = QStringLiteral("All files (*.*)|*.*");
    const QStringList chosen = chooseFiles(this, request);
    if (!chosen.isEmpty())
        Edit1->setText(chosen.first());
}

void DebuggerOptions::done(int result) {
    m_placement->save();
    QDialog::done(result);
}
