#pragma once

#include "FileResult.h"
#include "TextCodec.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <optional>

// The text of a buffer with unsaved edits, kept in the user's state folder so that a crash, a kill or a
// power cut loses nothing that was typed.
struct RecoveryCopy {
    QString path;      // the buffer's file, as the open-file session names it
    TextFormat format; // how that file is written when the restored buffer is saved
    QDateTime written; // when the copy was taken, in UTC to the millisecond
    QString diskTime;  // fileTimeText() of the file when the buffer was read from it; empty for none
    QStringList lines;

    bool operator==(const RecoveryCopy&) const = default;
};

// A recovery file is a handful of "Name: value" lines, a blank line and the text in UTF-8, one line
// after another, each ended by LF, so that it reads well in any editor:
//
//     Kovrin Handwright recovery copy 1
//     Path: /home/me/Hello/Hello.java
//     Encoding: UTF-8
//     ...
//     Text bytes: 1234
//
//     class Hello ...
//
// The byte count catches a copy cut short; a control character or '%' in the path is written as %XX.
QByteArray formatRecoveryCopy(const RecoveryCopy& copy);

struct RecoveryParse {
    std::optional<RecoveryCopy> copy;
    QString problem; // why there is no copy: a sentence for the user
};
RecoveryParse parseRecoveryCopy(QByteArrayView bytes);

// $XDG_STATE_HOME/kovrin/recover/, else ~/.local/state/kovrin/recover/ (with the slash).
QString recoveryFolder();
// Where a path really leads: links resolved; for a file that does not exist, its folder's real path and
// its name (or the plain absolute path when the folder is gone too).
QString realPathOf(const QString& path);
// The recovery file's name for a buffer's file: a hash of its real path and nothing else, so that no
// path, however strange, can place the copy anywhere but in the recovery folder.
QString recoveryFileName(const QString& path);

// A copy beside the file it was taken of, as the file is now.
struct RecoveryComparison {
    bool fileExists = false;
    bool olderThanFile = false; // the file was written after the copy was taken
    int differingLines = 0;     // differingLineCount() from the file's lines to the copy's
    QStringList fileLines;      // empty when the file is gone or cannot be read
    QString readError;          // why the file could not be read, when it exists
};
RecoveryComparison compareWithFile(const RecoveryCopy& copy);

struct RecoveryEntry {
    QString file; // the recovery file
    RecoveryCopy copy;
};

struct RecoveryListing {
    QList<RecoveryEntry> copies;
    QStringList notes; // one for each file of the folder that is no readable copy, naming it
};

// The recovery folder: one file per buffer, written atomically, never beside the user's files.
class RecoveryStore {
public:
    explicit RecoveryStore(const QString& folder = recoveryFolder());

    const QString& folder() const { return m_folder; }
    QString fileFor(const QString& path) const;

    // Creates the folder (mode 0700) when needed.
    FileResult write(const RecoveryCopy& copy) const;
    // Gone already counts as removed.
    FileResult remove(const QString& path) const;
    bool has(const QString& path) const;
    // Every copy of the folder, in file-name order; what cannot be read is skipped with a note.
    RecoveryListing readAll() const;

private:
    QString m_folder;
};
