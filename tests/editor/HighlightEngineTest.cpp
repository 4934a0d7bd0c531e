#include "editor/HighlightEngine.h"
#include "HighlightLetters.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Highlight;

namespace {

std::string paint(const Engine& engine, const std::vector<Highlight::Run>& runs, int length) {
    std::string letters(size_t(length), '.');
    for (const Highlight::Run& run : runs)
        for (int i = run.start; i < run.start + run.length; ++i)
            letters[size_t(i)] = letterFor(engine.profile().appearances()[size_t(run.appearance)]);
    return letters;
}

std::string colours(const QString& line, LineState in = {}, LineState* out = nullptr) {
    static const Engine engine;
    const Engine::LineResult result = engine.highlightLine(line, in);
    if (out)
        *out = result.out;
    return paint(engine, result.runs, int(line.size()));
}

struct Case {
    const char* line;
    const char* expected;
};

void check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(colours(QString::fromUtf8(c.line)), std::string(c.expected));
    }
}

} // namespace

TEST(HighlightEngine, WholeWordsNeedSeparatorsOnBothSides) {
    check({
        {"int x;", "KKK..."},
        {"int[] a;", "........"},   // "[" is no separator
        {"print(x);", ".....R.R."}, // int inside a word
        {"(int)x", "RKKKR."},
        {"x+int", "....."}, // "+" is no separator
        {"x=int", "..KKK"},
        {"int", "KKK"}, // line start and end are boundaries
        {"\tint\tx", ".KKK.."},
        {"_int int_ int2", ".............."},
        {"classes extends", "........KKKKKKK"},
    });
}

TEST(HighlightEngine, EachSeparatorBoundsAWordAndNothingElseDoes) {
    for (QChar separator : QString("\t $%&(),./:;<=>")) {
        SCOPED_TRACE(separator.toLatin1());
        EXPECT_EQ(colours(QString("int") + separator + "x").substr(0, 3), "KKK");
        EXPECT_EQ(colours(QString("x") + separator + "int").substr(2, 3), "KKK");
    }
    // A quotation mark or an apostrophe opens a literal instead.
    for (QChar other : QString("[]{}+-*!_#@?|^~0aZ")) {
        SCOPED_TRACE(other.toLatin1());
        EXPECT_EQ(colours(QString("int") + other + "x").substr(0, 3), "...");
        EXPECT_EQ(colours(QString("x") + other + "int").substr(2, 3), "...");
    }
}

TEST(HighlightEngine, CaseRulesPerEntry) {
    check({
        {"Button b;", "CCCCCC..."},
        {"button b;", "........."}, // exact case
        {"Import x;", "KKKKKK..."}, // any case
        {"PUBLIC CLASS", "KKKKKK.KKKKK"},
        {"New X", "....."},
        {"new X", "KKK.."},
        {"Repeat REPEAT", "............."},
        {"ımport x", "........"}, // only ASCII letters fold onto a keyword's letters
    });
}

TEST(HighlightEngine, EntriesWithoutWholeWordMatchInsideWords) {
    check({
        {"repeated();", "KKKKKK..RR."},
        {"xrepeatx", ".KKKKKK."},
        {"a{b}", ".R.R"},
        {"if(x)", "KKR.R"},
        {"main(String args)", "KKKKRCCCCCC.....R"},
        {"main(String[] args)", "KKKKR.............R"}, // "[" is no separator
        {"waba.fx.Foo f;", "CCCCCCCC......"},           // only the prefix
        {"xwaba.ui.Foo", ".CCCCCCCC..."},
        {"java.lang.Object o;", "CCCCCCCCCCCCCCCC..."},
        {"Waba.ui.X", "........."},
    });
}

TEST(HighlightEngine, EarlierEntriesClaimTheirCharacters) {
    check({
        {"Timer = x;", "KKKKKK...."}, // "Timer " (blue) comes before "Timer"
        {"Timer t;", "CCCCC..."},     // "Timer " is refused before "t", "Timer" takes the word
        {"Timer", "CCCCC"},
        {"superwaba.ext.xplat.io.gps.Gps g;", "CCCCCCCCCCCCCCCCCCCCCCCCCC......."},
        {"superwaba.ext.xplat.iox", "CCCCCCCCC.............."},
        {"superwabax", ".........."},
    });
}

TEST(HighlightEngine, SpansHideKeywordsAndOtherStartKeys) {
    check({
        {"s = \"a // b\";", "....SSSSSSSS."},                 // "//" inside a string
        {"/* say \"hi\" */ int x;", "GGGGGGGGGGGGGG.KKK..."}, // a quotation mark inside a comment
        {"x = 1; // int (y)", ".......GGGGGGGGGG"},
        {"/* // */ int", "GGGGGGGG.KKK"},
        {"// \"abc", "GGGGGGG"},
        {"/**/int", "GGGGKKK"}, // "/" is a separator
        {"a */ b", "......"},
        {"\"int\" int", "SSSSS.KKK"},
        {"/*/ int", "GGGGGGG"}, // the stop key is searched after the start key
        {"\"\"", "SS"},
    });
}

TEST(HighlightEngine, BackslashEscapesInStringsAndCharacterLiterals) {
    check({
        {"s = \"a\\\"b\"; int x;", "....SSSSSS..KKK..."}, // an escaped quotation mark stays in the string
        {"\"a\\\\\" int", "SSSSS.KKK"},                   // an escaped backslash escapes nothing after it
        {"\"\\\\\\\"\" int", "SSSSSS.KKK"},
        {"\"\\n\\t\" + x", "SSSSSS...."},
        {"c = '\"'; int x;", "....SSS..KKK..."}, // a quotation mark as a character is no string
        {"c = '\\''; int x;", "....SSSS..KKK..."},
        {"c = '\\\\'; int x;", "....SSSS..KKK..."},
        {"'{' + \"}\"", "SSS...SSS"},
        {"'//' int", "SSSS.KKK"}, // a character literal hides a comment start like a string does
        {"\"ab\\", "SSSS"},       // a backslash at the line end: the string still ends with its line
        {"'a int", "SSSSSS"},     // an unterminated character literal ends with its line too
        {"/* 'x */ int", "GGGGGGGG.KKK"},
        {"// don't \"x", "GGGGGGGGGGG"},
        {"\"\\u00e9\" int", "SSSSSSSS.KKK"},
        {"\"\\\xc3\xa9\" int", "SSSS.KKK"}, // an escaped non-ASCII character stays in the string
    });
}

TEST(HighlightEngine, UnterminatedStringEndsWithItsLine) {
    LineState out{42};
    EXPECT_EQ(colours("s = \"abc int", {}, &out), "....SSSSSSSS");
    EXPECT_EQ(out, LineState{});
    EXPECT_EQ(colours("int x;", out), "KKK...");
    EXPECT_EQ(colours("// x", {}, &out), "GGGG");
    EXPECT_EQ(out, LineState{});
}

TEST(HighlightEngine, CommentCarriesFromLineToLineUntilClosed) {
    const QStringList text = {"int a; /* start", "still int (x)",   "",
                              "end */ int b;",   "int c; /* again", "to the end of the text"};
    const std::vector<std::string> expected = {
        "KKK....GGGGGGGG", "GGGGGGGGGGGGG", "", "GGGGGG.KKK...", "KKK....GGGGGGGG", "GGGGGGGGGGGGGGGGGGGGGG"};
    LineState state;
    for (int i = 0; i < text.size(); ++i) {
        SCOPED_TRACE(i);
        LineState out;
        EXPECT_EQ(colours(text[i], state, &out), expected[size_t(i)]);
        EXPECT_EQ(out.openSpan, (i == 3 ? -1 : 0));
        state = out;
    }
}

TEST(HighlightEngine, RunsAreMergedAndOnlyCoverColouredText) {
    const Engine engine;
    std::vector<Highlight::Run> runs = {{0, 99, 1}};
    // "Timer " followed by "o" is refused; the class entry takes "Timer" alone.
    engine.highlightLine(QStringView(u"x int Timer ok"), {}, runs);
    const int blue = engine.profile().keywordAppearance(0);
    EXPECT_EQ(runs,
              (std::vector<Highlight::Run>{{2, 3, blue}, {6, 5, engine.profile().keywordAppearance(104)}}));
    engine.highlightLine(QStringView(u"){"), {}, runs);
    EXPECT_EQ(runs, (std::vector<Highlight::Run>{{0, 2, engine.profile().keywordAppearance(7)}}));
}

TEST(HighlightEngine, Utf8TextGivesTheSameColoursInBytes) {
    const Engine engine;
    const QString line = QString::fromUtf8("/* é */ int ä = \"ü\"; // ö");
    std::vector<Highlight::Run> utf16, utf8;
    const QByteArray bytes = line.toUtf8();
    engine.highlightLine(QStringView(line), {}, utf16);
    engine.highlightLine(std::string_view(bytes.constData(), size_t(bytes.size())), {}, utf8);
    ASSERT_EQ(utf16.size(), utf8.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        const int start = int(line.left(utf16[i].start).toUtf8().size());
        const int length = int(line.mid(utf16[i].start, utf16[i].length).toUtf8().size());
        EXPECT_EQ(utf8[i], (Highlight::Run{start, length, utf16[i].appearance}));
    }
}

// Small profiles whose entries differ in colour, to see which entry won.
namespace {

Profile twoEntries(const char* first, quint8 firstOptions, const char* second, quint8 secondOptions) {
    KeywordEntry a;
    a.keyword = first;
    a.options = firstOptions;
    a.foreground = 255;
    KeywordEntry b;
    b.keyword = second;
    b.options = secondOptions;
    b.foreground = 16711680;
    return Profile({a, b}, {}, " .");
}

std::string colours(const Profile& profile, const QString& line) {
    const Engine engine(profile);
    return paint(engine, engine.highlightLine(line).runs, int(line.size()));
}

} // namespace

TEST(HighlightEngine, ListOrderDecidesOverlaps) {
    EXPECT_EQ(colours(twoEntries("ab", 0, "abc", 0), "abc"), "RR.");
    EXPECT_EQ(colours(twoEntries("abc", 0, "ab", 0), "abc"), "RRR");
    EXPECT_EQ(colours(twoEntries("bc", 0, "abcd", 0), "abcd"), ".RR.");
    EXPECT_EQ(colours(twoEntries("x.y", 2, "x", 2), "x.y x"), "RRR.K");
}

TEST(HighlightEngine, SearchForAnEntryResumesAfterARefusedOccurrence) {
    // "x.x" is refused at 1 (after "a"); the search resumes at 4, so the "x.x" at 3 is never seen.
    EXPECT_EQ(colours(twoEntries("x.x", 2, "q", 0), "ax.x.x"), "......");
    EXPECT_EQ(colours(twoEntries("x.x", 2, "q", 0), "x.x.x"), "RRR..");
    // Without the whole-word option occurrences do not overlap either.
    EXPECT_EQ(colours(twoEntries("aba", 0, "q", 0), "ababa"), "RRR..");
}
