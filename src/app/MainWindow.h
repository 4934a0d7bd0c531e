#pragma once

#include "app/MainWindowUi.h"
#include "app/WorkspaceHost.h"
#include "build/RunnerRole.h"
#include "settings/LiveSettings.h"
#include "settings/ToolPaths.h"
#include "ui/WindowOnDemand.h"

#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <memory>

class DialogPrompts;
class EditorBuffer;
class FormSizeSave;
class OutputWindow;
class RegistryStore;
class AboutWindow;
class NewProjectWindow;
class ClassWizard;
class SettingsWindow;
class BitmapViewer;
class BugsAndNotesWindow;
class DebuggerOptions;
class HelpBackend;
class ClassHelpWindow;
class DocumentationTab;
class EditCommands;
class ProjectSearchDialog;
struct ProjectSearchQuery;
class BuildChain;
class BuildChainHost;
class ConsoleRunner;
class ClassBrowserRun;
class DeclarationLookup;
class NoteMarkers;
class PalmUserData;
class PlusMemoPrinter;
class RecoveryWindow;
class RecoveryWriter;
class WorkspaceSession;
struct BuildInputs;
class BreakpointSet;
class BreakpointMargin;

// The workspace window: it binds the menus, tool buttons, file lists and panels to the open-file session
// (WorkspaceSession), the build chain and the class browser, and shows what they did; the rules live there.
// Handlers are named for what they do; the widgets keep their component names as objectName, which the
// tests, the stored window geometry and the settings table use.
class MainWindow : public QMainWindow, public WorkspaceHost {
    Q_OBJECT
public:
    explicit MainWindow(RegistryStore& store, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up steps; `arguments` are the program's command-line arguments without the program.
    void startUp(const QStringList& arguments);
    void setAboutWindow(WindowOnDemand<AboutWindow> about) { m_about = std::move(about); }
    void setBitmapViewer(WindowOnDemand<BitmapViewer> viewer) { m_bitmapViewer = std::move(viewer); }
    void setOutputWindow(OutputWindow* output);
    void setNewProjectWindow(NewProjectWindow* window) { m_newProject = window; }
    void setClassWizard(WindowOnDemand<ClassWizard> window) { m_classWizard = std::move(window); }
    void setSettingsWindow(SettingsWindow* window) { m_settingsWindow = window; }
    // Its entries mark the editor's lines, and a double click on one leads to its line.
    void setBugsAndNotes(BugsAndNotesWindow* window);
    // Its port follows into remoteDebuggingAddress() as it is typed.
    void setDebuggerOptions(DebuggerOptions* window);
    // The manual's window once "Help" or "Search help" opened it.
    // The manual's window once it has been opened, else null.
    QWidget* helpWindow() const;
    void setClassHelpWindow(WindowOnDemand<ClassHelpWindow> window) { m_classHelp = std::move(window); }

    MainWindowUi& ui() { return m_ui; }
    SourceEditor* editor() const { return m_ui.sourceEditor; }
    DocumentationTab& documentationTab() const { return *m_documentation; }

    // What the other windows use.
    WorkspaceSession& session() override { return *m_session; }
    RegistryStore& store() override { return m_store; }
    LiveSettings& liveSettings() override { return m_liveSettings; }
    FileResult createFileFromTemplate(const QString& templatePath, const QString& className) override;
    void clearClassBrowser() override;
    ToolPaths toolPaths() const override { return m_toolPaths; }
    void setToolPaths(const ToolPaths& paths) override { m_toolPaths = paths; }
    void setEditorTabWidth(int width) override;
    QComboBox* runTargetBox() override { return m_ui.runTargetBox; }
    void setEmulatorToggleEnabled(bool enabled) override;
    void showDocumentation(const QString& url) override;
    QStringList readPalmUsers(bool reportProblems) override;
    // The build chain.
    BuildChain& chain() { return *m_chain; }
    bool compileError() const;
    ConsoleRunner* runner(RunnerRole role) const { return m_runners.value(runnerIndex(role)); }
    // selectLast keeps the new line in view (the running application's and HotSync's lines).
    void addMessage(const QString& line, bool selectLast = false);
    QStringList messages() const;
    void appendOutput(const QString& line);
    // The remote-debugging switch and address the debugger options own.
    bool remoteDebugging() const { return m_remoteDebugging; }
    QString remoteDebuggingAddress() const { return m_remoteDebuggingAddress; }
    // The page the documentation view shows, or will show once the tab is first opened.
    QString documentationUrl() const;
    // The editor as the session reaches it: a text replaced through it is the program's change.
    EditorBuffer& editorBuffer() { return *m_buffer; }
    // While the started application runs, the Compile menu and the build button are off.
    bool appRunning() const { return m_appRunning; }
    void setAppRunning(bool running) { m_appRunning = running; }
    // The SDK's documentation pages, found at start-up.
    const QStringList& docFileList() const { return m_docFileList; }
    // The page the documentation tab opens with: the SDK's index, or our own page when it is missing.
    QString documentationStartPage() const;

    // Operations shared with other windows.
    void refreshFileLists();
    void updateCaption();
    // Writes every Java buffer and the project file; false when something could not be written.
    bool saveAll();
    void saveScreenSettings();
    // Offers the files changed on disk for reloading.
    void checkFilesChanged();
    // Asks to save what is unsaved; false keeps the program open.
    bool mayClose();
    void enableProjectCommands();
    // Keys go to the editor once it has a file; until then to the Source list, not to the run target.
    void focusEditor();
    // The class browser rebuilds the tree from the editor's text; `path` names the file shown, whose disk
    // copy is not read.
    void updateBrowser(const QString& path);
    ClassBrowserRun& classBrowserRun() { return *m_browserRun; }
    DeclarationLookup& declarationLookup() { return *m_declarations; }
    NoteMarkers& noteMarkers() { return *m_noteMarkers; }
    // The project's breakpoints, and jdb's "stop at" commands for them (their lines read from the editor).
    BreakpointSet& breakpoints() { return *m_breakpoints; }
    QStringList breakpointCommands();
    // Recovery copies (MainWindowRecovery.cpp): what the writer keeps and the window an earlier run's offer.
    RecoveryWriter& recoveryWriter() { return *m_recovery; }
    RecoveryWindow& recoveryWindow();
    // Shows the recovery window when an earlier run left copies to decide on (with a folder: of a file below
    // it, for a project just loaded).
    void offerRecovery(const QString& folder = {});
    // The session manager ends the session: with `interactive`, the close question (false: stay); else
    // every recovery copy written at once.
    bool commitSession(bool interactive);

public slots:
    // File
    void newClassFile();
    void openFiles();
    void saveFile();
    void saveFileAs();
    void saveAllFiles();
    void printFile();
    void exitProgram();
    // The editor's context menu
    void helpOnWord();
    // Project
    void newProject();
    void openProject();
    void saveProject();
    void openSettings();
    void openBugsAndNotes();
    // Compile
    void startApplication();
    void compileAndStart();
    void compile();
    void startDebugging();
    // Sets or clears the breakpoint on the caret line.
    void toggleBreakpoint();
    void toggleRemoteDebugging();
    void remoteDebuggingOptions();
    void saveAllCompileAndStart();
    // Ends the running viewer, emulator or simulator with everything it started.
    void stopApplication();
    void runTargetChanged();
    // The message list's error lines one by one, as a double-click on each would jump; the log window.
    void nextError();
    void previousError();
    // "Find in Project...": every source searched, the hits in the message list.
    void findInProject();
    // "Go to Declaration": the declaration of the name at the caret, in any source.
    void goToDeclaration();
    void showOutputWindow();
    // ?
    void showHelp();
    void searchHelp();
    void checkForUpdates();
    void showAbout();
    // Lists and panels
    void sourceListClicked();
    void otherFilesClicked();
    void showPicture();
    void addOtherFile();
    void removeOtherFile();
    void removeSourceFromProject();
    void removeOtherFromProject();
    void editorChanged();
    void messagePanelDoubleClicked();
    void messagePanelMoved();
    void pageChanged();
    void messageDoubleClicked();
    void clearMessages();
    void copyMessages();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wireCommands();
    // The file lists' clicks and context menus.
    void wireLists();
    // The editor, the message panel, the splitters and the pages.
    void wirePanels();
    void setupRunners();
    // The status bar's fields (MainWindowStatus.cpp): caret, typing mode and how the last compile ended.
    void setupStatusFields();
    void showCaretStatus();
    void jumpToError(int step);
    void listProjectSearch(const ProjectSearchQuery& query);
    BuildInputs buildInputs() const;
    // The project's main class must be open to build; says so when it is not.
    bool mainClassPresent();
    PalmUserData& palmUsers();
    // The Settings window at the page with this caption.
    void openSettingsAt(const QString& page);
    friend class MainWindowChainHost;
    friend class MainWindowDebuggerHost;
    void applyPaneSizes();
    // Reads a project file into the session; the creator ID and the project's commands follow it.
    void loadProject(const QString& path);
    void removeSelected(FileKind kind);
    void selectFirstOtherFile();

    RegistryStore& m_store;
    MainWindowUi m_ui;
    FormSizeSave* m_placement = nullptr;
    std::unique_ptr<DialogPrompts> m_prompts;
    std::unique_ptr<EditorBuffer> m_buffer;
    std::unique_ptr<WorkspaceSession> m_session;
    ToolPaths m_toolPaths;
    LiveSettings m_liveSettings;
    DocumentationTab* m_documentation = nullptr;
    WindowOnDemand<ClassHelpWindow> m_classHelp;
    WindowOnDemand<AboutWindow> m_about;
    WindowOnDemand<BitmapViewer> m_bitmapViewer;
    NewProjectWindow* m_newProject = nullptr;
    WindowOnDemand<ClassWizard> m_classWizard;
    SettingsWindow* m_settingsWindow = nullptr;
    BugsAndNotesWindow* m_bugsAndNotes = nullptr;
    DebuggerOptions* m_debuggerOptions = nullptr;
    // The help file found at start-up; empty when there is none.
    QString m_helpFile;
    HelpBackend* m_help = nullptr;
    HelpBackend* openHelp();
    // "Allow Remote Debugging", its check mark kept to the switch.
    QAction* remoteDebuggingItem();
    OutputWindow* m_output = nullptr;
    EditCommands* m_edit = nullptr;
    ProjectSearchDialog* m_projectSearch = nullptr; // made on first use
    QList<ConsoleRunner*> m_runners;                // GUI2Console1 .. GUI2Console9
    std::unique_ptr<PalmUserData> m_palmUsers;
    std::unique_ptr<BuildChainHost> m_chainHost;
    std::unique_ptr<BuildChain> m_chain;
    std::unique_ptr<PlusMemoPrinter> m_printer; // made at the first print
    bool m_refreshing = false;
    // The path of the file the editor shows; empty for none.
    QString currentPath() const;
    ClassBrowserRun* m_browserRun = nullptr;
    DeclarationLookup* m_declarations = nullptr;
    NoteMarkers* m_noteMarkers = nullptr;
    bool m_remoteDebugging = false;
    QString m_remoteDebuggingAddress = QStringLiteral("5000");
    int m_lastLineCount = 0;
    bool m_appRunning = false;
    int m_outputPanelHeight = 125;
    QStringList m_docFileList;
    // Breakpoints: the set of the project in m_breakpointsFolder, and the editor's margin for them.
    void setupBreakpoints();
    void breakpointsFolderChanged(const QString& projectDir);
    // The breakpoints of a buffer saved under another name go with it to that name.
    void breakpointsFollowRename(const QString& before, const QString& after);
    void saveBreakpoints();
    QString breakpointFileOfCurrent() const;
    std::unique_ptr<BreakpointSet> m_breakpoints;
    BreakpointMargin* m_breakpointMargin = nullptr;
    QString m_breakpointsFolder;
    void setupRecovery();
    RecoveryWindow* m_recoveryWindow = nullptr; // made when first needed
    // Last, so that it goes first: it holds the session.
    std::unique_ptr<RecoveryWriter> m_recovery;
};
