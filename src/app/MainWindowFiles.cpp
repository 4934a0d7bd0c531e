// Open files and editor buffers: the Source list, Open, Save, Save As, Save all, the reload check and the
// editor's change notification, each handed to the session.
#include "MainWindow.h"

#include "BitmapViewer.h"
#include "MainWindowAdapters.h"
#include "editor/BreakpointMargin.h"
#include "editor/SourceEditor.h"
#include "ui/FileDialogs.h"
#include "workspace/PathHelpers.h"
#include "workspace/RecoveryWriter.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QListWidget>
#include <QTabWidget>

void MainWindow::sourceListClicked() {
    if (!m_session->showSource(m_ui.sourceList->currentRow()).ok())
        return;
    if (m_ui.pages->currentWidget() != m_ui.sourcePage)
        m_ui.pages->setCurrentWidget(m_ui.sourcePage);
    updateBrowser(currentPath());
    m_ui.sourceEditor->setFocus();
}

void MainWindow::editorChanged() {
    const bool typed = !m_buffer->replacing();
    const int lineCount = m_ui.sourceEditor->lineCount();
    // Only a change of the line count can add or move a declaration line.
    if (typed && lineCount != m_lastLineCount)
        updateBrowser(currentPath());
    m_lastLineCount = lineCount;
    if (typed) {
        m_session->markCurrentModified();
        m_recovery->edited();
    }
}

void MainWindow::openFiles() {
    const QStringList chosen = chooseFiles(this, {FileDialogKind::OpenMany,
                                                  "Open Java File",
                                                  project().ProjectDir,
                                                  "Java Source|*.java|All Files|*.*",
                                                  {},
                                                  {}});
    m_session->openFiles(chosen);
}

void MainWindow::saveFile() {
    m_session->saveCurrent();
}

void MainWindow::saveFileAs() {
    const ProjectRecord* current = files().currentFile();
    if (!current)
        return;
    const QStringList chosen = chooseFiles(this, {FileDialogKind::Save, "Save As", project().ProjectDir,
                                                  "Java Source File (*.java)|*.java", current->Name, "java"});
    if (chosen.isEmpty())
        return;
    // Under the name they were set for, where the edits have moved them to.
    if (m_breakpointMargin->readBack())
        saveBreakpoints();
    const QString before = breakpointFileOfCurrent();
    m_session->saveAs(chosen.first());
    breakpointsFollowRename(before, breakpointFileOfCurrent());
}

bool MainWindow::saveAll() {
    return m_session->saveAll().ok();
}

void MainWindow::saveAllFiles() {
    saveAll();
}

void MainWindow::otherFilesClicked() {
    const int row = m_ui.otherFileList->currentRow();
    ProjectRecord* record = row < 0 ? nullptr : files().nthOfKind(FileKind::Other, row);
    if (!record)
        return;
    if (fileExtension(record->Path).toUpper() == QLatin1String(".BMP") && m_bitmapViewer) {
        const FileResult loaded = m_bitmapViewer->loadBitmap(record->Path);
        m_ui.showPictureItem->setEnabled(true);
        if (!loaded)
            m_prompts->error(loaded.error);
    } else {
        m_ui.showPictureItem->setEnabled(false);
    }
}

void MainWindow::showPicture() {
    if (m_bitmapViewer && !m_bitmapViewer->isVisible())
        m_bitmapViewer->show();
}

void MainWindow::checkFilesChanged() {
    m_session->reloadChangedFiles();
}
