#include "LineSplitter.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Most output is plain ASCII, for which Qt's UTF-8 decoder is needlessly slow on short lines: copies it
// to out as UTF-16 and returns true, or returns false at the first byte that is not ASCII.
bool widenAscii(QByteArrayView bytes, char16_t* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        if (_mm_movemask_epi8(block) != 0) // a byte with its high bit set
            return false;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(block, zero));
    }
#endif
    for (; i < size; ++i) {
        if (in[i] & 0x80)
            return false;
        out[i] = in[i];
    }
    return true;
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
void LineSplitter::splitComplete(QByteArrayView text, OutputLines& lines) const {
    const char* p = text.data();
    const char* end = p + text.size();
    // The next CR and the next LF at or after p, each searched for again only once p has passed it, so
    // output with one kind of break only is scanned once for the other.
    const char* nextCr = nullptr;
    const char* nextLf = nullptr;
    auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, size_t(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    while (p < end) {
        if (nextCr < p)
            nextCr = next(p, '\r');
        if (nextLf < p)
            nextLf = next(p, '\n');
        const char* start = p;
        p = std::min(nextCr, nextLf);
        QByteArrayView line(start, p - start);
        while (line.size() >= m_maxLine) {
            const qsizetype cut = cutPoint(line);
            lines.append(line.first(cut));
            line = line.sliced(cut);
        }
        if (!line.isEmpty())
            lines.append(line);
        if (p < end && *p == '\r' && p + 1 < end && p[1] == '\n')
            ++p;
        if (p < end)
            ++p;
    }
}

void LineSplitter::cutLongPending(OutputLines& lines) {
    qsizetype taken = 0;
    while (m_pending.size() - taken >= m_maxLine) {
        const QByteArrayView rest = QByteArrayView(m_pending).sliced(taken);
        const qsizetype cut = cutPoint(rest);
        lines.append(rest.first(cut));
        taken += cut;
    }
    if (taken > 0)
        m_pending.remove(0, taken);
}

QList<QByteArray> LineSplitter::feed(QByteArrayView bytes) {
    OutputLines cut;
    feed(bytes, cut);
    QList<QByteArray> lines;
    lines.reserve(cut.size());
    for (qsizetype i = 0; i < cut.size(); ++i)
        lines << cut.at(i).toByteArray();
    return lines;
}

void LineSplitter::feed(QByteArrayView bytes, OutputLines& lines) {
    QByteArray withoutNul;
    if (bytes.contains('\0')) {
        withoutNul = bytes.toByteArray();
        withoutNul.removeIf([](char c) { return c == '\0'; });
        bytes = withoutNul;
    }
    qsizetype lastBreak = bytes.size() - 1;
    while (lastBreak >= 0 && !isBreak(bytes[lastBreak]))
        --lastBreak;
    if (lastBreak < 0) { // nothing completed: all of it waits
        m_pending.append(bytes);
        cutLongPending(lines);
        return;
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
}

std::optional<QByteArray> LineSplitter::finish() {
    QByteArray rest;
    rest.swap(m_pending);
    if (rest.isEmpty())
        return std::nullopt;
    return rest;
}

QByteArrayView OutputLines::at(qsizetype i) const {
    const qsizetype start = i == 0 ? 0 : m_ends[size_t(i - 1)];
    return QByteArrayView(m_bytes.data() + start, m_ends[size_t(i)] - start);
}

void OutputLines::append(QByteArrayView line) {
    m_bytes.insert(m_bytes.end(), line.begin(), line.end());
    m_ends.push_back(qsizetype(m_bytes.size()));
}

void OutputLines::clear() {
    m_bytes.clear();
    m_ends.clear();
}

QString decodeOutputLine(QByteArrayView bytes) {
    QString text;
    decodeOutputLine(bytes, text);
    return text;
}

void decodeOutputLine(QByteArrayView bytes, QString& text) {
    const qsizetype size = bytes.size();
    // Room for ASCII and for UTF-8, which never yields more UTF-16 units than it has bytes.
    const qsizetype space = size + 1;
    if (text.isDetached() && text.capacity() >= space)
        text.resize(space);
    else
        text = QString(space, Qt::Uninitialized);
    QChar* const begin = text.data();
    if (widenAscii(bytes, reinterpret_cast<char16_t*>(begin))) {
        text.truncate(size);
        return;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    if (utf8.requiredSpace(size) > space)
        text.resize(utf8.requiredSpace(size));
    const QChar* const end = utf8.appendToBuffer(text.data(), bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    else
        text.truncate(end - text.constData());
}

bool endsWithPrompt(const QString& line, const QString& prompt) {
    return !prompt.isEmpty() && line.size() >= prompt.size() && line.endsWith(prompt, Qt::CaseSensitive);
}
