#include "PathHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

QString withBackslash(const QString& text, QChar separator) {
    if (text.isEmpty() || text.endsWith(separator))
        return text;
    return text + separator;
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

QString fileNamePart(const QString& path, QChar separator) {
    return path.mid(path.lastIndexOf(separator) + 1);
}

QString fileExtension(const QString& path, QChar separator) {
    const QString name = fileNamePart(path, separator);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

namespace {

bool entryExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink(); // a dangling link still occupies the name
}

FileResult createFolderChain(QString folder) {
    while (folder.endsWith(u'/'))
        folder.chop(1);
    // The root (now empty) and a relative name's start need no creating.
    if (folder.isEmpty() || QFileInfo(folder).isDir())
        return FileResult::success();
    const QString parent = folder.left(folder.lastIndexOf(u'/') + 1);
    if (!parent.isEmpty() && parent != folder) {
        if (FileResult r = createFolderChain(parent); !r)
            return r;
    }
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0 && errno != EEXIST)
        return {QStringLiteral("Cannot create the folder %1: %2").arg(folder, qt_error_string(errno))};
    if (!QFileInfo(folder).isDir())
        return {QStringLiteral("Cannot create the folder %1: %2").arg(folder, qt_error_string(EEXIST))};
    return FileResult::success();
}

} // namespace

FileResult forceDirectories(const QString& folder) {
    if (folder.isEmpty())
        return {QStringLiteral("Das Verzeichnis kann nicht erstellt werden")};
    return createFolderChain(folder);
}

bool isPlainName(const QString& name) {
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QLatin1String(".."));
}

QString absoluteUserPath(const QString& path) {
    if (path.isEmpty())
        return path;
    QString expanded = path;
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        expanded = QDir::homePath() + path.mid(1);
    const bool folder = expanded.endsWith(u'/');
    QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(expanded));
    // A folder keeps its trailing separator, as folders are held.
    if (folder && !absolute.endsWith(u'/'))
        absolute += u'/';
    return absolute;
}

QString renameAside(const QString& path) {
    for (int n = 1;; ++n) {
        const QString aside = path + QStringLiteral(".old(%1)").arg(n);
        if (entryExists(aside))
            continue;
        return QFile::rename(path, aside) ? aside : QString();
    }
}
