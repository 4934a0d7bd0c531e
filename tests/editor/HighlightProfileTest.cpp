#include "editor/HighlightProfile.h"
#include "GoldenLines.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Highlight;

namespace {

// One line an entry, its columns separated by tabs.
QString entryLine(const KeywordEntry& entry) {
    return QStringList{entry.keyword,
                       QString::number(entry.options),
                       QString::number(entry.style),
                       QString::number(entry.context),
                       QString::number(entry.cursor),
                       QString::number(entry.background),
                       QString::number(entry.foreground)}
        .join(u'\t');
}

} // namespace

TEST(HighlightProfile, KeywordsInTheListsOrderWithOptionsAndColours) {
    QStringList lines;
    for (const KeywordEntry& entry : Profile::java().keywords())
        lines << entryLine(entry);
    EXPECT_TRUE(golden::matches(lines, "keywords.txt"));
}

TEST(HighlightProfile, StartStopKeysWithTheirLineEndFlags) {
    const auto& spans = Profile::java().spans();
    ASSERT_EQ(spans.size(), 4u);
    struct Row {
        const char* start;
        const char* stop;
        quint32 foreground;
        bool endsAtLineEnd;
        char16_t escape;
    };
    const Row rows[] = {{"/*", "*/", 32768, false, 0},
                        {"\"", "\"", 8421440, true, u'\\'},
                        {"//", "", 32768, true, 0},
                        {"'", "'", 8421440, true, u'\\'}};
    for (size_t i = 0; i < 4; ++i) {
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
        EXPECT_EQ(spans[i].escape, rows[i].escape);
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
    EXPECT_EQ(profile.spanAppearance(1), profile.spanAppearance(3)); // strings and characters alike
    EXPECT_EQ(looks[size_t(profile.keywordAppearance(0))].foreground, 16711680u);
    EXPECT_EQ(profile.keywordAppearance(0), profile.keywordAppearance(141)); // import and volatile: blue
    EXPECT_EQ(profile.keywordAppearance(11), profile.keywordAppearance(75)); // Button and waba.lang.
    for (size_t i = 1; i < looks.size(); ++i)
        EXPECT_FALSE(looks[i].plain);
}
