// Open files and editor buffers: switching, opening, saving and the change notification.
#include "MainWindow.h"

#include "BitmapViewer.h"
#include "editor/SourceEditor.h"
#include "settings/ProductSettings.h"
#include "ui/FileDialogs.h"
#include "ui/MessageDialog.h"
#include "workspace/FileChangeCheck.h"
#include "workspace/FileTime.h"
#include "workspace/PathHelpers.h"
#include "workspace/ProjectFile.h"
#include "workspace/TextFile.h"
#include "workspace/WriteTarget.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTabWidget>

void MainWindow::captureEditor(bool full) {
    TProjectFile* current = m_files.currentFile();
    if (!current)
        return;
    current->Lines = m_ui.sourceEditor->lines();
    if (full) {
        current->CaretLine = m_ui.sourceEditor->caretLine();
        current->CaretColumn = m_ui.sourceEditor->caretColumn();
        current->TopLine = m_ui.sourceEditor->firstVisibleLine();
    }
}

void MainWindow::showFile(TProjectFile* record) {
    m_suppressChange = true;
    m_ui.sourceEditor->setLines(record->Lines);
    m_files.setCurrentFile(record);
    refreshFileLists();
    updateBrowser(record->Path);
}

void MainWindow::loadEditor(const TProjectFile* record) {
    m_suppressChange = true;
    m_ui.sourceEditor->setLines(record ? record->Lines : QStringList());
    if (!record)
        return;
    m_ui.sourceEditor->setCaretLine(record->CaretLine);
    m_ui.sourceEditor->setCaretColumn(record->CaretColumn);
    m_ui.sourceEditor->setFirstVisibleLine(record->TopLine);
}

void MainWindow::sourceListClicked() {
    const int row = m_ui.sourceList->currentRow();
    TProjectFile* target = row < 0 ? nullptr : m_files.nthOfKind(FileKind::Java, row);
    if (!target)
        return;
    if (m_ui.pages->currentWidget() != m_ui.sourcePage)
        m_ui.pages->setCurrentWidget(m_ui.sourcePage);
    // No file time is taken here: only reading or writing the text makes the buffer agree with the disk.
    captureEditor(true);
    m_files.setCurrentFile(target);
    loadEditor(target);
    updateBrowser(target->Path);
    m_ui.sourceEditor->setFocus();
}

void MainWindow::editorChanged() {
    const int lineCount = m_ui.sourceEditor->lineCount();
    // Only a change of the line count can add or move a declaration line.
    if (!m_suppressChange && lineCount != m_lastLineCount)
        updateBrowser(currentPath());
    m_lastLineCount = lineCount;
    TProjectFile* current = m_files.currentFile();
    if (!m_suppressChange && current && !current->Modified) {
        current->Modified = true;
        refreshFileLists();
    }
    m_suppressChange = false;
}

void MainWindow::openFiles() {
    // The buffer is taken from the editor now; the flag that marks a programmatic change is set only right
    // before the editor text is replaced, so a cancelled dialog cannot swallow the user's next edit.
    captureEditor(true);
    const QStringList chosen = chooseFiles(this, {FileDialogKind::OpenMany,
                                                  "Open Java File",
                                                  m_project.ProjectDir,
                                                  "Java Source|*.java|All Files|*.*",
                                                  {},
                                                  {}});
    for (const QString& path : chosen) {
        const int answer = messageDialog("Should the file " + path + " be added to the actual project?",
                                         mtConfirmation, mbYesNoCancel);
        if (answer == mrYes || answer == mrNo)
            openFile(path, answer == mrYes);
    }
}

void MainWindow::openFile(const QString& path, bool intoProject) {
    // A file already in the project folder (or a sub-folder of it) stays where it is.
    const QString name = intoProject ? projectEntryName(m_project.ProjectDir, path) : fileNamePart(path);
    if (const QString problem = fileNameProblem(name); intoProject && !problem.isEmpty()) {
        showError(problem);
        return;
    }
    const QString target = intoProject ? m_project.ProjectDir + name : path;
    // One record per path: the buffer that holds the target is the one the file goes into.
    TProjectFile* holder = m_files.findByPath(target);
    if (!holder && intoProject) {
        for (TProjectFile& record : m_files.records())
            if (record.InProject && record.Name == name) {
                holder = &record;
                break;
            }
    }
    if (holder && holder->Kind != FileKind::Java) {
        showError("The file " + name + " is already in the project as an other file.");
        return;
    }
    const bool sameFile = QDir::cleanPath(path) == QDir::cleanPath(target);
    if (holder && sameFile) {
        // The file is open already: show its buffer, whose edits are newer than the disk.
        if (intoProject && !holder->InProject) {
            holder->InProject = true;
            m_project.ProjectModified = true;
        }
        m_files.setCurrentFile(holder);
        loadEditor(holder);
        refreshFileLists();
        return;
    }
    // The next save would replace the project's own file or buffer: ask first, as adding files does.
    if (holder || (!sameFile && QFileInfo::exists(target))) {
        if (messageDialog("The file already exists. Overwrite it?", mtConfirmation, mbYesNo) != mrYes)
            return;
    }
    const QString fileTime = fileTimeText(target);
    const TextReadResult read = TextFile::read(path);
    if (!read.ok()) {
        showError(read.error);
        return;
    }
    m_project.ProjectModified = true;
    TProjectFile* record = holder;
    if (!record) {
        TProjectFile fields;
        fields.Name = name;
        fields.Path = target;
        fields.Kind = FileKind::Java;
        fields.InProject = intoProject;
        record = m_files.insertFile(std::move(fields));
    }
    record->Path = target;
    record->InProject = intoProject;
    record->Lines = read.file.lines;
    record->Format = read.file.format;
    // The time of what is at the target now; a buffer that replaces another file is unsaved work.
    record->FileTime = fileTime;
    record->Modified = !sameFile && (holder || !fileTime.isEmpty());
    m_files.setCurrentFile(record);
    m_suppressChange = true;
    m_ui.sourceEditor->setLines(record->Lines);
    refreshFileLists();
}

bool MainWindow::saveCurrentFile() {
    TProjectFile* current = m_files.currentFile();
    if (!current)
        return true;
    captureEditor(false);
    const FileResult result = saveFileWithin(m_project.ProjectDir, *current);
    refreshFileLists();
    if (!result)
        showError(result.error);
    return result.ok();
}

void MainWindow::saveFile() {
    saveCurrentFile();
}

void MainWindow::saveFileAs() {
    TProjectFile* current = m_files.currentFile();
    if (!current)
        return;
    const QStringList chosen = chooseFiles(this, {FileDialogKind::Save, "Save As", m_project.ProjectDir,
                                                  "Java Source File (*.java)|*.java", current->Name, "java"});
    if (chosen.isEmpty())
        return;
    const QString name = projectEntryName(m_project.ProjectDir, chosen.first());
    if (const QString problem = fileNameProblem(name); !problem.isEmpty()) {
        showError(problem);
        return;
    }
    // One record per file: the other buffer of that file goes, or Save all would write both.
    TProjectFile* other = m_files.findSameFile(chosen.first(), current);
    if (other && messageDialog("The file " + other->Name +
                                   " is open in another buffer. Replace it with this text and close that "
                                   "buffer?",
                               mtConfirmation, mbYesNo) != mrYes)
        return;
    captureEditor(false);
    const QString oldPath = current->Path;
    const QString oldName = current->Name;
    current->Path = chosen.first();
    current->Name = name;
    const FileResult result = saveFileWithin(m_project.ProjectDir, *current);
    if (!result) {
        // The buffer keeps its old name when the new file cannot be written.
        current->Path = oldPath;
        current->Name = oldName;
        showError(result.error);
    } else if (other) {
        current->InProject = current->InProject || other->InProject;
        m_files.remove(other);
        m_project.ProjectModified = true;
    }
    refreshFileLists();
}

bool MainWindow::saveAll() {
    if (m_files.currentFile())
        captureEditor(false);
    QStringList errors;
    for (TProjectFile& record : m_files.records()) {
        // A buffer that holds what its file holds is not written again: rewriting it would only reach
        // through whatever link replaced the file since.
        const QFileInfo file(record.Path);
        if (record.Kind == FileKind::Java && (record.Modified || !(file.exists() || file.isSymLink()))) {
            const FileResult result = saveFileWithin(m_project.ProjectDir, record);
            if (!result)
                errors << result.error;
        }
    }
    const QString projectFile = m_project.ProjectDir + m_project.ProjectName + ".hwp";
    FileResult written = checkWriteTarget(m_project.ProjectDir, projectFile);
    if (written)
        written = writeProjectFile(projectFile, m_project, m_files);
    if (!written) {
        errors << written.error;
    } else if (m_project.ProjectFileName != fileNamePart(projectFile)) {
        // The file just written holds the membership now; the one loaded keeps the old list and must not
        // be the one the caption names or the next start opens.
        m_project.ProjectFileName = fileNamePart(projectFile);
        updateCaption();
        ProductSettings::writeLastProject(m_store, projectFile);
    }
    refreshFileLists();
    if (!errors.isEmpty())
        showError(errors.join('\n'));
    return errors.isEmpty();
}

void MainWindow::saveAllFiles() {
    saveAll();
}

void MainWindow::otherFilesClicked() {
    const int row = m_ui.otherFileList->currentRow();
    TProjectFile* record = row < 0 ? nullptr : m_files.nthOfKind(FileKind::Other, row);
    if (!record)
        return;
    if (fileExtension(record->Path).toUpper() == QLatin1String(".BMP") && m_bitmapViewer) {
        const FileResult loaded = m_bitmapViewer->loadBitmap(record->Path);
        m_ui.showPictureItem->setEnabled(true);
        if (!loaded)
            showError(loaded.error);
    } else {
        m_ui.showPictureItem->setEnabled(false);
    }
}

void MainWindow::showPicture() {
    if (m_bitmapViewer && !m_bitmapViewer->isVisible())
        m_bitmapViewer->show();
}

void MainWindow::reloadRecord(TProjectFile& record) {
    const QString fileTime = fileTimeText(record.Path);
    const TextReadResult read = TextFile::read(record.Path);
    if (!read.ok()) {
        showError(read.error);
        return;
    }
    record.Lines = read.file.lines;
    record.Format = read.file.format;
    // The buffer is the file again: no marker, and only a later change on disk is asked about.
    record.FileTime = fileTime;
    record.Modified = false;
    if (&record == m_files.currentFile()) {
        // One step that undo takes back, so the text it replaced is not lost.
        m_suppressChange = true;
        m_ui.sourceEditor->replaceLines(record.Lines);
    }
    refreshFileLists();
}

void MainWindow::checkFilesChanged() {
    // A question's own window can deactivate and reactivate the program; one check at a time.
    if (m_checkingFiles)
        return;
    m_checkingFiles = true;
    for (TProjectFile& record : m_files.records()) {
        if (record.Kind != FileKind::Java || checkFileChanged(record) != ReloadDecision::Ask)
            continue;
        // Yes to a buffer with edits throws them away: that question names them and Enter answers No.
        const int answer =
            record.Modified
                ? messageDialogDefaultNo(reloadQuestion(record.Name, true), mtConfirmation, mbYesNo)
                : messageDialog(reloadQuestion(record.Name), mtConfirmation, mbYesNo);
        if (answer == mrYes)
            reloadRecord(record);
    }
    m_checkingFiles = false;
}
