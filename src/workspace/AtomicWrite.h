#pragma once

#include "FileResult.h"

#include <QByteArray>

// A file's new contents, streamed into a temporary file beside it and made the file's own in one rename.
// commit() reports success only once the data and the rename have reached the disk (the file and then
// its folder are synced), so neither a crash, a power cut nor a full disk leaves a truncated file. On
// failure the old file is unchanged and the temporary file is gone. A symbolic link is written through
// to its target; an existing file keeps its permissions (and, where allowed, its owner).
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
    int m_fd = -1;
    Durability m_durability;
    FileResult m_result;
};

// The whole file in one go, through AtomicFile.
FileResult writeFileAtomically(const QString& path, const QByteArray& bytes,
                               Durability durability = Durability::Synced);

// Reads a whole file; the error names the file and the reason.
FileResult readWholeFile(const QString& path, QByteArray& bytes);
