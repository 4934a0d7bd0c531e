#include "RegFile.h"

#include <QRegularExpression>
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

// The code units as they are: a lone surrogate stays in the text, so the line holding it can be named.
QString utf16Units(const QByteArray& bytes, bool littleEndian) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const uchar first = data[2 * i], second = data[2 * i + 1];
        text[i] = QChar(char16_t(littleEndian ? (second << 8 | first) : (first << 8 | second)));
    }
    return text;
}

// Names and texts the store can keep exactly: no NUL (a registry name ends there) and no half of a
// surrogate pair (it cannot be stored as UTF-8).
QString unstorable(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isNull())
            return QStringLiteral("a NUL character");
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return QStringLiteral("a lone UTF-16 surrogate (U+%1)")
                .arg(QString::number(c.unicode(), 16).toUpper());
    }
    return {};
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

const char* typeName(int type) {
    static const char* const names[] = {"REG_NONE",
                                        "REG_SZ",
                                        "REG_EXPAND_SZ",
                                        "REG_BINARY",
                                        "REG_DWORD",
                                        "REG_DWORD_BIG_ENDIAN",
                                        "REG_LINK",
                                        "REG_MULTI_SZ",
                                        "REG_RESOURCE_LIST",
                                        "REG_FULL_RESOURCE_DESCRIPTOR",
                                        "REG_RESOURCE_REQUIREMENTS_LIST",
                                        "REG_QWORD"};
    return type >= 0 && type < int(std::size(names)) ? names[type] : "an unknown type";
}

// hex:..., hex(N):... with bytes as two hexadecimal digits separated by commas. Text (REG_SZ, REG_EXPAND_SZ)
// and REG_DWORD become the store's own types; any other type is left in `skippedType` for the caller to
// report ("hex(7) (REG_MULTI_SZ)"), with no value.
std::optional<RegFileValue> parseHex(QStringView data, RegFileValue result, bool regedit4,
                                     QString& skippedType, QString& error) {
    const qsizetype colon = data.indexOf(u':');
    const QStringView tag = data.left(colon < 0 ? data.size() : colon).trimmed();
    int type = 3;
    if (tag.size() > 3) {
        bool ok = tag.size() > 5 && tag[3] == u'(' && tag.endsWith(u')');
        if (ok)
            type = tag.mid(4, tag.size() - 5).toInt(&ok, 16);
        if (!ok) {
            error = QStringLiteral("\"%1\" is not a value type: write hex: or hex(n):").arg(tag.toString());
            return std::nullopt;
        }
    }
    if (colon < 0) {
        error = QStringLiteral("expected : after %1").arg(tag.toString());
        return std::nullopt;
    }
    QByteArray bytes;
    const QStringView list = data.mid(colon + 1).trimmed();
    if (!list.isEmpty()) {
        for (QStringView part : list.split(u',')) {
            part = part.trimmed();
            bool ok = part.size() == 2;
            const uint byte = ok ? part.toUInt(&ok, 16) : 0;
            if (!ok) {
                error = QStringLiteral("\"%1\" is not a byte: write two hexadecimal digits between commas")
                            .arg(part.toString());
                return std::nullopt;
            }
            bytes.append(char(byte));
        }
    }
    const QString typeTag = tag.toString().toLower();
    if (type == 1 || type == 2) {
        QString text;
        if (regedit4) {
            text = decodeWindows1252(bytes);
        } else {
            if (bytes.size() % 2 != 0) {
                error =
                    QStringLiteral("%1 text holds an odd number of bytes; UTF-16 needs pairs").arg(typeTag);
                return std::nullopt;
            }
            text = utf16Units(bytes, true);
        }
        // The text ends at its terminating NUL.
        const qsizetype end = text.indexOf(QChar(u'\0'));
        if (end >= 0)
            text.truncate(end);
        result.value = RegistryValue::string(text);
        return result;
    }
    if (type == 4 && bytes.size() == 4) {
        const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
        result.value = RegistryValue::dword(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 |
                                            quint32(b[3]) << 24);
        return result;
    }
    skippedType = QStringLiteral("%1 (%2)").arg(typeTag, QLatin1String(typeName(type)));
    return result;
}

std::optional<RegFileValue> parseValueLine(QStringView line, bool regedit4, QString& skippedType,
                                           QString& error) {
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
    if (data.startsWith(u"hex", Qt::CaseInsensitive))
        return parseHex(data, result, regedit4, skippedType, error);
    error = QStringLiteral("expected \"text\", dword:xxxxxxxx or - after =");
    return std::nullopt;
}

// "name"=hex...: the only values whose data may go on over several lines.
bool isHexLine(const QString& line) {
    static const QRegularExpression pattern(QStringLiteral(R"(^(@|"([^"\\]|\\.)*")\s*=\s*hex)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(line).hasMatch();
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
        return utf16Units(bytes.mid(2), true);
    if (bytes.startsWith("\xFE\xFF"))
        return utf16Units(bytes.mid(2), false);
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
    const bool regedit4 = first == header4;
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
            if (const QString bad = unstorable(name); !bad.isEmpty()) {
                result.error = lineError(number, QStringLiteral("the key name holds %1").arg(bad));
                return result;
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
            // Byte lists go on over lines that end with a backslash.
            QString joined = line.toString();
            while (isHexLine(joined) && joined.endsWith(u'\\') && i + 1 < lines.size()) {
                joined.chop(1);
                joined += QStringView(lines[++i]).trimmed();
            }
            QString error, skippedType;
            std::optional<RegFileValue> value = parseValueLine(joined, regedit4, skippedType, error);
            if (value && error.isEmpty()) {
                if (QString bad = unstorable(value->name); !bad.isEmpty())
                    error = QStringLiteral("the value name holds %1").arg(bad);
                else if (value->value && !(bad = unstorable(value->value->text)).isEmpty())
                    error = QStringLiteral("the value \"%1\" holds %2").arg(value->name, bad);
            }
            if (!value || !error.isEmpty()) {
                result.error = lineError(number, error);
                return result;
            }
            value->line = number;
            if (!skippedType.isEmpty()) {
                const QString shown = value->name.isEmpty() ? QStringLiteral("@") : u'"' + value->name + u'"';
                result.warnings << lineError(
                    number, QStringLiteral("the value %1 of [%2] is of type %3, which "
                                           "the store cannot hold; it was skipped.")
                                .arg(shown, result.keys.last().path.toString(), skippedType));
                continue;
            }
            result.keys.last().values << *value;
            continue;
        }
        result.error =
            lineError(number, QStringLiteral("expected a [key], a \"name\"=value or a ; comment line"));
        return result;
    }
    return result;
}

QString header() {
    return header5 + QStringLiteral("\r\n\r\n");
}

namespace {

// hex(1): the text's UTF-16LE units with the terminating NUL, as reg.exe writes text a quoted string
// cannot hold; lines are kept within 80 characters, each but the last ending in ",\".
QString hexText(const QString& lead, const QString& text) {
    QString line = lead + QStringLiteral("hex(1):");
    QString result;
    const QByteArray bytes = encode(text) + QByteArray(2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        const QString byte = QStringLiteral("%1").arg(uchar(bytes[i]), 2, 16, QLatin1Char('0')) +
                             (last ? QString() : QStringLiteral(","));
        // Room is kept for the "\" that ends a line that goes on.
        if (line.size() + byte.size() + (last ? 0 : 1) > 80 && !line.endsWith(u':')) {
            result += line + QStringLiteral("\\\r\n");
            line = QStringLiteral("  ");
        }
        line += byte;
    }
    return result + line;
}

} // namespace

QString formatSection(const RegFileKey& key, QString& error) {
    const auto breaksLine = [](const QString& text) { return text.contains(u'\n') || text.contains(u'\r'); };
    const auto unwritable = [&](const QString& what, const QString& where) {
        error =
            QStringLiteral("%1 in %2 holds a line break, which a .reg file cannot hold.").arg(what, where);
        return QString();
    };
    const QString path = key.path.toString();
    if (breaksLine(path))
        return unwritable(QStringLiteral("A key name"), path);
    QString text = u'[' + (key.remove ? QStringLiteral("-") : QString()) + path + QStringLiteral("]\r\n");
    for (const RegFileValue& value : key.values) {
        if (breaksLine(value.name))
            return unwritable(QStringLiteral("The value \"%1\"").arg(value.name), path);
        const QString lead = (value.name.isEmpty() ? QStringLiteral("@") : escaped(value.name)) + u'=';
        if (value.value && value.value->type != RegistryType::DWord && breaksLine(value.value->text)) {
            text += hexText(lead, value.value->text) + QStringLiteral("\r\n");
            continue;
        }
        text += lead;
        if (!value.value)
            text += u'-';
        else if (value.value->type == RegistryType::DWord)
            text += QStringLiteral("dword:%1").arg(value.value->number, 8, 16, QLatin1Char('0'));
        else
            text += escaped(value.value->text);
        text += QStringLiteral("\r\n");
    }
    text += QStringLiteral("\r\n");
    return text;
}

QByteArray encode(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    return bytes;
}

RegFileFormat format(const QList<RegFileKey>& keys) {
    QString text = header();
    for (const RegFileKey& key : keys) {
        QString error;
        text += formatSection(key, error);
        if (!error.isEmpty())
            return {QByteArray(), error};
    }
    return {QByteArray(byteOrderMark) + encode(text), QString()};
}

} // namespace RegFile
