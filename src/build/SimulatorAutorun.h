#pragma once

#include "workspace/FileResult.h"

#include <QString>
#include <QStringList>

// The Palm Simulator loads every package in the "autorun" folder beside its program when it starts. A
// start from here replaces what the previous one put there and nothing else: the names it copied are
// kept in a record beside the folder (not inside it, where the simulator would try to load it). A link
// found in place of the folder, a package or the record is removed itself and never followed, so nothing
// outside the simulator's folder is deleted or written.

// Removes the packages the record names and the record, links in place of the folder or of one of
// `packageNames` (file names), and the folder itself once it is empty.
void clearSimulatorAutorun(const QString& simulatorFolder, const QStringList& packageNames);

// Creates the folder when needed and copies each package (a full path) into it under its own name,
// recording the names copied. A package that cannot be copied is left out. Fails, copying nothing, when
// the folder cannot be made a plain folder of its own.
FileResult fillSimulatorAutorun(const QString& simulatorFolder, const QStringList& packages);
