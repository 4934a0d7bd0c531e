#include "print/PageLayout.h"

#include <gtest/gtest.h>

using namespace Print;

namespace {

// Every character 10 dots wide, "A" 20 dots high: with the spacing of 1.5 a line is 30 dots.
class FixedMeasure : public TextMeasure {
public:
    double width(QStringView text) const override { return 10.0 * double(text.size()); }
    double heightOfA() const override { return 20; }
};

// 100 dots per inch, 600 x 400 dots, half an inch all round: 50 characters by 10 lines.
LayoutInput input(const QStringList& lines) {
    static const FixedMeasure measure;
    LayoutInput in;
    in.lines = lines;
    in.margins = {0.5, 0.5, 0.5, 0.5};
    in.paper = {100, QSizeF(600, 400)};
    in.measure = &measure;
    return in;
}

QStringList numbered(int count, const QString& prefix = QStringLiteral("line ")) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << prefix + QString::number(i);
    return lines;
}

// Page by page, each printed line as "source:row" with a "+" for a continuation.
std::vector<QStringList> shape(const PageLayout& layout) {
    std::vector<QStringList> pages;
    for (int p = 0; p < layout.pageCount(); ++p) {
        QStringList lines;
        for (const PrintedLine& line : layout.page(p))
            lines << QStringLiteral("%1%2:%3")
                         .arg(line.continuation ? "+" : "")
                         .arg(line.sourceLine + 1)
                         .arg(line.row);
        pages.push_back(lines);
    }
    return pages;
}

} // namespace

TEST(PageLayout, PageValuesFollowMarginsSpacingAndPaper) {
    PageLayout layout(input({}));
    EXPECT_DOUBLE_EQ(layout.lineHeight(), 30);
    EXPECT_EQ(layout.linesPerPage(), 10);
    EXPECT_EQ(layout.textRect(), QRectF(50, 50, 500, 300));

    LayoutInput inches = input({});
    inches.lineSpacing = 0.5; // half an inch: 50 dots
    inches.margins = {0.75, 0.5, 0.75, 0.75};
    PageLayout byInches(inches);
    EXPECT_DOUBLE_EQ(byInches.lineHeight(), 50);
    EXPECT_EQ(byInches.linesPerPage(), 5); // 400 - 150 = 250 dots
    EXPECT_EQ(byInches.textRect(), QRectF(75, 75, 475, 250));

    LayoutInput cramped = input(numbered(3));
    cramped.margins = {0.5, 0.5, 1.9, 1.9}; // no room for a single line
    PageLayout oneLine(cramped);
    EXPECT_EQ(oneLine.linesPerPage(), 1);
    EXPECT_EQ(oneLine.pageCount(), 3);
}

TEST(PageLayout, PageCountForLineCounts) {
    struct Case {
        int lines;
        int pages;
    };
    // A count that fills its pages exactly gets no empty page after them.
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{9, 1}, Case{10, 1}, Case{11, 2}, Case{20, 2},
                          Case{21, 3}, Case{1000, 100}}) {
        PageLayout layout(input(numbered(c.lines)));
        EXPECT_EQ(layout.pageCount(), c.pages) << c.lines << " lines";
        size_t printed = 0;
        for (int p = 0; p < layout.pageCount(); ++p)
            printed += layout.page(p).size();
        EXPECT_EQ(printed, size_t(c.lines)) << c.lines << " lines";
    }
}

TEST(PageLayout, EmptyTextIsOnePageWithoutLines) {
    PageLayout layout(input({}));
    ASSERT_EQ(layout.pageCount(), 1);
    EXPECT_TRUE(layout.page(0).empty());
    EXPECT_TRUE(layout.page(1).empty());
    EXPECT_TRUE(layout.page(-1).empty());
}

TEST(PageLayout, FormFeedStartsAPage) {
    struct Case {
        const char* name;
        QStringList lines;
        std::vector<QStringList> pages;
    };
    QStringList fullPageThenBreak = numbered(10);
    fullPageThenBreak << "\fnext";
    const Case cases[] = {
        {"mid page", {"a", "b", "\fc", "d"}, {{"1:0", "2:1"}, {"3:0", "4:1"}}},
        {"first line", {"\fa", "b"}, {{"1:0", "2:1"}}},
        {"at a page boundary",
         fullPageThenBreak,
         {{"1:0", "2:1", "3:2", "4:3", "5:4", "6:5", "7:6", "8:7", "9:8", "10:9"}, {"11:0"}}},
        {"two in a row", {"a", "\fb", "\fc"}, {{"1:0"}, {"2:0"}, {"3:0"}}},
        {"not at the start", {"a", "b\fc"}, {{"1:0", "2:1"}}},
    };
    for (const Case& c : cases) {
        PageLayout layout(input(c.lines));
        EXPECT_EQ(shape(layout), c.pages) << c.name;
    }
    // The form feed itself is not printed.
    PageLayout layout(input({"a", "\fnext page"}));
    ASSERT_EQ(layout.pageCount(), 2);
    EXPECT_EQ(layout.page(1)[0].text, "next page");
}

TEST(PageLayout, LongLinesWrapAtTheTextWidth) {
    const QString word50 = QString(50, 'x');
    struct Case {
        const char* name;
        QString line;
        QStringList pieces;
    };
    const Case cases[] = {
        {"exactly fits", word50, {word50}},
        {"one word too long", word50 + "yz", {word50, "yz"}},
        {"three widths", QString(120, 'a'), {QString(50, 'a'), QString(50, 'a'), QString(20, 'a')}},
        {"at the last blank", QString(45, 'a') + " bbbbbbbbbb", {QString(45, 'a') + " ", "bbbbbbbbbb"}},
        {"blanks at the break stay", QString(50, 'a') + "   b", {QString(50, 'a') + "   ", "b"}},
        {"empty line", QString(), {QString()}},
    };
    for (const Case& c : cases) {
        PageLayout layout(input({c.line}));
        QStringList pieces;
        bool continuationsMarked = true;
        for (const PrintedLine& line : layout.page(0)) {
            pieces << line.text;
            continuationsMarked &= line.sourceLine == 0 && line.continuation == (pieces.size() > 1);
        }
        EXPECT_EQ(pieces, c.pieces) << c.name;
        EXPECT_TRUE(continuationsMarked) << c.name;
    }
}

TEST(PageLayout, WrappedLinesCountTowardsThePages) {
    QStringList lines = numbered(9);
    lines << QString(70, 'w'); // two printed lines: the tenth and the eleventh
    lines << "last";
    PageLayout layout(input(lines));
    EXPECT_EQ(shape(layout), (std::vector<QStringList>{
                                 {"1:0", "2:1", "3:2", "4:3", "5:4", "6:5", "7:6", "8:7", "9:8", "10:9"},
                                 {"+10:0", "11:1"}}));
}

TEST(PageLayout, TabsExpandToTheTabStops) {
    LayoutInput in = input({"\tx", "ab\tc", "abcd\te"});
    in.tabWidth = 4;
    PageLayout layout(in);
    const auto page = layout.page(0);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(page[0].text, "    x");
    EXPECT_EQ(page[1].text, "ab  c");
    EXPECT_EQ(page[2].text, "abcd    e");
}

TEST(PageLayout, ColoursFollowTheTextThroughTabsWrapsAndFormFeeds) {
    const Highlight::Engine engine;
    const int keyword = engine.highlightLine(QStringView(u"int")).runs.at(0).appearance;

    LayoutInput in = input({"\tint a;", "\fint b;", QString(48, 'x') + " int"});
    in.engine = &engine;
    PageLayout layout(in);
    ASSERT_EQ(layout.pageCount(), 2);
    const auto first = layout.page(0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].runs, (std::vector<Highlight::Run>{{4, 3, keyword}}));
    const auto second = layout.page(1);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0].text, "int b;");
    EXPECT_EQ(second[0].runs, (std::vector<Highlight::Run>{{0, 3, keyword}}));
    EXPECT_EQ(second[2].text, "int");
    EXPECT_EQ(second[2].runs, (std::vector<Highlight::Run>{{0, 3, keyword}}));

    // A comment opened on one line colours the next.
    LayoutInput comment = input({"/* open", "still comment */ int"});
    comment.engine = &engine;
    PageLayout commented(comment);
    const auto lines = commented.page(0);
    ASSERT_FALSE(lines[1].runs.empty());
    EXPECT_EQ(lines[1].runs.front().start, 0);
    EXPECT_NE(lines[1].runs.front().appearance, keyword);
}

TEST(PageLayout, HeaderHasItsFirstPagePlaceholderReplaced) {
    struct Case {
        QString header;
        int page;
        QString expected;
    };
    const Case cases[] = {
        {"Project: x         File: y.java", 3, "Project: x         File: y.java"},
        {"Page {p}", 1, "Page 1"},
        {"{p}", 12, "12"},
        {"{p} of {p}", 2, "2 of {p}"},
        {"{P} {p", 4, "{P} {p"},
        {"", 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pageText(c.header, c.page), c.expected) << c.header.toStdString();
}

TEST(PageLayout, WrapPointNeverStallsAndPrefersBlanks) {
    const FixedMeasure measure;
    struct Case {
        QString text;
        double width;
        int cut;
    };
    const Case cases[] = {
        {"abcdef", 30, 3},    // no blank: as many characters as fit
        {"ab cdef", 50, 3},   // after the blank
        {"abcdef", 5, 1},     // not even one fits: one anyway
        {"abc   def", 30, 6}, // the blanks at the break go with the first piece
        {" abcdefgh", 40, 4}, // a leading blank is no place to break
        {"abc", 100, 3},
        {QString::fromUtf8("abe\u0301cd"), 30, 2},      // the accent stays with its letter
        {QString::fromUtf8("ab\U0001F600cd"), 30, 2},   // a surrogate pair stays whole
        {QString::fromUtf8("e\u0301\u0301xyz"), 5, 3},  // not even one fits: one whole character
        {QString::fromUtf8("ab \u00e9\u0301x"), 40, 3}, // before the blank, not inside the letter
        {QString(1000, 'q'), 300, 30},                  // long: the measurements gallop there
    };
    for (const Case& c : cases)
        // A hint only saves measurements: any hint gives the same cut.
        for (int hint : {0, 1, 2, 7, 30, 31, 500, 5000})
            EXPECT_EQ(wrapPoint(c.text, c.width, measure, hint), c.cut)
                << c.text.toStdString() << " in " << c.width << " from hint " << hint;
}
