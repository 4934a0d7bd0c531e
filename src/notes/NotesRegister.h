#pragma once

#include "IniFile.h"
#include "workspace/FileResult.h"

#include <QHash>
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
// The file is read whole when the register is loaded and written whole when it is saved.
class NotesRegister {
public:
    static QString fileName(const QString& projectDir);

    // Reads the register of `path`. A missing file is an empty register. A file that exists but cannot be
    // read, or holds text without a single entry (a format this reader does not know), leaves the register
    // empty and says why; such a file is never replaced by save().
    FileResult load(const QString& path);
    // Writes the register where it was loaded from: every entry with the five keys; with no entries no file
    // remains. A failure keeps the old file.
    FileResult save() const;

    QString path() const { return m_path; }
    const QList<NoteEntry>& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    void clear();
    // Appends an entry; refused (false) when its ID names the section of another entry already.
    bool add(const NoteEntry& entry);
    bool hasId(const QString& id) const;
    void remove(int row);
    // "Open" or "Closed" for the entry at `row`; a row out of range changes nothing.
    void setStatus(int row, const QString& status);

    // One more than the largest ID, 0 for none. An ID that is not a decimal number (a hand-edited section)
    // is kept in the register but counts for nothing here. Past the largest 64-bit number it is the
    // smallest one not in use, so a new ID never names an existing entry's section.
    qint64 nextId() const;
    static std::optional<qint64> idNumber(const QString& id);

    static const QString kOpen;
    static const QString kClosed;

private:
    static QString idKey(const QString& id);

    QString m_path;
    QList<NoteEntry> m_entries;
    // How many entries use each section name (case-folded): loaded duplicates stay apart.
    QHash<QString, int> m_idUse;
    IniFile::Format m_format;
    // Why the file that was loaded must be kept as it is; empty when it may be replaced.
    QString m_keepFile;
};
