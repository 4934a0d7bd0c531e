#include "AtomicWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A link chain followed by hand: the file the data replaces.
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

constexpr int kNameShown = 24;   // bytes of the target's name that the temporary name repeats
constexpr int kRandomLength = 6; // base-36 digits that make each save's temporary name its own

bool isRandomPart(const char* text) {
    int n = 0;
    for (; text[n]; ++n) {
        if (!((text[n] >= '0' && text[n] <= '9') || (text[n] >= 'a' && text[n] <= 'z')))
            return false;
    }
    return n == kRandomLength;
}

// Temporary files of this target whose save has ended without removing them (killed, or a power cut):
// a save under way holds a lock on its file, which the system lets go when the process ends, so a file
// that can be locked belongs to nobody. Links, folders and other users' files are left alone.
void removeStaleTemporaries(const QByteArray& folder, const QByteArray& prefix) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.constData(), size_t(prefix.size())) != 0 ||
            !isRandomPart(entry->d_name + prefix.size()))
            continue;
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
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

FileResult tooLarge(const QString& path, qint64 limit) {
    return FileResult::cannotRead(
        path,
        QStringLiteral("it is larger than %1 MB, more than the program opens").arg(limit / (1024 * 1024)));
}

} // namespace

FileResult checkNotDanglingLink(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink() || info.exists())
        return FileResult::success();
    return FileResult::cannotWrite(
        path, QStringLiteral("it is a link to %1, which does not exist").arg(info.symLinkTarget()));
}

QByteArray temporaryNamePrefix(const QByteArray& fileName) {
    // FNV-1a: the same on every run, unlike qHash, so a later run finds what an earlier one left.
    quint32 hash = 2166136261u;
    for (const char c : fileName)
        hash = (hash ^ quint8(c)) * 16777619u;
    qsizetype shown = qMin<qsizetype>(fileName.size(), kNameShown);
    // Never cut inside a UTF-8 sequence: the shortened name stays readable text.
    while (shown > 0 && shown < fileName.size() && (quint8(fileName[shown]) & 0xC0) == 0x80)
        --shown;
    return '.' + fileName.left(shown) + '.' + QByteArray::number(hash, 16).rightJustified(8, '0') + '.';
}

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
    if (FileResult link = checkNotDanglingLink(m_path); !link) {
        m_result = link;
        return m_result;
    }
    m_target = QFile::encodeName(followLinks(m_path));
    struct stat old {};
    const bool exists = ::stat(m_target.constData(), &old) == 0;
    // Until the old file's permissions are copied, nobody else may read the new contents.
    const mode_t mode = exists ? 0600 : 0666;
    // A hidden name of bounded length beside the target: a target whose name is as long as the system
    // allows still gets one, and a folder listing does not show it.
    const qsizetype slash = m_target.lastIndexOf('/');
    m_prefix = temporaryNamePrefix(m_target.mid(slash + 1));
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temporary =
            m_target.left(slash + 1) + m_prefix +
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
    // Held until the file is renamed or removed: tells a later save that this one is still under way.
    ::flock(m_fd, LOCK_EX);
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
    removeStaleTemporaries(folderOf(m_target), m_prefix);
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

FileResult notRegularFile(const QString& path) {
    return {QStringLiteral("%1 is not a regular file.").arg(path)};
}

FileResult readWholeFile(const QString& path, QByteArray& bytes, qint64 limit) {
    const QByteArray name = QFile::encodeName(path);
    // A FIFO or a device would block the window or never end: only a regular file is read. The mode is
    // checked before opening (opening a FIFO waits for a writer) and again on what was opened.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return FileResult::cannotRead(path, qt_error_string(errno));
    if (S_ISDIR(info.st_mode))
        return FileResult::cannotRead(path, QStringLiteral("Is a directory"));
    if (!S_ISREG(info.st_mode))
        return notRegularFile(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FileResult::cannotRead(path, qt_error_string(errno));
    const auto fail = [&](const FileResult& result) {
        ::close(fd);
        bytes.clear();
        return result;
    };
    if (::fstat(fd, &info) != 0)
        return fail(FileResult::cannotRead(path, qt_error_string(errno)));
    if (!S_ISREG(info.st_mode))
        return fail(notRegularFile(path));
    if (info.st_size > limit)
        return fail(tooLarge(path, limit));
    bytes.resize(qsizetype(info.st_size));
    qint64 filled = 0;
    // The file may grow while it is read: read on to its end, but never past the limit.
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit)
                return fail(tooLarge(path, limit));
            bytes.resize(qsizetype(qMin(limit + 1, qMax<qint64>(filled * 2, filled + 65536))));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return fail(FileResult::cannotRead(path, qt_error_string(errno)));
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(fd);
    if (filled > limit)
        return fail(tooLarge(path, limit));
    bytes.resize(qsizetype(filled));
    return FileResult::success();
}
