#pragma once

#include <QDialog>
#include <QString>

class FormSizeSave;
class QLineEdit;
class QListWidget;
class QPushButton;
class WorkspaceHost;

// The Class Wizard (Form4): generates a new class of the open project from any class template of the
// program folder. The template list is read once, when the window is created.
class ClassWizard : public QDialog {
    Q_OBJECT
public:
    // `templateFolder` is the program folder unless a test says otherwise.
    explicit ClassWizard(WorkspaceHost& host, QWidget* parent = nullptr,
                         const QString& templateFolder = QString());

    // newClassFile shows the window through this; true when a class was generated.
    bool runModal();

    QListWidget* m_templateList = nullptr;
    QLineEdit* m_className = nullptr;      // class name
    QPushButton* m_okButton = nullptr;     // OK
    QPushButton* m_cancelButton = nullptr; // Cancel

public slots:
    void generateClass();
    void done(int result) override;

private:
    void setupUi();
    void fillTemplates();

    WorkspaceHost& m_host;
    QString m_templateFolder;
    FormSizeSave* m_placement = nullptr;
    bool m_created = false;
};
