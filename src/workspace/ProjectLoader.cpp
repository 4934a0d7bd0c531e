#include "ProjectLoader.h"

#include "PathHelpers.h"
#include "ProjectFile.h"
#include "TextFile.h"

#include <QFileInfo>

void ProjectLoad::applyTo(ProjectValues& target) const {
    const bool modified = target.ProjectModified;
    target = values;
    target.ProjectModified = modified;
}

namespace {

ProjectLoadStep stepFor(const QString& projectDir, const QString& line) {
    ProjectLoadStep step;
    step.line = line;
    const QString full = projectDir + line;
    if (!QFileInfo(full).isFile()) {
        step.type = ProjectLoadStep::Type::Missing;
        return step;
    }
    TProjectFile& record = step.record;
    record.Path = full;
    record.Name = fileNamePart(line);
    record.Kind = kindOfFileName(record.Name);
    record.InProject = true;
    if (record.Kind == FileKind::Java) {
        TextReadResult text = TextFile::read(full);
        if (!text.ok()) {
            step.type = ProjectLoadStep::Type::Unreadable;
            step.error = text.error;
            return step;
        }
        record.Lines = std::move(text.file.lines);
        record.Format = text.file.format;
    }
    return step;
}

} // namespace

ProjectLoad loadProject(const QString& projectFilePath) {
    ProjectLoad load;
    TextReadResult text = TextFile::read(projectFilePath);
    if (!text.ok()) {
        load.error = text.error;
        return load;
    }
    const ProjectFileContent content = parseProjectFile(text.file.lines);
    if (content.ProjectName.isEmpty()) {
        load.error =
            FileResult::cannotRead(projectFilePath, QStringLiteral("the first line names no project")).error;
        return load;
    }
    const QFileInfo info(projectFilePath);
    ProjectValues& values = load.values;
    values.ProjectName = content.ProjectName;
    values.ProjectDir = withBackslash(info.absolutePath());
    values.ProjectFileName = info.fileName();
    values.Icon22Path = content.Icon22Path;
    values.Icon15Path = content.Icon15Path;
    values.CreatorID = content.CreatorID;
    for (const QString& line : content.fileNames) {
        if (!line.isEmpty()) // a blank line names no file
            load.steps.push_back(stepFor(values.ProjectDir, line));
    }
    return load;
}

QString missingFileMessage(const QString& line) {
    return QStringLiteral("The file ") + line +
           QStringLiteral(" does not exist. It is removed from the project. To avoid this, save the project "
                          "after removing a file.");
}
