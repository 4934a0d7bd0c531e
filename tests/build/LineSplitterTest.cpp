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
    qsizetype maxLine = LineSplitter::DefaultMaxLine;
    friend void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }
};

QByteArray bytes(const char* text, size_t size) {
    return QByteArray(text, qsizetype(size));
}

class LineSplitterCases : public testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitterCases, SplitsReadsIntoLines) {
    const SplitCase& c = GetParam();
    ASSERT_EQ(c.reads.size(), c.linesPerRead.size());
    LineSplitter splitter(c.maxLine);
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
        SplitCase{"every kind of break in one read",
                  {"a\rb\nc\r\nd\r\re\n\nf\n"},
                  {{"a", "b", "c", "d", "e", "f"}},
                  "",
                  std::nullopt},
        SplitCase{"CR before CR LF", {"x\r\r\ny"}, {{"x"}}, "y", "y"},
        SplitCase{"only breaks", {"\r\n\r\n\n\r"}, {{}}, "", std::nullopt},
        SplitCase{"nothing complete", {"abc"}, {{}}, "abc", "abc"},
        // A NUL is dropped; the text around it and the lines after it stay.
        SplitCase{"NUL dropped, lines kept", {bytes("a\0b\nc\n", 6)}, {{"ab", "c"}}, "", std::nullopt},
        SplitCase{"NUL in the pending part", {bytes("a\nb\0c", 5)}, {{"a"}}, "bc", "bc"},
        SplitCase{"NUL carried into the next read",
                  {bytes("q\0r", 3), "s\nt\n"},
                  {{}, {"qrs", "t"}},
                  "",
                  std::nullopt},
        SplitCase{"pending only NUL", {bytes("\0", 1)}, {{}}, "", std::nullopt},
        SplitCase{"NUL between CR and LF", {bytes("x\r\0\ny\n", 6)}, {{"x", "y"}}, "", std::nullopt},
        // A line that reaches the limit ends there, as if its break had come.
        SplitCase{"line reaching the limit", {"abcdefgh"}, {{"abcdefgh"}}, "", std::nullopt, 8},
        SplitCase{"limit reached across reads", {"abcde", "fghij"}, {{}, {"abcdefgh"}}, "ij", "ij", 8},
        SplitCase{"long complete line in pieces",
                  {"0123456789abcdefXY\n"},
                  {{"01234567", "89abcdef", "XY"}},
                  "",
                  std::nullopt,
                  8},
        SplitCase{"pending and a long line", {"abcdef", "ghij\nk"}, {{}, {"abcdefgh", "ij"}}, "k", "k", 8},
        SplitCase{"break right after the limit",
                  {"abcdefgh", "\r\nz\n"},
                  {{"abcdefgh"}, {"z"}},
                  "",
                  std::nullopt,
                  8},
        SplitCase{"UTF-8 character kept whole",
                  {"abcdefg\xc3\xa9h\n", "abcdef\xe2\x82\xac"},
                  {{"abcdefg", "\xc3\xa9h"}, {"abcdef"}},
                  "\xe2\x82\xac",
                  "\xe2\x82\xac",
                  8}),
    [](const testing::TestParamInfo<SplitCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

TEST(LineSplitter, UnendingOutputIsHandedOverInMegabyteLines) {
    LineSplitter splitter;
    const QByteArray read(4096, 'x');
    qsizetype delivered = 0;
    QList<qsizetype> sizes;
    for (int i = 0; i < 3 * 256 + 10; ++i) { // 3 MB and 40 KB, never a break
        for (const QByteArray& line : splitter.feed(read))
            sizes << line.size();
        ASSERT_LT(splitter.pending().size(), LineSplitter::DefaultMaxLine);
    }
    for (qsizetype size : sizes)
        delivered += size;
    EXPECT_EQ(sizes, (QList<qsizetype>{1 << 20, 1 << 20, 1 << 20}));
    EXPECT_EQ(delivered + splitter.pending().size(), (3 * 256 + 10) * 4096);
}

TEST(DecodeOutputLine, KeepsEveryByte) {
    struct Case {
        QByteArray bytes;
        QString expected;
    };
    const QByteArray ascii40 = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    const Case cases[] = {
        {"plain", "plain"},
        {ascii40, QString::fromLatin1(ascii40)},
        {"caf\xc3\xa9", QString::fromUtf8("café")},
        // Not ASCII before, inside or after the first blocks of sixteen bytes.
        {ascii40 + "caf\xc3\xa9", QString::fromLatin1(ascii40) + QString::fromUtf8("café")},
        {"0123456789abcde\xc3\xa9", QString::fromUtf8("0123456789abcdeé")},
        {"\xc3\xa9" + ascii40, QString::fromUtf8("é") + QString::fromLatin1(ascii40)},
        // Not UTF-8: every byte is taken as Latin-1, none becomes a replacement character.
        {"caf\xe9 \xc3\xa9", QString::fromLatin1("caf\xe9 \xc3\xa9")},
        {ascii40 + "\xff", QString::fromLatin1(ascii40 + "\xff")},
        {"\xff" + ascii40, QString::fromLatin1("\xff" + ascii40)},
        {"\xef\xbf\xbd", QString(QChar::ReplacementCharacter)},
        {"\xf0\x9f\x98\x80", QString::fromUtf8("\xf0\x9f\x98\x80")}, // two UTF-16 units from four bytes
    };
    // One string decoded into again and again, as a run's lines are, and a copy held of each line.
    QString reused;
    QStringList held;
    for (const Case& c : cases) {
        EXPECT_EQ(decodeOutputLine(c.bytes), c.expected) << c.bytes.toStdString();
        decodeOutputLine(c.bytes, reused);
        EXPECT_EQ(reused, c.expected) << c.bytes.toStdString();
        held << reused;
    }
    for (qsizetype i = 0; i < held.size(); ++i)
        EXPECT_EQ(held[i], cases[i].expected) << "line " << i << " changed after it was handed over";
    // Reused without a copy held: shorter after longer leaves nothing of the longer.
    decodeOutputLine(ascii40, reused);
    decodeOutputLine("ab", reused);
    EXPECT_EQ(reused, "ab");
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
