#pragma once

#include "FileList.h"
#include "FileResult.h"
#include "ProjectValues.h"

#include <QStringList>

// A project file (.hwp): project name, two icon paths and the creator ID on lines 1 to 4, then one file
// name per line; no header, CR LF after every line.
struct ProjectFileContent {
    QString ProjectName;
    QString Icon22Path;
    QString Icon15Path;
    QString CreatorID;
    QStringList fileNames;
};

// Missing lines among the first four are empty.
ProjectFileContent parseProjectFile(const QStringList& lines);

QStringList projectFileLines(const ProjectValues& values, const FileList& files);

// Writes the four values and every `InProject` name in list order, in `ProjectFileFormat`; clears
// `ProjectModified` on success.
FileResult writeProjectFile(const QString& path, ProjectValues& values, const FileList& files);

// Appends ".hwp" when the chosen name has no extension.
QString withProjectExtension(const QString& path);
