#include "MainWindow.h"

#include "BitmapViewer.h"
#include "ClassBrowserRun.h"
#include "ClassHelpWindow.h"
#include "ClassWizard.h"
#include "CommandMap.h"
#include "DeclarationLookup.h"
#include "DocumentationTab.h"
#include "EditCommands.h"
#include "HeaderPanel.h"
#include "LazyWebView.h"
#include "MainWindowAdapters.h"
#include "NewProjectWindow.h"
#include "NoteMarkers.h"
#include "RecoveryWindow.h"
#include "SettingsRules.h"
#include "SettingsWindow.h"
#include "build/BuildChain.h"
#include "build/BuildChainHost.h"
#include "build/ConsoleRunner.h"
#include "build/PalmUserData.h"
#include "editor/ClassBrowser.h"
#include "editor/ContextHelp.h"
#include "editor/FindCommands.h"
#include "editor/FindReplaceDialogs.h"
#include "editor/SourceEditor.h"
#include "editor/ToggleComment.h"
#include "editor/TypingAids.h"
#include "notes/BugsAndNotesWindow.h"
#include "print/PlusMemoPrinter.h"
#include "settings/FormSizeSave.h"
#include "settings/ProductSettings.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsTable.h"
#include "ui/AboutWindow.h"
#include "ui/FontScale.h"
#include "ui/MessageDialog.h"
#include "workspace/Breakpoints.h"
#include "workspace/FileListsState.h"
#include "workspace/FileTime.h"
#include "workspace/FindFiles.h"
#include "workspace/PathHelpers.h"
#include "workspace/RecoveryWriter.h"
#include "workspace/StartProject.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdio>

namespace {

const QString kCaption = QStringLiteral("Kovrin Handwright 1.8 for SuperWaba");

// A first start has no JDK folder yet: the one whose javac is on PATH is stored, not merely shown. The
// stand-in SDK beside the program serves until the user sets one, stored as the JDK is.
ToolPaths withDefaultTools(RegistryStore& store, ToolPaths paths) {
    if (paths.jdkPath.isEmpty()) {
        const QString jdk = SettingsRules::detectJdkFolder();
        if (jdk.isEmpty())
            messageDialog(SettingsRules::missingJdkMessage(), mtInformation, mbOK);
        else if (RegistryKey key(store); key.openKey(settingKeyPath(SettingKey::Paths), true) &&
                                         key.writeString(QStringLiteral("JDKPath"), jdk))
            paths.jdkPath = jdk;
    }
    if (paths.superWabaPath.isEmpty()) {
        const QString sdk = SettingsRules::bundledSdkFolder(programFolder());
        if (RegistryKey key(store); !sdk.isEmpty() && key.openKey(settingKeyPath(SettingKey::Paths), true) &&
                                    key.writeString(QStringLiteral("SuperWabaPath"), sdk))
            paths.superWabaPath = sdk;
    }
    return paths;
}

// The SDK's documentation pages, for the help on the word at the caret.
void findDocumentationPages(const QString& superWabaPath, QStringList& pages) {
    const QString docFolder = superWabaPath + "docs/html/";
    if (superWabaPath.isEmpty() || !QFileInfo(docFolder).isDir())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    findFiles(docFolder, "*.html", pages, [] {
        QCoreApplication::processEvents();
        return !QCoreApplication::closingDown();
    });
    QApplication::restoreOverrideCursor();
}

} // namespace

MainWindow::MainWindow(RegistryStore& store, QWidget* parent) : QMainWindow(parent), m_store(store) {
    m_ui.setupUi(this);
    m_prompts = std::make_unique<DialogPrompts>();
    m_buffer = std::make_unique<EditorBuffer>(*m_ui.sourceEditor);
    m_session = std::make_unique<WorkspaceSession>(*m_prompts, *m_buffer);
    m_session->setListsChanged([this] {
        refreshFileLists();
        if (m_recovery)
            m_recovery->filesChanged();
    });
    m_session->setRememberProject([this](const QString& projectFile) {
        updateCaption();
        ProductSettings::writeLastProject(m_store, projectFile);
    });
    m_placement = new FormSizeSave(this, &m_store);
    m_edit = new EditCommands(*m_ui.sourceEditor, m_liveSettings, this);
    connect(m_edit, &EditCommands::replacedAll, this,
            [this](int count) { statusBar()->showMessage(replacedMessage(count)); });
    m_documentation = new DocumentationTab(m_ui.documentationPage);
    wireCommands();
    setupRunners();
    m_browserRun = new ClassBrowserRun(m_ui, *runner(RunnerRole::ClassParser), this);
    m_declarations = new DeclarationLookup(*this);
    m_noteMarkers = new NoteMarkers(*this);
    setupStatusFields();
    setupBreakpoints();
    setupRecovery();
}

MainWindow::~MainWindow() = default;

void MainWindow::wireCommands() {
    // Menu items run their handler unless their menu is disabled, so a shortcut cannot reach a command
    // whose menu the user sees greyed out.
    for (const MenuCommand& command : menuCommands()) {
        QAction* action = m_ui.menuActions.value(command.objectName);
        QMenu* menu = qobject_cast<QMenu*>(action->parent());
        const CommandHandler handler = command.handler;
        const bool whileRunning = command.whileApplicationRuns;
        connect(action, &QAction::triggered, this, [this, menu, handler, whileRunning] {
            const bool refusedWhileRunning =
                m_appRunning && menu == m_ui.menus.value("Compile1") && !whileRunning;
            if (menu && (!menu->menuAction()->isEnabled() || refusedWhileRunning)) {
                // F10, F11 and the like must not seem to do nothing while the application runs.
                if (m_appRunning && menu == m_ui.menus.value("Compile1"))
                    statusBar()->showMessage(QStringLiteral("The application is still running: close it "
                                                            "before you compile or start it again."),
                                             10000);
                return;
            }
            handler(*this, *m_edit);
        });
    }
    for (const ToolCommand& tool : toolCommands()) {
        QAction* action = m_ui.toolActions.value(tool.objectName);
        connect(action, &QAction::triggered, this,
                [this, handler = tool.handler] { handler(*this, *m_edit); });
        action->setEnabled(!tool.startsDisabled);
    }
    for (const MenuTitle& title : menuTitles())
        m_ui.menus.value(title.objectName)->menuAction()->setEnabled(!title.startsDisabled);
    connect(m_ui.runTargetBox, &QComboBox::currentTextChanged, this, &MainWindow::runTargetChanged);
    wireLists();
    wirePanels();
}

void MainWindow::wireLists() {
    // A list entry is "clicked" when the selection moves (mouse or keys) and when the selected entry is
    // clicked again; a mouse press that moved the selection is not counted a second time on release.
    const auto clickable = [this](QListWidget* list, void (MainWindow::*handler)()) {
        connect(list, &QListWidget::currentRowChanged, this, [this, list, handler] {
            if (m_refreshing)
                return;
            list->setProperty("rowChangedByPress", QGuiApplication::mouseButtons() != Qt::NoButton);
            (this->*handler)();
        });
        connect(list, &QListWidget::itemClicked, this, [this, list, handler] {
            const bool handled = list->property("rowChangedByPress").toBool();
            list->setProperty("rowChangedByPress", false);
            if (!m_refreshing && !handled)
                (this->*handler)();
        });
    };
    clickable(m_ui.sourceList, &MainWindow::sourceListClicked);
    clickable(m_ui.otherFileList, &MainWindow::otherFilesClicked);
    connect(m_ui.sourceList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_ui.sourceListMenu->popup(m_ui.sourceList->viewport()->mapToGlobal(at));
    });
    connect(m_ui.otherFileList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_ui.otherFilesMenu->popup(m_ui.otherFileList->viewport()->mapToGlobal(at));
    });
    connect(m_ui.saveSourceItem, &QAction::triggered, this, &MainWindow::saveFile);
    connect(m_ui.removeSourceItem, &QAction::triggered, this, &MainWindow::removeSourceFromProject);
    connect(m_ui.addOtherFileItem, &QAction::triggered, this, &MainWindow::addOtherFile);
    connect(m_ui.showPictureItem, &QAction::triggered, this, &MainWindow::showPicture);
    connect(m_ui.removeOtherItem, &QAction::triggered, this, &MainWindow::removeOtherFromProject);
    connect(m_ui.addFileAction, &QAction::triggered, this, &MainWindow::addOtherFile);
    connect(m_ui.removeFileAction, &QAction::triggered, this, &MainWindow::removeOtherFile);
}

void MainWindow::wirePanels() {
    connect(m_ui.sourceEditor, &SourceEditor::changed, this, &MainWindow::editorChanged);
    for (const MenuCommand& command : editorMenuCommands()) {
        connect(m_ui.editorMenuActions.value(command.objectName), &QAction::triggered, this,
                [this, handler = command.handler] { handler(*this, *m_edit); });
    }
    connect(m_ui.sourceEditor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_ui.editorMenu->popup(m_ui.sourceEditor->mapToGlobal(at)); });
    connect(m_ui.messageHeader, &HeaderPanel::doubleClicked, this, &MainWindow::messagePanelDoubleClicked);
    connect(m_ui.mainSplitter, &QSplitter::splitterMoved, this, &MainWindow::saveScreenSettings);
    connect(m_ui.leftSplitter, &QSplitter::splitterMoved, this, &MainWindow::saveScreenSettings);
    connect(m_ui.sourceSplitter, &QSplitter::splitterMoved, this, &MainWindow::messagePanelMoved);
    connect(m_ui.pages, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
}

void MainWindow::startUp(const QStringList& arguments) {
    m_placement->restore();
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            checkFilesChanged();
    });
    m_outputPanelHeight = 125;
    m_appRunning = false;
    if (const QString help = programFolder() + QStringLiteral("/handwright.qch"); QFileInfo::exists(help))
        m_helpFile = help;
    updateCaption();

    m_toolPaths = withDefaultTools(m_store, ToolPaths::readFromStore(m_store));
    const QString lastProject = ProductSettings::readLastProject(m_store);
    applyPaneSizes();
    const StartProject start = startProject(arguments, lastProject);
    // What a file manager or a shell asked for and did not get is said where either would see it.
    if (!start.problem.isEmpty()) {
        std::fprintf(stderr, "handwright: %s\n", start.problem.toLocal8Bit().constData());
        messageDialog(start.problem, mtError, mbOK);
    }
    const QString& projectToOpen = start.path;

    if (!projectToOpen.isEmpty()) {
        loadProject(projectToOpen);
        refreshFileLists();
        updateCaption();
        updateBrowser(currentPath());
        QDir::setCurrent(project().ProjectDir);
        // Asked while the first parse runs: it follows once that one has ended.
        updateBrowser(currentPath());
    }
    refreshFileLists();
    focusEditor();
    // Over the main window, once it is shown.
    QTimer::singleShot(0, this, [this] { offerRecovery(); });

    m_documentation->WebBrowser1->navigate(documentationStartPage());
    findDocumentationPages(m_toolPaths.superWabaPath, m_docFileList);
}

void MainWindow::applyPaneSizes() {
    ProductSettings::PaneSizesRead read = ProductSettings::readPaneSizes(m_store);
    // Splitter2, Splitter1, Splitter3, Splitter4 in this order.
    if (read.sizes[1])
        m_ui.setLeftPaneWidth(*read.sizes[1]);
    if (read.sizes[0])
        m_ui.setSourceListHeight(*read.sizes[0]);
    if (read.sizes[2])
        m_ui.setMessagePanelHeight(*read.sizes[2]);
    if (read.sizes[3])
        m_ui.setClassTreeHeight(*read.sizes[3]);
    // A damaged value is skipped; start-up goes on so the last project still opens.
    for (const QString& error : read.errors)
        m_prompts->error(error);
}

QString MainWindow::documentationStartPage() const {
    const QString index = m_toolPaths.superWabaPath + "docs/html/index.html";
    if (!m_toolPaths.superWabaPath.isEmpty() && QFileInfo::exists(index))
        return ContextHelp::fileUrl(index);
    return ContextHelp::fileUrl(programFolder() + "/noHelp.html");
}

QString MainWindow::documentationUrl() const {
    return m_documentation->WebBrowser1->pendingOrCurrentUrl();
}

QString MainWindow::currentPath() const {
    const ProjectRecord* current = m_session->files().currentFile();
    return current ? current->Path : QString();
}

void MainWindow::updateBrowser(const QString& /*path*/) {
    m_browserRun->refresh();
}

void MainWindow::updateCaption() {
    const ProjectValues& open = project();
    if (open.hasProject())
        setWindowTitle(kCaption + " <" + open.ProjectDir + open.ProjectFileName + ">");
    else
        setWindowTitle(kCaption);
    // A window without a project shows nothing to work on: it says where work starts.
    if (open.hasProject())
        m_ui.mainStatusBar->clearMessage();
    else
        m_ui.mainStatusBar->showMessage(QStringLiteral("Project > New... or Load Project..."));
    // A register still open belongs to the project it was read for.
    if (m_bugsAndNotes)
        m_bugsAndNotes->projectFolderChanged(open.ProjectDir);
    breakpointsFolderChanged(open.ProjectDir);
    if (m_noteMarkers)
        m_noteMarkers->followProject(open.ProjectDir);
}

void MainWindow::setBugsAndNotes(BugsAndNotesWindow* window) {
    m_bugsAndNotes = window;
    if (!window)
        return;
    connect(window, &BugsAndNotesWindow::entriesChanged, m_noteMarkers,
            [this, window] { m_noteMarkers->setEntries(window->notes().entries()); });
    window->setSourceOpener(
        [this](const QString& fileAndLine) { return m_noteMarkers->openSource(fileAndLine); });
}

void MainWindow::refreshFileLists() {
    const FileListsState state = fileListsState(files(), m_appRunning, project().hasProject());
    m_refreshing = true;
    m_ui.sourceList->clear();
    m_ui.sourceList->addItems(state.sourceLabels);
    m_ui.sourceList->setCurrentRow(state.selectedSource);
    m_ui.otherFileList->clear();
    m_ui.otherFileList->addItems(state.otherLabels);
    m_ui.otherFileList->setCurrentRow(-1);
    m_refreshing = false;

    for (const char* name : {"ToolButton3", "ToolButton6", "ToolButton7", "ToolButton8", "ToolButton9",
                             "ToolButton10", "ToolButton11"})
        m_ui.toolActions.value(name)->setEnabled(state.hasFiles);
    for (const char* name : {"SaveFile1", "SaveFileas1"})
        m_ui.menuActions.value(name)->setEnabled(state.hasFiles);
    m_ui.toolActions.value("ToolButton4")->setEnabled(state.projectCommands);
    for (const char* name : {"Saveall1", "Save1"})
        m_ui.menuActions.value(name)->setEnabled(state.projectCommands);
    m_ui.addFileAction->setEnabled(state.projectCommands);
    m_ui.sourceEditor->setEnabled(state.hasFiles);
    m_ui.removeFileAction->setEnabled(state.removeFileEnabled);
    m_ui.toolActions.value("ToolButton19")->setEnabled(state.compileEnabled);
    // While the application runs its menu stays open for Stop application and a new start.
    m_ui.menus.value("Compile1")->menuAction()->setEnabled(state.compileEnabled || m_appRunning);
    m_ui.showPictureItem->setEnabled(state.otherMenuEnabled);
    m_ui.removeOtherItem->setEnabled(state.otherMenuEnabled);
    m_ui.saveSourceItem->setEnabled(state.sourceMenuEnabled);
    m_ui.removeSourceItem->setEnabled(state.sourceMenuEnabled);
}

void MainWindow::selectFirstOtherFile() {
    // Selecting in code is no click: the bitmap viewer is not loaded by it.
    m_refreshing = true;
    if (m_ui.otherFileList->count() > 0)
        m_ui.otherFileList->setCurrentRow(0);
    m_refreshing = false;
}

void MainWindow::enableProjectCommands() {
    for (const char* name : {"File1", "Edit1", "Compile1"})
        m_ui.menus.value(name)->menuAction()->setEnabled(true);
    m_ui.toolActions.value("ToolButton1")->setEnabled(true);
    m_ui.toolActions.value("ToolButton2")->setEnabled(true);
}

void MainWindow::focusEditor() {
    if (m_ui.sourceEditor->isEnabled())
        m_ui.sourceEditor->setFocus();
    else
        m_ui.sourceList->setFocus();
}

void MainWindow::saveScreenSettings() {
    ProductSettings::saveScreenSettings(m_store, {m_ui.sourceListHeight(), m_ui.leftPaneWidth(),
                                                  m_ui.messagePanelHeight(), m_ui.classTreeHeight()});
}

void MainWindow::messagePanelMoved() {
    if (const int count = m_ui.messageList->count())
        m_ui.messageList->setCurrentRow(count - 1);
    saveScreenSettings();
}

void MainWindow::messagePanelDoubleClicked() {
    const int height = m_ui.messagePanelHeight();
    // Collapsed, the panel keeps its header, which grows with the desktop's font.
    if (height > FontScale::px(24)) {
        m_outputPanelHeight = height;
        m_ui.setMessagePanelHeight(FontScale::px(15));
    } else {
        m_ui.setMessagePanelHeight(m_outputPanelHeight);
    }
}

void MainWindow::pageChanged() {
    const QString index = m_toolPaths.superWabaPath + "docs/html/index.html";
    if (m_toolPaths.superWabaPath.isEmpty() || !QFileInfo::exists(index))
        m_documentation->WebBrowser1->navigate(ContextHelp::fileUrl(programFolder() + "/noHelp.html"));
}

bool MainWindow::mayClose() {
    return m_session->closeQuestion().ok();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    // Saved or answered No: the copies of this run go, before the window is gone.
    m_recovery->filesChanged();
    m_recovery->waitForWrites();
    m_placement->save();
    // A Palm target still waiting for its delay would start after the program has gone.
    m_chain->cancelLaunch();
    event->accept();
}

void MainWindow::exitProgram() {
    close();
}

// The hidden toggle is down exactly when a Palm target is chosen.
void MainWindow::runTargetChanged() {
    m_ui.palmTargetToggle->setChecked(m_ui.runTargetBox->currentText() != QLatin1String("Java"));
}

void MainWindow::showAbout() {
    if (m_about)
        m_about->show();
}

void MainWindow::newClassFile() {
    if (m_classWizard)
        m_classWizard->runModal();
}

void MainWindow::newProject() {
    if (!m_newProject)
        return;
    // A new project clears the open files: unsaved work is offered for saving first, as Load does.
    if (!m_session->offerToSave(false))
        return;
    const bool created = m_newProject->runModal();
    // Also after Cancel, as long as a project is open.
    if (!project().hasProject())
        return;
    // The tree was cleared before the main class filled the editor.
    if (created && files().currentFile())
        updateBrowser(currentPath());
    updateCaption();
    m_liveSettings.setCreatorId(QString());
    enableProjectCommands();
    refreshFileLists();
    focusEditor();
}

void MainWindow::openSettings() {
    if (m_settingsWindow)
        m_settingsWindow->runModal();
}

// Commands that arrive with later parts of the program.
void MainWindow::printFile() {
    if (!m_printer) {
        m_printer = std::make_unique<PlusMemoPrinter>();
        m_printer->setMemoToPrint(m_ui.sourceEditor);
    }
    const ProjectRecord* current = files().currentFile();
    m_printer->LineNumbers = true;
    m_printer->Header =
        PlusMemoPrinter::projectHeader(project().ProjectName, current ? current->Name : QString());
    m_printer->SourcePath = current ? current->Path : QString();
    m_printer->PrintPreview(this);
}
void MainWindow::openBugsAndNotes() {
    if (m_bugsAndNotes)
        m_bugsAndNotes->openFor(project().hasProject() ? project().ProjectDir : QString());
}

void MainWindow::helpOnWord() {
    SourceEditor& editor = *m_ui.sourceEditor;
    const QString word = ContextHelp::wordAtCaret(editor.line(editor.caretLine()), editor.caretColumn());
    const ContextHelp::ClassHelpTarget target = ContextHelp::classHelpTarget(
        m_docFileList, word, programFolder(), [](const QString& path) { return QFileInfo::exists(path); });
    if (!m_classHelp)
        return;
    if (target.kind == ContextHelp::ClassHelpTarget::ShowPage)
        m_classHelp->showPage(target.url);
    else
        m_classHelp->bringUp();
}
