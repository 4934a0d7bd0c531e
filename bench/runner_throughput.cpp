// How fast the console runner hands a chatty child's output to a handler on the UI thread: a child prints
// 1,000,000 lines of 60 characters, every line reaches a line handler. Beside it, for scale, the same
// child piped straight into cat (two processes and a pipe, no shell). Uses the applet viewer runner's
// sizes: PipeSize PipeBufferSize::Kilobytes256, BufferSize ReadBufferSize::Kilobytes4. Each figure is the
// median of three runs. Also the delay from a line's write to its handler: the child writes 50 time-stamped
// lines 20 ms apart, FIGURE runner_line_latency_max is the longest delay seen, runner_line_latency_median the
// middle one. usage: runner_throughput [helper-program]
#include "build/CommandLine.h"
#include "build/ConsoleRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr long LineCount = 1000000;
constexpr int LineWidth = 60;
constexpr int Rounds = 3;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// helper lines N W | cat > /dev/null, in seconds; negative on failure.
double pipeRound(const QByteArray& helper) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const QByteArray count = QByteArray::number(qlonglong(LineCount));
    const QByteArray width = QByteArray::number(LineWidth);
    char* producerArgv[] = {const_cast<char*>(helper.constData()), const_cast<char*>("lines"),
                            const_cast<char*>(count.constData()), const_cast<char*>(width.constData()),
                            nullptr};
    char* catArgv[] = {const_cast<char*>("cat"), nullptr};

    QElapsedTimer timer;
    timer.start();
    posix_spawn_file_actions_t producerActions;
    posix_spawn_file_actions_init(&producerActions);
    posix_spawn_file_actions_adddup2(&producerActions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_t catActions;
    posix_spawn_file_actions_init(&catActions);
    posix_spawn_file_actions_adddup2(&catActions, pipeFds[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&catActions, devNull, STDOUT_FILENO);
    pid_t producer = -1;
    pid_t cat = -1;
    const int producerError =
        posix_spawn(&producer, helper.constData(), &producerActions, nullptr, producerArgv, environ);
    const int catError = posix_spawnp(&cat, "cat", &catActions, nullptr, catArgv, environ);
    close(pipeFds[0]);
    close(pipeFds[1]);
    close(devNull);
    posix_spawn_file_actions_destroy(&producerActions);
    posix_spawn_file_actions_destroy(&catActions);
    int status = 0;
    bool ok = producerError == 0 && catError == 0;
    if (producerError == 0)
        ok = waitpid(producer, &status, 0) == producer && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
    if (catError == 0)
        ok = waitpid(cat, &status, 0) == cat && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
    const double seconds = timer.nsecsElapsed() / 1e9;
    return ok ? seconds : -1;
}

// Every line through a runner to a handler on this thread, in seconds; negative on failure.
double runnerRound(const QString& helper) {
    ConsoleRunner runner;
    runner.setPipeBufferSize(PipeBufferSize::Kilobytes256);
    runner.setReadBufferSize(ReadBufferSize::Kilobytes4);
    runner.setCommand(quoteCommandWord(helper) +
                      QStringLiteral(" lines %1 %2").arg(LineCount).arg(LineWidth));
    long received = 0;
    bool inOrder = true;
    bool failed = false;
    runner.setLineHandler([&](ConsoleRunner*, const QString& line) {
        // Each line starts with its own number.
        qsizetype digits = 0;
        while (digits < line.size() && line[digits].isDigit())
            ++digits;
        inOrder = inOrder && line.size() == LineWidth && QStringView(line).left(digits).toLong() == received;
        ++received;
    });
    runner.setErrorHandler([&](ConsoleRunner*, const QString& error) {
        std::fprintf(stderr, "runner error: %s\n", qPrintable(error));
        failed = true;
    });
    QEventLoop loop;
    runner.setFinishedHandler([&](ConsoleRunner*) { loop.quit(); });
    QElapsedTimer timer;
    timer.start();
    runner.start();
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (failed || received != LineCount || !inOrder) {
        std::fprintf(stderr, "runner delivered %ld of %ld lines%s\n", received, LineCount,
                     inOrder ? "" : ", out of order");
        return -1;
    }
    return seconds;
}

// The delays between a child writing a line and the handler getting it, in milliseconds, sorted; empty
// on failure.
std::vector<double> latencyRound(const QString& helper) {
    constexpr int Lines = 50;
    ConsoleRunner runner;
    runner.setPipeBufferSize(PipeBufferSize::Kilobytes256);
    runner.setReadBufferSize(ReadBufferSize::Kilobytes4);
    runner.setCommand(quoteCommandWord(helper) + QStringLiteral(" stamped %1 20").arg(Lines));
    std::vector<double> delays;
    runner.setLineHandler([&](ConsoleRunner*, const QString& line) {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const qint64 written = line.section(u' ', 1).toLongLong();
        delays.push_back((now.tv_sec * 1000000000LL + now.tv_nsec - written) / 1e6);
    });
    QEventLoop loop;
    runner.setFinishedHandler([&](ConsoleRunner*) { loop.quit(); });
    runner.start();
    loop.exec();
    if (delays.size() != Lines)
        return {};
    std::sort(delays.begin(), delays.end());
    return delays;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString helper = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(HW_RUNNER_HELPER);
    std::vector<double> pipeTimes;
    std::vector<double> runnerTimes;
    for (int round = 0; round < Rounds; ++round) {
        pipeTimes.push_back(pipeRound(QFile::encodeName(helper)));
        runnerTimes.push_back(runnerRound(helper));
        if (pipeTimes.back() < 0 || runnerTimes.back() < 0) {
            std::fprintf(stderr, "runner_throughput: a round failed\n");
            return 1;
        }
    }
    std::printf("FIGURE pipe_1M_lines %.3f s\n", median(pipeTimes));
    std::printf("FIGURE runner_1M_lines %.3f s\n", median(runnerTimes));
    const std::vector<double> delays = latencyRound(helper);
    if (delays.empty()) {
        std::fprintf(stderr, "runner_throughput: the time-stamped lines did not all arrive\n");
        return 1;
    }
    std::printf("FIGURE runner_line_latency_max %.1f ms\n", delays.back());
    std::printf("FIGURE runner_line_latency_median %.1f ms\n", delays[delays.size() / 2]);
    return 0;
}
