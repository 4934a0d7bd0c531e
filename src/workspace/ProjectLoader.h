#pragma once

#include "ProjectRecord.h"
#include "ProjectValues.h"

#include <vector>

// One listed file of a project being loaded, in project-file order, so that the caller can insert
// records and show messages interleaved exactly as they come.
struct ProjectLoadStep {
    enum class Type {
        Insert,     // `record` is ready for FileList::insertFile
        Missing,    // no file `line` in the project folder: tell the user (leftOutFilesMessage)
        Outside,    // `line` leads out of the project folder: left out, or saving would write there
        Unreadable, // the file exists but cannot be read: show `error`; it is left out like a missing one
        NotRegular, // a folder, FIFO or device: never read (it could block for ever), left out
        Repeated,   // the same file as an earlier line (also through a link): one record per file
    };
    Type type = Type::Insert;
    QString line; // the file name as the project file lists it
    ProjectRecord record;
    QString fileTime; // fileTimeText() taken before the text was read; goes into the inserted record
    QString error;
};

struct ProjectLoad {
    QString error;        // the project file itself could not be read; nothing else is set then
    ProjectValues values; // all but `ProjectModified`, which loading leaves alone
    std::vector<ProjectLoadStep> steps;

    bool ok() const { return error.isEmpty(); }
    // Takes over the loaded values and keeps the caller's `ProjectModified`.
    void applyTo(ProjectValues& target) const;
};

// Reads the project file and every Java source it lists. Other files get no text: nothing reads it.
// A project name that would lead out of the project folder ("/", "\\", "..") refuses the whole file.
ProjectLoad loadProject(const QString& projectFilePath);

QString missingFileMessage(const QString& line);

// One message for every listed file left out as missing, not a regular file, repeated or outside the
// project folder, however many
// there are (a damaged project file must not bring one message per line); empty when none was.
QString leftOutFilesMessage(const std::vector<ProjectLoadStep>& steps);
