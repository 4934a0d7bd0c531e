#include "build/CompilerCommand.h"
#include "BuildTestValues.h"
#include "QtPrinters.h"
#include "build/CompilerOutput.h"
#include "build/JdkLevel.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString windowsLine(CompilerSwitches switches, const QStringList& sources, std::optional<int> jdkMajor = {},
                    const QStringList& utf16Sources = {}) {
    BuildInputs in = windowsInputs();
    in.javaSources = sources;
    in.jdkMajor = jdkMajor;
    in.utf16Sources = utf16Sources;
    return compilerCommandLine(in, switches);
}

TEST(CompilerCommand, WindowsForms) {
    EXPECT_EQ(windowsLine({false, true, false}, {"A.java", "B.java"}),
              R"(C:\JDK\bin\javac -source 1.3 -target 1.1 -J-Djavac.pipe.output=true  -g -classpath )"
              R"("C:\SW\lib\superwaba.jar";"C:\extra";"C:\JDK\jre\lib\rt.jar"  A.java B.java)");
    const QString tail = R"( -classpath "C:\SW\lib\superwaba.jar";"C:\extra";"C:\JDK\jre\lib\rt.jar" )";
    EXPECT_EQ(windowsLine({}, {}),
              R"(C:\JDK\bin\javac -source 1.3 -target 1.1 -J-Djavac.pipe.output=true )" + tail);
    EXPECT_EQ(windowsLine({true, true, true}, {"A.java"}, 8),
              R"(C:\JDK\bin\oldjavac -source 1.3 -target 1.1 -J-Djavac.pipe.output=true  -g -O)" + tail +
                  " A.java");
    EXPECT_EQ(windowsLine({false, false, true}, {"A.java"}, 17),
              R"(C:\JDK\bin\javac -source 7 -target 7 -J-Djavac.pipe.output=true  -O)" + tail + " A.java");
    EXPECT_EQ(windowsLine({false, false, true}, {"A.java"}, 17, {"A.java"}),
              R"(C:\JDK\bin\javac -source 7 -target 7 -J-Djavac.pipe.output=true  -O -encoding UTF-16)" +
                  tail + " A.java");

    BuildInputs in = windowsInputs();
    in.paths.classpath.clear();
    in.paths.jdkPath = QStringLiteral("C:\\Program Files\\JDK\\");
    EXPECT_EQ(
        compilerCommandLine(in, {}),
        R"("C:\Program Files\JDK\bin\javac" -source 1.3 -target 1.1 -J-Djavac.pipe.output=true  -classpath )"
        R"("C:\SW\lib\superwaba.jar";"";"C:\Program Files\JDK\jre\lib\rt.jar" )");
}

TEST(CompilerCommand, LinuxFormSplitsIntoTheCompilersArguments) {
    BuildInputs in = linuxInputs();
    in.javaSources = {"A.java", "B.java"};
    in.jdkMajor = 17;
    EXPECT_EQ(compilerCommandLine(in, {false, true, false}),
              R"(/opt/jdk/bin/javac -source 7 -target 7 -J-Djavac.pipe.output=true  -g -classpath )"
              R"("/opt/sw/lib/superwaba.jar":"/extra":"/opt/jdk/jre/lib/rt.jar"  A.java B.java)");

    in = linuxInputs(QStringLiteral("/opt/my jdk/"));
    in.paths.classpath = QStringLiteral("/lib/a \"b\".jar");
    in.javaSources = {"A.java"};
    EXPECT_EQ(
        argv(compilerCommandLine(in, {})),
        (QStringList{"/opt/my jdk/bin/javac", "-source", "1.3", "-target", "1.1",
                     "-J-Djavac.pipe.output=true", "-classpath",
                     "/opt/sw/lib/superwaba.jar:/lib/a \"b\".jar:/opt/my jdk/jre/lib/rt.jar", "A.java"}));
}

// A source named like an option reaches javac as a file: "-J..." would run the JVM with the project's
// agent, "@..." would be read as a file of arguments.
TEST(CompilerCommand, SourcesNamedLikeOptionsArePassedAsFiles) {
    BuildInputs in = linuxInputs();
    in.javaSources = {"-J-javaagent:agent.java", "@args.java", "A-b.java", "my file.java"};
    EXPECT_EQ(argv(compilerCommandLine(in, {})).mid(8),
              (QStringList{"./-J-javaagent:agent.java", "./@args.java", "A-b.java", "my file.java"}));
    in = windowsInputs();
    in.javaSources = {"-J-x.java"};
    EXPECT_TRUE(compilerCommandLine(in, {}).endsWith(R"(  .\-J-x.java)"))
        << compilerCommandLine(in, {}).toStdString();
}

TEST(JdkLevel, MajorVersionFromTheReleaseFileAndItsLevel) {
    const std::pair<const char*, std::optional<int>> releases[] = {
        {"IMPLEMENTOR=\"Debian\"\nJAVA_RUNTIME_VERSION=\"17.0.15+6\"\nJAVA_VERSION=\"17.0.15\"\n", 17},
        {"JAVA_VERSION=\"1.8.0_402\"\r\nOS_NAME=\"Linux\"\r\n", 8},
        {"JAVA_VERSION=21-ea", 21},
        {"JAVA_RUNTIME_VERSION=\"17.0.15\"\n", {}},
        {"JAVA_VERSION=\"1.x\"", {}},
    };
    for (const auto& [text, major] : releases)
        EXPECT_EQ(parseJdkRelease(text), major) << text;

    const std::pair<std::optional<int>, const char*> levels[] = {
        {{}, "1.3 -target 1.1"}, {8, "1.3 -target 1.1"}, {9, "6 -target 6"},  {11, "6 -target 6"},
        {12, "7 -target 7"},     {19, "7 -target 7"},    {20, "8 -target 8"}, {25, "8 -target 8"},
    };
    for (const auto& [major, level] : levels)
        EXPECT_EQ(javacLevelOptions(major), "-source " + QString::fromLatin1(level)) << major.value_or(-1);

    const std::pair<const char*, std::optional<int>> javacSays[] = {
        {"javac 17.0.15\n", 17},
        {"Picked up JAVA_TOOL_OPTIONS: -Dx=1\njavac 1.8.0_402\n", 8},
        {"javac 21-ea\r\n", 21},
        {"javac: invalid flag: -version\nUsage: javac <options> <source files>\n", {}},
        {"", {}},
    };
    for (const auto& [text, major] : javacSays)
        EXPECT_EQ(parseJavacVersion(text), major) << text;

    QTemporaryDir jdk;
    // No release file (a system folder such as /usr/): the compiler says which version it is.
    QDir().mkpath(jdk.filePath("bin"));
    QFile javac(jdk.filePath("bin/javac"));
    ASSERT_TRUE(javac.open(QIODevice::WriteOnly));
    javac.write("#!/bin/sh\n[ \"$1\" = -version ] && echo 'javac 1.8.0_402' >&2\n");
    javac.close();
    javac.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(jdkMajorVersion(jdk.path()), 8);
    QFile release(jdk.filePath("release"));
    ASSERT_TRUE(release.open(QIODevice::WriteOnly));
    release.write("JAVA_VERSION=\"11.0.2\"\n");
    release.close();
    EXPECT_EQ(jdkMajorVersion(jdk.path()), 11);
    EXPECT_EQ(jdkMajorVersion(jdk.filePath("missing")), std::nullopt);
}

// The JDK of this machine takes the options the level rule picks for it, and its error line leads to the
// source line.
TEST(CompilerCommand, InstalledJdkCompilesAndReportsErrorLines) {
    const QString jdk = QStringLiteral("/usr/lib/jvm/java-17-openjdk-amd64/");
    if (!QFile::exists(jdk + "bin/javac"))
        GTEST_SKIP() << "no JDK at " << jdk.toStdString();
    QTemporaryDir project;
    for (const auto& [name, text] : {std::pair{"Good.java", "class Good {}\n"},
                                     std::pair{"Bad.java", "class Bad {\n\n  int x = \"s\";\n}\n"}}) {
        QFile file(project.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    BuildInputs in = linuxInputs(jdk);
    in.jdkMajor = jdkMajorVersion(jdk);
    const auto compile = [&](const QStringList& sources) {
        in.javaSources = sources;
        const QStringList words = argv(compilerCommandLine(in, {false, true, false}));
        QProcess javac;
        javac.setWorkingDirectory(project.path());
        javac.setProcessChannelMode(QProcess::MergedChannels);
        javac.start(words.first(), words.mid(1));
        EXPECT_TRUE(javac.waitForFinished(120000));
        return QString::fromLocal8Bit(javac.readAll()).split(u'\n');
    };

    const QStringList good = compile({"Good.java"});
    EXPECT_TRUE(QFile::exists(project.filePath("Good.class"))) << good.join(u'\n').toStdString();
    // Sources named like javac's options compile as the files they are.
    for (const auto& [name, text] :
         {std::pair{"-J-Dodd=1.java", "class Odd {}\n"}, std::pair{"@list.java", "class Listed {}\n"}}) {
        QFile file(project.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const QStringList odd = compile({"-J-Dodd=1.java", "@list.java"});
    EXPECT_TRUE(QFile::exists(project.filePath("Odd.class"))) << odd.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(project.filePath("Listed.class"))) << odd.join(u'\n').toStdString();
    // UTF-16 sources in either byte order, with text outside ASCII, compile with the encoding option.
    for (const auto& [name, bytes] :
         {std::pair{"Le.java", QByteArray("\xFF\xFE")}, std::pair{"Be.java", QByteArray("\xFE\xFF")}}) {
        const QString text =
            QString("class %1 { String s = \"Gr\u00FC\u00DFe \u20AC\"; }\r\n").arg(name).remove(".java");
        QByteArray file = bytes;
        for (const QChar c : text) {
            const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
            file.append(bytes.startsWith('\xFF') ? low : high).append(bytes.startsWith('\xFF') ? high : low);
        }
        QFile source(project.filePath(name));
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        source.write(file);
    }
    in.utf16Sources = utf16SourcesIn(project.path() + "/", {"Le.java", "Be.java", "Good.java"});
    EXPECT_EQ(in.utf16Sources, QStringList({"Le.java", "Be.java"}));
    const QStringList utf16 = compile({"Le.java", "Be.java"});
    EXPECT_TRUE(QFile::exists(project.filePath("Le.class"))) << utf16.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(project.filePath("Be.class"))) << utf16.join(u'\n').toStdString();
    in.utf16Sources.clear();

    const QStringList lines = compile({"Good.java", "Bad.java"});
    QStringList errors;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(errors), isErrorLine);
    ASSERT_EQ(errors.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_EQ(parseErrorLine(errors.first()), (ErrorLocation{"Bad.java", 3}));
}

} // namespace
