#include "TextCodec.h"

#include <QStringDecoder>
#include <array>

namespace {

// Bytes 80..9F; zero marks the bytes Windows-1252 leaves unassigned, which map to U+0080..U+009F.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);
constexpr QByteArrayView kUtf16LeBom("\xFF\xFE", 2);
constexpr QByteArrayView kUtf16BeBom("\xFE\xFF", 2);

// The code units after the mark, when they are whole and every surrogate is paired: only then does
// encoding the text again give these bytes.
std::optional<QString> wholeUtf16(QByteArrayView units, bool littleEndian) {
    if (units.size() % 2 != 0)
        return std::nullopt;
    QString text(units.size() / 2, Qt::Uninitialized);
    QChar* out = text.data();
    const auto* b = reinterpret_cast<const unsigned char*>(units.data());
    for (qsizetype i = 0; i < units.size(); i += 2)
        *out++ = QChar(littleEndian ? char16_t(b[i] | b[i + 1] << 8) : char16_t(b[i] << 8 | b[i + 1]));
    const QChar* c = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (c[i].isHighSurrogate() && i + 1 < n && c[i + 1].isLowSurrogate())
            ++i;
        else if (c[i].isSurrogate())
            return std::nullopt;
    }
    return text;
}

QByteArray toUtf16(const QString& text, bool littleEndian) {
    QByteArray bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.append(littleEndian ? kUtf16LeBom : kUtf16BeBom);
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        const char low = char(u & 0xFF), high = char(u >> 8);
        bytes.append(littleEndian ? low : high);
        bytes.append(littleEndian ? high : low);
    }
    return bytes;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length;
        char32_t cp;
        char32_t minimum;
        if ((c & 0xE0) == 0xC0) {
            length = 2, cp = c & 0x1F, minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, cp = c & 0x0F, minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, cp = c & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (int k = 1; k < length; ++k) {
            const unsigned char d = b[i + k];
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        const char16_t mapped = (c >= 0x80 && c < 0xA0) ? kHighControls[c - 0x80] : 0;
        *out++ = QChar(mapped ? mapped : char16_t(c));
    }
    return text;
}

std::optional<QByteArray> toWindows1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || (u >= 0x80 && u < 0xA0 && !kHighControls[u - 0x80])) {
            *out++ = char(u);
            continue;
        }
        qsizetype found = -1;
        for (qsizetype k = 0; k < qsizetype(kHighControls.size()); ++k) {
            if (kHighControls[k] == u) {
                found = k;
                break;
            }
        }
        if (found < 0)
            return std::nullopt;
        *out++ = char(0x80 + found);
    }
    return bytes;
}

DecodedText decodeText(QByteArrayView bytes) {
    for (const bool littleEndian : {true, false}) {
        if (!bytes.startsWith(littleEndian ? kUtf16LeBom : kUtf16BeBom))
            continue;
        if (std::optional<QString> text = wholeUtf16(bytes.sliced(2), littleEndian))
            return {*text, {littleEndian ? TextEncoding::Utf16LE : TextEncoding::Utf16BE, true}};
    }
    if (!isValidUtf8(bytes))
        return {fromWindows1252(bytes), {TextEncoding::Windows1252, false}};
    const bool bom = bytes.startsWith(kUtf8Bom);
    if (bom)
        bytes = bytes.sliced(kUtf8Bom.size());
    // QString::fromUtf8 drops a leading byte-order mark; a second one that follows the first is text.
    QStringDecoder toText(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return {toText(bytes), {TextEncoding::Utf8, bom}};
}

std::optional<QByteArray> encodeText(const QString& text, TextFormat format) {
    if (format.encoding == TextEncoding::Windows1252)
        return toWindows1252(text);
    if (format.encoding == TextEncoding::Utf16LE || format.encoding == TextEncoding::Utf16BE)
        return toUtf16(text, format.encoding == TextEncoding::Utf16LE);
    QByteArray bytes = text.toUtf8();
    if (format.byteOrderMark)
        bytes.prepend(kUtf8Bom.data(), kUtf8Bom.size());
    return bytes;
}
