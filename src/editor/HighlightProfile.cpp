#include "HighlightProfile.h"

#include <algorithm>

namespace Highlight {

namespace {

constexpr quint32 Blue = 16711680;      // RGB 0, 0, 255
constexpr quint32 Red = 255;            // RGB 255, 0, 0
constexpr quint32 ClassName = 8404992;  // RGB 0, 64, 128
constexpr quint32 Green = 32768;        // RGB 0, 128, 0
constexpr quint32 StringText = 8421440; // RGB 64, 128, 128

// The list is stored in one order that interleaves six groups; each row names its group's options and
// colour, so the order below is the list's own.
struct Group {
    quint8 options;
    quint32 foreground;
};
constexpr Group WordAnyCase{WholeWord, Blue};
constexpr Group Bracket{0, Red};
constexpr Group ClassWord{WholeWord | MatchCase, ClassName};
constexpr Group PackagePrefix{MatchCase, ClassName};
constexpr Group JavaWord{WholeWord | MatchCase, Blue};
constexpr Group Inside{MatchCase, Blue};

std::vector<KeywordEntry> javaKeywords() {
    std::vector<KeywordEntry> list;
    auto add = [&list](Group group, std::initializer_list<const char*> words) {
        for (const char* word : words) {
            KeywordEntry entry;
            entry.keyword = QString::fromLatin1(word);
            entry.options = group.options;
            entry.foreground = group.foreground;
            list.push_back(entry);
        }
    };
    add(WordAnyCase, {"import", "public", "class", "extends", "int", "super", "private"});
    add(Bracket, {"{", "}", "(", ")"});
    add(ClassWord, {"Button",
                    "ByteArrayStream",
                    "Calculator",
                    "Calendar",
                    "Catalog",
                    "CharacterConverter",
                    "Check",
                    "Color",
                    "ComboBox",
                    "Compression",
                    "Container",
                    "Control",
                    "ControlEvent",
                    "Convert",
                    "Coord",
                    "DataStream",
                    "Date",
                    "Edit",
                    "Event",
                    "File",
                    "Font",
                    "FontMetrics",
                    "Graphics",
                    "IKeys",
                    "Image",
                    "IntHashtable",
                    "IntVector",
                    "ISurface",
                    "JustifiedContainer",
                    "Keyboard",
                    "KeyEvent",
                    "Label",
                    "ListBox",
                    "MainWindow",
                    "Math",
                    "MenuBar",
                    "MessageBox",
                    "Object",
                    "Palette",
                    "PenEvent",
                    "PopList",
                    "PopupMenu",
                    "PushButtonGroup",
                    "Radio",
                    "RadioGroup",
                    "Random",
                    "Rect",
                    "ResizeStream",
                    "ScrollBar",
                    "SerialPort",
                    "Settings",
                    "Socket",
                    "Sound",
                    "SoundClip",
                    "Stream",
                    "String",
                    "StringBuffer",
                    "TabPanel",
                    "Thread",
                    "Time",
                    "Vector",
                    "Vm",
                    "Welcome",
                    "Window"});
    add(PackagePrefix,
        {"waba.lang.", "waba.fx.", "waba.io.", "waba.sys.", "waba.util.", "waba.ui.", "java.lang."});
    add(ClassWord, {"onEvent", "onPaint"});
    add(WordAnyCase, {"void", "for"});
    add(JavaWord, {"new", "while"});
    add(Inside, {"repeat"});
    add(JavaWord, {"if", "else", "case", "Timer ", "protected", "static", "final", "double", "float", "long",
                   "char", "main", "transient", "break", "switch"});
    add(ClassWord, {"Timer", "superwaba.ext.xplat.io.builtin", "superwaba.ext.xplat.io.scanner",
                    "superwaba.ext.xplat.io.gps", "superwaba.ext.xplat.io.garmin", "superwaba.ext.xplat.io",
                    "superwaba.ext.xplat.ui", "superwaba.ext.xplat.util", "superwaba.ext.xplat.util.crypto",
                    "superwaba.ext.xplat.util.datergf", "superwaba"});
    add(JavaWord, {"boolean",      "null",      "true",    "false",   "abstract", "byte",    "catch",
                   "const",        "continue",  "default", "do",      "finally",  "goto",    "implements",
                   "instanceof",   "interface", "native",  "package", "return",   "short",   "strictfp",
                   "synchronized", "this",      "throw",   "throws",  "try",      "volatile"});
    return list;
}

std::vector<SpanEntry> javaSpans() {
    auto span = [](const char* start, const char* stop, quint32 foreground, bool endsAtLineEnd,
                   char16_t escape = 0) {
        SpanEntry entry;
        entry.start = QString::fromLatin1(start);
        entry.stop = QString::fromLatin1(stop);
        entry.foreground = foreground;
        entry.endsAtLineEnd = endsAtLineEnd;
        entry.escape = escape;
        return entry;
    };
    // Java's backslash escapes hold in string and character literals, which both end with their line.
    return {span("/*", "*/", Green, false), span("\"", "\"", StringText, true, u'\\'),
            span("//", "", Green, true), span("'", "'", StringText, true, u'\\')};
}

} // namespace

Profile::Profile(std::vector<KeywordEntry> keywords, std::vector<SpanEntry> spans, QString separators)
    : m_keywords(std::move(keywords)), m_spans(std::move(spans)), m_separators(std::move(separators)) {
    Appearance plain;
    plain.plain = true;
    m_appearances.push_back(plain);
    for (const SpanEntry& entry : m_spans)
        m_spanAppearance.push_back(appearanceOf({entry.foreground, entry.style, entry.background, false}));
    for (const KeywordEntry& entry : m_keywords)
        m_keywordAppearance.push_back(appearanceOf({entry.foreground, entry.style, entry.background, false}));
}

int Profile::appearanceOf(const Appearance& look) {
    const auto found = std::find(m_appearances.begin(), m_appearances.end(), look);
    if (found != m_appearances.end())
        return int(found - m_appearances.begin());
    m_appearances.push_back(look);
    return int(m_appearances.size()) - 1;
}

const Profile& Profile::java() {
    static const Profile profile(javaKeywords(), javaSpans(), QStringLiteral("\t $%&(),./:;<=>"));
    return profile;
}

} // namespace Highlight
