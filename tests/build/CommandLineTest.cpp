#include "build/CommandLine.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* line;
    QStringList words;
    friend void PrintTo(const SplitCase& c, std::ostream* out) { PrintTo(QByteArray(c.line), out); }
};

class SplitCommandLine : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLine, GivesTheWordsAShellWouldWithoutExpanding) {
    const CommandLineWords result = splitCommandLine(QString::fromUtf8(GetParam().line));
    EXPECT_TRUE(result.ok()) << qPrintable(result.error);
    EXPECT_EQ(result.words, GetParam().words) << "line: " << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLine,
    testing::Values(
        SplitCase{"", {}}, SplitCase{" \t ", {}}, SplitCase{"a b  c", {"a", "b", "c"}},
        SplitCase{"\ta\nb\r\n", {"a", "b"}},
        // quoted and bare pieces that touch are one word
        SplitCase{"\"a\":\"b\"", {"a:b"}}, SplitCase{"x\"y z\"w", {"xy zw"}},
        SplitCase{"-classpath \"/opt/my sdk/lib\":classes", {"-classpath", "/opt/my sdk/lib:classes"}},
        SplitCase{"'a b' c", {"a b", "c"}},
        // empty quotes are an empty word
        SplitCase{"\"\"", {""}}, SplitCase{"''", {""}}, SplitCase{"a \"\" b", {"a", "", "b"}},
        // each quote keeps the other literally
        SplitCase{"\"it's\"", {"it's"}}, SplitCase{"'say \"hi\"'", {"say \"hi\""}},
        // backslashes
        SplitCase{"a\\ b", {"a b"}}, SplitCase{"\\\"a", {"\"a"}}, SplitCase{"\"a\\\"b\"", {"a\"b"}},
        SplitCase{"\"a\\\\b\"", {"a\\b"}}, SplitCase{"\"a\\nb\"", {"a\\nb"}}, SplitCase{"'a\\b'", {"a\\b"}},
        SplitCase{"a\\", {"a\\"}}, SplitCase{"a\\\nb", {"ab"}}, SplitCase{"\"a\\\nb\"", {"ab"}},
        // nothing is expanded and no operator is special: the line never reaches a shell
        SplitCase{"$HOME *.java ~ `id` a|b;c&d >e", {"$HOME", "*.java", "~", "`id`", "a|b;c&d", ">e"}},
        SplitCase{"# not a comment", {"#", "not", "a", "comment"}},
        SplitCase{"\"$HOME\" '$(rm x)'", {"$HOME", "$(rm x)"}}));

TEST(SplitCommandLineErrors, AnUnterminatedQuoteIsReportedAndGivesNoWords) {
    for (const char* line : {"\"abc", "'abc", "a \"b c", "ok 'x\"y", "\"a\\\""}) {
        const CommandLineWords result = splitCommandLine(QString::fromUtf8(line));
        EXPECT_FALSE(result.ok()) << line;
        EXPECT_TRUE(result.error.contains(QLatin1String("unterminated"))) << qPrintable(result.error);
    }
}

TEST(QuoteCommandWord, SplittingGivesEveryWordBackUnchanged) {
    const QStringList words{"plain", "",          "a b", "it's", "say \"hi\"",   "back\\slash", "tab\tx",
                            "$HOME", "new\nline", "\\",  "'",    "ends with \\", "ü ö",         "a\"b'c d\\"};
    for (const QString& word : words) {
        const CommandLineWords result = splitCommandLine(quoteCommandWord(word));
        EXPECT_EQ(result.words, QStringList{word}) << qPrintable(quoteCommandWord(word));
    }
    QStringList quoted;
    for (const QString& word : words)
        quoted << quoteCommandWord(word);
    EXPECT_EQ(splitCommandLine(quoted.join(u' ')).words, words);
}

TEST(QuoteCommandWord, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(quoteCommandWord("/usr/lib/jvm/bin/javac"), "/usr/lib/jvm/bin/javac");
    EXPECT_EQ(quoteCommandWord("/opt/my jdk/bin/javac"), "\"/opt/my jdk/bin/javac\"");
}

TEST(ParseEnvironmentBlock, TakesNulSeparatedEntries) {
    const QString block =
        QStringLiteral("A=1") + QChar(0) + "PATH=/x:/y" + QChar(0) + "B=two words" + QChar(0) + QChar(0);
    EXPECT_EQ(parseEnvironmentBlock(block), (QList<QByteArray>{"A=1", "PATH=/x:/y", "B=two words"}));
    EXPECT_TRUE(parseEnvironmentBlock(QString()).isEmpty());
}

} // namespace
