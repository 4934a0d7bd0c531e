#include "RegFile.h"

#include <QStringConverter>
#include <QStringDecoder>
#include <QStringList>

namespace RegFile {

namespace {

const QString header5 = QStringLiteral("Windows Registry Editor Version 5.00");
const QString header4 = QStringLiteral("REGEDIT4");

// Windows-1252 for 0x80..0x9F; the five undefined bytes keep their Latin-1 meaning.
const char16_t cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += QChar(byte >= 0x80 && byte < 0xA0 ? cp1252High[byte - 0x80] : char16_t(byte));
    }
    return text;
}

QString lineError(int line, const QString& message) {
    return QStringLiteral("Line %1: %2").arg(line).arg(message);
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
std::optional<QString> readQuoted(QStringView text, qsizetype& pos, QString& error) {
    QString result;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == u'"') {
            ++pos;
            return result;
        }
        if (c == u'\\') {
            if (pos + 1 >= text.size() || (text[pos + 1] != u'\\' && text[pos + 1] != u'"')) {
                error = QStringLiteral("a backslash in quotes must be written \\\\ (or \\\" for a quote)");
                return std::nullopt;
            }
            ++pos;
            result += text[pos];
            continue;
        }
        result += c;
    }
    error = QStringLiteral("the quoted text is not closed");
    return std::nullopt;
}

void skipBlanks(QStringView text, qsizetype& pos) {
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
}

std::optional<RegFileValue> parseValueLine(QStringView line, QString& error) {
    RegFileValue result;
    qsizetype pos = 0;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else {
        const std::optional<QString> name = readQuoted(line, pos, error);
        if (!name)
            return std::nullopt;
        result.name = *name;
    }
    skipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != u'=') {
        error = QStringLiteral("expected = after the value name");
        return std::nullopt;
    }
    ++pos;
    skipBlanks(line, pos);
    const QStringView data = line.mid(pos);
    if (data.trimmed() == u"-")
        return result;
    if (data.startsWith(u'"')) {
        const std::optional<QString> text = readQuoted(line, pos, error);
        if (!text)
            return std::nullopt;
        if (!line.mid(pos).trimmed().isEmpty()) {
            error = QStringLiteral("unexpected text after the closing quote");
            return std::nullopt;
        }
        result.value = RegistryValue::string(*text);
        return result;
    }
    if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
        const QStringView digits = data.mid(6).trimmed();
        bool ok = digits.size() >= 1 && digits.size() <= 8;
        for (QChar c : digits)
            ok = ok && ((c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f'));
        if (!ok) {
            error = QStringLiteral("\"%1\" is not a DWORD: write dword: and 1 to 8 hexadecimal digits")
                        .arg(data.trimmed().toString());
            return std::nullopt;
        }
        result.value = RegistryValue::dword(digits.toUInt(nullptr, 16));
        return result;
    }
    if (data.startsWith(u"hex", Qt::CaseInsensitive)) {
        const QStringView type = data.left(data.indexOf(u':') < 0 ? data.size() : data.indexOf(u':'));
        error =
            QStringLiteral("the value type %1 is not supported; only text and dword values can be imported")
                .arg(type.toString());
        return std::nullopt;
    }
    error = QStringLiteral("expected \"text\", dword:xxxxxxxx or - after =");
    return std::nullopt;
}

QString escaped(const QString& text) {
    QString result = text;
    result.replace(u'\\', QStringLiteral("\\\\"));
    result.replace(u'"', QStringLiteral("\\\""));
    return u'"' + result + u'"';
}

} // namespace

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE).decode(bytes.mid(2));
    const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(body);
    return utf8.hasError() ? decodeWindows1252(body) : text;
}

RegFileParse parse(const QByteArray& bytes) {
    return parseText(decode(bytes));
}

RegFileParse parseText(const QString& text) {
    RegFileParse result;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    const QStringList lines = normalised.split(u'\n');

    const QString first = lines.value(0).trimmed();
    if (first != header5 && first != header4) {
        result.error =
            lineError(1, QStringLiteral("not a registry file: the first line must be \"%1\"").arg(header5));
        return result;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int number = int(i + 1);
        const QStringView line = QStringView(lines[i]).trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.lastIndexOf(u']');
            if (close < 0) {
                result.error = lineError(number, QStringLiteral("the key name is not closed with ]"));
                return result;
            }
            RegFileKey key;
            key.line = number;
            QStringView name = line.mid(1, close - 1);
            if (name.startsWith(u'-')) {
                key.remove = true;
                name = name.mid(1);
            }
            const std::optional<RegistryPath> path = RegistryPath::parse(name);
            if (!path) {
                result.error = lineError(
                    number,
                    QStringLiteral("unknown hive in \"%1\": use HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER")
                        .arg(name.toString()));
                return result;
            }
            if (key.remove && path->keys.isEmpty()) {
                result.error = lineError(number, QStringLiteral("a hive cannot be removed"));
                return result;
            }
            key.path = *path;
            result.keys << key;
            continue;
        }
        if (line.startsWith(u'"') || line.startsWith(u'@')) {
            if (result.keys.isEmpty()) {
                result.error = lineError(number, QStringLiteral("a value before the first [key] line"));
                return result;
            }
            if (result.keys.last().remove) {
                result.error = lineError(number, QStringLiteral("a value under a key that is being removed"));
                return result;
            }
            QString error;
            std::optional<RegFileValue> value = parseValueLine(line, error);
            if (!value) {
                result.error = lineError(number, error);
                return result;
            }
            value->line = number;
            result.keys.last().values << *value;
            continue;
        }
        result.error =
            lineError(number, QStringLiteral("expected a [key], a \"name\"=value or a ; comment line"));
        return result;
    }
    return result;
}

RegFileFormat format(const QList<RegFileKey>& keys) {
    const auto breaksLine = [](const QString& text) { return text.contains(u'\n') || text.contains(u'\r'); };
    const auto unwritable = [](const QString& what, const QString& where) {
        return RegFileFormat{
            QByteArray(),
            QStringLiteral("%1 in %2 holds a line break, which a .reg file cannot hold.").arg(what, where)};
    };
    QString text = header5 + QStringLiteral("\r\n\r\n");
    for (const RegFileKey& key : keys) {
        const QString path = key.path.toString();
        if (breaksLine(path))
            return unwritable(QStringLiteral("A key name"), path);
        text += u'[' + (key.remove ? QStringLiteral("-") : QString()) + path + QStringLiteral("]\r\n");
        for (const RegFileValue& value : key.values) {
            if (breaksLine(value.name) || (value.value && breaksLine(value.value->text)))
                return unwritable(QStringLiteral("The value \"%1\"").arg(value.name), path);
            text += value.name.isEmpty() ? QStringLiteral("@") : escaped(value.name);
            text += u'=';
            if (!value.value)
                text += u'-';
            else if (value.value->type == RegistryType::DWord)
                text += QStringLiteral("dword:%1").arg(value.value->number, 8, 16, QLatin1Char('0'));
            else
                text += escaped(value.value->text);
            text += QStringLiteral("\r\n");
        }
        text += QStringLiteral("\r\n");
    }
    return {text.toUtf8(), QString()};
}

} // namespace RegFile
