#include "UiThreadCall.h"

#include <QSocketNotifier>
#include <QtGlobal>
#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

UiThreadCall::UiThreadCall(QObject* parent) : QObject(parent) {
    m_eventFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_eventFd < 0)
        qFatal("eventfd failed: %s", strerror(errno));
    m_notifier = new QSocketNotifier(m_eventFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UiThreadCall::service);
}

UiThreadCall::~UiThreadCall() {
    delete m_notifier;
    ::close(m_eventFd);
}

void UiThreadCall::wake() {
    const std::uint64_t one = 1;
    while (::write(m_eventFd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool UiThreadCall::call(const std::function<void()>& fn) {
    std::unique_lock lock(m_mutex);
    if (m_closed)
        return false;
    m_pending = &fn;
    m_done = false;
    lock.unlock(); // the owner's thread would only wake up to wait for the lock
    wake();
    lock.lock();
    m_changed.wait(lock, [this] { return m_done || (m_closed && !m_running); });
    m_pending = nullptr;
    return m_done;
}

void UiThreadCall::notifyFinished() {
    {
        std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
    wake();
}

void UiThreadCall::close() {
    std::lock_guard lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

bool UiThreadCall::isRunningCall() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

bool UiThreadCall::waitFinished(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_finished; });
}

void UiThreadCall::service() {
    std::uint64_t count;
    while (::read(m_eventFd, &count, sizeof count) < 0 && errno == EINTR) {
    }
    std::unique_lock lock(m_mutex);
    if (m_pending && !m_running && !m_done && !m_closed) {
        const std::function<void()>* fn = m_pending;
        m_running = true;
        lock.unlock();
        (*fn)();
        lock.lock();
        m_running = false;
        m_done = true;
        lock.unlock();
        m_changed.notify_all();
        lock.lock();
    }
    const bool signalFinish = m_finished && !m_finishSignalled;
    m_finishSignalled = m_finishSignalled || signalFinish;
    lock.unlock();
    if (signalFinish)
        emit finished();
}
