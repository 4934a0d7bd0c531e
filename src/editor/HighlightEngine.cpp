#include "HighlightEngine.h"

#include <algorithm>
#include <type_traits>

namespace Highlight {

namespace {

template <typename Char> unsigned code(Char c) {
    return unsigned(std::make_unsigned_t<Char>(c));
}

// Upper case for ASCII letters only: every key is ASCII, and no other character upper-cases to an ASCII
// letter in an 8-bit Windows code page, so other characters can never match a letter of a key.
unsigned fold(unsigned c) {
    return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
}

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
}

// True when two occurrences of the key can overlap ("aba" in "ababa"): then an occurrence that is
// refused still decides where the search for the next one resumes.
bool canOverlapItself(const std::vector<char16_t>& key) {
    for (size_t shift = 1; shift < key.size(); ++shift)
        if (std::equal(key.begin() + ptrdiff_t(shift), key.end(), key.begin()))
            return true;
    return false;
}

} // namespace

Engine::Engine(const Profile& profile) : m_profile(profile) {
    auto makeKey = [](const QString& text, quint8 options, int appearance) {
        Key key;
        key.matchCase = options & MatchCase;
        key.wholeWord = options & WholeWord;
        key.appearance = appearance;
        for (QChar c : text)
            key.text.push_back(char16_t(key.matchCase ? c.unicode() : fold(c.unicode())));
        return key;
    };
    for (QChar c : profile.separators())
        if (c.unicode() < 128)
            m_separator[c.unicode()] = true;

    QString spanCharacters;
    for (size_t i = 0; i < profile.spans().size(); ++i) {
        const SpanEntry& entry = profile.spans()[i];
        const int look = profile.spanAppearance(int(i));
        m_spanStarts.push_back(makeKey(entry.start, entry.options, look));
        m_spanStops.push_back(makeKey(entry.stop, entry.options, look));
        m_spanEndsAtLineEnd.push_back(entry.endsAtLineEnd);
        // An escape outside ASCII would skip a different amount in UTF-8 than in UTF-16.
        m_spanEscapes.push_back(entry.escape < 128 ? entry.escape : 0);
        // Keys outside ASCII could not be found in UTF-8 text byte by byte; the profile has none.
        if (!entry.start.isEmpty() && isAscii(entry.start))
            m_spanStartChar[fold(entry.start.front().unicode())] = true;
        spanCharacters += entry.start + entry.stop;
    }

    for (size_t i = 0; i < profile.keywords().size(); ++i) {
        const KeywordEntry& entry = profile.keywords()[i];
        if (entry.keyword.isEmpty() || !isAscii(entry.keyword))
            continue;
        m_keywords.push_back(makeKey(entry.keyword, entry.options, profile.keywordAppearance(int(i))));
        const Key& key = m_keywords.back();
        const int index = int(m_keywords.size()) - 1;
        const unsigned first = fold(key.text.front());
        m_atBoundary[first].push_back(index);
        // A whole-word occurrence that does not start at a boundary is refused anyway; it only matters
        // when it could have hidden an overlapping occurrence of the same entry.
        if (!key.wholeWord || canOverlapItself(key.text))
            m_insideWord[first].push_back(index);
        // Spans can be skipped while scanning for keywords only if no keyword could reach into a span.
        for (QChar c : entry.keyword)
            if (spanCharacters.contains(c))
                m_skipSpans = false;
    }
}

template <typename Char> bool Engine::isSeparator(Char c) const {
    const unsigned u = code(c);
    return u < 128 && m_separator[u];
}

template <typename Char> bool Engine::matchesAt(const Key& key, const Char* text, int length, int at) const {
    const int size = int(key.text.size());
    if (size == 0 || at + size > length)
        return false;
    for (int j = 0; j < size; ++j) {
        const unsigned c = code(text[at + j]);
        if ((key.matchCase ? c : fold(c)) != key.text[size_t(j)])
            return false;
    }
    return true;
}

// An escape skips exactly one code unit: the stop keys are ASCII, and neither a UTF-8 continuation byte
// nor a low surrogate is, so UTF-8 and UTF-16 text still end a span at the same character.
template <typename Char>
int Engine::findSpanStop(const Key& stop, char16_t escape, const Char* text, int length, int from) const {
    if (stop.text.empty())
        return -1;
    const int last = length - int(stop.text.size());
    for (int i = from; i <= last; ++i) {
        if (escape != 0 && code(text[i]) == escape) {
            ++i;
            continue;
        }
        if (matchesAt(stop, text, length, i))
            return i;
    }
    return -1;
}

template <typename Char>
LineState Engine::apply(const Char* text, int length, LineState in, std::vector<Run>& runs) const {
    runs.clear();
    // The look of every character; 0 is plain and unclaimed.
    thread_local std::vector<quint8> looks;
    thread_local std::vector<std::pair<int, int>> outsideSpans;
    thread_local std::vector<quint64> occurrences;
    looks.assign(size_t(length), 0);
    outsideSpans.clear();
    occurrences.clear();
    auto paint = [](int from, int to, int look) {
        std::fill(looks.begin() + from, looks.begin() + to, quint8(look));
    };

    // Spans first: they hide everything inside them from keywords and from other start keys.
    LineState out;
    int pos = 0;
    auto closeSpan = [&](int span, int from, int afterStart) {
        const Key& stop = m_spanStops[size_t(span)];
        const int found = findSpanStop(stop, m_spanEscapes[size_t(span)], text, length, afterStart);
        int end = length;
        if (found >= 0)
            end = found + int(stop.text.size());
        else if (!m_spanEndsAtLineEnd[size_t(span)])
            out.openSpan = span;
        paint(from, end, stop.appearance);
        return end;
    };
    if (in.openSpan >= 0 && size_t(in.openSpan) < m_spanStops.size())
        pos = closeSpan(in.openSpan, 0, 0);
    int gapStart = pos;
    for (int i = pos; i < length;) {
        const unsigned c = code(text[i]);
        int opened = -1;
        if (c < 128 && m_spanStartChar[fold(c)]) {
            for (size_t s = 0; s < m_spanStarts.size(); ++s)
                if (matchesAt(m_spanStarts[s], text, length, i)) {
                    opened = int(s);
                    break;
                }
        }
        if (opened < 0) {
            ++i;
            continue;
        }
        if (gapStart < i)
            outsideSpans.emplace_back(gapStart, i);
        i = closeSpan(opened, i, i + int(m_spanStarts[size_t(opened)].text.size()));
        gapStart = i;
    }
    if (gapStart < length)
        outsideSpans.emplace_back(gapStart, length);
    if (!m_skipSpans) {
        outsideSpans.clear();
        outsideSpans.emplace_back(0, length);
    }

    // Every occurrence of every entry, then judged entry by entry in list order.
    for (const auto& [from, to] : outsideSpans) {
        for (int i = from; i < to; ++i) {
            const unsigned c = code(text[i]);
            if (c >= 128)
                continue;
            const bool boundary = i == 0 || isSeparator(text[i - 1]);
            for (int entry : (boundary ? m_atBoundary : m_insideWord)[fold(c)])
                if (matchesAt(m_keywords[size_t(entry)], text, length, i))
                    occurrences.push_back(quint64(entry) << 32 | quint32(i));
        }
    }
    std::sort(occurrences.begin(), occurrences.end());
    int entry = -1;
    int searchFrom = 0;
    for (quint64 occurrence : occurrences) {
        const int current = int(occurrence >> 32);
        const int start = int(quint32(occurrence));
        const Key& key = m_keywords[size_t(current)];
        const int end = start + int(key.text.size());
        if (current != entry) {
            entry = current;
            searchFrom = 0;
        }
        // The search for an entry resumes after each occurrence, accepted or not.
        if (start < searchFrom)
            continue;
        searchFrom = end;
        if (key.wholeWord &&
            !((start == 0 || isSeparator(text[start - 1])) && (end == length || isSeparator(text[end]))))
            continue;
        if (std::any_of(looks.begin() + start, looks.begin() + end, [](quint8 look) { return look != 0; }))
            continue;
        paint(start, end, key.appearance);
    }

    for (int i = 0; i < length;) {
        const int look = looks[size_t(i)];
        int j = i + 1;
        while (j < length && looks[size_t(j)] == look)
            ++j;
        if (look != 0)
            runs.push_back({i, j - i, look});
        i = j;
    }
    return out;
}

LineState Engine::highlightLine(QStringView line, LineState in, std::vector<Run>& runs) const {
    return apply(reinterpret_cast<const char16_t*>(line.utf16()), int(line.size()), in, runs);
}

LineState Engine::highlightLine(std::string_view utf8Line, LineState in, std::vector<Run>& runs) const {
    return apply(utf8Line.data(), int(utf8Line.size()), in, runs);
}

Engine::LineResult Engine::highlightLine(QStringView line, LineState in) const {
    LineResult result;
    result.out = highlightLine(line, in, result.runs);
    return result;
}

} // namespace Highlight
