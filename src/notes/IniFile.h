#pragma once

#include "workspace/FileResult.h"
#include "workspace/TextCodec.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A profile (INI) file under the rules the Windows profile functions follow, which Qt's own INI support
// does not: section and key names compare without regard to case, blanks around names and values are
// trimmed, one pair of enclosing quotation marks is removed on reading, sections keep their file order,
// blank lines may stand anywhere and lines without "=" are ignored. Values are read whole, however long:
// a limit on reading would cut a long value for good at the next write.
//
// A section name that stands twice in the file gives two sections. Reading and writing by name sees them
// as one (the first value of a key wins); the numbered functions reach each on its own, and text() writes
// each where it stood.
//
// The whole file is read once, when the object is created; writes change the text in memory and
// updateFile() replaces the whole file at once, so a failed write leaves the old file as it was.
class IniFile {
public:
    enum class Start { ReadFile, Empty };

    // The file's encoding, byte-order mark and line breaks, kept for writing it back.
    struct Format {
        TextFormat text;

        bool operator==(const Format&) const = default;
    };

    // Reads `fileName` when it exists (a missing file is an empty one), or starts empty to replace it.
    explicit IniFile(const QString& fileName, Start start = Start::ReadFile);

    QString fileName() const { return m_fileName; }
    // Why an existing file could not be read; empty when it was read or did not exist.
    QString readError() const { return m_readError; }
    // Whether the file read held more than blanks, line breaks and a byte-order mark.
    bool hadText() const { return m_hadText; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Section names in file order; a name that appears twice is listed once.
    QStringList readSections() const;
    bool sectionExists(const QString& section) const;

    // Every section in file order, a repeated name each time it stands.
    qsizetype sectionCount() const { return m_sections.size(); }
    QString sectionName(qsizetype index) const { return m_sections.at(index).name; }
    QString readStringAt(qsizetype index, const QString& key, const QString& defaultValue) const;

    // Sets a value, adding the section and key where missing (the key at the end of its section, the
    // section at the end of the file). A line break in the value would start a line of its own in the
    // file, so it becomes a blank.
    void writeString(const QString& section, const QString& key, const QString& value);
    // Adds a section at the end of the file, even when one of that name exists, and gives its number.
    qsizetype appendSection(const QString& name);
    void writeStringAt(qsizetype index, const QString& key, const QString& value);
    void clear();

    // Replaces the whole file with the sections in memory. Fails with "nach <file> kann nicht geschrieben
    // werden: <reason>", keeping the old file.
    FileResult updateFile() const;
    // The text updateFile() writes: "[name]" and "key=value" lines ending in CR LF, a blank line between
    // sections.
    QString text() const;

    // The encoding the file was read in, which updateFile() keeps.
    Format format() const { return m_format; }
    void setFormat(const Format& format) { m_format = format; }

    static QString writeErrorText(const QString& fileName, const QString& reason = {});

private:
    struct Entry {
        QString key;
        QString value; // as it stands after "=", trimmed
    };
    struct Section {
        QString name;
        QList<Entry> entries;
        qsizetype nextOfSameName = -1;
    };
    // The first and the last section of one name, for look-ups that do not walk the whole file.
    struct NameChain {
        qsizetype first = -1;
        qsizetype last = -1;
    };

    void parse(const QString& text);
    qsizetype firstSection(const QString& name) const;
    Entry* findEntry(qsizetype index, const QString& key);
    const Entry* findEntry(qsizetype index, const QString& key) const;
    void setValue(qsizetype index, const QString& key, const QString& value);

    QString m_fileName;
    QString m_readError;
    bool m_hadText = false;
    QList<Section> m_sections;
    QHash<QString, NameChain> m_byName; // case-folded name
    Format m_format;
};

using TIniFile = IniFile;
