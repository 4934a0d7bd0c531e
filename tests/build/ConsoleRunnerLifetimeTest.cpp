#include "RunnerTestSupport.h"

#include "build/CommandLine.h"

#include <gtest/gtest.h>
#include <memory>
#include <signal.h>
#include <stdexcept>
#include <string.h>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace runnertest;

namespace {

const QString NormalEnd = QStringLiteral("status Normal Thread Termination");

// The handler that records its callback as `inner` does and then throws.
template <typename R, typename... Args>
std::function<R(Args...)> throwingAfter(std::function<R(Args...)> inner, bool standard) {
    return [inner = std::move(inner), standard](Args... args) -> R {
        inner(args...);
        if (standard)
            throw std::runtime_error("boom");
        throw 42;
    };
}

struct ThrowCase {
    const char* handler;
    QStringList events; // after "start", without the line "pid ..."
    bool standard = true;
    friend void PrintTo(const ThrowCase& c, std::ostream* out) {
        *out << c.handler << (c.standard ? "" : " (not a std::exception)");
    }
};

class ConsoleRunnerThrowingHandler : public testing::TestWithParam<ThrowCase> {};

TEST_P(ConsoleRunnerThrowingHandler, EndsTheRunWithErrorAndDoneAndKillsTheChild) {
    const QString handler = GetParam().handler;
    const bool standard = GetParam().standard;
    const bool childEnds = handler == "preterminate" || handler == "status";
    EventLog log =
        runCommand(helperCommand(childEnds ? QStringList{"pid", "out", "more\\n"}
                                           : QStringList{"pid", "out", "go> ", "sleep", "30000"}),
                   [&](ConsoleRunner& runner, EventLog& log) {
                       const ConsoleRunHandlers& set = runner.handlers();
                       if (handler == "start")
                           runner.setStartedHandler(throwingAfter(set.started, standard));
                       if (handler == "line")
                           runner.setLineHandler(throwingAfter(set.line, standard));
                       if (handler == "timeout") {
                           runner.setIdleTimeoutHandler([&log](ConsoleRunner*) {
                               log.events << "timeout";
                               return false;
                           });
                           runner.setIdleTimeoutHandler(throwingAfter(set.idleTimeout, standard));
                       }
                       if (handler == "prompt")
                           runner.setPromptHandler(throwingAfter(set.prompt, standard));
                       if (handler == "preterminate")
                           runner.setAboutToFinishHandler(throwingAfter(set.aboutToFinish, standard));
                       if (handler == "status")
                           runner.setStatusHandler(throwingAfter(set.status, standard));
                       runner.setPrompt(handler == "prompt" ? "> " : "");
                   });
    const pid_t child = log.pid();
    log.events.removeIf([](const QString& event) { return event.startsWith("line pid "); });
    EXPECT_EQ(log.events.mid(1), GetParam().events);
    if (child > 0) { // no child for a throwing started handler, and a slow one may not have spoken yet
        EXPECT_TRUE(processDead(child));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, ConsoleRunnerThrowingHandler,
    testing::Values(ThrowCase{"start", {"error boom", "done"}}, ThrowCase{"line", {"error boom", "done"}},
                    ThrowCase{"line", {"error Unknown exception", "done"}, false},
                    ThrowCase{"timeout", {"timeout", "error boom", "done"}},
                    ThrowCase{"prompt", {"prompt go> ", "error boom", "done"}},
                    ThrowCase{"preterminate", {"line more", "preterminate", "error boom", "done"}},
                    ThrowCase{"status", {"line more", "preterminate", NormalEnd, "error boom", "done"}}));

TEST(ConsoleRunner, ThrowingErrorAndDoneHandlersLeaveTheRunnerUsable) {
    ConsoleRunner runner;
    int errors = 0;
    int dones = 0;
    runner.setErrorHandler([&](ConsoleRunner*, const QString&) {
        ++errors;
        throw std::runtime_error("error handler fails");
    });
    runner.setFinishedHandler([&](ConsoleRunner*) {
        ++dones;
        throw std::runtime_error("done handler fails");
    });
    runner.setCommand("hw-no-such-program");
    runner.start();
    ASSERT_TRUE(waitFor([&] { return dones == 1; }));
    runner.start();
    ASSERT_TRUE(waitFor([&] { return dones == 2; }));
    EXPECT_EQ(errors, 2);
}

TEST(ConsoleRunner, DestroyedWhileRunningStopsItsChildrenAndRaisesNothingMore) {
    const int threads = threadsAfterARun();
    auto runner = std::make_unique<ConsoleRunner>();
    EventLog log;
    log.attach(*runner);
    runner->setCommand(helperCommand({"pid", "grandchild", "30000", "sleep", "30000"}));
    runner->start();
    ASSERT_TRUE(waitFor([&] { return log.lines().size() == 2; }));
    const qsizetype before = log.events.size();
    runner.reset();
    EXPECT_TRUE(processDead(log.pid())); // at once: destruction waited for the worker
    EXPECT_TRUE(waitFor([&] { return processDead(log.pid("grandchild")); }));
    EXPECT_EQ(log.events.size(), before);
    EXPECT_EQ(countEntries("/proc/self/task"), threads);
}

TEST(ConsoleRunner, DestroyedFromItsOwnLineHandler) {
    const int threads = threadsAfterARun();
    auto* runner = new ConsoleRunner;
    EventLog log;
    log.attach(*runner);
    runner->setLineHandler([&](ConsoleRunner* sender, const QString& line) {
        log.events << "line " + line;
        delete sender;
    });
    runner->setCommand(helperCommand({"pid", "out", "more\\n", "sleep", "30000"}));
    runner->start();
    ASSERT_TRUE(waitFor([&] { return !log.lines().isEmpty(); }));
    EXPECT_TRUE(waitFor([&] { return processDead(log.pid()); }));
    EXPECT_TRUE(waitFor([&] { return countEntries("/proc/self/task") == threads; }));
    EXPECT_EQ(log.events.size(), 2) << qPrintable(log.events.join(" | "));
}

TEST(ConsoleRunner, DestroyedFromAnotherRunnersHandler) {
    auto* victim = new ConsoleRunner;
    EventLog victimLog;
    victimLog.attach(*victim);
    victim->setCommand(helperCommand({"pid", "sleep", "30000"}));
    victim->start();
    ASSERT_TRUE(waitFor([&] { return !victimLog.lines().isEmpty(); }));
    ConsoleRunner killer;
    EventLog killerLog;
    killerLog.attach(killer, true);
    killer.setLineHandler([&](ConsoleRunner*, const QString&) { delete victim; });
    killer.setCommand(helperCommand({"out", "now\\n"}));
    killer.start();
    ASSERT_TRUE(waitFor([&] { return killerLog.done(); }));
    EXPECT_TRUE(processDead(victimLog.pid()));
    EXPECT_FALSE(victimLog.done());
}

TEST(ConsoleRunner, AThousandRunsLeaveNoDescriptorsThreadsOrChildren) {
    constexpr int Runs = 1000;
    const int threads = threadsAfterARun();
    const int descriptors = countEntries("/proc/self/fd");
    int started = 0;
    int finished = 0;
    int lines = 0;
    std::vector<std::unique_ptr<ConsoleRunner>> runners;
    for (int i = 0; i < 4; ++i) {
        runners.push_back(std::make_unique<ConsoleRunner>());
        runners.back()->setCommand(helperCommand({"out", "x\\ny\\n"}));
        runners.back()->setLineHandler([&](ConsoleRunner*, const QString&) { ++lines; });
        runners.back()->setFinishedHandler([&](ConsoleRunner*) { ++finished; });
    }
    while (finished < Runs) {
        for (auto& runner : runners)
            if (!runner->isRunning() && started < Runs) {
                runner->start();
                ++started;
            }
        const int before = finished;
        ASSERT_TRUE(waitFor([&] { return finished > before; }));
    }
    runners.clear(); // a runner takes the workers that are still finishing with it
    EXPECT_EQ(lines, 2 * Runs);
    EXPECT_EQ(countEntries("/proc/self/task"), threads);
    EXPECT_EQ(countEntries("/proc/self/fd"), descriptors);
    int status;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1); // no child left, running or unreaped
    EXPECT_EQ(errno, ECHILD);
}

class ConsoleRunnerShutdown : public testing::TestWithParam<const char*> {};

// The host leaves while its child and grandchild would sleep on for a minute. It runs through a runner
// too: QProcess's vfork-style start confuses ThreadSanitizer.
TEST_P(ConsoleRunnerShutdown, KillsChildrenAndTheirChildren) {
    ConsoleRunner runner;
    EventLog log;
    log.attach(runner);
    runner.setCommand(quoteCommandWord(testProgram("hw_runner_host")) + u' ' + GetParam() + u' ' +
                      quoteCommandWord(helperCommand({"pid", "grandchild", "60000", "sleep", "60000"})));
    runner.start();
    ASSERT_TRUE(waitFor([&] { return log.done(); }, 20000));
    const pid_t child = log.pid();
    const pid_t grandchild = log.pid("grandchild");
    ASSERT_TRUE(child > 0 && grandchild > 0) << qPrintable(log.events.join(" | "));
    const bool dead = waitFor([&] { return processDead(child) && processDead(grandchild); });
    if (!dead)
        ::kill(-child, SIGKILL); // leave nothing running behind a failure
    EXPECT_TRUE(dead);
}

INSTANTIATE_TEST_SUITE_P(Ways, ConsoleRunnerShutdown, testing::Values("quit", "exit"));

class ConsoleRunnerHostSignal : public testing::TestWithParam<int> {};

// The host watches for termination signals as the IDE does. Caught, a signal ends it through its event
// loop, which kills every group; SIGKILL cannot be caught, so the child dies with it through the kernel
// (the grandchild, in the child's group, is not the host's to kill then).
TEST_P(ConsoleRunnerHostSignal, ChildrenDieWithTheProgram) {
    const int signal = GetParam();
    ConsoleRunner runner;
    EventLog log;
    log.attach(runner);
    runner.setCommand(quoteCommandWord(testProgram("hw_runner_host")) + " signal " +
                      quoteCommandWord(helperCommand({"pid", "grandchild", "60000", "sleep", "60000"})));
    runner.start();
    ASSERT_TRUE(waitFor([&] { return log.pid("grandchild") > 0 && log.pid("host") > 0; }, 20000))
        << qPrintable(log.events.join(" | "));
    const pid_t child = log.pid();
    const pid_t grandchild = log.pid("grandchild");
    ASSERT_EQ(::kill(log.pid("host"), signal), 0);
    EXPECT_TRUE(waitFor([&] { return log.done(); }, 20000));
    EXPECT_TRUE(waitFor([&] { return processDead(child); })) << strsignal(signal);
    if (signal != SIGKILL) {
        EXPECT_TRUE(waitFor([&] { return processDead(grandchild); })) << strsignal(signal);
    }
    ::kill(-child, SIGKILL); // leave nothing running behind a failure
}

INSTANTIATE_TEST_SUITE_P(Signals, ConsoleRunnerHostSignal, testing::Values(SIGTERM, SIGHUP, SIGINT, SIGKILL),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

} // namespace
