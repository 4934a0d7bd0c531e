#include "NotesRegister.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <limits>

const QString NotesRegister::kOpen = QStringLiteral("Open");
const QString NotesRegister::kClosed = QStringLiteral("Closed");

namespace {

// A key that is missing reads as a single blank.
const QString kMissing = QStringLiteral(" ");

} // namespace

QString NotesRegister::fileName(const QString& projectDir) {
    return projectDir + QStringLiteral("Notes.ini");
}

QString NotesRegister::idKey(const QString& id) {
    // Section names compare trimmed and without regard to case.
    return id.trimmed().toCaseFolded();
}

void NotesRegister::clear() {
    m_entries.clear();
    m_idUse.clear();
}

FileResult NotesRegister::load(const QString& path) {
    m_path = path;
    clear();
    m_format = {};
    m_keepFile.clear();
    const IniFile ini(path);
    if (!ini.readError().isEmpty())
        return {ini.readError()};
    m_format = ini.format();
    if (ini.sectionCount() == 0 && ini.hadText()) {
        // Written back empty, it would be deleted: whatever it holds stays.
        m_keepFile = QStringLiteral("it holds no entry this program can read");
        return {QStringLiteral("%1 holds no entry this program can read. The register is shown read-only "
                               "and the file is left as it is.")
                    .arg(path)};
    }
    m_entries.reserve(ini.sectionCount());
    for (qsizetype i = 0; i < ini.sectionCount(); ++i) {
        // Each section is an entry of its own, a repeated name too. The reader asks for "File and line"
        // while the writer spells it "File and Line": names are case-blind.
        const QString section = ini.sectionName(i);
        m_entries.append({section, ini.readStringAt(i, QStringLiteral("Date"), kMissing),
                          ini.readStringAt(i, QStringLiteral("Description"), kMissing),
                          ini.readStringAt(i, QStringLiteral("Priority"), kMissing),
                          ini.readStringAt(i, QStringLiteral("Status"), kMissing),
                          ini.readStringAt(i, QStringLiteral("File and line"), kMissing)});
        ++m_idUse[idKey(section)];
    }
    return FileResult::success();
}

FileResult NotesRegister::save() const {
    if (!m_keepFile.isEmpty())
        return {IniFile::writeErrorText(m_path, m_keepFile)};
    if (m_entries.isEmpty()) {
        if (QFileInfo(m_path).isDir())
            return {IniFile::writeErrorText(m_path, QStringLiteral("Is a directory"))};
        if (QFile file(m_path); file.exists() && !file.remove())
            return {IniFile::writeErrorText(m_path, file.errorString())};
        return FileResult::success();
    }
    // Everything is written afresh, so the old file's other contents go as if it had been deleted first.
    // Each entry gets a section of its own, even one whose ID another entry read from the file shares.
    IniFile ini(m_path, IniFile::Start::Empty);
    ini.setFormat(m_format);
    for (const NoteEntry& entry : m_entries) {
        const qsizetype section = ini.appendSection(entry.id);
        ini.writeStringAt(section, QStringLiteral("Date"), entry.date);
        ini.writeStringAt(section, QStringLiteral("Description"), entry.description);
        ini.writeStringAt(section, QStringLiteral("Priority"), entry.priority);
        ini.writeStringAt(section, QStringLiteral("Status"), entry.status);
        ini.writeStringAt(section, QStringLiteral("File and Line"), entry.fileAndLine);
    }
    return ini.updateFile();
}

bool NotesRegister::hasId(const QString& id) const {
    return m_idUse.value(idKey(id)) > 0;
}

bool NotesRegister::add(const NoteEntry& entry) {
    if (hasId(entry.id))
        return false;
    m_entries.append(entry);
    ++m_idUse[idKey(entry.id)];
    return true;
}

void NotesRegister::remove(int row) {
    if (row < 0 || row >= m_entries.size())
        return;
    const QString key = idKey(m_entries[row].id);
    if (--m_idUse[key] <= 0)
        m_idUse.remove(key);
    m_entries.removeAt(row);
}

void NotesRegister::setStatus(int row, const QString& status) {
    if (row >= 0 && row < m_entries.size())
        m_entries[row].status = status;
}

std::optional<qint64> NotesRegister::idNumber(const QString& id) {
    // Decimal digits with an optional sign, within 64 bits.
    bool ok = false;
    const qint64 value = id.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 NotesRegister::nextId() const {
    qint64 next = 0;
    bool full = false;
    for (const NoteEntry& entry : m_entries) {
        const std::optional<qint64> id = idNumber(entry.id);
        if (!id || *id < next)
            continue;
        if (*id == std::numeric_limits<qint64>::max())
            full = true;
        else
            next = *id + 1;
    }
    if (!full)
        return next;
    QSet<qint64> used;
    for (const NoteEntry& entry : m_entries)
        if (const std::optional<qint64> id = idNumber(entry.id); id && *id >= 0)
            used.insert(*id);
    qint64 free = 0;
    while (used.contains(free))
        ++free;
    return free;
}
