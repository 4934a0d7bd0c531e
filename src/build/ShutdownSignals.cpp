#include "ShutdownSignals.h"

#include "ProcessGroups.h"
#include "ui/MessageDialog.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

// The handler only writes the signal's number here; the event loop does the rest.
int wakePipe[2] = {-1, -1};

void onSignal(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &number, 1);
    errno = saved;
}

struct BeforeExit {
    QPointer<QObject> context;
    std::function<void()> task;
};
QList<BeforeExit>& beforeExitTasks() {
    static QList<BeforeExit> tasks;
    return tasks;
}

// QCoreApplication::exit only ends event loops that run; during start-up none may run yet.
void exitWhenLooping(int code) {
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(code);
    else
        QTimer::singleShot(10, QCoreApplication::instance(), [code] { exitWhenLooping(code); });
}

} // namespace

namespace ShutdownSignals {

void install() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || wakePipe[0] >= 0)
        return;
    if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Cannot watch for termination signals: %s", strerror(errno));
        return;
    }
    ProcessGroups::installShutdownHooks();
    auto* notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
        unsigned char number = 0;
        if (::read(wakePipe[0], &number, 1) != 1)
            return;
        // Whoever sent the signal is not at the screen to answer what the shutdown still has to say.
        sendMessagesToStandardError();
        for (const BeforeExit& each : beforeExitTasks())
            if (each.context)
                each.task();
        exitWhenLooping(128 + number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

void addBeforeExit(QObject* context, std::function<void()> task) {
    beforeExitTasks().append({context, std::move(task)});
}

} // namespace ShutdownSignals
