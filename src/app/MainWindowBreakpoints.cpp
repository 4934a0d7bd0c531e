// The main window's breakpoints: the project's set, loaded with its folder and written after each change,
// the editor margin that shows and toggles them, and the jdb commands they become.
#include "MainWindow.h"

#include "debug/DebuggerBreakpoints.h"
#include "editor/BreakpointMargin.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "workspace/Breakpoints.h"
#include "workspace/WorkspaceSession.h"
#include "workspace/WriteTarget.h"

void MainWindow::setupBreakpoints() {
    m_breakpoints = std::make_unique<BreakpointSet>();
    m_breakpointMargin = new BreakpointMargin(
        *m_ui.sourceEditor, *m_breakpoints, [this] { return breakpointFileOfCurrent(); }, this);
    connect(m_breakpointMargin, &BreakpointMargin::changed, this, &MainWindow::saveBreakpoints);
}

QString MainWindow::breakpointFileOfCurrent() const {
    const ProjectRecord* current = m_session->files().currentFile();
    if (!current || current->Kind != FileKind::Java || m_breakpointsFolder.isEmpty())
        return QString();
    return projectEntryName(m_breakpointsFolder, current->Path);
}

void MainWindow::breakpointsFolderChanged(const QString& projectDir) {
    if (projectDir == m_breakpointsFolder)
        return;
    m_breakpointsFolder = projectDir;
    Breakpoints::ReadResult read;
    if (!projectDir.isEmpty())
        read = Breakpoints::read(projectDir);
    *m_breakpoints = read.breakpoints;
    m_breakpointMargin->showFile();
    if (!read.note.isEmpty())
        messageDialog(read.note, mtWarning, mbOK);
}

void MainWindow::breakpointsFollowRename(const QString& before, const QString& after) {
    if (before.isEmpty() || after.isEmpty() || before == after)
        return;
    // The buffer's text is what the new name holds now, so its lines are the ones that count there.
    m_breakpoints->setLines(after, m_breakpoints->lines(before));
    m_breakpoints->setLines(before, {});
    m_breakpointMargin->showFile();
    saveBreakpoints();
}

void MainWindow::saveBreakpoints() {
    if (m_breakpointsFolder.isEmpty())
        return;
    if (const FileResult written = Breakpoints::write(m_breakpointsFolder, *m_breakpoints); !written)
        messageDialog(written.error, mtError, mbOK);
}

void MainWindow::toggleBreakpoint() {
    m_breakpointMargin->toggleAtCaret();
}

QStringList MainWindow::breakpointCommands() {
    // Where edits have moved them to, and written so, as the debugger gets them.
    if (m_breakpointMargin->readBack())
        saveBreakpoints();
    return stopCommands(*m_breakpoints, [this](const QString& file) -> std::optional<QStringList> {
        for (const ProjectRecord& record : files().records())
            if (record.Kind == FileKind::Java && projectEntryName(m_breakpointsFolder, record.Path) == file)
                return record.Lines;
        return std::nullopt;
    });
}
