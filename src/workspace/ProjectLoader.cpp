#include "ProjectLoader.h"

#include "FileTime.h"
#include "PathHelpers.h"
#include "ProjectFile.h"
#include "TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

void ProjectLoad::applyTo(ProjectValues& target) const {
    const bool modified = target.ProjectModified;
    target = values;
    target.ProjectModified = modified;
}

namespace {

ProjectLoadStep stepFor(const QString& projectDir, const QString& line, QSet<QString>& seen) {
    ProjectLoadStep step;
    step.line = line;
    const QString full = QDir::cleanPath(projectDir + line);
    if (!full.startsWith(projectDir)) {
        step.type = ProjectLoadStep::Type::Outside;
        return step;
    }
    const QFileInfo info(full);
    if (!info.exists()) {
        step.type = ProjectLoadStep::Type::Missing;
        return step;
    }
    if (!info.isFile()) {
        step.type = ProjectLoadStep::Type::NotRegular;
        return step;
    }
    if (bool fresh = !seen.contains(info.canonicalFilePath()); !fresh) {
        step.type = ProjectLoadStep::Type::Repeated;
        return step;
    }
    seen.insert(info.canonicalFilePath());
    ProjectRecord& record = step.record;
    record.Path = full;
    // A file in a sub-folder keeps its path below the project folder: it is read, built and listed
    // again under the same name.
    record.Name = full.mid(projectDir.size());
    record.Kind = kindOfFileName(record.Name);
    record.InProject = true;
    // Taken before reading: a change made while reading shows as a newer time at the next check.
    step.fileTime = fileTimeText(full);
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
    // Save all writes the project file named after the project into the project folder.
    if (!isPlainName(content.ProjectName)) {
        load.error = QStringLiteral("The project file %1 names the project \"%2\". A project name must not "
                                    "hold \"/\", \"\\\" or \"..\"; the project is not opened.")
                         .arg(projectFilePath, content.ProjectName);
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
    values.ProjectFileFormat = text.file.format;
    QSet<QString> seen;
    for (const QString& line : content.fileNames) {
        if (!line.isEmpty()) // a blank line names no file
            load.steps.push_back(stepFor(values.ProjectDir, line, seen));
    }
    return load;
}

QString missingFileMessage(const QString& line) {
    return QStringLiteral("The file ") + line +
           QStringLiteral(" does not exist. It is removed from the project. To avoid this, save the project "
                          "after removing a file.");
}

namespace {

constexpr int kNamesShown = 10;
constexpr int kNameLength = 60;

// "A", "A and B", "A, B and C", "A, B, ... and 7 more": a list that stays readable whatever its length.
QString nameList(const QStringList& names) {
    QStringList shown;
    for (const QString& name : names.mid(0, kNamesShown))
        shown << (name.size() > kNameLength ? name.left(kNameLength) + QStringLiteral("...") : name);
    const qsizetype more = names.size() - shown.size();
    if (more > 0)
        return shown.join(QStringLiteral(", ")) + QStringLiteral(" and %1 more").arg(more);
    if (shown.size() == 1)
        return shown.first();
    return shown.mid(0, shown.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + shown.last();
}

} // namespace

QString leftOutFilesMessage(const std::vector<ProjectLoadStep>& steps) {
    QStringList missing;
    QStringList outside;
    QStringList notRegular;
    QStringList repeated;
    for (const ProjectLoadStep& step : steps) {
        if (step.type == ProjectLoadStep::Type::Repeated && !repeated.contains(step.line))
            repeated << step.line;
        if (step.type == ProjectLoadStep::Type::Missing)
            missing << step.line;
        else if (step.type == ProjectLoadStep::Type::NotRegular)
            notRegular << step.line;
        else if (step.type == ProjectLoadStep::Type::Outside)
            outside << step.line;
    }
    QStringList parts;
    if (missing.size() == 1)
        parts << missingFileMessage(missing.first());
    else if (!missing.isEmpty())
        parts << QStringLiteral("The files ") + nameList(missing) +
                     QStringLiteral(
                         " do not exist. They are removed from the project. To avoid this, save the "
                         "project after removing a file.");
    // "The file a is ..." for one name, "The files a, b are ..." for several.
    const auto sayOf = [&parts](const QStringList& names, const char* one, const char* several) {
        if (!names.isEmpty())
            parts << QStringLiteral("The file%1 ").arg(names.size() == 1 ? "" : "s") + nameList(names) +
                         QLatin1String(names.size() == 1 ? one : several);
    };
    sayOf(notRegular, " is not a regular file. It is removed from the project.",
          " are not regular files. They are removed from the project.");
    sayOf(repeated, " is listed more than once. The repeated line was skipped.",
          " are listed more than once. The repeated lines were skipped.");
    sayOf(outside, " lies outside the project folder. It is removed from the project.",
          " lie outside the project folder. They are removed from the project.");
    return parts.join(QStringLiteral("\n\n"));
}
