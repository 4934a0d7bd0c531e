#pragma once

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class BugsAndNotesWindow;

// "Edit bug/note": a new entry for the Bugs and Notes list. Only the ID and the date are set on each
// showing; the other fields keep what they held when the window last closed, so a new entry starts as a
// copy of the previous one.
class EditNoteWindow : public QDialog {
    Q_OBJECT
public:
    explicit EditNoteWindow(BugsAndNotesWindow& notes, QWidget* parent = nullptr);

    QLineEdit* m_id = nullptr;
    QDateEdit* m_date = nullptr;
    QLineEdit* m_description = nullptr;
    QRadioButton* m_open = nullptr;
    QRadioButton* m_closed = nullptr;
    QComboBox* m_priority = nullptr;
    QLineEdit* m_fileAndLine = nullptr;

    // The date as a row shows it: the system's short date format.
    static QString dateText(const QDate& date);

public slots:
    void addToRegister();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    BugsAndNotesWindow& m_notes;
};
