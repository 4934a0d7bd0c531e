#pragma once

#include "FileResult.h"

#include <QByteArray>

// Writes a temporary file beside the target and renames it over the target, so a crash or a full disk
// never leaves a truncated file; on failure the old file is unchanged and no temporary file is left.
FileResult writeFileAtomically(const QString& path, const QByteArray& bytes);

// Reads a whole file; the error names the file and the reason.
FileResult readWholeFile(const QString& path, QByteArray& bytes);
