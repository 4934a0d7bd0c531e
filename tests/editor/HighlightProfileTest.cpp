#include "editor/HighlightProfile.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Highlight;

namespace {

struct ExpectedGroup {
    quint8 options;
    quint32 foreground;
    QStringList words;
};

// The six groups as the keyword table lists them, each in its own order.
const ExpectedGroup group1{
    2, 16711680, {"import", "public", "class", "extends", "int", "super", "private", "void", "for"}};
const ExpectedGroup group2{0, 255, {"{", "}", "(", ")"}};
const ExpectedGroup group3{3,
                           8404992,
                           {"Button",
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
                            "Window",
                            "onEvent",
                            "onPaint",
                            "Timer",
                            "superwaba.ext.xplat.io.builtin",
                            "superwaba.ext.xplat.io.scanner",
                            "superwaba.ext.xplat.io.gps",
                            "superwaba.ext.xplat.io.garmin",
                            "superwaba.ext.xplat.io",
                            "superwaba.ext.xplat.ui",
                            "superwaba.ext.xplat.util",
                            "superwaba.ext.xplat.util.crypto",
                            "superwaba.ext.xplat.util.datergf",
                            "superwaba"}};
const ExpectedGroup group4{
    1, 8404992, {"waba.lang.", "waba.fx.", "waba.io.", "waba.sys.", "waba.util.", "waba.ui.", "java.lang."}};
const ExpectedGroup group5{
    3, 16711680, {"new",       "while",   "if",         "else",         "case",      "Timer ",  "protected",
                  "static",    "final",   "double",     "float",        "long",      "char",    "main",
                  "transient", "break",   "switch",     "boolean",      "null",      "true",    "false",
                  "abstract",  "byte",    "catch",      "const",        "continue",  "default", "do",
                  "finally",   "goto",    "implements", "instanceof",   "interface", "native",  "package",
                  "return",    "short",   "strictfp",   "synchronized", "this",      "throw",   "throws",
                  "try",       "volatile"}};
const ExpectedGroup group6{1, 16711680, {"repeat"}};

struct Expected {
    QString word;
    quint8 options;
    quint32 foreground;
};

// Takes `count` entries of a group from `from` on, in the group's order.
void take(std::vector<Expected>& list, const ExpectedGroup& group, int from, int count) {
    for (int i = from; i < from + count; ++i)
        list.push_back({group.words.at(i), group.options, group.foreground});
}

// The list's order, put together from the groups by the rule that interleaves them.
std::vector<Expected> expectedOrder() {
    std::vector<Expected> list;
    take(list, group1, 0, 7);
    take(list, group2, 0, 4);
    take(list, group3, 0, 64);
    take(list, group4, 0, 7);
    take(list, group3, 64, 2);  // onEvent, onPaint
    take(list, group1, 7, 2);   // void, for
    take(list, group5, 0, 2);   // new, while
    take(list, group6, 0, 1);   // repeat
    take(list, group5, 2, 15);  // if .. switch
    take(list, group3, 66, 11); // Timer and the superwaba entries
    take(list, group5, 17, 27); // boolean .. volatile
    return list;
}

} // namespace

TEST(HighlightProfile, GroupSizesAddUpToTheList) {
    EXPECT_EQ(group1.words.size() + group2.words.size() + group3.words.size() + group4.words.size() +
                  group5.words.size() + group6.words.size(),
              142);
    EXPECT_EQ(group3.words.size(), 77);
    EXPECT_EQ(group5.words.size(), 44);
}

TEST(HighlightProfile, KeywordsInTheListsOrderWithOptionsAndColours) {
    const auto& keywords = Profile::java().keywords();
    const std::vector<Expected> expected = expectedOrder();
    ASSERT_EQ(keywords.size(), 142u);
    ASSERT_EQ(expected.size(), 142u);
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(QString("entry %1 \"%2\"").arg(i).arg(expected[i].word).toStdString());
        EXPECT_EQ(keywords[i].keyword, expected[i].word);
        EXPECT_EQ(keywords[i].options, expected[i].options);
        EXPECT_EQ(keywords[i].foreground, expected[i].foreground);
        EXPECT_EQ(keywords[i].style, 0);
        EXPECT_EQ(keywords[i].context, 1);
        EXPECT_EQ(keywords[i].cursor, 0);
        EXPECT_EQ(keywords[i].background, -1);
    }
}

TEST(HighlightProfile, SampleEntriesAtTheirPlaces) {
    const auto& keywords = Profile::java().keywords();
    struct Sample {
        size_t index;
        const char* word;
        quint8 options;
        quint32 foreground;
    };
    const Sample samples[] = {
        {0, "import", 2, 16711680},
        {4, "int", 2, 16711680},
        {7, "{", 0, 255},
        {10, ")", 0, 255},
        {11, "Button", 3, 8404992},
        {74, "Window", 3, 8404992},
        {75, "waba.lang.", 1, 8404992},
        {81, "java.lang.", 1, 8404992},
        {82, "onEvent", 3, 8404992},
        {84, "void", 2, 16711680},
        {85, "for", 2, 16711680},
        {86, "new", 3, 16711680},
        {88, "repeat", 1, 16711680},
        {89, "if", 3, 16711680},
        {92, "Timer ", 3, 16711680},
        {103, "switch", 3, 16711680},
        {104, "Timer", 3, 8404992},
        {114, "superwaba", 3, 8404992},
        {115, "boolean", 3, 16711680},
        {141, "volatile", 3, 16711680},
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.word);
        ASSERT_LT(sample.index, keywords.size());
        EXPECT_EQ(keywords[sample.index].keyword, QString(sample.word));
        EXPECT_EQ(keywords[sample.index].options, sample.options);
        EXPECT_EQ(keywords[sample.index].foreground, sample.foreground);
    }
}

TEST(HighlightProfile, StartStopKeysWithTheirLineEndFlags) {
    const auto& spans = Profile::java().spans();
    ASSERT_EQ(spans.size(), 3u);
    struct Row {
        const char* start;
        const char* stop;
        quint32 foreground;
        bool endsAtLineEnd;
    };
    const Row rows[] = {{"/*", "*/", 32768, false}, {"\"", "\"", 8421440, true}, {"//", "", 32768, true}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(rows[i].start);
        EXPECT_EQ(spans[i].start, QString(rows[i].start));
        EXPECT_EQ(spans[i].stop, QString(rows[i].stop));
        EXPECT_EQ(spans[i].options, 0);
        EXPECT_EQ(spans[i].style, 0);
        EXPECT_EQ(spans[i].context, 1);
        EXPECT_EQ(spans[i].cursor, 0);
        EXPECT_EQ(spans[i].background, -1);
        EXPECT_EQ(spans[i].foreground, rows[i].foreground);
        EXPECT_EQ(spans[i].endsAtLineEnd, rows[i].endsAtLineEnd);
    }
}

TEST(HighlightProfile, FifteenSeparators) {
    const QString separators = Profile::java().separators();
    EXPECT_EQ(separators.size(), 15);
    for (QChar c : QString("\t $%&(),./:;<=>"))
        EXPECT_TRUE(separators.contains(c)) << c.toLatin1();
}

TEST(HighlightProfile, AppearancesAreTheDistinctColoursWithPlainTextFirst) {
    const Profile& profile = Profile::java();
    const auto& looks = profile.appearances();
    ASSERT_EQ(looks.size(), 6u); // plain, green, string, blue, red, class colour
    EXPECT_TRUE(looks[0].plain);
    EXPECT_EQ(profile.spanAppearance(0), profile.spanAppearance(2)); // both comments are green
    EXPECT_NE(profile.spanAppearance(0), profile.spanAppearance(1));
    EXPECT_EQ(looks[size_t(profile.keywordAppearance(0))].foreground, 16711680u);
    EXPECT_EQ(profile.keywordAppearance(0), profile.keywordAppearance(141)); // import and volatile: blue
    EXPECT_EQ(profile.keywordAppearance(11), profile.keywordAppearance(75)); // Button and waba.lang.
    for (size_t i = 1; i < looks.size(); ++i)
        EXPECT_FALSE(looks[i].plain);
}
