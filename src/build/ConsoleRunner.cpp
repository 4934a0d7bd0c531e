#include "ConsoleRunner.h"

#include "CommandLine.h"
#include "ConsoleRunWorker.h"
#include "ProcessGroups.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <exception>
#include <mutex>

extern char** environ;

namespace {

// One lock for every runner: starts never interleave.
std::mutex& startLock() {
    static std::mutex lock;
    return lock;
}

LaunchSnapshot takeSnapshot(const ConsoleRunSettings& settings) {
    LaunchSnapshot snapshot;
    const QString folder =
        settings.workingDirectory.isEmpty() ? QDir::currentPath() : settings.workingDirectory;
    snapshot.workingDirectory = QFile::encodeName(folder);
    if (settings.environment.isEmpty()) {
        for (char** entry = environ; entry && *entry; ++entry)
            snapshot.environment << QByteArray(*entry);
    } else {
        snapshot.environment = parseEnvironmentBlock(settings.environment);
    }
    if (qEnvironmentVariableIsSet("PATH"))
        snapshot.searchPath = qgetenv("PATH");
    return snapshot;
}

} // namespace

ConsoleRunner::ConsoleRunner(QObject* parent) : QObject(parent) {
    ProcessGroups::installShutdownHooks();
}

ConsoleRunner::~ConsoleRunner() {
    if (ConsoleRunWorker* worker = std::exchange(m_worker, nullptr))
        worker->release();
}

void ConsoleRunner::setIdleTimeout(int milliseconds) {
    m_settings.idleTimeoutMs = std::clamp(milliseconds, MinIdleTimeoutMs, MaxIdleTimeoutMs);
}

void ConsoleRunner::start() {
    bool refused = false;
    {
        std::lock_guard lock(startLock());
        if (m_worker) {
            refused = true;
        } else {
            m_exitStatus.reset();
            m_worker = new ConsoleRunWorker(this, m_settings, m_handlers, takeSnapshot(m_settings));
            m_worker->start();
        }
    }
    // Raised outside the lock: the handler may start another runner.
    if (refused && m_handlers.error) {
        try {
            m_handlers.error(this, QStringLiteral("Process Already Running"));
        } catch (const std::exception& e) {
            qWarning("Console runner: the error handler failed: %s", e.what());
        } catch (...) {
            qWarning("Console runner: the error handler failed");
        }
    }
}

void ConsoleRunner::stop() {
    if (m_worker)
        m_worker->stop();
}

void ConsoleRunner::signalRun(int signal) {
    if (m_worker)
        m_worker->signalChild(signal);
}

void ConsoleRunner::workerEnded(ConsoleRunWorker* worker) {
    if (m_worker == worker)
        m_worker = nullptr;
}
