#include "TextSearch.h"

#include "JavaCharacters.h"

#include <algorithm>

QString upperCharacters(QStringView text) {
    QString upper(text.size(), Qt::Uninitialized);
    QChar* out = upper.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        // ASCII, by far the most of a source, without the Unicode tables.
        if (c < 128)
            out[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
        else
            out[i] = text[i].toUpper();
    }
    return upper;
}

LineMatcher::LineMatcher(const QString& what, const SearchOptions& options)
    : m_what(options.matchCase ? what : upperCharacters(what)), m_options(options) {}

int LineMatcher::firstFrom(const QString& text, int first) const {
    if (m_what.isEmpty())
        return -1;
    const QString hay = prepared(text);
    for (qsizetype at = hay.indexOf(m_what, first); at >= 0; at = hay.indexOf(m_what, at + 1))
        if (accepted(text, int(at)))
            return int(at);
    return -1;
}

int LineMatcher::lastUpTo(const QString& text, int last) const {
    if (last < 0 || m_what.isEmpty())
        return -1;
    const QString hay = prepared(text);
    for (qsizetype at = hay.lastIndexOf(m_what, last); at >= 0;
         at = at == 0 ? -1 : hay.lastIndexOf(m_what, at - 1))
        if (accepted(text, int(at)))
            return int(at);
    return -1;
}

QString LineMatcher::prepared(const QString& text) const {
    return m_options.matchCase ? text : upperCharacters(text);
}

bool LineMatcher::accepted(const QString& text, int at) const {
    if (!m_options.wholeWord)
        return true;
    return !identifierPartBefore(text, at) && !identifierPartAt(text, at + length());
}

std::optional<LineColumn> findInLines(const std::function<QString(int)>& line, int lineCount, LineColumn from,
                                      const QString& what, const SearchOptions& options, bool endBeforeFrom) {
    if (what.isEmpty() || lineCount <= 0)
        return std::nullopt;
    const LineMatcher matcher(what, options);
    from.line = std::clamp(from.line, 0, lineCount - 1);
    from.column = std::max(0, from.column);
    if (options.down) {
        for (int index = from.line; index < lineCount; ++index) {
            const QString text = line(index);
            const int start = index == from.line ? from.column : 0;
            if (start > text.size())
                continue;
            if (const int at = matcher.firstFrom(text, start); at >= 0)
                return LineColumn{index, at};
        }
        return std::nullopt;
    }
    for (int index = from.line; index >= 0; --index) {
        const QString text = line(index);
        int last = int(text.size()) - matcher.length();
        if (index == from.line)
            last = std::min(last, endBeforeFrom ? from.column - matcher.length() : from.column - 1);
        if (const int at = matcher.lastUpTo(text, last); at >= 0)
            return LineColumn{index, at};
    }
    return std::nullopt;
}
