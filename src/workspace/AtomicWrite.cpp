#include "AtomicWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As QSaveFile does: a link chain is followed by hand, so a dangling link still names where to write.
QString followLinks(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// Syncing a folder is how the rename itself becomes durable. File systems that cannot sync a folder
// say so with EINVAL; a folder we may write but not list cannot be opened for it. Neither is a failure
// of the save.
int syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES ? 0 : errno;
    int code = 0;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP)
        code = errno;
    ::close(fd);
    return code;
}

} // namespace

AtomicFile::AtomicFile(const QString& path, Durability durability) : m_path(path), m_durability(durability) {}

AtomicFile::~AtomicFile() {
    cancel();
}

FileResult AtomicFile::failWith(int code) {
    return failWith(qt_error_string(code));
}

FileResult AtomicFile::failWith(const QString& reason) {
    if (m_result)
        m_result = FileResult::cannotWrite(m_path, reason);
    cancel();
    return m_result;
}

FileResult AtomicFile::open() {
    if (QFileInfo(m_path).isDir())
        return failWith(QStringLiteral("Is a directory"));
    m_target = QFile::encodeName(followLinks(m_path));
    struct stat old {};
    const bool exists = ::stat(m_target.constData(), &old) == 0;
    // Until the old file's permissions are copied, nobody else may read the new contents.
    const mode_t mode = exists ? 0600 : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporary =
            m_target + '.' +
            QByteArray::number(QRandomGenerator::global()->bounded(1u << 30), 36).rightJustified(6, '0');
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0 || errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        const int code = errno;
        m_temporary.clear();
        return failWith(code);
    }
    if (exists) {
        // Only root may give a file away (anyone may keep it in one of their groups); when not allowed,
        // the file becomes ours. The owner first: a change of owner clears the set-id bits.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(m_fd, old.st_uid, old.st_gid) != 0) {
        }
        if (::fchmod(m_fd, old.st_mode & 07777) != 0)
            return failWith(errno);
    }
    return m_result;
}

FileResult AtomicFile::write(const char* data, qint64 size) {
    if (!m_result || m_fd < 0)
        return m_result ? failWith(QStringLiteral("not open")) : m_result;
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return failWith(errno);
        }
        data += written;
        size -= written;
    }
    return m_result;
}

FileResult AtomicFile::commit() {
    if (!m_result || m_fd < 0)
        return m_result ? failWith(QStringLiteral("not open")) : m_result;
    const bool synced = m_durability == Durability::Synced;
    if (synced && ::fsync(m_fd) != 0)
        return failWith(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return failWith(errno);
    if (::rename(m_temporary.constData(), m_target.constData()) != 0)
        return failWith(errno);
    m_temporary.clear();
    // The new file is in place; a folder that cannot be synced still fails the save, so the buffer stays
    // modified and is saved again.
    if (const int code = synced ? syncFolder(folderOf(m_target)) : 0)
        return failWith(code);
    return m_result;
}

void AtomicFile::cancel() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

FileResult writeFileAtomically(const QString& path, const QByteArray& bytes, Durability durability) {
    AtomicFile file(path, durability);
    if (FileResult r = file.open(); !r)
        return r;
    if (FileResult r = file.write(bytes); !r)
        return r;
    return file.commit();
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
