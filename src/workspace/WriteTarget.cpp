#include "WriteTarget.h"

#include "AtomicWrite.h"
#include "ProjectRecord.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// Where `path` really leads: every link resolved, also in a last part that does not exist yet (then its
// folder is resolved and the name appended). Empty when its folder does not exist either.
QString realLocation(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(info.fileName());
}

} // namespace

FileResult checkWriteTarget(const QString& projectDir, const QString& path) {
    if (FileResult link = checkNotDanglingLink(path); !link)
        return link;
    if (projectDir.isEmpty())
        return FileResult::success();
    const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(projectDir));
    const QString named = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (!isInside(named, folder))
        return FileResult::success();
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    if (realFolder.isEmpty())
        return FileResult::cannotWrite(path,
                                       QStringLiteral("the project folder %1 does not exist").arg(folder));
    const QString real = realLocation(named);
    // A folder on the way that does not exist makes the write fail by itself, creating nothing.
    if (real.isEmpty() || isInside(real, realFolder))
        return FileResult::success();
    return FileResult::cannotWrite(
        path, QStringLiteral("it leads to %1, outside the project folder %2").arg(real, realFolder));
}

FileResult saveFileWithin(const QString& projectDir, ProjectRecord& record) {
    if (FileResult allowed = checkWriteTarget(projectDir, record.Path); !allowed)
        return allowed;
    return saveFile(record);
}

QString projectEntryName(const QString& projectDir, const QString& path) {
    const QString named = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (!projectDir.isEmpty()) {
        const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(projectDir)) + u'/';
        if (named.startsWith(folder) && named.size() > folder.size())
            return named.mid(folder.size());
    }
    return QFileInfo(named).fileName();
}

QString fileNameProblem(const QString& name) {
    if (!name.contains(u'\r') && !name.contains(u'\n'))
        return {};
    QString shown = name;
    shown.replace(u'\r', u' ').replace(u'\n', u' ');
    return QStringLiteral("The file name \"%1\" holds a line break, which a project file cannot list. "
                          "Please rename the file.")
        .arg(shown);
}
