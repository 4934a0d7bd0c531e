// The warm compiler against the javac program, both real, on the machine's JDK.
#include "build/WarmCompiler.h"
#include "RunnerTestSupport.h"
#include "build/BuildChain.h"
#include "build/BuildChainHost.h"
#include "build/CompilerCommand.h"
#include "build/ConsoleRunner.h"
#include "build/LineSplitter.h"
#include "build/PalmUserData.h"
#include "build/WarmCompilerProtocol.h"
#include "settings/LiveSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

// The JDK that javac on PATH belongs to, ending with "/"; empty without one.
QString jdkFolder() {
    const QString javac = QStandardPaths::findExecutable("javac");
    if (javac.isEmpty())
        return {};
    return QDir(QFileInfo(QFileInfo(javac).canonicalFilePath()).absolutePath() + "/..").canonicalPath() + "/";
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

struct Compiled {
    QStringList lines;
    std::optional<int> status;
};

QStringList splitOutput(const QByteArray& output) {
    LineSplitter splitter;
    QStringList lines;
    for (const QByteArray& line : splitter.feed(output))
        lines << decodeOutputLine(line);
    if (const std::optional<QByteArray> last = splitter.finish())
        lines << decodeOutputLine(*last);
    return lines;
}

class WarmCompilerTest : public ::testing::Test {
protected:
    void SetUp() override {
        jdk = jdkFolder();
        if (jdk.isEmpty() || WarmCompiler::defaultJar().isEmpty())
            GTEST_SKIP() << "no JDK or no warm-javac.jar";
        // A folder name that is not ASCII, as a user's may be.
        project = dir.filePath(QStringLiteral("Prüfung ü")) + "/";
        ASSERT_TRUE(QDir().mkpath(project));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("sw/lib")));
    }

    QString command(const QStringList& sources) const {
        BuildInputs in;
        in.paths = {dir.filePath("sw") + "/", jdk, QString(), QString()};
        in.projectDir = project;
        in.javaSources = sources;
        in.jdkMajor = 17;
        return compilerCommandLine(in, CompilerSwitches{false, true, false});
    }

    Compiled byServer(WarmCompiler& warm, const QString& line) {
        warm.prepare(jdk, project);
        EXPECT_TRUE(runnertest::waitFor([&] { return warm.readyFor(jdk, project); }, 30000));
        const WarmArguments arguments =
            warmArguments(line, jdk, QProcessEnvironment::systemEnvironment().toStringList());
        EXPECT_TRUE(arguments.ok()) << arguments.refusal.toStdString();
        std::optional<WarmCompiler::Result> result;
        EXPECT_TRUE(warm.compile(arguments.arguments, [&](const WarmCompiler::Result& r) { result = r; }));
        EXPECT_TRUE(runnertest::waitFor([&] { return result.has_value(); }, 30000));
        if (!result || !result->ran)
            return {{QStringLiteral("<no answer>")}, std::nullopt};
        return {splitOutput(result->output), result->exitCode};
    }

    QTemporaryDir dir;
    QString jdk, project;
};

TEST_F(WarmCompilerTest, SaysWhatTheJavacProgramSays) {
    struct Case {
        const char* what;
        QList<std::pair<QString, QByteArray>> files;
        QStringList sources;
        bool succeeds;
    };
    const QList<Case> cases = {
        {"clean", {{"A.java", "public class A { int f() { return 1; } }\n"}}, {"A.java"}, true},
        {"syntax error", {{"A.java", "public class A { void f( }\n"}}, {"A.java"}, false},
        {"missing class", {{"A.java", "public class A { Missing m; }\n"}}, {"A.java"}, false},
        {"warning only", {{"A.java", "public class A { Object o = new Integer(1); }\n"}}, {"A.java"}, true},
        // A folder where a source should be: javac cannot read it.
        {"unreadable file", {{"A.java", "public class A {}\n"}}, {"A.java", "Gone.java"}, false},
        {"non-ASCII name",
         {{QStringLiteral("Grüße.java"), "class Grüße { String s = \"é\"; }\n"}},
         {QStringLiteral("Grüße.java")},
         true},
        {"two sources, one error",
         {{"A.java", "public class A { B b; }\n"}, {"B.java", "public class B { int x = \"s\"; }\n"}},
         {"A.java", "B.java"},
         false},
    };
    WarmCompiler warm(WarmCompiler::defaultJar());
    ASSERT_TRUE(QDir().mkpath(project + "Gone.java"));
    for (const Case& c : cases) {
        for (const auto& [name, text] : c.files)
            writeFile(project + name, text);
        const QString line = command(c.sources);
        ConsoleRunner runner;
        runnertest::EventLog log;
        log.attach(runner, true);
        runner.setCommand(line);
        runner.setWorkingDirectory(project);
        runner.start();
        ASSERT_TRUE(runnertest::waitFor([&] { return log.done(); }, 60000)) << c.what;
        const Compiled process{log.lines(), runner.exitStatus()};
        const Compiled served = byServer(warm, line);
        EXPECT_EQ(served.lines, process.lines) << c.what;
        EXPECT_EQ(served.status, process.status) << c.what;
        EXPECT_EQ(process.status == 0, c.succeeds) << c.what << "\n"
                                                   << process.lines.join('\n').toStdString();
        for (const auto& [name, text] : c.files)
            QFile::remove(project + name);
    }
}

TEST_F(WarmCompilerTest, AnotherFolderStartsAnotherServerAndNothingOutlivesItsOwner) {
    qint64 first = 0, second = 0;
    {
        WarmCompiler warm(WarmCompiler::defaultJar());
        warm.prepare(jdk, project);
        ASSERT_TRUE(runnertest::waitFor([&] { return warm.readyFor(jdk, project); }, 30000));
        first = warm.serverPid();
        EXPECT_FALSE(warm.readyFor(jdk, dir.path()));
        warm.prepare(jdk, dir.path());
        EXPECT_TRUE(runnertest::processDead(pid_t(first)));
        ASSERT_TRUE(runnertest::waitFor([&] { return warm.readyFor(jdk, dir.path()); }, 30000));
        second = warm.serverPid();
        EXPECT_NE(second, first);
        EXPECT_EQ(::getpgid(pid_t(second)), ::getpgid(0)); // in the IDE's process group
    }
    EXPECT_TRUE(runnertest::processDead(pid_t(second)));
}

TEST(WarmArguments, TakesOnlyWhatTheServerRunsAlike) {
    const QString jdk = QStringLiteral("/opt/jdk/");
    const QStringList clean = {QStringLiteral("PATH=/bin")};
    struct Case {
        QString command;
        QStringList environment;
        QList<QByteArray> arguments; // empty: refused
    };
    const QList<Case> cases = {
        {R"("/opt/jdk/bin/javac" -source 7 -J-Djavac.pipe.output=true  -g -classpath "/sw.jar":"" A.java)",
         clean,
         {"-source", "7", "-g", "-classpath", "/sw.jar:", "A.java"}},
        {QStringLiteral("/opt/jdk/bin/oldjavac -g A.java"), clean, {}},
        {QStringLiteral("/other/bin/javac A.java"), clean, {}},
        {QStringLiteral("/opt/jdk/bin/javac -J-Xmx2g A.java"), clean, {}},
        {QStringLiteral("/opt/jdk/bin/javac A.java"), {QStringLiteral("JAVA_TOOL_OPTIONS=-Xint")}, {}},
        {QStringLiteral("/opt/jdk/bin/javac A.java"), {QStringLiteral("JAVA_TOOL_OPTIONS=")}, {"A.java"}},
        {QStringLiteral("/opt/jdk/bin/javac \"A.java"), clean, {}},
    };
    for (const Case& c : cases) {
        const WarmArguments got = warmArguments(c.command, jdk, c.environment);
        EXPECT_EQ(got.ok(), !c.arguments.isEmpty()) << c.command.toStdString();
        EXPECT_EQ(got.arguments, c.arguments) << c.command.toStdString();
    }
}

TEST(WarmProtocol, FramesSurviveAnyBytesAndGarbageIsNoticed) {
    const QList<QByteArray> arguments = {QByteArray("a\nb\0c", 5), QByteArray(), QByteArray(70000, 'x')};
    const QByteArray request = warmprotocol::requestFrame(7, arguments);
    EXPECT_EQ(request.size(), 12 + 3 * 4 + 5 + 70000);

    // An answer as the server writes it, arriving a byte at a time.
    QByteArray answer = request.left(4) + QByteArray("\0\0\0\x07\0\0\0\x01\0\0\0\x03", 12) + "ok\n";
    QByteArray buffer;
    warmprotocol::Frame frame;
    for (qsizetype i = 0; i + 1 < answer.size(); ++i) {
        buffer += answer[i];
        EXPECT_EQ(warmprotocol::takeFrame(buffer, frame), warmprotocol::Take::Incomplete) << i;
    }
    buffer += answer.back();
    ASSERT_EQ(warmprotocol::takeFrame(buffer, frame), warmprotocol::Take::Complete);
    EXPECT_EQ(frame.id, 7);
    EXPECT_EQ(frame.status, 1);
    EXPECT_EQ(frame.bytes, "ok\n");
    EXPECT_TRUE(buffer.isEmpty());

    for (const QByteArray& bad :
         {QByteArray("HELLO"), request.left(12) + QByteArray("\xff\xff\xff\xff", 4)}) {
        QByteArray b = bad;
        EXPECT_EQ(warmprotocol::takeFrame(b, frame), warmprotocol::Take::Garbage) << bad.toHex().data();
    }
}

// The chain driven by the warm compiler ends as it does with the javac program, and a server killed in
// the middle of a compile leaves the compile to the program.
class ChainHost : public BuildChainHost {
public:
    QStringList messages, output;
    BuildInputs inputs;
    void addMessage(const QString& line, bool) override { messages << line; }
    void clearMessages() override { messages.clear(); }
    void appendOutput(const QString& line) override { output << line; }
    void showOutputWindow() override {}
    void showError(const QString& text) override { messages << "error: " + text; }
    bool confirm(const QString&) override { return false; }
    void openSettings(const QString&) override {}
    BuildInputs buildInputs() const override { return inputs; }
    QString runTarget() const override { return QStringLiteral("Java"); }
    bool palmTargetChosen() const override { return false; }
    RemoteDebugging remoteDebugging() const override { return {}; }
    void applicationRunning(bool) override {}
    PalmUserData& palmUsers() override { std::abort(); }
};

TEST_F(WarmCompilerTest, ChainEndsAlikeAndFallsBackWhenTheServerIsKilled) {
    // An empty but valid jar: the end record of a zip without entries.
    writeFile(dir.filePath("sw/lib/superwaba.jar"), QByteArray("PK\x05\x06") + QByteArray(18, '\0'));
    const QString folder = QDir::currentPath();
    ChainHost host;
    host.inputs.paths = {dir.filePath("sw") + "/", jdk, QString(), QString()};
    host.inputs.projectDir = project;
    host.inputs.projectName = "A";
    host.inputs.javaSources = {"A.java"};
    LiveSettings settings;
    settings.setFlag(u"OpenOutputWindow", false);
    QObject owner;
    QList<ConsoleRunner*> runners;
    for (int number = 1; number <= RunnerCount; ++number)
        runners << new ConsoleRunner(&owner);
    BuildChain chain(host, settings, runners);
    ConsoleRunner* compileOnly = runners[runnerIndex(RunnerRole::CompileOnly)];
    const auto compiled = [&] {
        return runnertest::waitFor(
            [&] {
                return !compileOnly->isRunning() && !chain.warmCompiler().busy() && host.messages.size() > 1;
            },
            60000);
    };
    const auto served = [&] { return host.output.contains(QStringLiteral("Run by the warm compiler.")); };

    for (const QByteArray& source :
         {QByteArray("public class A {}\n"), QByteArray("public class A { X x; }\n")}) {
        writeFile(project + "A.java", source);
        settings.setFlag(u"WarmCompiler", false);
        host.output.clear();
        chain.compile();
        ASSERT_TRUE(compiled());
        const QStringList byProgram = host.messages;
        EXPECT_FALSE(served());

        settings.setFlag(u"WarmCompiler", true);
        chain.prepareWarmCompiler();
        ASSERT_TRUE(runnertest::waitFor(
            [&] { return chain.warmCompiler().readyFor(jdk, project.chopped(1)); }, 30000));
        host.output.clear();
        chain.compile();
        ASSERT_TRUE(compiled());
        EXPECT_TRUE(served()) << host.output.join('\n').toStdString();
        EXPECT_EQ(host.messages, byProgram);
        EXPECT_EQ(chain.compileError() || chain.compilerFailed(), byProgram.last() != "Successful.")
            << byProgram.join('\n').toStdString();

        // Killed while it compiles: the javac program gives the same messages.
        host.output.clear();
        chain.compile();
        ASSERT_TRUE(chain.warmCompiler().busy());
        ::kill(pid_t(chain.warmCompiler().serverPid()), SIGKILL);
        ASSERT_TRUE(compiled());
        EXPECT_FALSE(served());
        EXPECT_EQ(host.messages, byProgram) << host.output.join('\n').toStdString();
    }
    QDir::setCurrent(folder);
}

} // namespace
