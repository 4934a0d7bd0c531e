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

    m_id = new QLineEdit(this);
    m_id->setObjectName(QStringLiteral("Edit1"));
    m_id->setEnabled(false);

    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("DateTimePicker1"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));

    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("Edit3"));
    m_description->setMinimumWidth(FontScale::px(300));

    m_open = new QRadioButton(QStringLiteral("Open"), this);
    m_open->setObjectName(QStringLiteral("RadioButton1"));
    m_open->setChecked(true);
    m_closed = new QRadioButton(QStringLiteral("Closed"), this);
    m_closed->setObjectName(QStringLiteral("RadioButton2"));
    auto* status = new QHBoxLayout;
    status->addWidget(m_open);
    status->addWidget(m_closed);
    status->addStretch();

    m_priority = new QComboBox(this);
    m_priority->setObjectName(QStringLiteral("ComboBox1"));
    m_priority->setEditable(true);
    m_priority->setInsertPolicy(QComboBox::NoInsert);
    m_priority->addItems({QStringLiteral("High"), QStringLiteral("Medium"), QStringLiteral("Low")});
    m_priority->setCurrentIndex(2);

    m_fileAndLine = new QLineEdit(this);
    m_fileAndLine->setObjectName(QStringLiteral("Edit2"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("ID"), m_id);
    fields->addRow(QStringLiteral("Date"), m_date);
    fields->addRow(QStringLiteral("Description"), m_description);
    fields->addRow(QStringLiteral("Status"), status);
    fields->addRow(QStringLiteral("Priority"), m_priority);
    fields->addRow(QStringLiteral("File and line"), m_fileAndLine);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &EditNoteWindow::addToRegister);
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
    m_id->setText(QString::number(m_notes.notes().nextId()));
    m_date->setDate(QDate::currentDate());
    m_description->setFocus();
}

void EditNoteWindow::addToRegister() {
    m_notes.addEntry(
        {m_id->text(), dateText(m_date->date()), m_description->text(), m_priority->currentText(),
         m_open->isChecked() ? NotesRegister::kOpen : NotesRegister::kClosed, m_fileAndLine->text()});
    accept();
}
