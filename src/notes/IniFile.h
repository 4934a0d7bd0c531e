#pragma once

#include "workspace/FileResult.h"
#include "workspace/TextCodec.h"

#include <QList>
#include <QString>
#include <QStringList>

// A profile (INI) file under the rules the Windows profile functions follow, which Qt's own INI support
// does not: section and key names compare without regard to case, blanks around names and values are
// trimmed, one pair of enclosing quotation marks is removed on reading, a value reads at most 1023
// characters, sections keep their file order, blank lines may stand anywhere and lines without "=" are
// ignored.
//
// The whole file is read once, when the object is created; writes change the text in memory and
// updateFile() replaces the whole file at once, so a failed write leaves the old file as it was.
class IniFile {
public:
    static constexpr int kMaxValueLength = 1023;

    enum class Start { ReadFile, Empty };

    // Reads `fileName` when it exists (a missing file is an empty one), or starts empty to replace it.
    explicit IniFile(const QString& fileName, Start start = Start::ReadFile);

    QString fileName() const { return m_fileName; }
    // Why an existing file could not be read; empty when it was read or did not exist.
    QString readError() const { return m_readError; }

    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Section names in file order; a name that appears twice is listed once.
    QStringList readSections() const;
    bool sectionExists(const QString& section) const;

    // Sets a value, adding the section and key where missing (the key at the end of its section, the
    // section at the end of the file). A line break in the value would start a line of its own in the
    // file, so it becomes a blank.
    void writeString(const QString& section, const QString& key, const QString& value);
    void clear() { m_sections.clear(); }

    // Replaces the whole file with the sections in memory. Fails with "nach <file> kann nicht geschrieben
    // werden: <reason>", keeping the old file.
    FileResult updateFile() const;
    // The text updateFile() writes: "[name]" and "key=value" lines ending in CR LF, a blank line between
    // sections.
    QString text() const;

    // The encoding the file was read in, which updateFile() keeps.
    TextFormat format() const { return m_format; }
    void setFormat(TextFormat format) { m_format = format; }

    static QString writeErrorText(const QString& fileName, const QString& reason = {});

private:
    struct Entry {
        QString key;
        QString value; // as it stands after "=", trimmed
    };
    struct Section {
        QString name;
        QList<Entry> entries;
    };

    void parse(const QString& text);
    Section* findSection(const QString& name);
    const Section* findSection(const QString& name) const;

    QString m_fileName;
    QString m_readError;
    QList<Section> m_sections;
    TextFormat m_format;
};

using TIniFile = IniFile;
