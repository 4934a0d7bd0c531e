#pragma once

#include "ConsoleTypes.h"
#include "LineSplitter.h"
#include "UiThreadCall.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/types.h>
#include <thread>
#include <vector>

class ChildProcess;
class QFile;

// What the runner takes from the program's own state at start(), on its own thread, so that later
// changes there (the working folder, CLASSPATH set and restored around a start) cannot reach the run.
struct LaunchSnapshot {
    QByteArray workingDirectory;
    QList<QByteArray> environment;
    QByteArray searchPath;
};

// The worker of one run. Lives on the runner's thread as an object; its run happens on a thread of its
// own that hands every callback to the runner's thread and waits for it.
class ConsoleRunWorker : public QObject {
    Q_OBJECT
public:
    ConsoleRunWorker(ConsoleRunner* owner, const ConsoleRunSettings& settings,
                     const ConsoleRunHandlers& handlers, LaunchSnapshot launch);
    ~ConsoleRunWorker() override;

    void start();

    // The runner is going away: no further callback, the run stops and its child is killed. Deletes this
    // object at once when the thread can be awaited, else (released from inside one of its own callbacks)
    // once the thread has finished.
    void release();
    // The run ends at its next step, as if its owner had asked in an idle timeout; its callbacks go on to
    // finished.
    void stop() { m_stop = true; }
    // Sends the signal to the child's process group while the child has not been reaped yet, so the
    // group's id is still the child's; nothing before the child has started or once the run is ending.
    void signalChild(int signal);

private:
    using Failure = std::optional<QString>;
    using Clock = std::chrono::steady_clock;

    void run();
    Failure startChild(ChildProcess& child);
    Failure readLoop(ChildProcess& child);
    // Splits what was read into lines. While more output is likely (`more`) the lines are kept and handed
    // over together with the next reads', up to a size and an age, so a chatty child costs one hand-over
    // per batch rather than one per read.
    Failure receive(qsizetype count, bool more);
    Failure handleSilence(int& idle);
    Failure deliverLines(const OutputLines& lines);
    void raiseError(const QString& message);
    void raiseDone();
    QString commandLine() const;
    bool stopRequested() const { return m_stop.load(); }

    template <typename F> Failure onOwnerThread(F&& handler);

    ConsoleRunner* const m_owner;
    const ConsoleRunSettings m_settings;
    const ConsoleRunHandlers m_handlers;
    const LaunchSnapshot m_launch;
    UiThreadCall m_call;
    std::unique_ptr<QFile> m_log; // used on the owner's thread only
    QString m_logError;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_ownerGone{false};
    std::mutex m_groupLock;
    pid_t m_group = -1;      // under m_groupLock: the child's group while it may be signalled
    bool m_released = false; // owner's thread

    // The worker's own state.
    LineSplitter m_splitter;
    OutputLines m_batch; // its storage serves every batch of the run
    qsizetype m_batchBytes = 0;
    Clock::time_point m_batchStarted;
    std::vector<char> m_buffer;
    bool m_promptSeen = false;
    std::optional<int> m_exitStatus;
    std::thread m_thread;
};
