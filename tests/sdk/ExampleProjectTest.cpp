#include "SdkToolchain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace sdktest;

namespace {

const QString exampleFolder = QStringLiteral(HW_SOURCE_DIR "/examples/Hello/");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool everyLineEndsWithCrLf(const QByteArray& text) {
    return !text.isEmpty() && text.endsWith("\r\n") && text.count('\n') == text.count("\r\n") &&
           text.count('\r') == text.count("\r\n");
}

} // namespace

// The project must load in the IDE as written: CR LF after every line, name, two icon lines, creator, files.
TEST(ExampleProject, HelloFilesFollowTheProjectConventions) {
    const QByteArray project = readAll(exampleFolder + QStringLiteral("Hello.hwp"));
    ASSERT_TRUE(everyLineEndsWithCrLf(project));
    QList<QByteArray> lines = project.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "Hello");
    EXPECT_EQ(lines[3].size(), 4) << "creator ID";
    EXPECT_EQ(lines.mid(4), (QList<QByteArray>{"Hello.java", "Util.java", "icon.bmp"}));
    for (const QByteArray& file : lines.mid(4))
        EXPECT_TRUE(QFile::exists(exampleFolder + QString::fromLatin1(file))) << file.constData();
    for (const char* source : {"Hello.java", "Util.java"})
        EXPECT_TRUE(everyLineEndsWithCrLf(readAll(exampleFolder + QLatin1String(source)))) << source;

    const QByteArray icon = readAll(exampleFolder + QStringLiteral("icon.bmp"));
    ASSERT_GE(icon.size(), 54);
    EXPECT_TRUE(icon.startsWith("BM"));
    EXPECT_EQ(qFromLittleEndian<quint32>(icon.constData() + 2), quint32(icon.size()));
    const qint32 width = qFromLittleEndian<qint32>(icon.constData() + 18);
    const qint32 height = qFromLittleEndian<qint32>(icon.constData() + 22);
    EXPECT_TRUE((width == 16 && height == 16) || (width == 22 && height == 22)) << width << "x" << height;
}

class ExampleCompile : public testing::TestWithParam<int> {};

// The IDE compiles at an old level: the library's class files must be readable there.
TEST_P(ExampleCompile, CompilesAgainstTheClassLibrary) {
    const int level = GetParam();
    const QString jdk = jdkHome();
    ASSERT_FALSE(jdk.isEmpty()) << "no JDK found";
    if (level < 8 && jdkMajorVersion(jdk) >= 20)
        GTEST_SKIP() << "JDK " << jdkMajorVersion(jdk) << " cannot compile for level " << level;

    QTemporaryDir project;
    const ToolResult javac = compileExample(QStringLiteral("Hello"), project.path(), level);
    ASSERT_TRUE(javac.finished);
    EXPECT_EQ(javac.exitCode, 0) << javac.lines.join(QLatin1Char('\n')).toStdString();
    for (const QString& line : javac.lines)
        EXPECT_FALSE(line.contains(QStringLiteral(".java:"))) << line.toStdString();
    for (const char* name : {"Hello.class", "Util.class"}) {
        const QByteArray classFile = readAll(project.filePath(QLatin1String(name)));
        ASSERT_GE(classFile.size(), 8) << name;
        EXPECT_EQ(qFromBigEndian<quint16>(classFile.constData() + 6), 44 + level) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ExampleCompile, testing::Values(7, 8));
