#pragma once

#include "app/FileList.h"
#include "app/MainWindowUi.h"
#include "app/ProjectValues.h"
#include "settings/ToolPaths.h"

#include <QMainWindow>
#include <QStringList>

class FormSizeSave;
class RegistryStore;
class TForm2;
class TForm6;

// The workspace window: project, open files, the one editor, the message list and the command map.
// Handlers keep the names under which the rest of the program knows them.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(RegistryStore& store, QWidget* parent = nullptr);
    ~TForm1() override;

    // The start-up steps; `arguments` are the program's command-line arguments without the program.
    void FormCreate(const QStringList& arguments);
    void setAboutWindow(TForm2* about) { m_about = about; }
    void setBitmapViewer(TForm6* viewer) { m_bitmapViewer = viewer; }

    MainWindowUi& ui() { return m_ui; }
    SourceEditor* editor() const { return m_ui.RichEdit1; }
    ProjectValues& project() { return m_project; }
    FileList& files() { return m_files; }
    const ToolPaths& toolPaths() const { return m_toolPaths; }
    bool SuppressChange = false;
    int LastLineCount = 0;
    bool AppRunning = false;
    int OutputPanelHeight = 125;
    QStringList DocFileList;
    // The page the documentation tab opens with: the SDK's index, or our own page when it is missing.
    QString documentationStartPage() const;

    // Operations shared with other windows.
    void refreshFileLists();
    void updateCaption();
    void captureEditor(bool full);
    void showFile(TProjectFile* record);
    bool saveCurrentFile();
    // Writes every Java buffer and the project file; false when something could not be written.
    bool saveAll();
    void saveScreenSettings();
    void checkFilesChanged();
    bool FormCloseQuery();
    void enableProjectCommands();
    // Reads a project file into the workspace; `atStartup` asks nothing and records file times.
    void loadProjectFile(const QString& path, bool atStartup);

public slots:
    // File
    void New1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void SaveFileas1Click();
    void ToolButton4Click();
    void Print1Click();
    void Exit1Click();
    // Edit
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void DeleteSelection1Click();
    void SelectAll1Click();
    void Find1Click();
    void FindReplace1Click();
    // Project
    void New2Click();
    void Load1Click();
    void Save1Click();
    void Settings1Click();
    void Manager1Click();
    // Compile
    void StartJava1Click();
    void Start1Click();
    void Compile2Click();
    void StartDebugger1Click();
    void StartRemoteDebugging1Click();
    void RemoteDebuggingOptions1Click();
    void ToolButton19Click();
    void ComboBox1Change();
    // ?
    void AboutOrrery1Click();
    void Search1Click();
    void Checkforupdates1Click();
    void AboutOrrery2Click();
    // Lists and panels
    void ListBox1Click();
    void ListBox2Click();
    void Showpicture1Click();
    void ToolButton15Click();
    void ToolButton16Click();
    void Removefromproject1Click();
    void Removefromproject2Click();
    void RichEdit1Change();
    void Panel4DblClick();
    void Splitter2Moved();
    void Splitter3Moved();
    void PageControl1Change();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wireCommands();
    void applyPaneSizes();
    void FormClose();
    void copyIntoProject(const QString& source);
    void removeSelected(FileKind kind);
    void selectFirstOtherFile();
    void showError(const QString& message);
    bool anyModified() const;
    void reloadRecord(TProjectFile& record);

    RegistryStore& m_store;
    MainWindowUi m_ui;
    FormSizeSave* m_placement = nullptr;
    ProjectValues m_project;
    FileList m_files;
    ToolPaths m_toolPaths;
    TForm2* m_about = nullptr;
    TForm6* m_bitmapViewer = nullptr;
    bool m_refreshing = false;
    bool m_checkingFiles = false;
};
