// The project: loading and writing the project file, adding and removing files.
#include "MainWindow.h"

#include "SettingsWindow.h"
#include "build/BuildChain.h"
#include "editor/SourceEditor.h"
#include "ui/FileDialogs.h"
#include "ui/MessageDialog.h"
#include "workspace/FileCopy.h"
#include "workspace/PathHelpers.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectLoader.h"
#include "workspace/WriteTarget.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>

namespace {
const QString kProjectFilter = QStringLiteral("Handwright Project (*.hwp)|*.hwp");
const QString kAddFileFilter = QStringLiteral(
    "All files (*.bmp,*.png,*.gif,*.jpg,*.jpeg,*.txt,*.wav)|*.bmp;*.png;*.gif;*.jpg;*.jpeg;*.txt;*.wav|"
    "Bitmaps (*.bmp)|*.bmp|PNG Files (*.png)|*.png|Gif Files (*.gif)|*.gif|JPG Files (*.jpg)|*.jpg|"
    "JPEG files (*.jpeg)|*.jpeg|Text files (*.txt)|*.txt|Soundfiles (*.wav)|*.wav");
} // namespace

// Loading at start-up and through the menu read the same way now: every record gets its file time.
void MainWindow::loadProjectFile(const QString& path, bool /*atStartup*/) {
    const ProjectLoad load = loadProject(path);
    if (!load.ok()) {
        showError(load.error);
        return;
    }
    m_files.clear();
    load.applyTo(m_project);
    // The creator ID is edited beside the settings and goes to the tools from there.
    m_liveSettings.setCreatorId(m_project.CreatorID);
    QStringList unreadable;
    for (const ProjectLoadStep& step : load.steps) {
        if (step.type == ProjectLoadStep::Type::Insert) {
            // The time of the text just read: only a later change on disk is offered for reloading.
            m_files.insertFile(step.record)->FileTime = step.fileTime;
        } else if (step.type == ProjectLoadStep::Type::Unreadable) {
            unreadable << step.error;
        }
    }
    // The editor shows the current file once, after the whole list is in place: the same end state as
    // refilling it after every insert, without copying every source through the editor.
    m_suppressChange = true;
    m_ui.sourceEditor->setLines(m_files.currentFile() ? m_files.currentFile()->Lines : QStringList());
    // A project without files is still open: files can be added to it.
    enableProjectCommands();
    // The warm compiler starts in the background once the window has settled.
    QTimer::singleShot(1500, this, [this] { m_chain->prepareWarmCompiler(); });
    // One message for all files left out, however damaged the project file is.
    if (const QString leftOut = leftOutFilesMessage(load.steps); !leftOut.isEmpty())
        messageDialog(leftOut, mtConfirmation, mbOK);
    if (!unreadable.isEmpty())
        showError(unreadable.join('\n'));
}

bool MainWindow::offerToSaveProject(bool announce) {
    if (!anyModified() && !m_project.ProjectModified)
        return true;
    switch (messageDialog("Do you want to save the current project first?", mtConfirmation, mbYesNoCancel)) {
    case mrYes:
        break;
    case mrNo:
        return true;
    default:
        // Cancel (or the window closed): the other project is not opened after all.
        return false;
    }
    // saveAll has said what could not be written; the open project stays so nothing is lost.
    if (!saveAll())
        return false;
    if (announce)
        messageDialog("Project has been saved. Open the project now.", mtConfirmation, mbOK);
    return true;
}

void MainWindow::openProject() {
    if (!offerToSaveProject(true))
        return;
    const QStringList chosen =
        chooseFiles(this, {FileDialogKind::Open, "Open", m_project.ProjectDir, kProjectFilter, {}, "hwp"});
    if (!chosen.isEmpty())
        loadProjectFile(chosen.first(), false);
    refreshFileLists();
    if (m_files.currentFile())
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
                                                  m_project.ProjectDir,
                                                  kProjectFilter,
                                                  m_project.ProjectFileName,
                                                  {}});
    if (chosen.isEmpty())
        return;
    const QString target = withProjectExtension(chosen.first());
    FileResult written = checkWriteTarget(m_project.ProjectDir, target);
    if (written)
        written = writeProjectFile(target, m_project, m_files);
    if (!written)
        showError(written.error);
}

void MainWindow::addOtherFile() {
    const QStringList chosen = chooseFiles(
        this,
        {FileDialogKind::OpenMany, "Add Bitmaps or Sounds", m_project.ProjectDir, kAddFileFilter, {}, "bmp"});
    for (const QString& source : chosen) {
        copyIntoProject(source);
        m_ui.removeFileAction->setEnabled(true);
        m_project.ProjectModified = true;
    }
    refreshFileLists();
}

void MainWindow::copyIntoProject(const QString& source) {
    // A file of the project folder, sub-folders included, is taken where it lies.
    const QString name = projectEntryName(m_project.ProjectDir, source);
    const QString target = m_project.ProjectDir + name;
    if (const QString problem = fileNameProblem(name); !problem.isEmpty()) {
        showError(problem);
        return;
    }
    if (const FileResult allowed = checkWriteTarget(m_project.ProjectDir, target); !allowed) {
        showError(allowed.error);
        return;
    }
    if (m_files.isInProject(name)) {
        if (messageDialog("The file already exists. Overwrite it?", mtConfirmation, mbYesNo) == mrYes)
            if (const FileResult copied = copyFile(source, target); !copied)
                showError(copied.error);
        return;
    }
    // The record joins the list only when its file is really in the project folder.
    if (const FileResult copied = copyFile(source, target); !copied) {
        showError(copied.error);
        return;
    }
    TProjectFile fields;
    fields.Path = target;
    fields.Name = name;
    fields.Kind = FileKind::Other;
    fields.InProject = true;
    m_files.insertFile(std::move(fields));
}

void MainWindow::removeSelected(FileKind kind) {
    const bool java = kind == FileKind::Java;
    const QString question =
        java ? QStringLiteral("This will remove the file from the project. The file will be "
                              "renamed to <filename>.java.old.")
             : QStringLiteral("This will remove the file from the project. The file will be "
                              "renamed to <filename>.<ext>.old.");
    if (messageDialog(question, mtConfirmation, mbOKCancel) != mrOk)
        return;
    m_project.ProjectModified = true;
    QListWidget* list = java ? m_ui.sourceList : m_ui.otherFileList;
    const int row = list->currentRow();
    TProjectFile* record = row < 0 ? nullptr : m_files.nthOfKind(kind, row);
    if (!record)
        return;
    // The buffer on screen may belong to another file; keep its edits before the editor is refilled.
    if (m_files.currentFile() != record)
        captureEditor(true);
    // The rename moves a link itself, never its target, but a linked folder on the way leads elsewhere.
    const QString file = m_project.ProjectDir + record->Name;
    if (checkWriteTarget(m_project.ProjectDir, QFileInfo(file).path()))
        renameAside(file);
    m_files.remove(record);
    if (java) {
        TProjectFile* first = m_files.firstOfKind(FileKind::Java);
        m_files.setCurrentFile(first);
        loadEditor(first);
        refreshFileLists();
        if (first)
            updateBrowser(first->Path);
    } else {
        refreshFileLists();
        selectFirstOtherFile();
    }
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
    m_project.ProjectModified = true;
}
