#pragma once

#include "FileResult.h"

#include <QString>

struct ProjectRecord;

// Where the program may write. A path that names a place in the project folder must really lead there,
// through every link and linked folder on the way: a project is untrusted, and a link in it must not make a
// save replace a file elsewhere (a project file linked to ~/.bashrc). A path outside the project folder
// was chosen by the user (a file opened in place, a copy of the project file) and is written where it
// leads. Wherever it lies, a link whose target does not exist is never written through: that would
// create a file the user never named.
//
// Success, or the refusal naming the file and the reason, ready for the message dialog.
FileResult checkWriteTarget(const QString& projectDir, const QString& path);

// saveFile(), once checkWriteTarget() has nothing against the record's `Path`.
FileResult saveFileWithin(const QString& projectDir, ProjectRecord& record);

// The name a file at `path` has in the project whose folder is `projectDir`: its path below the folder
// ("sub/x.java") when it lies there, else its file name.
QString projectEntryName(const QString& projectDir, const QString& path);

// Why `name` cannot be listed in a project file, which holds one name per line; empty when it can.
QString fileNameProblem(const QString& name);
