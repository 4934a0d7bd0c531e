#include "ProcessGroups.h"

#include <QCoreApplication>
#include <QPointer>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
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

bool hasLiveMember(pid_t group) {
    if (::kill(-group, 0) != 0 && errno == ESRCH)
        return false;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return true;
    bool live = false;
    while (const dirent* entry = ::readdir(proc)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9')
            continue;
        char path[300];
        std::snprintf(path, sizeof path, "/proc/%s/stat", entry->d_name);
        FILE* file = std::fopen(path, "re");
        if (!file)
            continue;
        char text[512];
        const size_t size = std::fread(text, 1, sizeof text - 1, file);
        std::fclose(file);
        text[size] = '\0';
        // pid (name) state ppid pgrp ...: the name may hold blanks and parentheses, so from the last ')'.
        const char* rest = std::strrchr(text, ')');
        char state = 0;
        int parent = 0, processGroup = 0;
        if (rest && std::sscanf(rest + 1, " %c %d %d", &state, &parent, &processGroup) == 3 &&
            processGroup == group && state != 'Z' && state != 'X') {
            live = true;
            break;
        }
    }
    ::closedir(proc);
    return live;
}

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
