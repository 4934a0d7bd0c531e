#pragma once

#include "workspace/FileResult.h"
#include "workspace/TextCodec.h"

#include <QList>
#include <QString>
#include <optional>

// One bug or note: a row of the register, its fields in column order.
struct NoteEntry {
    QString id;
    QString date;
    QString description;
    QString priority;
    QString status;
    QString fileAndLine;

    bool operator==(const NoteEntry&) const = default;
};

// The per-project register kept in "Notes.ini": one section per entry, named by its ID, in list order.
// The file is read whole when the register is loaded and written whole when it is saved; in between the
// register lives in memory only.
class NotesRegister {
public:
    static QString fileName(const QString& projectDir);

    // Reads the register of `path`. A missing file is an empty register; a file that exists but cannot be
    // read leaves the register empty and says why.
    FileResult load(const QString& path);
    // Writes the register where it was loaded from: every entry with the five keys; with no entries no file
    // remains. A failure keeps the old file.
    FileResult save() const;

    QString path() const { return m_path; }
    const QList<NoteEntry>& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }
    void add(const NoteEntry& entry) { m_entries.append(entry); }
    void remove(int row);
    // "Open" or "Closed" for the entry at `row`; a row out of range changes nothing.
    void setStatus(int row, const QString& status);

    // One more than the largest ID, 0 for none. An ID that is not a decimal number (a hand-edited section)
    // is kept in the register but counts for nothing here.
    qint64 nextId() const;
    static std::optional<int> idNumber(const QString& id);

    static const QString kOpen;
    static const QString kClosed;

private:
    QString m_path;
    QList<NoteEntry> m_entries;
    TextFormat m_format;
};
