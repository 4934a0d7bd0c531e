#include "RunnerTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace runnertest;

namespace {

const QString NormalEnd = QStringLiteral("status Normal Thread Termination");

TEST(ConsoleRunner, RaisesTheEventsOfARunInOrder) {
    const QString command = helperCommand({"out", "a\\r\\n", "err", "b\\n", "out", "c", "exit", "3"});
    // c has no line break: it arrives all the same once the child has ended.
    EXPECT_EQ(runCommand(command).events, (QStringList{"start " + command, "line a", "line b", "line c",
                                                       "preterminate", NormalEnd, "done"}));
}

TEST(ConsoleRunner, SplitsLinesWhereverTheReadsFall) {
    // The pauses make separate reads likely.
    const QString command = helperCommand({"out", "x\\r", "sleep", "60", "out", "\\n\\np1\\nq", "sleep", "60",
                                           "out", "2\\ncaf\\xe9\\n", "out", "caf\\xc3\\xa9"});
    EXPECT_EQ(runCommand(command, {}, true).lines(),
              (QStringList{"x", "p1", "q2", QString::fromLatin1("caf\xe9"), QString::fromUtf8("café")}));
}

TEST(ConsoleRunner, StartWhileRunningOnlyReportsAndLeavesTheRunAlone) {
    ConsoleRunner runner;
    EventLog log;
    log.attach(runner);
    runner.setCommand(helperCommand({"out", "one\\n", "sleep", "300", "out", "two\\n"}));
    runner.start();
    ASSERT_TRUE(waitFor([&] { return log.lines().size() == 1; }));
    const qsizetype before = log.events.size();
    runner.start();
    EXPECT_EQ(log.events.mid(before), QStringList{"error Process Already Running"});
    ASSERT_TRUE(waitFor([&] { return log.done(); }));
    EXPECT_EQ(log.events.mid(before),
              (QStringList{"error Process Already Running", "line two", "preterminate", NormalEnd, "done"}));
}

TEST(ConsoleRunner, IsBusyUntilItsDoneHandlerHasReturned) {
    ConsoleRunner runner;
    QStringList errors;
    int dones = 0;
    runner.setErrorHandler([&](ConsoleRunner*, const QString& error) { errors << error; });
    runner.setFinishedHandler([&](ConsoleRunner* sender) {
        if (++dones == 1)
            sender->start();
    });
    runner.setCommand(helperCommand({"out", "x\\n"}));
    runner.start();
    ASSERT_TRUE(waitFor([&] { return dones == 1; }));
    EXPECT_EQ(errors, QStringList{"Process Already Running"});
    runner.start();
    ASSERT_TRUE(waitFor([&] { return dones == 2; }));
    EXPECT_EQ(errors.size(), 1);
}

struct UnstartableCase {
    QString command; // %DIR% holds "plain.txt" (0600) and "script" (0700, no #!)
    QString homeDirectory;
    QString error;
    friend void PrintTo(const UnstartableCase& c, std::ostream* out) { *out << c.command.toStdString(); }
};

class ConsoleRunnerUnstartable : public testing::TestWithParam<UnstartableCase> {};

TEST_P(ConsoleRunnerUnstartable, ReportsTheErrorBetweenStartAndDone) {
    QTemporaryDir folder;
    for (const auto& [name, mode] : {std::pair{"plain.txt", QFile::ReadOwner | QFile::WriteOwner},
                                     {"script", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner}}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("echo ran\n");
        file.setPermissions(mode);
    }
    const QString command = QString(GetParam().command).replace("%DIR%", folder.path());
    const EventLog log = runCommand(command, [&](ConsoleRunner& runner, EventLog&) {
        runner.setWorkingDirectory(GetParam().homeDirectory);
    });
    EXPECT_EQ(log.events, (QStringList{"start " + command, "error " + GetParam().error, "done"}));
}

const QString NotFound = QStringLiteral("Error Creating Process  Error Code :2");

INSTANTIATE_TEST_SUITE_P(
    Commands, ConsoleRunnerUnstartable,
    testing::Values(UnstartableCase{"hw-no-such-program arg", {}, NotFound},
                    UnstartableCase{"/nonexistent/tool", {}, NotFound}, UnstartableCase{"", {}, NotFound},
                    UnstartableCase{"true", "/nonexistent/folder", NotFound},
                    UnstartableCase{"%DIR%/plain.txt", {}, "Error Creating Process  Error Code :13"},
                    // A shell would run it; it never reaches one.
                    UnstartableCase{"%DIR%/script", {}, "Error Creating Process  Error Code :8"},
                    UnstartableCase{
                        "javac \"My File.java",
                        {},
                        "Error Creating Process  Error Code :22 (unterminated \" in the command line)"}));

TEST(ConsoleRunner, SilentChildWithoutTimeOutHandlerRunsToItsEnd) {
    const EventLog log = runCommand(
        helperCommand({"sleep", "300", "out", "late\\n"}),
        [](ConsoleRunner& r, EventLog&) { r.setIdleTimeout(50); }, true);
    EXPECT_EQ(log.lines(), QStringList{"late"});
}

// How a run ends when its child stays silent; the child is gone afterwards.
struct SilenceCase {
    const char* name;
    bool autoTerminate;
    QString prompt;
    QStringList events;              // after "start" and the lines "pid ..." and "ok"
    bool stopAtFirstTimeOut = false; // stop() from the handler instead of killing
    friend void PrintTo(const SilenceCase& c, std::ostream* out) { *out << c.name; }
};

class ConsoleRunnerSilence : public testing::TestWithParam<SilenceCase> {};

TEST_P(ConsoleRunnerSilence, EndsTheRunAsConfigured) {
    int timeouts = 0;
    const EventLog log =
        runCommand(helperCommand({"pid", "out", "ok\\nName> ", "sleep", "30000"}), [&](ConsoleRunner& runner,
                                                                                       EventLog& log) {
            runner.setIdleTimeoutHandler([&](ConsoleRunner*) {
                log.events << "timeout";
                if (GetParam().stopAtFirstTimeOut && timeouts == 0)
                    runner.stop();
                return ++timeouts == 2; // the first does not end the run, and the idle time starts again
            });
            runner.setAutoTerminate(GetParam().autoTerminate);
            runner.setPrompt(GetParam().prompt);
            runner.setIdleTimeout(200); // far beyond the helper's start
        });
    ASSERT_GE(log.events.size(), 3);
    EXPECT_EQ(log.events.mid(3), GetParam().events);
    EXPECT_TRUE(processDead(log.pid()));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ConsoleRunnerSilence,
    testing::Values(SilenceCase{"auto terminate", true, {}, {"preterminate", NormalEnd, "done"}},
                    SilenceCase{"ended by the idle timeout handler",
                                false,
                                {},
                                {"timeout", "timeout", "preterminate", NormalEnd, "done"}},
                    SilenceCase{"stop", false, {}, {"timeout", "preterminate", NormalEnd, "done"}, true},
                    // The waiting line is no complete line: a run ended early does not deliver it.
                    SilenceCase{"prompt",
                                false,
                                "> ",
                                {"prompt Name> ", "timeout", "timeout", "preterminate", NormalEnd, "done"}},
                    SilenceCase{"prompt, auto terminate",
                                true,
                                "> ",
                                {"prompt Name> ", "preterminate", NormalEnd, "done"}}));

TEST(ConsoleRunner, LogFileHoldsEveryDeliveredLineWithCrLf) {
    QTemporaryDir folder;
    const QString path = folder.filePath("run.log");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("left from before\r\n");
    file.close();
    const auto setLog = [&](ConsoleRunner& runner, EventLog&) { runner.setLogFileName(path); };
    runCommand(helperCommand({"out", "a\\r\\nb\\n\\nc"}), setLog, true);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "a\r\nb\r\nc\r\n");
    file.close();
    // Without a line handler nothing is delivered, so nothing is logged; the file is still made anew.
    runCommand(helperCommand({"out", "a\\n"}), [&](ConsoleRunner& runner, EventLog& log) {
        setLog(runner, log);
        runner.setLineHandler(nullptr);
    });
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST(ConsoleRunner, LogFileThatCannotBeCreatedIsReportedAndTheRunGoesOn) {
    QTemporaryDir folder;
    const QString path = folder.filePath("missing/run.log");
    const QString command = helperCommand({"out", "x\\n"});
    const EventLog log =
        runCommand(command, [&](ConsoleRunner& runner, EventLog&) { runner.setLogFileName(path); });
    ASSERT_EQ(log.events.size(), 6) << qPrintable(log.events.join(" | "));
    EXPECT_TRUE(log.events[0].startsWith("error Cannot create file \"" + path + "\"."))
        << qPrintable(log.events[0]);
    EXPECT_EQ(log.events.mid(1),
              (QStringList{"start " + command, "line x", "preterminate", NormalEnd, "done"}));
}

TEST(ConsoleRunner, EnvironmentBlockAndWorkingDirectoryAreTheChilds) {
    QTemporaryDir folder;
    const EventLog log = runCommand(
        helperCommand({"env", "HW_A", "env", "HW_B", "env", "PATH", "cwd"}),
        [&](ConsoleRunner& runner, EventLog&) {
            runner.setEnvironment(QStringLiteral("HW_A=1") + QChar(0) + "HW_B=two words" + QChar(0) +
                                  QChar(0));
            runner.setWorkingDirectory(folder.path());
        },
        true);
    EXPECT_EQ(log.lines(), (QStringList{"HW_A=1", "HW_B=two words", "PATH unset",
                                        "cwd " + QDir(folder.path()).canonicalPath()}));
}

TEST(ConsoleRunner, InheritedEnvironmentAndFolderAreTakenAtStart) {
    QTemporaryDir folder;
    const QString original = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    qputenv("HW_RUNNER_SNAPSHOT", "at start");
    ConsoleRunner runner;
    EventLog log;
    log.attach(runner, true);
    runner.setCommand(helperCommand({"sleep", "50", "env", "HW_RUNNER_SNAPSHOT", "cwd"}));
    runner.start();
    // Changed at once, as a build step restores CLASSPATH right after starting a tool.
    qputenv("HW_RUNNER_SNAPSHOT", "changed");
    QDir::setCurrent(original);
    ASSERT_TRUE(waitFor([&] { return log.done(); }));
    qunsetenv("HW_RUNNER_SNAPSHOT");
    EXPECT_EQ(log.lines(),
              (QStringList{"HW_RUNNER_SNAPSHOT=at start", "cwd " + QDir(folder.path()).canonicalPath()}));
}

TEST(ConsoleRunner, ApplicationIsTheProgramAndCommandItsArguments) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir("with blank"));
    const QString program = folder.filePath("with blank/helper");
    ASSERT_TRUE(QFile::copy(testProgram("hw_runner_helper"), program));
    const QString arguments = "args 'a b' \"x\":y $HOME";
    const EventLog log =
        runCommand(arguments, [&](ConsoleRunner& runner, EventLog&) { runner.setProgram(program); });
    EXPECT_EQ(log.events, (QStringList{"start " + program + u' ' + arguments, "line [a b]", "line [x:y]",
                                       "line [$HOME]", "preterminate", NormalEnd, "done"}));
}

TEST(ConsoleRunner, ChildHasOnlyItsStandardStreamsAndLeadsItsOwnGroup) {
    const EventLog log = runCommand(helperCommand({"fds", "stdin", "100", "pid"}), {}, true);
    // stdin is a pipe that stays open and is never written
    EXPECT_EQ(log.lines(),
              (QStringList{"fds 0 1 2", "stdin quiet", QStringLiteral("pid %1 pgid %1").arg(log.pid())}));
}

TEST(ConsoleRunner, RunEndsWithTheChildAndKillsWhatItLeftBehind) {
    // The grandchild would keep the output pipe open far longer than the wait.
    const EventLog log = runCommand(helperCommand({"grandchild", "60000", "out", "bye\\n"}), {}, true);
    EXPECT_EQ(log.lines().last(), "bye");
    ASSERT_GT(log.pid("grandchild"), 0);
    EXPECT_TRUE(waitFor([&] { return processDead(log.pid("grandchild")); }));
}

// Output that fills a read exactly must not wait for the child's next write: here that comes a minute
// later, long after the test has given up.
struct FullReadCase {
    ReadBufferSize buffer;
    int written; // one write: a line of written - 1 letters and its LF
    friend void PrintTo(const FullReadCase& c, std::ostream* out) {
        *out << c.written << " in " << static_cast<int>(c.buffer);
    }
};

class ConsoleRunnerFullRead : public testing::TestWithParam<FullReadCase> {};

TEST_P(ConsoleRunnerFullRead, DeliversTheLineBeforeTheChildWritesAgain) {
    ConsoleRunner runner;
    EventLog log;
    log.attach(runner, true);
    runner.setReadBufferSize(GetParam().buffer);
    runner.setCommand(helperCommand({"block", QString::number(GetParam().written), "sleep", "60000"}));
    runner.start();
    EXPECT_TRUE(waitFor([&] { return !log.lines().isEmpty(); }, 10000));
    EXPECT_EQ(log.lines(), QStringList{QString(GetParam().written - 1, u'b')});
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConsoleRunnerFullRead,
                         testing::Values(FullReadCase{ReadBufferSize::Kilobytes1, 1024},
                                         FullReadCase{ReadBufferSize::Kilobytes1, 2048},
                                         FullReadCase{ReadBufferSize::Kilobytes4, 4096},
                                         FullReadCase{ReadBufferSize::Bytes256, 256}));

TEST(ConsoleRunner, ChattyGrandchildDoesNotKeepTheRunGoing) {
    const QString chatter = QStringLiteral("chatter from the grandchild");
    QStringList others;
    // The run must end on its own once the child has gone, however much the grandchild still writes. The
    // handler takes its time, as a busy window would, so the pipe never runs dry.
    const EventLog log =
        runCommand(helperCommand({"chatty", "out", "bye\\n"}), [&](ConsoleRunner& runner, EventLog&) {
            runner.setLineHandler([&](ConsoleRunner*, const QString& line) {
                if (line != chatter)
                    others << line;
                std::this_thread::sleep_for(std::chrono::microseconds(20));
            });
        });
    EXPECT_TRUE(log.done());
    ASSERT_EQ(others.size(), 2) << qPrintable(others.join(" | "));
    EXPECT_EQ(others.last(), "bye");
    const pid_t grandchild = pid_t(others.first().section(u' ', 1).toInt());
    ASSERT_TRUE(others.first().startsWith("grandchild ") && grandchild > 0);
    EXPECT_TRUE(waitFor([&] { return processDead(grandchild); }));
}

TEST(ConsoleRunner, UnendingLineIsHandedOverAtEachMegabyte) {
    ConsoleRunner runner;
    QList<qsizetype> sizes;
    runner.setLineHandler([&](ConsoleRunner*, const QString& line) { sizes << line.size(); });
    // 2.5 MB without a line break, then a minute of silence.
    runner.setCommand(helperCommand({"raw", QString::number(5 << 19), "sleep", "60000"}));
    runner.start();
    EXPECT_TRUE(waitFor([&] { return sizes.size() >= 2; }));
    EXPECT_EQ(sizes, (QList<qsizetype>{1 << 20, 1 << 20}));
}

TEST(ConsoleRunner, NulBytesAreDroppedAndTheLinesAfterThemKept) {
    const EventLog log = runCommand(helperCommand({"out", "a\\0b\\nc\\n\\0\\n", "out", "d\\0e"}), {}, true);
    EXPECT_EQ(log.lines(), (QStringList{"ab", "c", "de"}));
}

} // namespace
