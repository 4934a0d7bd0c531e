#pragma once

#include "NotesRegister.h"

#include <QString>
#include <optional>
#include <vector>

class FileList;
struct ProjectRecord;

// Where an entry's "File and line" text points: "File.java:12", "File.java, 12", "File.java (12)", or a
// bare "File.java" for its first line. The file is a path below the project folder ('\' taken as '/').
struct NoteLocation {
    QString file;
    int line = 1; // 1-based

    bool operator==(const NoteLocation&) const = default;
};

// None for an empty text or a line number that is no positive decimal number.
std::optional<NoteLocation> parseNoteLocation(const QString& fileAndLine);

// The open Java source a location names: the file at that path below the project folder, judged by
// where the path really leads (links resolved; nothing outside the folder), else for a bare file name the
// first source of that name. Null when it names none.
ProjectRecord* noteSource(const FileList& files, const QString& projectDir, const NoteLocation& at);

// A line of a source that open entries name, with the text its mark shows.
struct NoteMark {
    int line = 0; // 1-based
    QString text; // "ID: description" of each entry, one a line
    bool operator==(const NoteMark&) const = default;
};

// The marks of one source, by line: every open entry whose location names it.
std::vector<NoteMark> noteMarks(const QList<NoteEntry>& entries, const FileList& files,
                                const QString& projectDir, const ProjectRecord* source);
