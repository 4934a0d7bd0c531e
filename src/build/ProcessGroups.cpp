#include "ProcessGroups.h"

#include <QCoreApplication>
#include <QPointer>
#include <cstdlib>
#include <mutex>
#include <set>
#include <signal.h>

namespace {

struct Registry {
    std::mutex mutex;
    std::set<pid_t> groups;
};

// Never destroyed: workers and exit handlers may still use it while static objects are torn down.
Registry& registry() {
    static Registry* r = new Registry;
    return *r;
}

} // namespace

namespace ProcessGroups {

void add(pid_t group) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.groups.insert(group);
}

void remove(pid_t group) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.groups.erase(group);
}

void killAll() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    // A group stays registered until its leader has been reaped, so its id cannot have been reused.
    for (pid_t group : r.groups)
        ::kill(-group, SIGKILL);
}

void installShutdownHooks() {
    static std::once_flag atExit;
    std::call_once(atExit, [] { std::atexit(killAll); });

    // Only ever touched on the application's own thread.
    static QPointer<QCoreApplication> hooked;
    QCoreApplication* app = QCoreApplication::instance();
    if (app && hooked != app) {
        QObject::connect(app, &QCoreApplication::aboutToQuit, app, killAll);
        hooked = app;
    }
}

} // namespace ProcessGroups
