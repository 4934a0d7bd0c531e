#include "TextFile.h"

#include "AtomicWrite.h"

QStringList splitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool endsWithLineBreak(const QStringList& lines, const TextFormat& format) {
    // Without its break an empty last line would not be there when the file is read again.
    return format.finalLineBreak || lines.isEmpty() || lines.last().isEmpty();
}

QString joinTextLines(const QStringList& lines) {
    return joinTextLines(lines, TextFormat{});
}

QString joinTextLines(const QStringList& lines, const TextFormat& format) {
    const QLatin1String lineBreak = format.lineBreak == LineBreak::Lf   ? QLatin1String("\n")
                                    : format.lineBreak == LineBreak::Cr ? QLatin1String("\r")
                                                                        : QLatin1String("\r\n");
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + lineBreak.size();
    text.reserve(size);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines.at(i);
        if (i + 1 < lines.size() || endsWithLineBreak(lines, format))
            text += lineBreak;
    }
    return text;
}

TextFormat withLineBreaksOf(TextFormat format, const QString& text) {
    qsizetype crLf = 0, lf = 0, cr = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) == u'\n') {
            ++lf;
        } else if (text.at(i) == u'\r') {
            if (i + 1 < n && text.at(i + 1) == u'\n') {
                ++crLf;
                ++i;
            } else {
                ++cr;
            }
        }
    }
    format.lineBreak = (crLf >= lf && crLf >= cr) ? LineBreak::CrLf
                       : lf >= cr                 ? LineBreak::Lf
                                                  : LineBreak::Cr;
    format.finalLineBreak = text.isEmpty() || text.endsWith(u'\n') || text.endsWith(u'\r');
    return format;
}

TextReadResult TextFile::read(const QString& path) {
    QByteArray bytes;
    if (FileResult r = readWholeFile(path, bytes); !r)
        return {{}, r.error};
    DecodedText decoded = decodeText(bytes);
    return {{splitTextLines(decoded.text), withLineBreaksOf(decoded.format, decoded.text)}, {}};
}

FileResult TextFile::write(const QString& path) {
    const QString text = joinTextLines(lines, format);
    std::optional<QByteArray> bytes = encodeText(text, format);
    TextFormat used = format;
    // Windows-1252 carries no mark: bytes that read as UTF-8 or UTF-16 would come back as other text.
    if (bytes && format.encoding == TextEncoding::Windows1252 &&
        decodeText(*bytes).format.encoding != TextEncoding::Windows1252)
        bytes.reset();
    if (!bytes) {
        used.encoding = TextEncoding::Utf8;
        used.byteOrderMark = false;
        bytes = encodeText(text, used);
    }
    FileResult result = writeFileAtomically(path, *bytes);
    if (result) {
        used.finalLineBreak = endsWithLineBreak(lines, used);
        format = used;
    }
    return result;
}
