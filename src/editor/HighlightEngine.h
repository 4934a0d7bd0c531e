#pragma once

#include "HighlightProfile.h"

#include <QStringView>
#include <array>
#include <string_view>
#include <vector>

namespace Highlight {

// A coloured stretch of one line; `appearance` indexes the profile's appearance table.
struct Run {
    int start = 0;
    int length = 0;
    int appearance = 0;

    bool operator==(const Run&) const = default;
};

// What one line hands to the next: the start/stop entry still open at its end (only an entry without
// the line-end flag can stay open), or -1.
struct LineState {
    int openSpan = -1;

    bool operator==(const LineState&) const = default;
};

// Applies a profile to one line at a time. Positions are in the units of the text given: UTF-16 code
// units for a QStringView, bytes for UTF-8. Every key and keyword is ASCII, so both give the same colours.
class Engine {
public:
    explicit Engine(const Profile& profile = Profile::java());

    const Profile& profile() const { return m_profile; }

    // Colours `line` (without its line break) given the state carried in from the line before. `runs`
    // is cleared and filled with the coloured stretches only, in order, neighbours of one look merged;
    // everything else is plain text. Returns the state carried out.
    LineState highlightLine(QStringView line, LineState in, std::vector<Run>& runs) const;
    LineState highlightLine(std::string_view utf8Line, LineState in, std::vector<Run>& runs) const;

    struct LineResult {
        std::vector<Run> runs;
        LineState out;
    };
    LineResult highlightLine(QStringView line, LineState in = {}) const;

private:
    struct Key {
        std::vector<char16_t> text; // upper-cased unless matchCase
        bool matchCase = false;
        bool wholeWord = false;
        int appearance = 0;
    };

    template <typename Char>
    LineState apply(const Char* text, int length, LineState in, std::vector<Run>& runs) const;
    template <typename Char> bool matchesAt(const Key& key, const Char* text, int length, int at) const;
    template <typename Char>
    int findSpanStop(const Key& stop, char16_t escape, const Char* text, int length, int from) const;
    template <typename Char> bool isSeparator(Char c) const;

    const Profile& m_profile;
    std::vector<Key> m_keywords;
    std::vector<Key> m_spanStarts;
    std::vector<Key> m_spanStops;
    std::vector<bool> m_spanEndsAtLineEnd;
    std::vector<char16_t> m_spanEscapes;
    std::array<bool, 128> m_separator{};
    std::array<bool, 128> m_spanStartChar{};
    // Keyword entries by their first character (upper-cased), in list order: every entry for a position
    // at a word boundary, and only those that can matter elsewhere for the other positions.
    std::array<std::vector<int>, 128> m_atBoundary;
    std::array<std::vector<int>, 128> m_insideWord;
    bool m_skipSpans = true;
};

} // namespace Highlight
