#pragma once

#include "QtPrinters.h"
#include "build/ConsoleRunner.h"

#include <QStringList>
#include <functional>
#include <sys/types.h>

namespace runnertest {

// The tests' own programs (see helper/), beside the test program: "hw_runner_helper", "hw_runner_host".
QString testProgram(const QString& name);

// A command line that runs the helper with these actions, each quoted as needed.
QString helperCommand(const QStringList& actions);

// Runs the event loop (deleting what was scheduled for deletion) until done() holds; false on timeout.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 15000);

// Gone, or only a zombie that whoever adopted it has not reaped yet.
bool processDead(pid_t pid);

int countEntries(const QString& folder); // /proc/self/fd, /proc/self/task

// The threads of this process once a run has made whatever threads stay for good (ThreadSanitizer's own).
int threadsAfterARun();

// Every event of a runner, in order: "start <command>", "line <text>", "error <text>", "prompt <line>",
// "preterminate", "status <text>", "done". The idle timeout handler stays unset: the time a child takes to
// start counts as silence, so only tests about silence assign it.
struct EventLog {
    QStringList events;
    int doneCount = 0;

    // Sets every handler, or with linesOnly just the line and finished handlers.
    void attach(ConsoleRunner& runner, bool linesOnly = false);
    QStringList lines() const;
    bool done() const { return doneCount > 0; }
    // The number after "<key> " in the first line that starts with it, e.g. "pid 123 pgid 123".
    pid_t pid(const QString& key = QStringLiteral("pid")) const;
};

// Runs command through a fresh runner (set up further by setup) until it has finished and returns its events.
using RunnerSetup = std::function<void(ConsoleRunner& runner, EventLog& log)>;
EventLog runCommand(const QString& command, const RunnerSetup& setup = {}, bool linesOnly = false);

} // namespace runnertest
