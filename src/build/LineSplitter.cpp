#include "LineSplitter.h"

#include <QStringDecoder>

namespace {

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

// Lines of a text that ends with a line break, up to its first NUL.
void splitComplete(QByteArrayView text, QList<QByteArray>& lines) {
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text = text.first(nul);
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* start = p;
        while (p < end && !isBreak(*p))
            ++p;
        if (p > start)
            lines.emplace_back(start, p - start);
        if (p < end && *p == '\r' && p + 1 < end && p[1] == '\n')
            ++p;
        if (p < end)
            ++p;
    }
}

} // namespace

QList<QByteArray> LineSplitter::feed(QByteArrayView bytes) {
    QList<QByteArray> lines;
    qsizetype lastBreak = bytes.size() - 1;
    while (lastBreak >= 0 && !isBreak(bytes[lastBreak]))
        --lastBreak;
    if (lastBreak < 0) { // nothing completed: all of it waits
        m_pending.append(bytes);
        return lines;
    }
    const QByteArrayView complete = bytes.first(lastBreak + 1);
    if (m_pending.isEmpty()) {
        splitComplete(complete, lines);
    } else {
        m_pending.append(complete);
        splitComplete(m_pending, lines);
    }
    m_pending = bytes.sliced(lastBreak + 1).toByteArray();
    return lines;
}

std::optional<QByteArray> LineSplitter::finish() {
    QByteArray rest;
    rest.swap(m_pending);
    const qsizetype nul = rest.indexOf('\0');
    if (nul >= 0)
        rest.truncate(nul);
    if (rest.isEmpty())
        return std::nullopt;
    return rest;
}

QString decodeOutputLine(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

bool endsWithPrompt(const QString& line, const QString& prompt) {
    return !prompt.isEmpty() && line.size() >= prompt.size() && line.endsWith(prompt, Qt::CaseSensitive);
}
