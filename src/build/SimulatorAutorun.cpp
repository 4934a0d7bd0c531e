#include "SimulatorAutorun.h"

#include "workspace/AtomicWrite.h"
#include "workspace/FileCopy.h"
#include "workspace/PathHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A record longer than this was not written by us.
constexpr qint64 kMaxRecordSize = 64 * 1024;

QString autorunFolder(const QString& simulatorFolder) {
    return simulatorFolder + QStringLiteral("/autorun");
}

QString recordFile(const QString& simulatorFolder) {
    return simulatorFolder + QStringLiteral("/.handwright-autorun");
}

// A name the record may hold: one file right inside the folder.
bool isPackageName(const QString& name) {
    return !name.isEmpty() && !name.startsWith(u'.') && isPlainName(name);
}

// Removes a link (whatever it points to) or a plain file; leaves folders and everything else.
void removeFileOrLink(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && info.isFile()))
        QFile::remove(path); // unlinks the name only, never a link's target
}

void removeLink(const QString& path) {
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
}

QStringList recordedNames(const QString& record) {
    const QFileInfo info(record);
    if (info.isSymLink() || !info.isFile() || info.size() > kMaxRecordSize)
        return {};
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        if (isPackageName(line))
            names << line;
    }
    return names;
}

} // namespace

void clearSimulatorAutorun(const QString& simulatorFolder, const QStringList& packageNames) {
    const QString folder = autorunFolder(simulatorFolder);
    const QString record = recordFile(simulatorFolder);
    if (QFileInfo(folder).isSymLink()) {
        QFile::remove(folder);
    } else if (QFileInfo(folder).isDir()) {
        for (const QString& name : recordedNames(record))
            removeFileOrLink(folder + u'/' + name);
        // A link under a package's name would take the copy elsewhere; a plain file is replaced.
        for (const QString& name : packageNames)
            removeLink(folder + u'/' + name);
        QDir(simulatorFolder).rmdir(QStringLiteral("autorun")); // only when nothing else is left
    }
    removeFileOrLink(record);
}

FileResult fillSimulatorAutorun(const QString& simulatorFolder, const QStringList& packages) {
    const QString folder = autorunFolder(simulatorFolder);
    const auto notPlain = [&] {
        return FileResult{QStringLiteral("%1 is not a folder of the Palm Simulator's own (a link or a file): "
                                         "the packages are not copied into it.")
                              .arg(folder)};
    };
    // Removed once more: the folder may have changed during the wait since it was cleared.
    removeLink(folder);
    if (QFileInfo(folder).isSymLink())
        return notPlain();
    if (const FileResult made = forceDirectories(folder + u'/'); !made)
        return made;
    const QFileInfo info(folder);
    if (info.isSymLink() || !info.isDir())
        return notPlain();
    QStringList copied;
    for (const QString& package : packages) {
        const QString name = QFileInfo(package).fileName();
        const QString target = folder + u'/' + name;
        removeLink(target);
        if (QFileInfo(target).isSymLink() || QFileInfo(target).isDir())
            continue;
        if (copyFile(package, target))
            copied << name;
    }
    const QString record = recordFile(simulatorFolder);
    removeFileOrLink(record);
    if (!copied.isEmpty() && !QFileInfo(record).exists())
        writeFileAtomically(record, copied.join(u'\n').toUtf8() + '\n', Durability::Scratch);
    return FileResult::success();
}
