#include "TGUI2Console.h"

#include "CommandLine.h"
#include "ProcessGroups.h"
#include "TConsoleThread.h"

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

LaunchSnapshot takeSnapshot(const TConsoleProperties& properties) {
    LaunchSnapshot snapshot;
    const QString folder =
        properties.HomeDirectory.isEmpty() ? QDir::currentPath() : properties.HomeDirectory;
    snapshot.workingDirectory = QFile::encodeName(folder);
    if (properties.Environment.isEmpty()) {
        for (char** entry = environ; entry && *entry; ++entry)
            snapshot.environment << QByteArray(*entry);
    } else {
        snapshot.environment = parseEnvironmentBlock(properties.Environment);
    }
    if (qEnvironmentVariableIsSet("PATH"))
        snapshot.searchPath = qgetenv("PATH");
    return snapshot;
}

} // namespace

TGUI2Console::TGUI2Console(QObject* parent) : QObject(parent) {
    ProcessGroups::installShutdownHooks();
}

TGUI2Console::~TGUI2Console() {
    if (TConsoleThread* worker = std::exchange(m_worker, nullptr))
        worker->release();
}

void TGUI2Console::setTimeOutDelay(int value) {
    m_properties.TimeOutDelay = std::clamp(value, MinTimeOutDelay, MaxTimeOutDelay);
}

void TGUI2Console::Start() {
    bool refused = false;
    {
        std::lock_guard lock(startLock());
        if (m_worker) {
            refused = true;
        } else {
            const TConsoleEvents events = *this; // a run keeps the handlers it started with
            m_exitStatus.reset();
            m_worker = new TConsoleThread(this, m_properties, events, takeSnapshot(m_properties));
            m_worker->start();
        }
    }
    // Raised outside the lock: the handler may start another runner.
    if (refused && OnError) {
        try {
            OnError(this, QStringLiteral("Process Already Running"));
        } catch (const std::exception& e) {
            qWarning("Console runner: the error handler failed: %s", e.what());
        } catch (...) {
            qWarning("Console runner: the error handler failed");
        }
    }
}

void TGUI2Console::Stop() {
    if (m_worker)
        m_worker->stop();
}

void TGUI2Console::workerEnded(TConsoleThread* worker) {
    if (m_worker == worker)
        m_worker = nullptr;
}
