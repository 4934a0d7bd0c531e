// The project: loading it, writing a copy of its file, adding and removing files, each handed to the
// session after the file chooser.
#include "MainWindow.h"

#include "SettingsWindow.h"
#include "build/BuildChain.h"
#include "ui/FileDialogs.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QListWidget>
#include <QTimer>

namespace {
const QString kProjectFilter = QStringLiteral("Handwright Project (*.hwp)|*.hwp");
const QString kAddFileFilter = QStringLiteral(
    "All files (*.bmp,*.png,*.gif,*.jpg,*.jpeg,*.txt,*.wav)|*.bmp;*.png;*.gif;*.jpg;*.jpeg;*.txt;*.wav|"
    "Bitmaps (*.bmp)|*.bmp|PNG Files (*.png)|*.png|Gif Files (*.gif)|*.gif|JPG Files (*.jpg)|*.jpg|"
    "JPEG files (*.jpeg)|*.jpeg|Text files (*.txt)|*.txt|Soundfiles (*.wav)|*.wav");
} // namespace

void MainWindow::loadProject(const QString& path) {
    if (m_session->loadProject(path).outcome == SessionOutcome::Failed)
        return;
    // The creator ID is edited beside the settings and goes to the tools from there.
    m_liveSettings.setCreatorId(project().CreatorID);
    // A project without files is still open: files can be added to it.
    enableProjectCommands();
    // The warm compiler starts in the background once the window has settled.
    QTimer::singleShot(1500, this, [this] { m_chain->prepareWarmCompiler(); });
}

void MainWindow::openProject() {
    if (!m_session->offerToSave(true))
        return;
    const QStringList chosen =
        chooseFiles(this, {FileDialogKind::Open, "Open", project().ProjectDir, kProjectFilter, {}, "hwp"});
    if (!chosen.isEmpty())
        loadProject(chosen.first());
    refreshFileLists();
    if (!chosen.isEmpty())
        offerRecovery(project().ProjectDir);
    if (files().currentFile())
        updateBrowser(currentPath());
    updateCaption();
    // The Settings window shows the project's values (creator ID, default icons).
    if (m_settingsWindow)
        m_settingsWindow->FormShow();
    focusEditor();
}

void MainWindow::saveProject() {
    const QStringList chosen = chooseFiles(this, {FileDialogKind::Save,
                                                  "Save As",
                                                  project().ProjectDir,
                                                  kProjectFilter,
                                                  project().ProjectFileName,
                                                  {}});
    if (!chosen.isEmpty())
        m_session->saveProjectAs(chosen.first());
}

void MainWindow::addOtherFile() {
    const QStringList chosen = chooseFiles(
        this,
        {FileDialogKind::OpenMany, "Add Bitmaps or Sounds", project().ProjectDir, kAddFileFilter, {}, "bmp"});
    m_session->addOtherFiles(chosen);
}

void MainWindow::removeSelected(FileKind kind) {
    const bool java = kind == FileKind::Java;
    QListWidget* list = java ? m_ui.sourceList : m_ui.otherFileList;
    if (!m_session->remove(kind, list->currentRow()).ok())
        return;
    if (!java)
        selectFirstOtherFile();
    else if (files().currentFile())
        updateBrowser(currentPath());
}

void MainWindow::removeSourceFromProject() {
    removeSelected(FileKind::Java);
}
void MainWindow::removeOtherFromProject() {
    removeSelected(FileKind::Other);
}

void MainWindow::removeOtherFile() {
    if (m_ui.otherFileList->count() == 0) {
        m_ui.removeFileAction->setEnabled(false);
        return;
    }
    if (m_ui.otherFileList->currentRow() < 0)
        return;
    removeOtherFromProject();
    project().ProjectModified = true;
}
