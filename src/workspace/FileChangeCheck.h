#pragma once

#include "ProjectRecord.h"

// What the disk holds for an open file when the application is activated again.
struct DiskFile {
    bool exists = false; // false also when the file cannot be read: there is nothing to reload
    QStringList lines;
    QString fileTime;
};

enum class ReloadDecision { Skip, Ask };

// Ask only for a Java record whose file exists, differs in its lines from the buffer and carries another
// time text than the one recorded.
ReloadDecision reloadDecision(const ProjectRecord& record, const DiskFile& disk);

DiskFile readDiskFile(const QString& path);

// reloadDecision against the file at the record's `Path`.
ReloadDecision checkFileChanged(const ProjectRecord& record);

// The question for a buffer with unsaved edits says that Yes discards them.
QString reloadQuestion(const QString& name, bool unsavedEdits = false);
