#include "IniFile.h"

#include "workspace/AtomicWrite.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString nameKey(const QString& name) {
    return name.toCaseFolded();
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

// The text and its format: the text codec's reading (UTF-16 with its mark, as Notepad writes it, UTF-8
// or Windows-1252), so a register keeps its encoding as every other text file does.
QString decodeFile(QByteArrayView bytes, IniFile::Format& format) {
    DecodedText decoded = decodeText(bytes);
    format = {decoded.format};
    return std::move(decoded.text);
}

std::optional<QByteArray> encodeFile(const QString& text, const IniFile::Format& format) {
    return encodeText(text, format.text);
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
    const QString text = decodeFile(bytes, m_format);
    m_hadText = std::any_of(text.begin(), text.end(), [](QChar c) { return !c.isSpace(); });
    parse(text);
}

void IniFile::parse(const QString& text) {
    qsizetype current = -1;
    // Keys of the current section, case-folded: a key given twice reads as its first value, as the
    // profile functions read it.
    QSet<QString> keys;
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
                    current = appendSection(line.mid(1, close - 1).trimmed().toString());
                    keys.clear();
                    continue;
                }
            }
            const qsizetype equals = line.indexOf(u'=');
            if (current < 0 || equals < 0)
                continue;
            const QString key = line.left(equals).trimmed().toString();
            if (key.isEmpty())
                continue;
            const QString folded = nameKey(key);
            if (keys.contains(folded))
                continue;
            keys.insert(folded);
            m_sections[current].entries.append({key, line.mid(equals + 1).trimmed().toString()});
        }
    }
}

qsizetype IniFile::firstSection(const QString& name) const {
    const auto found = m_byName.constFind(nameKey(name.trimmed()));
    return found == m_byName.constEnd() ? -1 : found->first;
}

const IniFile::Entry* IniFile::findEntry(qsizetype index, const QString& key) const {
    for (const Entry& entry : m_sections[index].entries)
        if (sameName(entry.key, key))
            return &entry;
    return nullptr;
}

IniFile::Entry* IniFile::findEntry(qsizetype index, const QString& key) {
    return const_cast<Entry*>(std::as_const(*this).findEntry(index, key));
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    const QString wanted = key.trimmed();
    for (qsizetype i = firstSection(section); i >= 0; i = m_sections[i].nextOfSameName)
        if (const Entry* entry = findEntry(i, wanted))
            return unquoted(entry->value);
    return defaultValue;
}

QString IniFile::readStringAt(qsizetype index, const QString& key, const QString& defaultValue) const {
    const Entry* entry = findEntry(index, key.trimmed());
    return entry ? unquoted(entry->value) : defaultValue;
}

QStringList IniFile::readSections() const {
    QStringList names;
    names.reserve(m_byName.size());
    for (qsizetype i = 0; i < m_sections.size(); ++i)
        if (firstSection(m_sections[i].name) == i)
            names << m_sections[i].name;
    return names;
}

bool IniFile::sectionExists(const QString& section) const {
    return firstSection(section) >= 0;
}

qsizetype IniFile::appendSection(const QString& name) {
    const QString trimmed = name.trimmed();
    const qsizetype index = m_sections.size();
    m_sections.append({trimmed, {}});
    NameChain& chain = m_byName[nameKey(trimmed)];
    if (chain.last >= 0)
        m_sections[chain.last].nextOfSameName = index;
    else
        chain.first = index;
    chain.last = index;
    return index;
}

void IniFile::setValue(qsizetype index, const QString& key, const QString& value) {
    QString flat = value;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString stored = storedForm(flat);
    if (Entry* entry = findEntry(index, key))
        entry->value = stored;
    else
        m_sections[index].entries.append({key, stored});
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString keyName = key.trimmed();
    const qsizetype first = firstSection(section);
    // The key where reading by name finds it, else at the end of the first section of that name.
    for (qsizetype i = first; i >= 0; i = m_sections[i].nextOfSameName) {
        if (findEntry(i, keyName)) {
            setValue(i, keyName, value);
            return;
        }
    }
    setValue(first >= 0 ? first : appendSection(section), keyName, value);
}

void IniFile::writeStringAt(qsizetype index, const QString& key, const QString& value) {
    setValue(index, key.trimmed(), value);
}

void IniFile::clear() {
    m_sections.clear();
    m_byName.clear();
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
    std::optional<QByteArray> bytes = encodeFile(content, m_format);
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
