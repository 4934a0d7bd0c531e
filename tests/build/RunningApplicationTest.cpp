#include "build/RunningApplication.h"
#include "RunnerTestSupport.h"
#include "build/ConsoleRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using runnertest::processDead;
using runnertest::testProgram;
using runnertest::waitFor;

// The live members of a process group, read from /proc.
QList<pid_t> groupMembers(pid_t group) {
    QList<pid_t> members;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = entry.toInt(&number);
        if (!number)
            continue;
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // pid (name) state ppid pgrp ...
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[2].toInt() == group && fields[0] != "Z")
            members << pid;
    }
    return members;
}

struct StopCase {
    const char* what;
    bool viewer;         // run through the viewer's runner, else started as a Palm target
    QStringList actions; // of the helper program
    bool endsOnTerm;     // SIGTERM alone ends it
};

// Whatever the application does with SIGTERM, Stop ends it and every process of its group: at once when
// it obeys, else by SIGKILL once the grace time is up, and not before.
TEST(RunningApplication, StopEndsTheWholeGroupTermFirstThenKill) {
    const StopCase cases[] = {
        {"viewer obeys", true, {"pid", "grandchild", "60000", "sleep", "60000"}, true},
        {"viewer ignores", true, {"ignoreterm", "pid", "grandchild", "60000", "sleep", "60000"}, false},
        {"target obeys", false, {"grandchild", "60000", "sleep", "60000"}, true},
        {"target ignores", false, {"ignoreterm", "grandchild", "60000", "sleep", "60000"}, false},
        // The leader obeys, a grandchild forked before does not: it goes with the kill.
        {"target leaves an ignoring grandchild",
         false,
         {"ignoreterm", "grandchild", "60000", "obeyterm", "sleep", "60000"},
         true},
    };
    for (const StopCase& c : cases) {
        ConsoleRunner viewer;
        RunningApplication application(viewer);
        runnertest::EventLog log;
        log.attach(viewer, true);
        viewer.setStartedHandler([&](ConsoleRunner*, const QString&) { application.viewerRunning(true); });
        viewer.setFinishedHandler([&](ConsoleRunner*) {
            ++log.doneCount;
            application.viewerRunning(false);
        });
        EXPECT_FALSE(application.isRunning()) << c.what;
        EXPECT_EQ(application.stateText(), "") << c.what;

        pid_t group = -1;
        if (c.viewer) {
            viewer.setCommand(runnertest::helperCommand(c.actions));
            viewer.start();
            ASSERT_TRUE(waitFor([&] { return log.lines().filter("grandchild").size() == 1; })) << c.what;
            group = log.pid();
        } else {
            QStringList actions = c.actions;
            ASSERT_EQ(application.startProgram(testProgram("hw_runner_helper"), actions), "") << c.what;
            ASSERT_EQ(application.targetGroups().size(), 1) << c.what;
            group = application.targetGroups().first();
            ASSERT_TRUE(waitFor([&] { return groupMembers(group).size() == 2; })) << c.what;
        }
        ASSERT_GT(group, 0) << c.what;
        const QList<pid_t> members = groupMembers(group);
        ASSERT_EQ(members.size(), 2) << c.what;
        EXPECT_TRUE(application.isRunning()) << c.what;
        EXPECT_EQ(application.stateText(), "Application running") << c.what;

        QElapsedTimer clock;
        clock.start();
        application.stop();
        EXPECT_EQ(application.stateText(), "Stopping the application...") << c.what;
        if (!c.endsOnTerm) {
            // Still there a second later: the kill waits for the grace time.
            waitFor([] { return false; }, 1000);
            EXPECT_TRUE(application.isRunning()) << c.what;
            EXPECT_FALSE(processDead(members.first()) && processDead(members.last())) << c.what;
        }
        ASSERT_TRUE(waitFor([&] { return !application.isRunning() && !application.isStopping(); }, 10000))
            << c.what;
        ASSERT_TRUE(waitFor([&] { return groupMembers(group).isEmpty(); }, 5000)) << c.what;
        for (pid_t pid : members)
            EXPECT_TRUE(processDead(pid)) << c.what << " " << pid;
        if (c.endsOnTerm && !QString(c.what).contains("grandchild"))
            EXPECT_LT(clock.elapsed(), 1900) << c.what;
        else
            EXPECT_GE(clock.elapsed(), 1900) << c.what;
        EXPECT_EQ(application.stateText(), "") << c.what;
        if (c.viewer) {
            EXPECT_TRUE(waitFor([&] { return !viewer.isRunning(); })) << c.what;
        }
    }
}

// The question before a new build: nothing asked while nothing runs; No leaves it running, Yes stops it.
TEST(RunningApplication, RestartAsksAndStopsOnlyOnYes) {
    struct Case {
        bool running;
        bool yes;
        bool cleared;
        bool stillRunning;
    };
    const Case cases[] = {
        {false, true, true, false},
        {false, false, true, false},
        {true, false, false, true},
        {true, true, true, false},
    };
    for (const Case& c : cases) {
        ConsoleRunner viewer;
        RunningApplication application(viewer);
        pid_t group = -1;
        if (c.running) {
            ASSERT_EQ(application.startProgram(testProgram("hw_runner_helper"), {"sleep", "60000"}), "");
            group = application.targetGroups().value(0);
        }
        QStringList asked;
        const bool cleared = application.clearForRestart([&](const QString& question) {
            asked << question;
            return c.yes;
        });
        EXPECT_EQ(cleared, c.cleared) << c.running << c.yes;
        EXPECT_EQ(application.isRunning(), c.stillRunning) << c.running << c.yes;
        EXPECT_EQ(asked, c.running ? QStringList{"The application is still running. Stop it and start again?"}
                                   : QStringList())
            << c.running << c.yes;
        if (c.stillRunning) {
            EXPECT_FALSE(processDead(group));
            ASSERT_TRUE(application.stopAndWait());
        }
        if (group > 0) {
            EXPECT_TRUE(processDead(group));
        }
    }
}

TEST(RunningApplication, ProgramThatCannotStartSaysWhyAndRunsNothing) {
    ConsoleRunner viewer;
    RunningApplication application(viewer);
    for (const QString& program :
         {QDir::temp().filePath("no-such-program-here"), QString("no-such-program-on-path-either")}) {
        const QString why = application.startProgram(program, {"-x"});
        EXPECT_FALSE(why.isEmpty()) << program.toStdString();
        EXPECT_FALSE(application.isRunning()) << program.toStdString();
    }
    // A name that looks like an option is a program's name all the same.
    EXPECT_FALSE(application.startProgram("--help", {}).isEmpty());
    EXPECT_FALSE(application.isRunning());
}

} // namespace
