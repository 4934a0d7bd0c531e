#pragma once

#include <QDialog>
#include <QString>

class FormSizeSave;
class QCheckBox;
class QLineEdit;
class QPushButton;
class WorkspaceHost;

// The New Project window (Form3): a project name and the folder the project folder goes into; OK creates
// the folder, makes it the open project and, on request, generates its main window class.
class NewProjectWindow : public QDialog {
    Q_OBJECT
public:
    // `templateFolder` holds MainWindow.orw; the program folder unless a test says otherwise.
    explicit NewProjectWindow(WorkspaceHost& host, QWidget* parent = nullptr,
                              const QString& templateFolder = QString());

    // newProject shows the window through this; true when a project was created.
    bool runModal();

    QLineEdit* m_projectName = nullptr;     // project name
    QLineEdit* m_parentFolder = nullptr;    // parent folder
    QCheckBox* m_createMainClass = nullptr; // Create MainWindow Class
    QPushButton* m_okButton = nullptr;      // OK
    QPushButton* m_browseButton = nullptr;  // ...
    QPushButton* m_cancelButton = nullptr;  // Cancel

    // The path field's text before the user changes it: the stored "Projects" folder, $HOME/Projects/ when
    // none is stored, "/" when the product key does not exist at all.
    static QString initialProjectsFolder(WorkspaceHost& host);

public slots:
    void createProject();
    void chooseParentFolder();
    void inputChanged();
    void done(int result) override;

private:
    void setupUi();

    WorkspaceHost& m_host;
    QString m_templateFolder;
    FormSizeSave* m_placement = nullptr;
    bool m_created = false;
};
