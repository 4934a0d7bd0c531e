#pragma once

#include <QObject>
#include <condition_variable>
#include <functional>
#include <mutex>

class QSocketNotifier;

// Lets one worker thread run functions on the thread that owns this object and wait for them, one at a
// time. The hand-over goes through an eventfd watched by the owner's event loop and a mutex, so the
// worker never touches Qt's event queue and every hand-over is visible to ThreadSanitizer.
class UiThreadCall : public QObject {
    Q_OBJECT
public:
    explicit UiThreadCall(QObject* parent = nullptr);
    ~UiThreadCall() override;

    // Worker: runs fn on the owner's thread and waits until it has returned. Returns false, without
    // running fn, once the channel is closed. fn must not throw.
    bool call(const std::function<void()>& fn);

    // Worker: its last act; finished() follows on the owner's thread.
    void notifyFinished();

    // Owner: no further call will run. A call already running completes; a waiting one returns false.
    void close();

    // Owner: true while a call runs (the worker is blocked until it returns).
    bool isRunningCall() const;

    // Owner: waits up to timeoutMs for notifyFinished.
    bool waitFinished(int timeoutMs);

signals:
    void finished();

private:
    void service();
    void wake();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    const std::function<void()>* m_pending = nullptr;
    bool m_running = false;
    bool m_done = false;
    bool m_closed = false;
    bool m_finished = false;
    bool m_finishSignalled = false;
    int m_eventFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
