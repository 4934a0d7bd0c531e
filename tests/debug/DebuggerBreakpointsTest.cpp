#include "debug/DebuggerBreakpoints.h"
#include "build/QtPrinters.h"
#include "workspace/Breakpoints.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DebuggerBreakpoints, PackageIsReadPastCommentsAndOnlyWhenItIsOne) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"package a.b;", "class Foo {}"}, "a.b"},
        {{"// Copyright", "/* more", " lines */", "package  a . b ;"}, "a.b"},
        {{"/** doc */package x;"}, "x"},
        {{"package", "  a.", "  b;"}, "a.b"},
        {{"package p; // the package"}, "p"},
        {{"// package x;", "package y;"}, "y"},
        {{"class Foo {}"}, ""},
        {{"/* package x; */ class Foo {}"}, ""},
        {{"packages x;"}, ""},
        {{"package 1a;"}, ""},
        {{"package a..b;"}, ""},
        {{"package a.b"}, ""},
        {{"/* never closed", "package x;"}, ""},
        {{"import a.b;", "package x;"}, ""},
        {{"package a;b;"}, "a"},
        {{"package ünï.çà;"}, "ünï.çà"},
        {{}, ""},
    };
    for (const auto& [lines, package] : cases)
        EXPECT_EQ(javaPackage(lines), QString::fromUtf8(package)) << lines.join("|").toStdString();
}

// Only a Java name reaches jdb: a file name that is none (a line break, a blank, an option) gives nothing.
TEST(DebuggerBreakpoints, ClassNameIsThePackageAndTheFileNameOrNothing) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Foo.java", "", "Foo"},
        {"sub/dir/Foo.java", "a.b", "a.b.Foo"},
        {"Foo_$1.java", "p", "p.Foo_$1"},
        {"Ünï.java", "", "Ünï"},
        {"-Foo.java", "", ""},
        {"Fo o.java", "", ""},
        {"Foo\nrun.java", "", ""},
        {"1Foo.java", "", ""},
        {"Foo.txt", "", ""},
        {".java", "", ""},
        {"Foo.java", "a b", ""},
        {"Foo.java", "a.;b", ""},
    };
    for (const auto& [file, package, name] : cases)
        EXPECT_EQ(javaClassName(QString::fromUtf8(file), QString::fromUtf8(package)), QString::fromUtf8(name))
            << file;
}

TEST(DebuggerBreakpoints, StopCommandsForEachKnownSourceSortedByClassAndLine) {
    BreakpointSet set;
    set.setLines("b/Beta.java", {30, 4});
    set.setLines("Alpha.java", {12});
    set.setLines("Gone.java", {1});     // no longer a source of the project
    set.setLines("Bad name.java", {2}); // no class of that name can exist
    const SourceLinesLookup lookup = [](const QString& file) -> std::optional<QStringList> {
        if (file == "b/Beta.java")
            return QStringList{"package z.b;", "class Beta {}"};
        if (file == "Alpha.java" || file == "Bad name.java")
            return QStringList{"class Alpha {}"};
        return std::nullopt;
    };
    EXPECT_EQ(stopCommands(set, lookup),
              (QStringList{"stop at Alpha:12", "stop at z.b.Beta:4", "stop at z.b.Beta:30"}));
    EXPECT_TRUE(stopCommands(BreakpointSet(), lookup).isEmpty());
}

// The real jdb of the JDK reads our jdb.ini (in a folder of ours) through the option we give it, then the
// user's own; after "run" it stops at each breakpoint of a source in a package, and leaves the user's
// files alone.
TEST(DebuggerBreakpoints, RealJdbStopsAtTheBreakpointsAfterRun) {
    const QString jdb = QStandardPaths::findExecutable("jdb");
    const QString javac = QStandardPaths::findExecutable("javac");
    if (jdb.isEmpty() || javac.isEmpty())
        GTEST_SKIP() << "no JDK";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath("project");
    QDir().mkpath(project + "/src");
    const QStringList source = {
        "package demo;",                                // 1
        "public class Hello {",                         // 2
        "    static int twice(int x) {",                // 3
        "        return 2 * x;",                        // 4
        "    }",                                        // 5
        "    public static void main(String[] args) {", // 6
        "        int sum = 0;",                         // 7
        "        for (int i = 0; i < 3; ++i)",          // 8
        "            sum += twice(i);",                 // 9
        "        System.out.println(\"sum \" + sum);",  // 10
        "    }",                                        // 11
        "}",                                            // 12
    };
    {
        QFile file(project + "/src/Hello.java");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(source.join('\n').toUtf8() + '\n');
    }
    QProcess compile;
    compile.setWorkingDirectory(project);
    compile.start(javac, {"-g", "-d", "classes", "src/Hello.java"});
    ASSERT_TRUE(compile.waitForFinished(60000));
    ASSERT_EQ(compile.exitCode(), 0) << compile.readAllStandardError().toStdString();

    BreakpointSet set;
    set.setLines("src/Hello.java", {10, 4});
    const QStringList commands = stopCommands(set, [&](const QString& file) -> std::optional<QStringList> {
        return file == "src/Hello.java" ? std::optional(source) : std::nullopt;
    });
    ASSERT_EQ(commands, (QStringList{"stop at demo.Hello:4", "stop at demo.Hello:10"}));
    // The user's own start file, in the home folder, adds a breakpoint of its own; one in the project
    // folder (jdb's working folder) is read by jdb as ever.
    const QString home = dir.filePath("home");
    QDir().mkpath(home);
    for (const auto& [path, text] : {std::pair{home + "/jdb.ini", QByteArray("stop at demo.Hello:7\n")},
                                     std::pair{project + "/jdb.ini", QByteArray("stop at demo.Hello:8\n")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const JdbStartup startup = writeJdbStartup(commands, dir.filePath("runtime/jdb-1"), home);
    ASSERT_EQ(startup.error, "");
    // The folder is this user's alone.
    EXPECT_EQ(QFile::permissions(dir.filePath("runtime/jdb-1")) &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());

    QProcess debugger;
    debugger.setProcessChannelMode(QProcess::MergedChannels);
    debugger.setWorkingDirectory(project);
    debugger.start(jdb, startup.options + QStringList{"-classpath", "classes", "demo.Hello"});
    ASSERT_TRUE(debugger.waitForStarted(30000));
    QByteArray output;
    // Waits for the next "Breakpoint hit" and answers with `answer`; the line it stopped at.
    const auto nextStop = [&](const QByteArray& answer) -> QString {
        const qsizetype from = output.size();
        while (true) {
            const qsizetype hit = output.indexOf("Breakpoint hit", from);
            if (hit >= 0) {
                const qsizetype line = output.indexOf("line=", hit);
                const qsizetype end = line < 0 ? -1 : output.indexOf(' ', line);
                if (end > 0) {
                    debugger.write(answer);
                    return QString::fromUtf8(output.mid(line + 5, end - line - 5));
                }
            }
            if (!debugger.waitForReadyRead(30000))
                return QStringLiteral("<no stop>");
            output += debugger.readAll();
        }
    };
    // Before "run" nothing runs: the breakpoints are deferred until the class is loaded.
    while (!output.contains("Deferring breakpoint demo.Hello:10") && debugger.waitForReadyRead(30000))
        output += debugger.readAll();
    ASSERT_TRUE(output.contains("Deferring breakpoint demo.Hello:4")) << output.toStdString();
    debugger.write("run\n");
    QStringList stops;
    for (int i = 0; i < 6; ++i)
        stops << nextStop("cont\n");
    while (!output.contains("The application exited") && debugger.waitForReadyRead(30000))
        output += debugger.readAll();
    debugger.write("quit\n");
    debugger.waitForFinished(30000);
    output += debugger.readAll();
    // main's lines first (7, the user's; 8, the project folder's), then twice's line 4 on each pass, then
    // line 10.
    EXPECT_EQ(stops, (QStringList{"7", "8", "4", "4", "4", "10"})) << output.toStdString();
    EXPECT_TRUE(output.contains("sum 6")) << output.toStdString();
    QFile own(home + "/jdb.ini");
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), "stop at demo.Hello:7\n");
}

} // namespace
