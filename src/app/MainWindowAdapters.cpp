// The main window's adapters: the open-file session's prompts and buffer, what the other windows and the
// build chain read from the main window (WorkspaceHost, BuildChainHost) and the debugger's host.
#include "MainWindowAdapters.h"
#include "MainWindow.h"

#include "ClassBrowserRun.h"
#include "DocumentationTab.h"
#include "LazyWebView.h"
#include "build/BuildChain.h"
#include "build/BuildChainHost.h"
#include "build/OutputWindow.h"
#include "build/PalmUserData.h"
#include "debug/DebuggerOptions.h"
#include "debug/DebuggerStart.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "ui/StopBox.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>

// What the chain needs from the main window, read at the moment of use.
class MainWindowChainHost : public BuildChainHost {
public:
    explicit MainWindowChainHost(MainWindow& window) : w(window) {}

    void addMessage(const QString& line, bool selectLast) override { w.addMessage(line, selectLast); }
    void clearMessages() override { w.m_ui.messageList->clear(); }
    void appendOutput(const QString& line) override { w.appendOutput(line); }
    void showOutputWindow() override {
        if (w.m_output)
            w.m_output->show();
    }
    void showError(const QString& text) override { messageDialog(text, mtError, mbOK); }
    bool confirm(const QString& text) override {
        return messageDialog(text, mtConfirmation, mbYesNo) == mrYes;
    }
    void openSettings(const QString& page) override { w.openSettingsAt(page); }
    BuildInputs buildInputs() const override { return w.buildInputs(); }
    QString runTarget() const override { return w.m_ui.runTargetBox->currentText(); }
    bool palmTargetChosen() const override { return w.m_ui.palmTargetToggle->isChecked(); }
    RemoteDebugging remoteDebugging() const override {
        return {w.m_remoteDebugging, w.m_remoteDebuggingAddress};
    }
    void applicationRunning(bool running) override {
        w.m_appRunning = running;
        w.m_ui.toolActions.value("ToolButton19")->setEnabled(!running);
    }
    PalmUserData& palmUsers() override { return w.palmUsers(); }

private:
    MainWindow& w;
};

// What the debugger start reads from the main window at the moment of use.
class MainWindowDebuggerHost : public DebuggerHost {
public:
    explicit MainWindowDebuggerHost(MainWindow& window) : w(window) {}
    bool mainClassPresent() override { return w.mainClassPresent(); }
    void clearCompileError() override { w.chain().clearCompileError(); }
    void saveAll() override { w.saveAll(); }
    BuildInputs buildInputs() const override { return w.buildInputs(); }
    const SettingsValues& settings() const override { return w.liveSettings().values(); }
    DebuggerChoice debuggerChoice() const override {
        return w.m_debuggerOptions ? w.m_debuggerOptions->choice() : DebuggerChoice();
    }
    void reportBadParameters(const QString& why) override {
        messageDialog(QStringLiteral("The debugger's parameters cannot be read: %1").arg(why), mtError, mbOK);
    }
    void reportNotStarted(const QString& why) override {
        messageDialog(QStringLiteral("The debugger is not started. %1").arg(why), mtError, mbOK);
    }
    QStringList jdbCommands() const override { return w.breakpointCommands(); }

private:
    MainWindow& w;
};

std::unique_ptr<BuildChainHost> chainHostFor(MainWindow& window) {
    return std::make_unique<MainWindowChainHost>(window);
}

void MainWindow::startDebugging() {
    MainWindowDebuggerHost host(*this);
    startDebugger(host);
}

bool DialogPrompts::confirm(const SessionQuestion& question) {
    const MsgDlgButtons buttons = question.buttons == SessionButtons::OkCancel ? mbOKCancel : mbYesNo;
    const int yes = question.buttons == SessionButtons::OkCancel ? mrOk : mrYes;
    if (question.defaultNo)
        return messageDialogDefaultNo(question.text, mtConfirmation, buttons) == yes;
    if (question.accessKeys)
        return messageDialogWithAccessKeys(question.text, mtConfirmation, buttons) == yes;
    return messageDialog(question.text, mtConfirmation, buttons) == yes;
}

SessionAnswer DialogPrompts::confirmOrCancel(const QString& text) {
    switch (messageDialog(text, mtConfirmation, mbYesNoCancel)) {
    case mrYes:
        return SessionAnswer::Yes;
    case mrNo:
        return SessionAnswer::No;
    default:
        // Cancel, or the window closed.
        return SessionAnswer::Cancel;
    }
}

void DialogPrompts::error(const QString& text) {
    messageDialog(text, mtError, mbOK);
}

void DialogPrompts::notice(const QString& text) {
    messageDialog(text, mtConfirmation, mbOK);
}

QStringList EditorBuffer::lines() const {
    return m_editor.lines();
}

void EditorBuffer::replaceLines(const QStringList& lines, BufferReplace how) {
    // The editor tells of the change before it returns: the flag covers exactly this replacement.
    m_replacing = true;
    if (how == BufferReplace::UndoStep)
        m_editor.replaceLines(lines);
    else
        m_editor.setLines(lines);
    m_replacing = false;
}

bool EditorBuffer::showRecord(quint64 id, const QStringList& lines, bool reread) {
    m_replacing = true;
    const bool kept = m_documents.show(id, lines, reread);
    m_replacing = false;
    return kept;
}

void EditorBuffer::forgetRecord(quint64 id) {
    m_replacing = true;
    m_documents.release(id);
    m_replacing = false;
}

void EditorBuffer::forgetAllRecords() {
    m_replacing = true;
    m_documents.releaseAll();
    m_replacing = false;
}

int EditorBuffer::caretLine() const {
    return m_editor.caretLine();
}

int EditorBuffer::caretColumn() const {
    return m_editor.caretColumn();
}

int EditorBuffer::topLine() const {
    return m_editor.firstVisibleLine();
}

void EditorBuffer::setCaret(int line, int column) {
    m_editor.setCaretLine(line);
    m_editor.setCaretColumn(column);
}

void EditorBuffer::setTopLine(int line) {
    m_editor.setFirstVisibleLine(line);
}

FileResult MainWindow::createFileFromTemplate(const QString& templatePath, const QString& className) {
    const FileResult made = m_session->createFromTemplate(templatePath, className);
    if (made) {
        m_ui.sourceEditor->setEnabled(true);
        updateBrowser(currentPath());
    }
    return made;
}

void MainWindow::clearClassBrowser() {
    m_browserRun->clear();
}

void MainWindow::setEditorTabWidth(int width) {
    m_ui.sourceEditor->setTabStops(width);
}

void MainWindow::setEmulatorToggleEnabled(bool enabled) {
    m_ui.palmTargetToggle->setEnabled(enabled);
}

void MainWindow::showDocumentation(const QString& url) {
    m_documentation->WebBrowser1->navigate(url);
}

QStringList MainWindow::readPalmUsers(bool reportProblems) {
    m_palmUsers = std::make_unique<PalmUserData>(m_store);
    const PalmDataError& error = m_palmUsers->loadError();
    if (reportProblems && error.kind == PalmDataError::DesktopMissing)
        plainMessageBox(error.text, error.caption, QMessageBox::Critical);
    else if (reportProblems && error.isError())
        m_prompts->error(error.text);
    QStringList names;
    for (int i = 0; i < m_palmUsers->userCount(); ++i)
        names << m_palmUsers->userName(i);
    return names;
}
