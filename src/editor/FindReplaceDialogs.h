#pragma once

#include "TextSearch.h"

#include <QDialog>
#include <QObject>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SourceEditor;

// The modeless find dialog, or with `replacing` the replace dialog, with the controls of the Windows
// ones. It only reports: the owner runs the commands.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(bool replacing, QWidget* parent = nullptr);

    QString searchText() const;
    QString replacement() const;
    SearchOptions options() const;

    QLineEdit* findWhat = nullptr;
    QLineEdit* replaceWith = nullptr; // replace dialog only
    QCheckBox* wholeWord = nullptr;
    QCheckBox* matchCase = nullptr;
    QRadioButton* up = nullptr;
    QRadioButton* down = nullptr;
    QPushButton* findNextButton = nullptr;
    QPushButton* replaceButton = nullptr;    // replace dialog only
    QPushButton* replaceAllButton = nullptr; // replace dialog only
    QPushButton* cancelButton = nullptr;

signals:
    void findNextPressed();
    void replacePressed();
    void replaceAllPressed();
};

// The find and replace commands of the main window on its editor: both dialogs, created once, and
// what their buttons do. A search that finds nothing, and every replace-all run, ends with the beep.
class FindReplace : public QObject {
    Q_OBJECT
public:
    FindReplace(SourceEditor& editor, QWidget* dialogParent);

    // "&Find...": the find dialog at the place computed from the main window's frame.
    void showFind(const QRect& mainWindowFrame);
    // "Find/R&eplace...": the replace dialog where it was last placed.
    void showReplace();

    SearchDialog* findDialog() const { return m_find; }
    SearchDialog* replaceDialog() const { return m_replace; }

    // The system beep; tests listen here.
    std::function<void()> beep;

signals:
    // A Replace All ran and replaced `count` occurrences.
    void replacedAll(int count);

private:
    void findNextFrom(const SearchDialog& dialog);

    SourceEditor& m_editor;
    SearchDialog* m_find;
    SearchDialog* m_replace;
};
