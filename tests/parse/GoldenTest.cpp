// Every sample under golden/ against its expected outline, byte for byte: <name>.out is standard output,
// <name>.err standard error (absent: nothing on standard error).
#include "ParseProcess.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using parsetest::goldenFolder;
using parsetest::run;

std::vector<std::string> goldenNames() {
    std::vector<std::string> names;
    const QStringList files =
        QDir(goldenFolder()).entryList({QStringLiteral("*.java")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        names.push_back(file.chopped(5).toStdString());
    return names;
}

QByteArray readGolden(const QString& name) {
    QFile file(goldenFolder() + "/" + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

class Golden : public testing::TestWithParam<std::string> {
protected:
    QString name() const { return QString::fromStdString(GetParam()); }
};

TEST_P(Golden, OutlineAndMessagesMatchExactly) {
    ASSERT_TRUE(QFile::exists(goldenFolder() + "/" + name() + ".out")) << "no expected outline";
    // Relative name and working folder, as the browser runs it.
    const auto result = run({"-in", name() + ".java"}, goldenFolder());
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.toStdString(), readGolden(name() + ".out").toStdString());
    EXPECT_EQ(result.err.toStdString(), readGolden(name() + ".err").toStdString());
    EXPECT_EQ(parsetest::malformedLine(result.out), "");
}

TEST_P(Golden, TraceInTheSamePipeLeavesTheOutlineIntact) {
    // The browser's runner reads standard output and standard error through one pipe and always asks for
    // -trace: no trace or message line may look like an outline line or split one.
    const auto result = run({"-in", name() + ".java", "-trace"}, goldenFolder(), true);
    ASSERT_TRUE(result.finished);
    QByteArray outline;
    int traced = 0;
    for (const QByteArray& line : result.out.split('\n')) {
        if (line.startsWith("class ") || line.startsWith("method ") || line.startsWith("variable ")) {
            outline += line + '\n';
        } else if (!line.isEmpty()) {
            EXPECT_TRUE(line.startsWith("parse: ")) << line.toStdString();
            traced += line.startsWith("parse: trace: ") ? 1 : 0;
        }
    }
    EXPECT_EQ(outline.toStdString(), readGolden(name() + ".out").toStdString());
    EXPECT_GE(traced, 1);
}

INSTANTIATE_TEST_SUITE_P(Samples, Golden, testing::ValuesIn(goldenNames()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(GoldenSet, CoversTheDamagedSourcesAndLineEnds) {
    // Each sample pins down what the reader must do; losing one silently would lose its cases.
    const std::vector<std::string> names = goldenNames();
    for (const char* expected :
         {"annotations", "basics", "cr", "crlf", "damaged_braces", "damaged_comment", "damaged_string",
          "empty", "enums", "generics", "halftyped", "java17", "nested", "oldstyle", "records", "unicode"})
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    EXPECT_TRUE(readGolden("crlf.java").contains("\r\n")) << "line ends were converted on checkout";
    EXPECT_FALSE(readGolden("cr.java").contains('\n'));
}

} // namespace
