// Inputs no sample file can hold: unreadable files, bad command lines, binary data, one huge line,
// absurd nesting and random damage. None may crash or hang the program, and the outline it prints must
// keep the browser's line shape.
#include "ParseProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using parsetest::malformedLine;
using parsetest::run;

class DamagedInput : public testing::Test {
protected:
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    parsetest::Result parse(const QString& name = QStringLiteral("temp.java")) {
        return run({"-in", name, "-trace"}, dir.path());
    }
    QTemporaryDir dir;
};

TEST_F(DamagedInput, AFileThatCannotBeReadIsTheOnlyFailure) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.java"));
    struct Case {
        const char* name;
        const char* reason;
    };
    for (const Case& c : {Case{"missing.java", "No such file or directory"}, Case{"folder.java", "folder"},
                          Case{"/dev/zero", "larger than 64 MB"}}) {
        const auto result = parse(c.name);
        ASSERT_TRUE(result.finished) << c.name;
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_TRUE(result.out.isEmpty()) << c.name;
        EXPECT_TRUE(result.err.startsWith(QByteArray("parse: cannot read ") + c.name + ": "))
            << result.err.data();
        EXPECT_TRUE(result.err.contains(c.reason)) << result.err.data();
    }
}

TEST_F(DamagedInput, BadCommandLinesAreRefusedWithTheUsage) {
    write("temp.java", "class A {}\n");
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"-in"}, QStringList{"temp.java"}, QStringList{"-trace"},
          QStringList{"-in", "temp.java", "-verbose"}}) {
        const auto result = run(arguments, dir.path());
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains("usage: parse -in FILE [-trace]"));
    }
}

TEST_F(DamagedInput, TheNameAfterInIsAlwaysAFileName) {
    write("-trace", "class Dashed { int x; }\n");
    const auto result = run({"-in", "-trace"}, dir.path());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "class Dashed 1\nvariable int x 1\n");
}

TEST_F(DamagedInput, BinaryDataGivesAWarningAndAWellFormedOutline) {
    std::mt19937 random(7);
    QByteArray bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += static_cast<char>(random() % 256);
    // Some Java words among the noise, so that the reader gets past the scanner.
    for (int i = 0; i < 2000; ++i)
        bytes.insert(static_cast<qsizetype>(random() % bytes.size()), " class X { int y; void z() { ");
    write("temp.java", bytes);
    const auto result = parse();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.err.contains("binary file")) << result.err.left(500).data();
    EXPECT_EQ(malformedLine(result.out), "");
    // Problems are counted, not listed without end.
    int messages = 0;
    for (const QByteArray& line : result.err.split('\n'))
        messages += line.startsWith("parse: ") && !line.startsWith("parse: trace: ") ? 1 : 0;
    EXPECT_LE(messages, 21);
    EXPECT_TRUE(result.err.contains("more problems not shown"));
}

TEST_F(DamagedInput, OneHugeLineIsReadWhole) {
    constexpr int kFields = 50000;
    QByteArray line = "public class Wide {";
    for (int i = 0; i < kFields; ++i)
        line += " int f" + QByteArray::number(i) + " = " + QByteArray::number(i) + ";";
    line += " void last() {} }";
    write("temp.java", line);
    const auto result = parse();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    const QList<QByteArray> lines = result.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), kFields + 2);
    EXPECT_EQ(lines.front(), "class Wide 1");
    EXPECT_EQ(lines[kFields], "variable int f49999 1");
    EXPECT_EQ(lines.back(), "method void last() 1");
}

TEST_F(DamagedInput, AbsurdNestingNeitherCrashesNorLosesTheRest) {
    struct Case {
        const char* name;
        QByteArray open;
        QByteArray close;
        const char* warning;
    };
    const Case cases[] = {
        {"types", "class C {", "}", "nested too deeply"},
        {"blocks", "{", "}", nullptr},
        {"parentheses", "(", ")", nullptr},
        {"angles", "<", ">", nullptr},
        {"unclosed blocks", "{", "", "end of file"},
    };
    for (const Case& c : cases) {
        // The nesting sits in a field's initializer, between members that must survive it.
        QByteArray source = "class Host {\nint before;\nint v = ";
        source += c.open.repeated(300000) + "0" + c.close.repeated(300000);
        source += ";\nvoid after() {}\n}\n";
        write("temp.java", source);
        const auto result = parse();
        ASSERT_TRUE(result.finished) << c.name;
        EXPECT_EQ(result.exitCode, 0) << c.name;
        EXPECT_TRUE(result.out.startsWith("class Host 1\nvariable int before 2\nvariable int v 3\n"))
            << c.name;
        if (!c.close.isEmpty()) {
            EXPECT_TRUE(result.out.contains("\nmethod void after() 4\n")) << c.name;
        }
        if (c.warning) {
            EXPECT_TRUE(result.err.contains(c.warning)) << c.name << ": " << result.err.left(300).data();
        }
        EXPECT_EQ(malformedLine(result.out), "") << c.name;
    }
}

TEST_F(DamagedInput, DeeplyNestedTypesKeepTheOuterOnes) {
    QByteArray source;
    for (int i = 0; i < 100000; ++i)
        source += "class N" + QByteArray::number(i) + " { int f" + QByteArray::number(i) + ";\n";
    write("temp.java", source);
    const auto result = parse();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.startsWith("class N0 1\nvariable int f0 1\nclass N0.N1 2\nvariable int f1 2\n"));
    EXPECT_TRUE(result.err.contains("nested too deeply"));
}

TEST_F(DamagedInput, EveryCutOfARealSourceGivesAWellFormedOutline) {
    // The editor hands over whatever is typed so far: every prefix of a real class must be readable.
    QFile sample(parsetest::goldenFolder() + "/java17.java");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray text = sample.readAll();
    for (qsizetype cut = 0; cut < text.size(); cut += 11) {
        write("temp.java", text.left(cut));
        const auto result = parse();
        ASSERT_TRUE(result.finished) << "cut at " << cut;
        EXPECT_EQ(result.exitCode, 0) << "cut at " << cut;
        EXPECT_EQ(malformedLine(result.out), "") << "cut at " << cut;
    }
}

TEST_F(DamagedInput, RandomTokenSoupNeverCrashes) {
    const char* pieces[] = {
        "class ",   "interface ", "enum ", "record ", "@interface ", "@A ",         "Name ", "x ",
        "int ",     "void ",      "{ ",    "} ",      "( ",          ") ",          "< ",    "> ",
        "[ ",       "] ",         "; ",    ", ",      "= ",          ". ",          "... ",  "-> ",
        "\"s\" ",   "\"",         "'c' ",  "'",       "/* ",         "*/ ",         "// \n", "\n",
        "\"\"\"\n", "\\u0063",    "new ",  "this ",   "default ",    "non-sealed ", "? "};
    std::mt19937 random(11);
    for (int round = 0; round < 150; ++round) {
        QByteArray source;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            source += pieces[random() % std::size(pieces)];
        write("temp.java", source);
        const auto result = parse();
        ASSERT_TRUE(result.finished) << source.data();
        EXPECT_EQ(result.exitCode, 0) << source.data();
        EXPECT_EQ(malformedLine(result.out), "") << source.data();
    }
}

} // namespace
