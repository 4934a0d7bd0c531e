#include "editor/TextSearch.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

std::optional<LineColumn> find(const QStringList& text, LineColumn from, const QString& what,
                               SearchOptions options, bool endBeforeFrom = false) {
    return findInLines([&](int i) { return text.value(i); }, int(text.size()), from, what, options,
                       endBeforeFrom);
}

struct FindCase {
    const char* name;
    QStringList text;
    LineColumn from;
    QString what;
    SearchOptions options;
    std::optional<LineColumn> expected;
};

} // namespace

TEST(TextSearch, FindsAsTheEditorDoes) {
    const SearchOptions down{true, false, false};
    const SearchOptions up{false, false, false};
    const SearchOptions downWord{true, true, false};
    const SearchOptions upWord{false, true, false};
    const SearchOptions downCase{true, false, true};
    const QList<FindCase> cases = {
        {"down: first match at or after the start", {"ab ab ab"}, {0, 1}, "ab", down, LineColumn{0, 3}},
        {"down: a match at the start itself", {"ab ab"}, {0, 0}, "ab", down, LineColumn{0, 0}},
        {"down: on to later lines", {"xx", "yy", "  ab"}, {0, 1}, "ab", down, LineColumn{2, 2}},
        {"down: no wrap-around", {"ab", "cd"}, {0, 1}, "ab", down, std::nullopt},
        {"down: start past the line end goes on below", {"ab", "ab"}, {0, 3}, "ab", down, LineColumn{1, 0}},
        {"down: never across a line break", {"a", "b"}, {0, 0}, "ab", down, std::nullopt},
        {"case ignored by default", {"Int x; INT y"}, {0, 0}, "int", down, LineColumn{0, 0}},
        {"match case", {"Int x; int y"}, {0, 0}, "int", downCase, LineColumn{0, 7}},
        {"match case fails on other case", {"INT"}, {0, 0}, "int", downCase, std::nullopt},
        {"whole word: separators around", {"print(int)"}, {0, 0}, "int", downWord, LineColumn{0, 6}},
        // A whole word is bounded by anything that cannot be part of a Java identifier.
        {"whole word: before brackets", {"int[] a;"}, {0, 0}, "int", downWord, LineColumn{0, 0}},
        {"whole word: before an operator", {"x = count++;"}, {0, 0}, "count", downWord, LineColumn{0, 4}},
        {"whole word: inside brackets", {"b = a[i];"}, {0, 0}, "i", downWord, LineColumn{0, 6}},
        {"whole word: braces, quotes, signs", {"{x}'x'!x-x"}, {0, 2}, "x", downWord, LineColumn{0, 4}},
        {"whole word: digits, _ and $ are word characters",
         {"x1 _x x$ $x x"},
         {0, 0},
         "x",
         downWord,
         LineColumn{0, 12}},
        {"whole word: letters beyond ASCII are word characters",
         {QString::fromUtf8("éx xé x")},
         {0, 0},
         "x",
         downWord,
         LineColumn{0, 6}},
        {"whole word: a letter beyond the basic plane is a word character",
         {QString::fromUtf8("\xf0\x9d\x90\x80x x")},
         {0, 0},
         "x",
         downWord,
         LineColumn{0, 4}},
        {"whole word: upward", {"a[i] xi"}, {0, 7}, "i", upWord, LineColumn{0, 2}},
        {"whole word: line start and end count", {"int"}, {0, 0}, "int", downWord, LineColumn{0, 0}},
        {"whole word: an overlapping later match counts", {"aaa a"}, {0, 0}, "a", downWord, LineColumn{0, 4}},
        {"up: last match before the start", {"ab ab ab"}, {0, 7}, "ab", up, LineColumn{0, 6}},
        {"up: a match may reach past the start", {"xab"}, {0, 2}, "ab", up, LineColumn{0, 1}},
        {"up: not at the start itself", {"ab ab"}, {0, 3}, "ab", up, LineColumn{0, 0}},
        {"up: last match of the nearest earlier line",
         {"ab ab", "cd", "x ab"},
         {2, 1},
         "ab",
         up,
         LineColumn{0, 3}},
        {"up: nothing before the start", {"ab"}, {0, 0}, "ab", up, std::nullopt},
        {"up: whole word skips inner matches", {"ab xab", "q"}, {1, 0}, "ab", upWord, LineColumn{0, 0}},
        {"empty search text is never found", {"abc"}, {0, 0}, "", down, std::nullopt},
        {"non-ASCII upper-cased per character",
         {QString::fromUtf8("straße STRASSE")},
         {0, 0},
         QString::fromUtf8("SSE"),
         down,
         LineColumn{0, 11}},
    };
    for (const FindCase& c : cases)
        EXPECT_EQ(find(c.text, c.from, c.what, c.options), c.expected) << c.name;
}

TEST(TextSearch, UpwardCanBeKeptInFrontOfTheStart) {
    const SearchOptions up{false, false, false};
    // "aab" with the start at 3: "ab" begins at 1 but reaches the start.
    EXPECT_EQ(find({"aab"}, {0, 3}, "ab", up, false), (LineColumn{0, 1}));
    EXPECT_EQ(find({"aab"}, {0, 2}, "ab", up, false), (LineColumn{0, 1}));
    EXPECT_EQ(find({"aab"}, {0, 2}, "ab", up, true), std::nullopt);
    EXPECT_EQ(find({"ab", "xaab"}, {1, 2}, "ab", up, true), (LineColumn{0, 0}));
}

TEST(TextSearch, UpperCasingKeepsColumns) {
    EXPECT_EQ(upperCharacters(QString::fromUtf8("aßb")).size(), 3);
    EXPECT_EQ(upperCharacters(u"import"), QString("IMPORT"));
}
