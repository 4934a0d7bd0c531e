#include "ProjectFile.h"

#include "PathHelpers.h"
#include "TextFile.h"

ProjectFileContent parseProjectFile(const QStringList& lines) {
    ProjectFileContent content;
    content.ProjectName = lines.value(0);
    content.Icon22Path = lines.value(1);
    content.Icon15Path = lines.value(2);
    content.CreatorID = lines.value(3);
    content.fileNames = lines.mid(4);
    return content;
}

QStringList projectFileLines(const ProjectValues& values, const FileList& files) {
    return QStringList{values.ProjectName, values.Icon22Path, values.Icon15Path, values.CreatorID} +
           files.projectFileNames();
}

FileResult writeProjectFile(const QString& path, ProjectValues& values, const FileList& files) {
    TextFile file{projectFileLines(values, files), values.ProjectFileFormat};
    FileResult result = file.write(path);
    if (result) {
        values.ProjectModified = false;
        values.ProjectFileFormat = file.format; // UTF-8 when a name outgrew Windows-1252
    }
    return result;
}

QString withProjectExtension(const QString& path) {
    return fileExtension(path).isEmpty() ? path + QStringLiteral(".hwp") : path;
}
