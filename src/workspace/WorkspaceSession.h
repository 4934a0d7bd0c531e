#pragma once

#include "FileList.h"
#include "FileResult.h"
#include "ProjectValues.h"
#include "SessionBuffer.h"
#include "SessionPrompts.h"

#include <QSet>
#include <QStringList>
#include <functional>

enum class SessionOutcome {
    Done,      // the operation ran (its messages, if any, have been shown)
    Cancelled, // a question was answered No or Cancel, or there was nothing to do
    Failed     // an error was shown; what could not be done left everything as it was
};

// What an operation did, for the window to show.
struct SessionResult {
    SessionOutcome outcome = SessionOutcome::Done;
    // The editor shows another record or another text now: the class browser reads it again.
    bool bufferChanged = false;
    // Save all wrote ProjectName + ".hwp" in place of the project file loaded: the caption names it now.
    bool projectFileRenamed = false;

    bool ok() const { return outcome == SessionOutcome::Done; }
};

// The open-file session: the project values, the open files and every rule about them (which record
// holds a path, when to ask before overwriting, what `Modified` becomes, which file times are taken when,
// what New Project resets, what Close asks). It asks through SessionPrompts and reaches the editor through
// SessionBuffer, so it runs without any window. A file time is taken only when a text is read or written.
class WorkspaceSession {
public:
    WorkspaceSession(SessionPrompts& prompts, SessionBuffer& buffer);

    ProjectValues& project() { return m_project; }
    const ProjectValues& project() const { return m_project; }
    FileList& files() { return m_files; }
    const FileList& files() const { return m_files; }

    // Called with the project file the next start opens, at the moments it is to be stored (the settings
    // store keeps it; the caption follows it when Save all has written the project under another name).
    void setRememberProject(std::function<void(const QString& projectFile)> remember);
    // Called whenever the records or their flags changed, at once, so that the lists are current when the
    // next question of the same operation comes.
    void setListsChanged(std::function<void()> changed);

    bool anyModified() const;

    // The editor's text into the current record; `full` takes the caret and first visible line too.
    void captureEditor(bool full);
    // The user edited the buffer: the current record is modified. True when that is new (its label changes).
    bool markCurrentModified();
    // The n-th Source entry becomes current and fills the editor, caret and top line as it left them.
    SessionResult showSource(int row);
    // The record of a file the compiler named (below the project folder, a leading "./" dropped) fills the
    // editor; the caret is the caller's to place. Cancelled when no open record has that path.
    SessionResult showCompiledFile(const QString& fileName);
    // The source a stack frame names by its bare file name and its class's package folder: the file at
    // that path below the project folder, else the first source of that file name. Cancelled for a file
    // outside the project (a frame of the class library).
    SessionResult showFrameFile(const QString& fileName, const QString& packageFolder);

    // Asks for each chosen file whether it joins the project (Yes, No, Cancel skips it) and opens it.
    SessionResult openFiles(const QStringList& chosen);
    // Opens a file into a Java record: the one that already holds its path, or a new one. A file of the
    // project folder keeps its place; into the project, a file from elsewhere is read into a buffer in the
    // project folder, asking first when that would replace a file or a buffer.
    SessionResult openFile(const QString& path, bool intoProject);
    // Copies each file into the project folder as an other file (asking before replacing one).
    SessionResult addOtherFiles(const QStringList& sources);
    // Removes the n-th entry of the Source or Other files list after a question, renaming its file aside.
    SessionResult remove(FileKind kind, int row);

    SessionResult saveCurrent();
    // The current buffer saved to another path; a buffer already holding that file goes, after a question.
    SessionResult saveAs(const QString& chosen);
    // Every edited Java buffer (and any whose file is gone), then the project file; one error for all.
    SessionResult saveAll();
    // A copy of the project file at the chosen path (".hwp" added when it has no extension).
    SessionResult saveProjectAs(const QString& chosen);
    // Offers every Java file changed on disk for reloading; a buffer with edits gets a question of its own
    // whose default is No.
    SessionResult reloadChangedFiles();

    // Before the open files are replaced: asks whether to save them first. False when the user cancelled or
    // a file could not be saved; `announce` tells after the save that the other project opens now.
    bool offerToSave(bool announce);
    SessionResult loadProject(const QString& projectFile);
    // The project `name` in a folder of its own below `folder` (an absolute path; the name is a valid class
    // name): asks before using a folder that exists, creates it, clears the open files and resets the
    // project's values; with a template, its main class becomes the one open buffer, else the editor empties.
    SessionResult newProject(const QString& folder, const QString& name, const QString& mainClassTemplate);
    // A new modified Java buffer ClassName.java in the project folder from a template; nothing is written.
    FileResult createFromTemplate(const QString& templatePath, const QString& className);
    void clearEditor();

    // Whether the program may close: asks to save when anything is unsaved. Done means close (after a Yes or
    // a No the open files are released); otherwise the program stays open.
    SessionResult closeQuestion();

    // Lines kept for `path` since the last save (a recovery copy) into its buffer, which becomes current
    // and modified; nothing is written. A path no buffer holds gets a buffer of its own, outside the project
    // list, in the format given. The current buffer's old text is one step that Undo takes back.
    SessionResult restoreLines(const QString& path, const QStringList& lines, const TextFormat& format);

private:
    void loadEditor(const ProjectRecord* record);
    // The record's text as the editor keeps it; true when its caret and view came back with it.
    bool showKept(const ProjectRecord& record);
    // Before the record leaves the list: the editor lets go of its text.
    void forget(const ProjectRecord& record);
    // Releases every record and everything the editor kept of them.
    void clearFiles();
    FileResult copyIntoProject(const QString& source);
    void reloadRecord(ProjectRecord& record);
    void remember(const QString& projectFile);
    void listsChanged();

    SessionPrompts& m_prompts;
    SessionBuffer& m_buffer;
    ProjectValues m_project;
    FileList m_files;
    std::function<void(const QString&)> m_remember;
    std::function<void()> m_listsChanged;
    bool m_checkingFiles = false;
    // Records read again from disk while not on screen: the editor's kept text of them is older.
    QSet<quint64> m_rereadAside;
};
