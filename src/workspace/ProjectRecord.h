#pragma once

#include "FileResult.h"
#include "TextCodec.h"

#include <QStringList>

enum class FileKind { Java = 1, Other = 2 };

// One open file. The list owns it; the editor shows the `Lines` of the current one.
struct ProjectRecord {
    // Given by FileList::insertFile, never given twice in a run: what the editor keeps per file is found
    // by it, as an index or an address can come back for another record.
    quint64 Id = 0;
    QString Path; // full path the buffer is loaded from and saved to
    QString Name; // file name with extension: sort key, label and lookup key
    FileKind Kind = FileKind::Other;
    bool InProject = false; // listed in the project file
    QStringList Lines;
    bool Modified = false; // changed in the editor since last read or saved; never set for other files
    int CaretLine = 0;
    int CaretColumn = 0;
    int TopLine = 0;
    QString FileTime;  // fileTimeText() as last recorded; empty until then
    TextFormat Format; // encoding the file was read in, so saving changes no other byte
};

// A file counts as Java source when its extension, upper-cased, is ".JAVA".
FileKind kindOfFileName(const QString& name);

// Writes `Lines` to `Path`, clears `Modified` and records the written file's time; a failed write
// changes nothing.
FileResult saveFile(ProjectRecord& record);
