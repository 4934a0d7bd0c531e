// The main window's adapters: the open-file session's prompts and buffer, what the other windows and the
// build chain read from the main window (WorkspaceHost, BuildChainHost) and the debugger's host.
#include "MainWindowAdapters.h"
#include "MainWindow.h"

#include "DocumentationTab.h"
#include "LazyWebView.h"
#include "build/PalmUserData.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "ui/StopBox.h"
#include "workspace/WorkspaceSession.h"

#include <QToolButton>
#include <QTreeWidget>

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
    m_browser->clearWithoutParse();
    m_ui.classTree->clear();
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
    m_palmUsers = std::make_unique<TPalmUserData>(m_store);
    const PalmDataError& error = m_palmUsers->loadError();
    if (reportProblems && error.kind == PalmDataError::DesktopMissing)
        plainMessageBox(error.text, error.caption, QMessageBox::Critical);
    else if (reportProblems && error.isError())
        showError(error.text);
    QStringList names;
    for (int i = 0; i < m_palmUsers->userCount(); ++i)
        names << m_palmUsers->userName(i);
    return names;
}
