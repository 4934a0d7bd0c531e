#include "ClassTemplate.h"

#include "workspace/PathHelpers.h"

#include <QDir>
#include <algorithm>

namespace ClassTemplate {

QStringList substituteTemplate(const QStringList& lines, const QString& className) {
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines) {
        QString out;
        qsizetype from = 0;
        for (qsizetype at = line.indexOf(kPlaceholder); at >= 0; at = line.indexOf(kPlaceholder, from)) {
            out += QStringView(line).mid(from, at - from);
            out += className;
            from = at + kPlaceholder.size();
        }
        out += QStringView(line).mid(from);
        result << out;
    }
    return result;
}

QStringList templateDisplayNames(const QString& folder) {
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Unsorted)) {
        const QString file = info.fileName();
        if (file.size() > kExtension.size() && file.endsWith(kExtension, Qt::CaseSensitive))
            names << file.left(file.size() - kExtension.size());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int blind = a.compare(b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
    return names;
}

QString templatePath(const QString& folder, const QString& displayName) {
    return withBackslash(folder) + displayName + kExtension;
}

TextReadResult generateFromTemplate(const QString& path, const QString& className) {
    TextReadResult read = TextFile::read(path);
    if (read.ok())
        read.file.lines = substituteTemplate(read.file.lines, className);
    return read;
}

} // namespace ClassTemplate

bool MainWindowOK(const FileList& files, const QString& projectName) {
    const QString name = projectName + QStringLiteral(".java");
    return std::ranges::any_of(files.records(),
                               [&](const TProjectFile& record) { return record.Name == name; });
}

QString newProjectDir(const QString& path, const QString& name, QChar separator) {
    return withBackslash(withBackslash(path, separator) + name, separator);
}
