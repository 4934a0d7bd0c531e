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

QString joinTextLines(const QStringList& lines) {
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

TextReadResult TextFile::read(const QString& path) {
    QByteArray bytes;
    if (FileResult r = readWholeFile(path, bytes); !r)
        return {{}, r.error};
    DecodedText decoded = decodeText(bytes);
    return {{splitTextLines(decoded.text), decoded.format}, {}};
}

FileResult TextFile::write(const QString& path) {
    const QString text = joinTextLines(lines);
    std::optional<QByteArray> bytes = encodeText(text, format);
    TextFormat used = format;
    if (!bytes) {
        used = {TextEncoding::Utf8, false};
        bytes = encodeText(text, used);
    }
    FileResult result = writeFileAtomically(path, *bytes);
    if (result)
        format = used;
    return result;
}
