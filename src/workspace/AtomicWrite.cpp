#include "AtomicWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

FileResult writeFileAtomically(const QString& path, const QByteArray& bytes) {
    if (QFileInfo(path).isDir())
        return FileResult::cannotWrite(path, QStringLiteral("Is a directory"));
    QSaveFile file(path);
    // Unbuffered: a buffered write fails only while commit() flushes, and commit() then renames the
    // truncated temporary file over the target anyway.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::cannotWrite(path, file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        // A short write (disk full, file too large) leaves no Qt error, only errno.
        const int code = errno;
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                               : code                               ? qt_error_string(code)
                                                                    : QStringLiteral("incomplete write");
        file.cancelWriting();
        return FileResult::cannotWrite(path, reason);
    }
    if (!file.commit())
        return FileResult::cannotWrite(path, file.errorString());
    return FileResult::success();
}

FileResult readWholeFile(const QString& path, QByteArray& bytes) {
    if (QFileInfo(path).isDir())
        return FileResult::cannotRead(path, QStringLiteral("Is a directory"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::cannotRead(path, file.errorString());
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileResult::cannotRead(path, file.errorString());
    return FileResult::success();
}
