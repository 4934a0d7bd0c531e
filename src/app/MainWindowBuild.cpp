// The build chain's window side: the runners, the message list and its menu, the build inputs and the
// Compile commands.
#include "MainWindow.h"

#include "DeclarationLookup.h"
#include "MainWindowAdapters.h"
#include "SettingsWindow.h"
#include "build/BuildChain.h"
#include "build/BuildChainHost.h"
#include "build/CompilerOutput.h"
#include "build/ConsoleRunner.h"
#include "build/OutputWindow.h"
#include "build/PalmUserData.h"
#include "build/RunningApplication.h"
#include "build/SourceLinks.h"
#include "editor/ProjectSearchDialog.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "workspace/ClassTemplate.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

void MainWindow::setupRunners() {
    for (int number = 1; number <= RunnerCount; ++number) {
        auto* runner = new ConsoleRunner(this);
        runner->setObjectName(QString("GUI2Console%1").arg(number));
        runner->setPipeBufferSize(PipeBufferSize::Kilobytes128);
        runner->setReadBufferSize(ReadBufferSize::Kilobytes1);
        m_runners << runner;
    }
    runner(RunnerRole::AppletViewer)->setPipeBufferSize(PipeBufferSize::Kilobytes256);
    runner(RunnerRole::AppletViewer)->setReadBufferSize(ReadBufferSize::Kilobytes4);
    runner(RunnerRole::SpareAutoTerminate)->setAutoTerminate(true);
    runner(RunnerRole::SpareAutoTerminate)->setReadBufferSize(ReadBufferSize::Kilobytes8);
    m_chainHost = chainHostFor(*this);
    m_chain = std::make_unique<BuildChain>(*m_chainHost, m_liveSettings, m_runners);

    m_ui.messageList->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu4");
    QAction* clear = menu->addAction("Clear output");
    clear->setObjectName("Clearoutput1");
    QAction* copy = menu->addAction("Copy to clipboard");
    copy->setObjectName("Copytoclipboard1");
    connect(clear, &QAction::triggered, this, &MainWindow::clearMessages);
    connect(copy, &QAction::triggered, this, &MainWindow::copyMessages);
    connect(m_ui.messageList, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(m_ui.messageList->viewport()->mapToGlobal(at)); });
    connect(m_ui.messageList, &MessageList::lineChosen, this, &MainWindow::messageDoubleClicked);
}

bool MainWindow::compileError() const {
    return m_chain->compileError();
}

void MainWindow::setOutputWindow(OutputWindow* output) {
    m_output = output;
    if (m_output)
        connect(m_output, &OutputWindow::dontOpenAgain, this,
                [this] { m_liveSettings.setFlag(u"OpenOutputWindow", false); });
}

void MainWindow::addMessage(const QString& line, bool selectLast) {
    m_ui.messageList->addLine(line, selectLast);
}

QStringList MainWindow::messages() const {
    return m_ui.messageList->lines();
}

void MainWindow::appendOutput(const QString& line) {
    if (m_output)
        m_output->append(line);
}

BuildInputs MainWindow::buildInputs() const {
    BuildInputs inputs;
    inputs.paths = m_toolPaths;
    const ProjectValues& open = m_session->project();
    inputs.projectDir = open.ProjectDir;
    inputs.projectName = open.ProjectName;
    inputs.creatorId = m_liveSettings.creatorId();
    for (const ProjectRecord& record : m_session->files().records())
        (record.Kind == FileKind::Java ? inputs.javaSources : inputs.otherFiles) << record.Name;
    return inputs;
}

bool MainWindow::mainClassPresent() {
    if (MainWindowOK(files(), project().ProjectName))
        return true;
    messageDialog("MainWindow not found. The MainWindow class name and the project name must be the same.",
                  mtConfirmation, mbOK);
    return false;
}

void MainWindow::saveAllCompileAndStart() {
    const auto ask = [](const QString& question) {
        return messageDialog(question, mtConfirmation, mbYesNo) == mrYes;
    };
    if (!m_chain->application().clearForRestart(ask))
        return;
    if (!mainClassPresent())
        return;
    m_ui.toolActions.value("ToolButton19")->setEnabled(false);
    m_chain->clearCompileError();
    // Compiling what could not be saved would build something other than what the user sees.
    if (!saveAll())
        return;
    compileAndStart();
}

void MainWindow::stopApplication() {
    m_chain->application().stop();
}

void MainWindow::compileAndStart() {
    if (mainClassPresent())
        m_chain->compileAndStart();
}

void MainWindow::compile() {
    if (saveAll())
        m_chain->compile();
}

void MainWindow::startApplication() {
    m_chain->startApplication();
}

PalmUserData& MainWindow::palmUsers() {
    if (!m_palmUsers)
        m_palmUsers = std::make_unique<PalmUserData>(m_store);
    return *m_palmUsers;
}

void MainWindow::openSettingsAt(const QString& page) {
    if (!m_settingsWindow)
        return;
    QTabWidget* pages = m_settingsWindow->ui().pages;
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->tabText(i) == page)
            pages->setCurrentIndex(i);
    }
    m_settingsWindow->runModal();
}

void MainWindow::messageDoubleClicked() {
    const QString current = m_ui.messageList->currentText();
    if (current.isNull())
        return;
    // A compiler line names the file as javac was given it; a stack frame by its bare name and package.
    const std::optional<SourceLink> at = parseSourceLink(current);
    if (!at)
        return;
    const SessionResult shown = at->packageFolder.isEmpty() && parseErrorLine(current)
                                    ? m_session->showCompiledFile(at->fileName)
                                    : m_session->showFrameFile(at->fileName, at->packageFolder);
    if (!shown.ok())
        return;
    updateBrowser(currentPath());
    SourceEditor* editor = m_ui.sourceEditor;
    editor->setCaretLine(at->lineNumber);
    editor->bringCaretIntoView();
    editor->setFocus();
    const int line = at->lineNumber - 1;
    editor->setCaretLine(line);
    editor->setSelection(line, 0, line, editor->lines().value(line).size());
}

void MainWindow::clearMessages() {
    m_ui.messageList->clear();
}

void MainWindow::copyMessages() {
    QString text;
    for (const QString& line : messages())
        text += line + '\r';
    QApplication::clipboard()->setText(text);
}

void MainWindow::findInProject() {
    if (!m_projectSearch) {
        m_projectSearch = new ProjectSearchDialog(this);
        connect(m_projectSearch, &ProjectSearchDialog::searchRequested, this, &MainWindow::listProjectSearch);
    }
    const QString selected = m_ui.sourceEditor->selectedText();
    m_projectSearch->showWith(selected.contains(u'\r') || selected.contains(u'\n') ? QString() : selected);
}

void MainWindow::goToDeclaration() {
    m_declarations->goToDeclaration();
}

void MainWindow::listProjectSearch(const ProjectSearchQuery& query) {
    // The buffer on screen holds the newest text of its file.
    m_session->captureEditor(false);
    std::vector<ProjectSearchFile> sources;
    for (const ProjectRecord& record : files().records())
        if (record.Kind == FileKind::Java)
            sources.push_back({record.Name, project().ProjectDir + record.Name, record.Lines});
    const ProjectSearchResult result = searchProject(sources, query);
    if (!result.error.isEmpty()) {
        messageDialog(result.error, mtError, mbOK);
        return;
    }
    clearMessages();
    QSet<QString> filesHit;
    for (const ProjectSearchHit& hit : result.hits) {
        addMessage(hitMessage(hit));
        filesHit.insert(hit.fileName);
    }
    for (const QString& unreadable : result.unreadable)
        addMessage(unreadable);
    const auto count = qsizetype(result.hits.size());
    statusBar()->showMessage(QStringLiteral("%1 %2 in %3 %4")
                                 .arg(count)
                                 .arg(count == 1 ? "match" : "matches")
                                 .arg(filesHit.size())
                                 .arg(filesHit.size() == 1 ? "file" : "files"));
}
