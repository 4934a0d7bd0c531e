#include "NotesRegister.h"

#include "IniFile.h"

#include <QFile>
#include <QFileInfo>

const QString NotesRegister::kOpen = QStringLiteral("Open");
const QString NotesRegister::kClosed = QStringLiteral("Closed");

namespace {

// A key that is missing reads as a single blank.
const QString kMissing = QStringLiteral(" ");

} // namespace

QString NotesRegister::fileName(const QString& projectDir) {
    return projectDir + QStringLiteral("Notes.ini");
}

FileResult NotesRegister::load(const QString& path) {
    m_path = path;
    m_entries.clear();
    m_format = {};
    const IniFile ini(path);
    if (!ini.readError().isEmpty())
        return {ini.readError()};
    m_format = ini.format();
    for (const QString& section : ini.readSections()) {
        // The reader asks for "File and line" while the writer spells it "File and Line": names are
        // case-blind.
        m_entries.append({section, ini.readString(section, QStringLiteral("Date"), kMissing),
                          ini.readString(section, QStringLiteral("Description"), kMissing),
                          ini.readString(section, QStringLiteral("Priority"), kMissing),
                          ini.readString(section, QStringLiteral("Status"), kMissing),
                          ini.readString(section, QStringLiteral("File and line"), kMissing)});
    }
    return FileResult::success();
}

FileResult NotesRegister::save() const {
    if (m_entries.isEmpty()) {
        if (QFileInfo(m_path).isDir())
            return {IniFile::writeErrorText(m_path, QStringLiteral("Is a directory"))};
        if (QFile file(m_path); file.exists() && !file.remove())
            return {IniFile::writeErrorText(m_path, file.errorString())};
        return FileResult::success();
    }
    // Everything is written afresh, so the old file's other contents go as if it had been deleted first.
    IniFile ini(m_path, IniFile::Start::Empty);
    ini.setFormat(m_format);
    for (const NoteEntry& entry : m_entries) {
        ini.writeString(entry.id, QStringLiteral("Date"), entry.date);
        ini.writeString(entry.id, QStringLiteral("Description"), entry.description);
        ini.writeString(entry.id, QStringLiteral("Priority"), entry.priority);
        ini.writeString(entry.id, QStringLiteral("Status"), entry.status);
        ini.writeString(entry.id, QStringLiteral("File and Line"), entry.fileAndLine);
    }
    return ini.updateFile();
}

void NotesRegister::remove(int row) {
    if (row >= 0 && row < m_entries.size())
        m_entries.removeAt(row);
}

void NotesRegister::setStatus(int row, const QString& status) {
    if (row >= 0 && row < m_entries.size())
        m_entries[row].status = status;
}

std::optional<int> NotesRegister::idNumber(const QString& id) {
    // Decimal digits with an optional sign, within the range of an int.
    bool ok = false;
    const int value = id.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 NotesRegister::nextId() const {
    qint64 next = 0;
    for (const NoteEntry& entry : m_entries) {
        if (const std::optional<int> id = idNumber(entry.id); id && *id >= next)
            next = qint64(*id) + 1;
    }
    return next;
}
