#include "EditNoteWindow.h"

#include "BugsAndNotesWindow.h"
#include "ui/FontScale.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

EditNoteWindow::EditNoteWindow(BugsAndNotesWindow& notes, QWidget* parent) : QDialog(parent), m_notes(notes) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Edit bug/note"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEnabled(false);

    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));

    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->setMinimumWidth(fontscale::px(300));

    RadioButton1 = new QRadioButton(QStringLiteral("Open"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Closed"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    auto* status = new QHBoxLayout;
    status->addWidget(RadioButton1);
    status->addWidget(RadioButton2);
    status->addStretch();

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({QStringLiteral("High"), QStringLiteral("Medium"), QStringLiteral("Low")});
    ComboBox1->setCurrentIndex(2);

    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("ID"), Edit1);
    fields->addRow(QStringLiteral("Date"), DateTimePicker1);
    fields->addRow(QStringLiteral("Description"), Edit3);
    fields->addRow(QStringLiteral("Status"), status);
    fields->addRow(QStringLiteral("Priority"), ComboBox1);
    fields->addRow(QStringLiteral("File and line"), Edit2);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &EditNoteWindow::Button1Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    // A fixed dialog border: the size the fields need, not resizable.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString EditNoteWindow::dateText(const QDate& date) {
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

void EditNoteWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void EditNoteWindow::FormShow() {
    Edit1->setText(QString::number(m_notes.notes().nextId()));
    DateTimePicker1->setDate(QDate::currentDate());
    Edit3->setFocus();
}

void EditNoteWindow::Button1Click() {
    m_notes.addEntry(
        {Edit1->text(), dateText(DateTimePicker1->date()), Edit3->text(), ComboBox1->currentText(),
         RadioButton1->isChecked() ? NotesRegister::kOpen : NotesRegister::kClosed, Edit2->text()});
    accept();
}
