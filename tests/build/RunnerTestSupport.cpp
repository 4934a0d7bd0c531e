#include "RunnerTestSupport.h"

#include "build/CommandLine.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace runnertest {

QString testProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

QString helperCommand(const QStringList& actions) {
    QStringList words{quoteCommandWord(testProgram("hw_runner_helper"))};
    for (const QString& action : actions)
        words << quoteCommandWord(action);
    return words.join(u' ');
}

bool waitFor(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QTimer tick; // wakes the loop even when nothing else happens
    tick.start(5);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

bool processDead(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
}

int countEntries(const QString& folder) {
    return int(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
}

int threadsAfterARun() {
    runCommand(helperCommand({"out", "x\\n"}));
    return countEntries("/proc/self/task");
}

void EventLog::attach(ConsoleRunner& runner, bool linesOnly) {
    runner.setLineHandler([this](ConsoleRunner*, const QString& line) { events << "line " + line; });
    runner.setFinishedHandler([this](ConsoleRunner*) {
        events << "done";
        ++doneCount;
    });
    if (linesOnly)
        return;
    runner.setStartedHandler(
        [this](ConsoleRunner*, const QString& command) { events << "start " + command; });
    runner.setErrorHandler([this](ConsoleRunner*, const QString& error) { events << "error " + error; });
    runner.setStatusHandler([this](ConsoleRunner*, const QString& status) { events << "status " + status; });
    runner.setPromptHandler([this](ConsoleRunner*, const QString& line) { events << "prompt " + line; });
    runner.setAboutToFinishHandler([this](ConsoleRunner*) { events << "preterminate"; });
}

QStringList EventLog::lines() const {
    QStringList out;
    for (const QString& event : events)
        if (event.startsWith("line "))
            out << event.mid(5);
    return out;
}

pid_t EventLog::pid(const QString& key) const {
    for (const QString& line : lines())
        if (line.startsWith(key + u' '))
            return pid_t(line.section(u' ', 1, 1).toInt());
    return -1;
}

EventLog runCommand(const QString& command, const RunnerSetup& setup, bool linesOnly) {
    ConsoleRunner runner;
    EventLog log;
    log.attach(runner, linesOnly);
    runner.setCommand(command);
    if (setup)
        setup(runner, log);
    runner.start();
    EXPECT_TRUE(waitFor([&] { return log.done(); })) << qPrintable(log.events.join(" | "));
    return log;
}

} // namespace runnertest
