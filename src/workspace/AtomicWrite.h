#pragma once

#include "FileResult.h"

#include <QByteArray>

// A file's new contents, streamed into a temporary file beside it and made the file's own in one rename.
// commit() reports success only once the data and the rename have reached the disk (the file and then
// its folder are synced), so neither a crash, a power cut nor a full disk leaves a truncated file. On
// failure the old file is unchanged and the temporary file is gone; temporary files of the same target
// left by saves that were killed are removed by the next one that succeeds. A symbolic link is written
// through to its target, but a link to nothing is refused: a save never creates a file the user did not name.
// An existing file keeps its permissions (and, where allowed, its owner).
//
// The first failure sticks: later writes do nothing and commit() returns it.
//
// A scratch file (input for a tool, rewritten on the next run anyway) is still replaced in one rename but
// not synced: nothing is lost if a power cut takes it, and syncing doubles the time a write takes.
enum class Durability { Synced, Scratch };

class AtomicFile {
public:
    explicit AtomicFile(const QString& path, Durability durability = Durability::Synced);
    ~AtomicFile(); // cancels unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    FileResult open();
    FileResult write(const char* data, qint64 size);
    FileResult write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    FileResult commit();
    void cancel();

private:
    FileResult failWith(int code);
    FileResult failWith(const QString& reason);

    QString m_path;      // as given: messages name it
    QByteArray m_target; // where the data lands: the path with its links followed
    QByteArray m_temporary;
    QByteArray m_prefix; // temporaryNamePrefix() of the target's name
    int m_fd = -1;
    Durability m_durability;
    FileResult m_result;
};

// A failure when `path` is a link (or a chain of links) that leads to nothing.
FileResult checkNotDanglingLink(const QString& path);

// The temporary file of a save is this prefix and six base-36 digits, hidden beside the target: "." and at
// most 24 bytes of the target's name, then a hash of the whole name, so that it stays short however long
// the name is, and a later save of the same target can find and remove what a killed one left.
QByteArray temporaryNamePrefix(const QByteArray& fileName);

// The whole file in one go, through AtomicFile.
FileResult writeFileAtomically(const QString& path, const QByteArray& bytes,
                               Durability durability = Durability::Synced);

// The most readWholeFile() takes by default: far more than any source, little enough to hold in memory.
inline constexpr qint64 kReadLimit = qint64(256) * 1024 * 1024;

// Reads a whole regular file of at most `limit` bytes; the error names the file and the reason. Anything
// else (a FIFO, a device, a socket) is refused with "<path> is not a regular file." unread.
FileResult readWholeFile(const QString& path, QByteArray& bytes, qint64 limit = kReadLimit);
FileResult notRegularFile(const QString& path);
