#include "build/LineSplitter.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Lines = QList<QByteArray>;

// One read after another: what each read completes, then what is left.
struct SplitCase {
    const char* name;
    QList<QByteArray> reads;
    QList<Lines> linesPerRead;
    QByteArray pending;
    std::optional<QByteArray> last; // what finish() gives
    friend void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }
};

QByteArray bytes(const char* text, size_t size) {
    return QByteArray(text, qsizetype(size));
}

class LineSplitterCases : public testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitterCases, SplitsReadsIntoLines) {
    const SplitCase& c = GetParam();
    ASSERT_EQ(c.reads.size(), c.linesPerRead.size());
    LineSplitter splitter;
    for (qsizetype i = 0; i < c.reads.size(); ++i)
        EXPECT_EQ(splitter.feed(c.reads[i]), c.linesPerRead[i]) << c.name << ", read " << i;
    EXPECT_EQ(splitter.pending(), c.pending) << c.name;
    EXPECT_EQ(splitter.finish(), c.last) << c.name;
    EXPECT_TRUE(splitter.pending().isEmpty());
    EXPECT_EQ(splitter.finish(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Reads, LineSplitterCases,
    testing::Values(
        SplitCase{"line without break at the end", {"a\r\nb"}, {{"a"}}, "b", "b"},
        SplitCase{"CR and LF in different reads", {"x\r", "\ny\n"}, {{"x"}, {"y"}}, "", std::nullopt},
        SplitCase{"empty line dropped", {"x\n\ny\n"}, {{"x", "y"}}, "", std::nullopt},
        SplitCase{"line continued by the next read", {"p1\nq", "2\n"}, {{"p1"}, {"q2"}}, "", std::nullopt},
        SplitCase{"pieces without a break join",
                  {"a", "", "b", "c\r", "\n"},
                  {{}, {}, {}, {"abc"}, {}},
                  "",
                  std::nullopt},
        SplitCase{"lone CRs break lines", {"a\rb\rc\r"}, {{"a", "b", "c"}}, "", std::nullopt},
        SplitCase{"CR before CR LF", {"x\r\r\ny"}, {{"x"}}, "y", "y"},
        SplitCase{"only breaks", {"\r\n\r\n\n\r"}, {{}}, "", std::nullopt},
        SplitCase{"nothing complete", {"abc"}, {{}}, "abc", "abc"},
        SplitCase{"NUL ends the complete part", {bytes("a\0b\nc\n", 6)}, {{"a"}}, "", std::nullopt},
        SplitCase{"NUL in the pending part", {bytes("a\nb\0c", 5)}, {{"a"}}, bytes("b\0c", 3), "b"},
        SplitCase{
            "NUL carried into the next read", {bytes("q\0r", 3), "s\nt\n"}, {{}, {"q"}}, "", std::nullopt},
        SplitCase{"pending only NUL", {bytes("\0x", 2)}, {{}}, bytes("\0x", 2), std::nullopt}),
    [](const testing::TestParamInfo<SplitCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(DecodeOutputLine, KeepsEveryByte) {
    EXPECT_EQ(decodeOutputLine("plain"), "plain");
    EXPECT_EQ(decodeOutputLine("caf\xc3\xa9"), QString::fromUtf8("café"));
    // Not UTF-8: every byte is taken as Latin-1, none becomes a replacement character.
    EXPECT_EQ(decodeOutputLine("caf\xe9 \xc3\xa9"), QString::fromLatin1("caf\xe9 \xc3\xa9"));
    EXPECT_EQ(decodeOutputLine("\xef\xbf\xbd"), QString(QChar::ReplacementCharacter));
}

TEST(EndsWithPrompt, ComparesTheEndCaseSensitively) {
    struct Case {
        const char* line;
        const char* prompt;
        bool expected;
    };
    for (const Case& c :
         {Case{"Name> ", "> ", true}, Case{"> ", "> ", true}, Case{">", "> ", false}, Case{"x", "", false},
          Case{"", "", false}, Case{"NAME>", "name>", false}, Case{"a> b", "> ", false}})
        EXPECT_EQ(endsWithPrompt(c.line, c.prompt), c.expected) << c.line << " / " << c.prompt;
}

} // namespace
