#include "IniFile.h"

#include "workspace/AtomicWrite.h"

#include <QFileInfo>

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One pair of matching quotation marks around the whole value goes.
QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// Reading trims blanks and drops one pair of enclosing quotes, so a value that would lose either is
// written inside a pair of quotes of its own. A value of blanks alone stays as it is: it reads as empty,
// which shows the same, and the file keeps the form other profile writers give it.
QString storedForm(const QString& value) {
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty() || (trimmed.size() == value.size() && unquoted(value) == value))
        return value;
    return u'"' + value + u'"';
}

} // namespace

IniFile::IniFile(const QString& fileName, Start start) : m_fileName(fileName) {
    if (start == Start::Empty || !QFileInfo::exists(fileName))
        return;
    QByteArray bytes;
    if (const FileResult read = readWholeFile(fileName, bytes); !read) {
        m_readError = read.error;
        return;
    }
    DecodedText decoded = decodeText(bytes);
    m_format = decoded.format;
    parse(decoded.text);
}

void IniFile::parse(const QString& text) {
    Section* current = nullptr;
    // Lines end at CR, LF or CR LF alike; the empty pieces CR LF leaves are blank lines, which count
    // for nothing.
    for (QStringView rawLine : QStringView(text).tokenize(u'\n')) {
        for (QStringView piece : rawLine.tokenize(u'\r')) {
            const QStringView line = piece.trimmed();
            if (line.isEmpty())
                continue;
            if (line.front() == u'[') {
                const qsizetype close = line.lastIndexOf(u']');
                if (close > 0) {
                    const QString name = line.mid(1, close - 1).trimmed().toString();
                    current = findSection(name);
                    if (!current) {
                        m_sections.append({name, {}});
                        current = &m_sections.last();
                    }
                    continue;
                }
            }
            const qsizetype equals = line.indexOf(u'=');
            if (!current || equals < 0)
                continue;
            const QString key = line.left(equals).trimmed().toString();
            if (key.isEmpty())
                continue;
            // A key given twice in one section reads as its first value, as the profile functions read it.
            bool known = false;
            for (const Entry& entry : std::as_const(current->entries))
                known = known || sameName(entry.key, key);
            if (!known)
                current->entries.append({key, line.mid(equals + 1).trimmed().toString()});
        }
    }
}

IniFile::Section* IniFile::findSection(const QString& name) {
    for (Section& section : m_sections)
        if (sameName(section.name, name))
            return &section;
    return nullptr;
}

const IniFile::Section* IniFile::findSection(const QString& name) const {
    return const_cast<IniFile*>(this)->findSection(name);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    if (const Section* found = findSection(section.trimmed())) {
        const QString wanted = key.trimmed();
        for (const Entry& entry : found->entries)
            if (sameName(entry.key, wanted))
                return unquoted(entry.value).left(kMaxValueLength);
    }
    return defaultValue;
}

QStringList IniFile::readSections() const {
    QStringList names;
    names.reserve(m_sections.size());
    for (const Section& section : m_sections)
        names << section.name;
    return names;
}

bool IniFile::sectionExists(const QString& section) const {
    return findSection(section.trimmed()) != nullptr;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    QString flat = value;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    Section* target = findSection(sectionName);
    if (!target) {
        m_sections.append({sectionName, {}});
        target = &m_sections.last();
    }
    const QString stored = storedForm(flat);
    for (Entry& entry : target->entries) {
        if (sameName(entry.key, keyName)) {
            entry.value = stored;
            return;
        }
    }
    target->entries.append({keyName, stored});
}

QString IniFile::text() const {
    QString out;
    for (qsizetype i = 0; i < m_sections.size(); ++i) {
        if (i > 0)
            out += QStringLiteral("\r\n");
        out += u'[' + m_sections[i].name + QStringLiteral("]\r\n");
        for (const Entry& entry : m_sections[i].entries)
            out += entry.key + u'=' + entry.value + QStringLiteral("\r\n");
    }
    return out;
}

QString IniFile::writeErrorText(const QString& fileName, const QString& reason) {
    const QString text = QStringLiteral("nach %1 kann nicht geschrieben werden").arg(fileName);
    return reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
}

FileResult IniFile::updateFile() const {
    const QString content = text();
    // Written back in the encoding it was read in while every character fits, else as UTF-8.
    std::optional<QByteArray> bytes = encodeText(content, m_format);
    if (!bytes)
        bytes = encodeText(content, TextFormat{});
    if (!bytes)
        return {writeErrorText(m_fileName)};
    const FileResult written = writeFileAtomically(m_fileName, *bytes);
    if (written)
        return written;
    // The write's own sentence names the file already; the reason is what it adds.
    const QString prefix = FileResult::cannotWrite(m_fileName, QString()).error;
    return {writeErrorText(m_fileName, written.error.startsWith(prefix) ? written.error.mid(prefix.size())
                                                                        : written.error)};
}
