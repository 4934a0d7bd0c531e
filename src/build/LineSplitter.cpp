#include "LineSplitter.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

bool isBreak(char c) {
    return c == '\r' || c == '\n';
}

// Length of the UTF-8 sequence a lead byte starts; 1 for anything else.
int sequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

} // namespace

LineSplitter::LineSplitter(qsizetype maxLine) : m_maxLine(std::max<qsizetype>(maxLine, 4)) {}

qsizetype LineSplitter::cutPoint(QByteArrayView text) const {
    // Never cut through a UTF-8 character: the piece would no longer decode as UTF-8.
    qsizetype lead = m_maxLine - 1;
    while (lead > m_maxLine - 4 && lead > 0 && isContinuation(uchar(text[lead])))
        --lead;
    const bool cutsCharacter = lead + sequenceLength(uchar(text[lead])) > m_maxLine;
    return cutsCharacter && lead > 0 ? lead : m_maxLine;
}

// Lines of a text that ends with a line break.
void LineSplitter::splitComplete(QByteArrayView text, QList<QByteArray>& lines) const {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* start = p;
        while (p < end && !isBreak(*p))
            ++p;
        QByteArrayView line(start, p - start);
        while (line.size() >= m_maxLine) {
            const qsizetype cut = cutPoint(line);
            lines.emplace_back(line.first(cut).toByteArray());
            line = line.sliced(cut);
        }
        if (!line.isEmpty())
            lines.emplace_back(line.toByteArray());
        if (p < end && *p == '\r' && p + 1 < end && p[1] == '\n')
            ++p;
        if (p < end)
            ++p;
    }
}

void LineSplitter::cutLongPending(QList<QByteArray>& lines) {
    qsizetype taken = 0;
    while (m_pending.size() - taken >= m_maxLine) {
        const QByteArrayView rest = QByteArrayView(m_pending).sliced(taken);
        const qsizetype cut = cutPoint(rest);
        lines.emplace_back(rest.first(cut).toByteArray());
        taken += cut;
    }
    if (taken > 0)
        m_pending.remove(0, taken);
}

QList<QByteArray> LineSplitter::feed(QByteArrayView bytes) {
    QByteArray withoutNul;
    if (bytes.contains('\0')) {
        withoutNul = bytes.toByteArray();
        withoutNul.removeIf([](char c) { return c == '\0'; });
        bytes = withoutNul;
    }
    QList<QByteArray> lines;
    qsizetype lastBreak = bytes.size() - 1;
    while (lastBreak >= 0 && !isBreak(bytes[lastBreak]))
        --lastBreak;
    if (lastBreak < 0) { // nothing completed: all of it waits
        m_pending.append(bytes);
        cutLongPending(lines);
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
    cutLongPending(lines);
    return lines;
}

std::optional<QByteArray> LineSplitter::finish() {
    QByteArray rest;
    rest.swap(m_pending);
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
