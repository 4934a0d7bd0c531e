#include "RunningApplication.h"

#include "ConsoleRunner.h"
#include "ProcessGroups.h"

#include <QEventLoop>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace {

// How often the Palm targets are looked at: they end (or are ended) rarely, and a zombie waits this long.
constexpr int ReapIntervalMs = 100;
// What stopAndWait allows beyond the grace time for the last kill to be reaped.
constexpr std::chrono::milliseconds ReapAllowance{3000};

} // namespace

RunningApplication::RunningApplication(ConsoleRunner& viewer, QObject* parent)
    : QObject(parent), m_viewer(viewer) {
    m_reapTimer.setInterval(ReapIntervalMs);
    connect(&m_reapTimer, &QTimer::timeout, this, &RunningApplication::reapTargets);
    m_killTimer.setSingleShot(true);
    connect(&m_killTimer, &QTimer::timeout, this, &RunningApplication::killWhatIsLeft);
}

RunningApplication::~RunningApplication() {
    // The targets run on; a waiter takes each one's end so that none stays a zombie of ours.
    for (pid_t pid : std::as_const(m_targets)) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) != 0)
            continue;
        std::thread([pid] {
            int ended = 0;
            while (::waitpid(pid, &ended, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
}

void RunningApplication::viewerRunning(bool running) {
    if (m_viewerRunning == running)
        return;
    m_viewerRunning = running;
    if (!isRunning() && m_stopping.isEmpty())
        m_killTimer.stop(); // everything ended within the grace time
    emit stateChanged();
}

QString RunningApplication::startProgram(const QString& program, const QStringList& arguments) {
    std::vector<QByteArray> words;
    words.push_back(QFile::encodeName(program));
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, so its children go with it; every signal as a new program expects it.
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    // Nothing of ours beyond the standard streams, whatever a library opened without O_CLOEXEC.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return QString::fromLocal8Bit(std::strerror(error));
    m_targets << pid;
    if (!m_reapTimer.isActive())
        m_reapTimer.start();
    emit stateChanged();
    return QString();
}

QString RunningApplication::stateText() const {
    if (isStopping())
        return QStringLiteral("Stopping the application...");
    return isRunning() ? QStringLiteral("Application running") : QString();
}

void RunningApplication::stop(std::chrono::milliseconds grace) {
    if (!isRunning())
        return;
    if (m_viewerRunning)
        m_viewer.signalRun(SIGTERM);
    for (pid_t group : std::as_const(m_targets)) {
        ::kill(-group, SIGTERM);
        if (!m_stopping.contains(group))
            m_stopping << group;
    }
    m_killTimer.start(grace);
    if (!m_stopping.isEmpty() && !m_reapTimer.isActive())
        m_reapTimer.start();
    emit stateChanged();
}

bool RunningApplication::stopAndWait(std::chrono::milliseconds grace) {
    stop(grace);
    if (!isRunning())
        return true;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    const QMetaObject::Connection changed = connect(this, &RunningApplication::stateChanged, &loop, [&] {
        if (!isRunning())
            loop.quit();
    });
    limit.start(grace + ReapAllowance);
    if (isRunning())
        loop.exec();
    disconnect(changed);
    return !isRunning();
}

QString RunningApplication::restartQuestion() {
    return QStringLiteral("The application is still running. Stop it and start again?");
}

bool RunningApplication::clearForRestart(const std::function<bool(const QString&)>& confirm,
                                         std::chrono::milliseconds grace) {
    if (!isRunning())
        return true;
    if (!confirm(restartQuestion()))
        return false;
    return stopAndWait(grace);
}

void RunningApplication::reapTargets() {
    bool ended = false;
    for (qsizetype i = m_targets.size() - 1; i >= 0; --i) {
        int status = 0;
        const pid_t done = ::waitpid(m_targets.at(i), &status, WNOHANG);
        // Gone already (taken by someone else) counts as ended too.
        if (done == m_targets.at(i) || (done < 0 && errno == ECHILD)) {
            m_targets.removeAt(i);
            ended = true;
        }
    }
    // A group being stopped is done once nothing is left running in it; its id is never used again.
    const qsizetype stopping = m_stopping.size();
    m_stopping.removeIf(
        [this](pid_t group) { return !m_targets.contains(group) && !ProcessGroups::hasLiveMember(group); });
    if (m_stopping.size() != stopping)
        ended = true;
    if (m_stopping.isEmpty() && !isRunning())
        m_killTimer.stop();
    if (m_targets.isEmpty() && m_stopping.isEmpty())
        m_reapTimer.stop();
    if (ended)
        emit stateChanged();
}

void RunningApplication::killWhatIsLeft() {
    // A leader that ended on SIGTERM may have left children in its group: they go too. A group whose
    // members are all gone has a free id again, but not within the grace time.
    for (pid_t group : std::exchange(m_stopping, {}))
        ::kill(-group, SIGKILL);
    // The viewer's run kills its whole group as it ends.
    if (m_viewerRunning)
        m_viewer.stop();
    emit stateChanged();
}
