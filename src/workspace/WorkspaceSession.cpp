// The open-file session: what opening, adding, removing, saving, reloading, loading, New Project and
// closing do to the project values and the open files, and what they ask first.
#include "WorkspaceSession.h"

#include "ClassTemplate.h"
#include "FileChangeCheck.h"
#include "FileCopy.h"
#include "FileTime.h"
#include "PathHelpers.h"
#include "ProjectFile.h"
#include "ProjectLoader.h"
#include "TextFile.h"
#include "WriteTarget.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kOverwrite = QStringLiteral("The file already exists. Overwrite it?");
const QString kProjectExists = QStringLiteral("This project already exists. Do you really want to proceed?");

SessionResult cancelled() {
    return {SessionOutcome::Cancelled};
}

SessionResult failed() {
    return {SessionOutcome::Failed};
}

} // namespace

WorkspaceSession::WorkspaceSession(SessionPrompts& prompts, SessionBuffer& buffer)
    : m_prompts(prompts), m_buffer(buffer) {}

void WorkspaceSession::setRememberProject(std::function<void(const QString&)> remember) {
    m_remember = std::move(remember);
}

void WorkspaceSession::setListsChanged(std::function<void()> changed) {
    m_listsChanged = std::move(changed);
}

void WorkspaceSession::remember(const QString& projectFile) {
    if (m_remember)
        m_remember(projectFile);
}

void WorkspaceSession::listsChanged() {
    if (m_listsChanged)
        m_listsChanged();
}

bool WorkspaceSession::anyModified() const {
    for (const ProjectRecord& record : m_files.records())
        if (record.Modified)
            return true;
    return false;
}

void WorkspaceSession::captureEditor(bool full) {
    ProjectRecord* current = m_files.currentFile();
    if (!current)
        return;
    current->Lines = m_buffer.lines();
    if (full) {
        current->CaretLine = m_buffer.caretLine();
        current->CaretColumn = m_buffer.caretColumn();
        current->TopLine = m_buffer.topLine();
    }
}

bool WorkspaceSession::markCurrentModified() {
    ProjectRecord* current = m_files.currentFile();
    if (!current || current->Modified)
        return false;
    current->Modified = true;
    listsChanged();
    return true;
}

void WorkspaceSession::loadEditor(const ProjectRecord* record) {
    if (!record) {
        m_buffer.replaceLines({}, BufferReplace::Fresh);
        return;
    }
    if (showKept(*record))
        return;
    m_buffer.setCaret(record->CaretLine, record->CaretColumn);
    m_buffer.setTopLine(record->TopLine);
}

bool WorkspaceSession::showKept(const ProjectRecord& record) {
    // A file read again while another one was on screen replaces its kept text when it comes back.
    const bool reread = m_rereadAside.remove(record.Id);
    return m_buffer.showRecord(record.Id, record.Lines, reread);
}

void WorkspaceSession::forget(const ProjectRecord& record) {
    m_rereadAside.remove(record.Id);
    m_buffer.forgetRecord(record.Id);
}

void WorkspaceSession::clearFiles() {
    m_files.clear();
    m_rereadAside.clear();
    m_buffer.forgetAllRecords();
}

SessionResult WorkspaceSession::showSource(int row) {
    ProjectRecord* target = row < 0 ? nullptr : m_files.nthOfKind(FileKind::Java, row);
    if (!target)
        return cancelled();
    // No file time is taken here: only reading or writing the text makes the buffer agree with the disk.
    captureEditor(true);
    m_files.setCurrentFile(target);
    loadEditor(target);
    return {SessionOutcome::Done, true};
}

SessionResult WorkspaceSession::showCompiledFile(const QString& fileName) {
    captureEditor(false);
    // A source whose name starts like an option was given to the compiler as ./name.
    const QString name = fileName.startsWith(QLatin1String("./")) ? fileName.mid(2) : fileName;
    ProjectRecord* record = m_files.findByPath(m_project.ProjectDir + name);
    if (!record)
        return cancelled();
    showKept(*record);
    m_files.setCurrentFile(record);
    listsChanged();
    return {SessionOutcome::Done, true};
}

SessionResult WorkspaceSession::showFrameFile(const QString& fileName, const QString& packageFolder) {
    if (!packageFolder.isEmpty())
        if (SessionResult shown = showCompiledFile(packageFolder + u'/' + fileName); shown.ok())
            return shown;
    if (SessionResult shown = showCompiledFile(fileName); shown.ok())
        return shown;
    for (const ProjectRecord& record : m_files.records())
        if (record.Kind == FileKind::Java && QFileInfo(record.Name).fileName() == fileName)
            return showCompiledFile(record.Name);
    return cancelled();
}

SessionResult WorkspaceSession::openFiles(const QStringList& chosen) {
    // The buffer is taken from the editor once, before any file replaces its text.
    captureEditor(true);
    SessionResult result = cancelled();
    for (const QString& path : chosen) {
        const SessionAnswer answer =
            m_prompts.confirmOrCancel("Should the file " + path + " be added to the actual project?");
        if (answer == SessionAnswer::Cancel)
            continue;
        const SessionResult opened = openFile(path, answer == SessionAnswer::Yes);
        result.bufferChanged = result.bufferChanged || opened.bufferChanged;
        if (opened.outcome == SessionOutcome::Failed || result.outcome == SessionOutcome::Cancelled)
            result.outcome = opened.outcome;
    }
    return result;
}

SessionResult WorkspaceSession::openFile(const QString& path, bool intoProject) {
    // A file already in the project folder (or a sub-folder of it) stays where it is.
    const QString name = intoProject ? projectEntryName(m_project.ProjectDir, path) : fileNamePart(path);
    if (const QString problem = fileNameProblem(name); intoProject && !problem.isEmpty()) {
        m_prompts.error(problem);
        return failed();
    }
    const QString target = intoProject ? m_project.ProjectDir + name : path;
    // One record per path: the buffer that holds the target is the one the file goes into.
    ProjectRecord* holder = m_files.findByPath(target);
    if (!holder && intoProject) {
        for (ProjectRecord& record : m_files.records())
            if (record.InProject && record.Name == name) {
                holder = &record;
                break;
            }
    }
    if (holder && holder->Kind != FileKind::Java) {
        m_prompts.error("The file " + name + " is already in the project as an other file.");
        return failed();
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
        listsChanged();
        return {SessionOutcome::Done, true};
    }
    // The next save would replace the project's own file or buffer: ask first, as adding files does.
    if (holder || (!sameFile && QFileInfo::exists(target))) {
        if (!m_prompts.confirm({kOverwrite}))
            return cancelled();
    }
    const QString fileTime = fileTimeText(target);
    const TextReadResult read = TextFile::read(path);
    if (!read.ok()) {
        m_prompts.error(read.error);
        return failed();
    }
    m_project.ProjectModified = true;
    ProjectRecord* record = holder;
    if (!record) {
        ProjectRecord fields;
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
    // Into a buffer that was open, the text read is one step that Undo takes back.
    m_rereadAside.remove(record->Id);
    m_buffer.showRecord(record->Id, record->Lines, holder != nullptr);
    listsChanged();
    return {SessionOutcome::Done, true};
}

SessionResult WorkspaceSession::addOtherFiles(const QStringList& sources) {
    SessionResult result = cancelled();
    for (const QString& source : sources) {
        const FileResult copied = copyIntoProject(source);
        // Asked or not, copied or not: the project counts as changed, as it always has.
        m_project.ProjectModified = true;
        if (!copied)
            result.outcome = SessionOutcome::Failed;
        else if (result.outcome == SessionOutcome::Cancelled)
            result.outcome = SessionOutcome::Done;
    }
    listsChanged();
    return result;
}

FileResult WorkspaceSession::copyIntoProject(const QString& source) {
    // A file of the project folder, sub-folders included, is taken where it lies.
    const QString name = projectEntryName(m_project.ProjectDir, source);
    const QString target = m_project.ProjectDir + name;
    const auto report = [this](const FileResult& result) {
        if (!result)
            m_prompts.error(result.error);
        return result;
    };
    if (const QString problem = fileNameProblem(name); !problem.isEmpty())
        return report({problem});
    if (const FileResult allowed = checkWriteTarget(m_project.ProjectDir, target); !allowed)
        return report(allowed);
    if (m_files.isInProject(name)) {
        if (m_prompts.confirm({kOverwrite}))
            return report(copyFile(source, target));
        return FileResult::success();
    }
    // The record joins the list only when its file is really in the project folder.
    if (const FileResult copied = copyFile(source, target); !copied)
        return report(copied);
    ProjectRecord fields;
    fields.Path = target;
    fields.Name = name;
    fields.Kind = FileKind::Other;
    fields.InProject = true;
    m_files.insertFile(std::move(fields));
    return FileResult::success();
}

SessionResult WorkspaceSession::remove(FileKind kind, int row) {
    const bool java = kind == FileKind::Java;
    const QString question =
        java ? QStringLiteral("This will remove the file from the project. The file will be "
                              "renamed to <filename>.java.old.")
             : QStringLiteral("This will remove the file from the project. The file will be "
                              "renamed to <filename>.<ext>.old.");
    if (!m_prompts.confirm({question, SessionButtons::OkCancel}))
        return cancelled();
    m_project.ProjectModified = true;
    ProjectRecord* record = row < 0 ? nullptr : m_files.nthOfKind(kind, row);
    if (!record)
        return cancelled();
    // The buffer on screen may belong to another file; keep its edits before the editor is refilled.
    if (m_files.currentFile() != record)
        captureEditor(true);
    // The rename moves a link itself, never its target, but a linked folder on the way leads elsewhere.
    const QString file = m_project.ProjectDir + record->Name;
    if (checkWriteTarget(m_project.ProjectDir, QFileInfo(file).path()))
        renameAside(file);
    forget(*record);
    m_files.remove(record);
    if (!java) {
        listsChanged();
        return {};
    }
    ProjectRecord* first = m_files.firstOfKind(FileKind::Java);
    m_files.setCurrentFile(first);
    loadEditor(first);
    listsChanged();
    return {SessionOutcome::Done, true};
}

SessionResult WorkspaceSession::saveCurrent() {
    ProjectRecord* current = m_files.currentFile();
    if (!current)
        return {};
    captureEditor(false);
    const FileResult result = saveFileWithin(m_project.ProjectDir, *current);
    listsChanged();
    if (!result) {
        m_prompts.error(result.error);
        return failed();
    }
    return {};
}

SessionResult WorkspaceSession::saveAs(const QString& chosen) {
    ProjectRecord* current = m_files.currentFile();
    if (!current)
        return cancelled();
    const QString name = projectEntryName(m_project.ProjectDir, chosen);
    if (const QString problem = fileNameProblem(name); !problem.isEmpty()) {
        m_prompts.error(problem);
        return failed();
    }
    // One record per file: the other buffer of that file goes, or Save all would write both.
    ProjectRecord* other = m_files.findSameFile(chosen, current);
    if (other && !m_prompts.confirm({"The file " + other->Name +
                                     " is open in another buffer. Replace it with this text and close that "
                                     "buffer?"}))
        return cancelled();
    captureEditor(false);
    const QString oldPath = current->Path;
    const QString oldName = current->Name;
    current->Path = chosen;
    current->Name = name;
    const FileResult result = saveFileWithin(m_project.ProjectDir, *current);
    SessionResult outcome;
    if (!result) {
        // The buffer keeps its old name when the new file cannot be written.
        current->Path = oldPath;
        current->Name = oldName;
        m_prompts.error(result.error);
        outcome = failed();
    } else if (other) {
        current->InProject = current->InProject || other->InProject;
        forget(*other);
        m_files.remove(other);
        m_project.ProjectModified = true;
    }
    listsChanged();
    return outcome;
}

SessionResult WorkspaceSession::saveAll() {
    captureEditor(false);
    QStringList errors;
    for (ProjectRecord& record : m_files.records()) {
        // A buffer that holds what its file holds is not written again: rewriting it would only reach
        // through whatever link replaced the file since.
        const QFileInfo file(record.Path);
        if (record.Kind == FileKind::Java && (record.Modified || !(file.exists() || file.isSymLink()))) {
            const FileResult result = saveFileWithin(m_project.ProjectDir, record);
            if (!result)
                errors << result.error;
        }
    }
    SessionResult outcome;
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
        outcome.projectFileRenamed = true;
        remember(projectFile);
    }
    listsChanged();
    if (!errors.isEmpty()) {
        m_prompts.error(errors.join('\n'));
        outcome.outcome = SessionOutcome::Failed;
    }
    return outcome;
}

SessionResult WorkspaceSession::saveProjectAs(const QString& chosen) {
    const QString target = withProjectExtension(chosen);
    FileResult written = checkWriteTarget(m_project.ProjectDir, target);
    if (written)
        written = writeProjectFile(target, m_project, m_files);
    if (!written) {
        m_prompts.error(written.error);
        return failed();
    }
    return {};
}

void WorkspaceSession::reloadRecord(ProjectRecord& record) {
    const QString fileTime = fileTimeText(record.Path);
    const TextReadResult read = TextFile::read(record.Path);
    if (!read.ok()) {
        m_prompts.error(read.error);
        return;
    }
    record.Lines = read.file.lines;
    record.Format = read.file.format;
    // The buffer is the file again: no marker, and only a later change on disk is asked about.
    record.FileTime = fileTime;
    record.Modified = false;
    if (&record == m_files.currentFile())
        m_buffer.replaceLines(record.Lines, BufferReplace::UndoStep);
    else
        m_rereadAside.insert(record.Id);
    listsChanged();
}

SessionResult WorkspaceSession::reloadChangedFiles() {
    // A question's own window can deactivate and reactivate the program; one check at a time.
    if (m_checkingFiles)
        return cancelled();
    m_checkingFiles = true;
    SessionResult result = cancelled();
    for (ProjectRecord& record : m_files.records()) {
        if (record.Kind != FileKind::Java || checkFileChanged(record) != ReloadDecision::Ask)
            continue;
        // Yes to a buffer with edits throws them away: that question names them and Enter answers No.
        const bool reload = record.Modified
                                ? m_prompts.confirm({reloadQuestion(record.Name, true), SessionButtons::YesNo,
                                                     /*defaultNo=*/true})
                                : m_prompts.confirm({reloadQuestion(record.Name)});
        if (!reload)
            continue;
        reloadRecord(record);
        result.outcome = SessionOutcome::Done;
        result.bufferChanged = result.bufferChanged || &record == m_files.currentFile();
    }
    m_checkingFiles = false;
    return result;
}

bool WorkspaceSession::offerToSave(bool announce) {
    if (!anyModified() && !m_project.ProjectModified)
        return true;
    switch (m_prompts.confirmOrCancel("Do you want to save the current project first?")) {
    case SessionAnswer::Yes:
        break;
    case SessionAnswer::No:
        return true;
    case SessionAnswer::Cancel:
        // The other project is not opened after all.
        return false;
    }
    // Save all has said what could not be written; the open project stays so nothing is lost.
    if (!saveAll().ok())
        return false;
    if (announce)
        m_prompts.notice("Project has been saved. Open the project now.");
    return true;
}

// Loading at start-up and through the menu read the same way: every record gets its file time.
SessionResult WorkspaceSession::loadProject(const QString& projectFile) {
    const ProjectLoad load = ::loadProject(projectFile);
    if (!load.ok()) {
        m_prompts.error(load.error);
        return failed();
    }
    clearFiles();
    load.applyTo(m_project);
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
    loadEditor(m_files.currentFile());
    // One message for all files left out, however damaged the project file is.
    if (const QString leftOut = leftOutFilesMessage(load.steps); !leftOut.isEmpty())
        m_prompts.notice(leftOut);
    if (!unreadable.isEmpty())
        m_prompts.error(unreadable.join('\n'));
    return {SessionOutcome::Done, true};
}

// The open project changes only once the new folder exists: a No to the question or a folder that
// cannot be created leaves the open project as it was.
SessionResult WorkspaceSession::newProject(const QString& folder, const QString& name,
                                           const QString& mainClassTemplate) {
    const QString dir = newProjectDir(folder, name);
    if (QFileInfo(dir).isDir() &&
        !m_prompts.confirm({kProjectExists, SessionButtons::YesNo, false, /*accessKeys=*/true}))
        return cancelled();
    if (const FileResult created = forceDirectories(dir); !created) {
        m_prompts.error(created.error);
        return failed();
    }
    m_project.ProjectDir = dir;
    m_project.Icon22Path.clear();
    m_project.Icon15Path.clear();
    m_project.CreatorID.clear();
    m_project.ProjectName = name;
    m_project.ProjectFileName = name + QStringLiteral(".hwp");
    m_project.ProjectFileFormat = {}; // the old project's encoding is no reason for the new one's
    clearFiles();
    if (mainClassTemplate.isEmpty()) {
        clearEditor();
    } else if (const FileResult generated = createFromTemplate(mainClassTemplate, name); !generated) {
        m_prompts.error(generated.error);
    }
    return {SessionOutcome::Done, true};
}

FileResult WorkspaceSession::createFromTemplate(const QString& templatePath, const QString& className) {
    // The class is saved there later: a link in its place is refused now, before any work goes into it.
    if (FileResult allowed =
            checkWriteTarget(m_project.ProjectDir, m_project.ProjectDir + className + ".java");
        !allowed)
        return allowed;
    captureEditor(true);
    const TextReadResult generated = ClassTemplate::generateFromTemplate(templatePath, className);
    if (!generated.ok())
        return {generated.error};
    ProjectRecord fields;
    fields.Name = className + ".java";
    fields.Path = m_project.ProjectDir + fields.Name;
    fields.Kind = FileKind::Java;
    fields.InProject = true;
    fields.Lines = generated.file.lines;
    fields.Format = generated.file.format;
    fields.Modified = true;
    showKept(*m_files.insertFile(std::move(fields)));
    listsChanged();
    return FileResult::success();
}

void WorkspaceSession::clearEditor() {
    m_buffer.replaceLines({}, BufferReplace::Fresh);
}

SessionResult WorkspaceSession::closeQuestion() {
    // A project without files still has a membership to keep: only with nothing open is nothing asked.
    if (!m_project.hasProject() && m_files.isEmpty())
        return {};
    const bool modified = anyModified();
    const QString lastProject = m_project.ProjectDir + m_project.ProjectFileName;
    remember(lastProject);
    if (!modified && !m_project.ProjectModified)
        return {};
    switch (m_prompts.confirmOrCancel(
        "Do you want to save all files? Click Cancel to go back to Kovrin Handwright.")) {
    case SessionAnswer::Yes: {
        // Nothing is lost: when a file cannot be written the program stays open.
        const SessionResult saved = saveAll();
        if (!saved.ok())
            return saved;
        clearFiles();
        return saved;
    }
    case SessionAnswer::No:
        remember(lastProject);
        clearFiles();
        return {};
    case SessionAnswer::Cancel:
        break;
    }
    return cancelled();
}

SessionResult WorkspaceSession::restoreLines(const QString& path, const QStringList& lines,
                                             const TextFormat& format) {
    captureEditor(true);
    ProjectRecord* record = m_files.findByPath(path);
    if (!record)
        record = m_files.findSameFile(path);
    if (record && record->Kind != FileKind::Java) {
        m_prompts.error("The file " + record->Name + " is in the project as an other file.");
        return failed();
    }
    const bool wasCurrent = record && record == m_files.currentFile();
    if (!record) {
        ProjectRecord fields;
        fields.Path = path;
        fields.Name = fileNamePart(path);
        fields.Kind = FileKind::Java;
        fields.Format = format;
        record = m_files.insertFile(std::move(fields));
        // The time of the file there now, so that only a later change on disk is offered for reloading.
        record->FileTime = fileTimeText(path);
    }
    record->Lines = lines;
    record->Modified = true;
    m_files.setCurrentFile(record);
    if (wasCurrent)
        m_buffer.replaceLines(lines, BufferReplace::UndoStep);
    else
        loadEditor(record);
    listsChanged();
    return {SessionOutcome::Done, true};
}
