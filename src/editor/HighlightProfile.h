#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

// The Java and SuperWaba colouring of the source editor, as data: the keyword list, the start/stop-key
// list and the word separators. The engine applies it; nothing else knows a keyword.
namespace Highlight {

// Bits of the options column.
enum KeywordOption : quint8 { MatchCase = 1, WholeWord = 2 };

// Bits of the style column (a font style set: bold, italic, underline, strike-out).
enum FontStyle : quint8 { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

// Colours are stored as 0x00BBGGRR; -1 as background means the editor's own.
constexpr qint32 EditorBackground = -1;

struct KeywordEntry {
    QString keyword;
    quint8 options = 0;
    quint8 style = 0;
    qint32 context = 1;
    qint16 cursor = 0;
    qint32 background = EditorBackground;
    quint32 foreground = 0;
};

struct SpanEntry {
    QString start;
    QString stop; // empty: the span ends only at the end of its line
    quint8 options = 0;
    quint8 style = 0;
    qint32 context = 1;
    qint16 cursor = 0;
    qint32 background = EditorBackground;
    quint32 foreground = 0;
    bool endsAtLineEnd = false;
    // Inside the span this character takes the next one as it is, a stop key included; 0 for none.
    char16_t escape = 0;
};

// How a coloured character looks. Index 0 of a profile's appearance table is plain text.
struct Appearance {
    quint32 foreground = 0;
    quint8 style = 0;
    qint32 background = EditorBackground;
    bool plain = false; // the editor's text colour, not `foreground`

    bool operator==(const Appearance&) const = default;
};

class Profile {
public:
    Profile(std::vector<KeywordEntry> keywords, std::vector<SpanEntry> spans, QString separators);

    // The profile of the source editor.
    static const Profile& java();

    const std::vector<KeywordEntry>& keywords() const { return m_keywords; }
    const std::vector<SpanEntry>& spans() const { return m_spans; }
    const QString& separators() const { return m_separators; }

    // Distinct looks of the profile; 0 is plain text, then in order of first use, spans before keywords.
    const std::vector<Appearance>& appearances() const { return m_appearances; }
    int keywordAppearance(int entry) const { return m_keywordAppearance[size_t(entry)]; }
    int spanAppearance(int entry) const { return m_spanAppearance[size_t(entry)]; }

private:
    int appearanceOf(const Appearance& look);

    std::vector<KeywordEntry> m_keywords;
    std::vector<SpanEntry> m_spans;
    QString m_separators;
    std::vector<Appearance> m_appearances;
    std::vector<int> m_keywordAppearance;
    std::vector<int> m_spanAppearance;
};

} // namespace Highlight
