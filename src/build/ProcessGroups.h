#pragma once

#include <sys/types.h>

// Every child a runner starts leads a process group of its own. The groups still alive are kept here so
// that all of them, the children's children included, can be killed when the program closes: on
// QCoreApplication::aboutToQuit and again at exit.
namespace ProcessGroups {

void add(pid_t group);
void remove(pid_t group);

// Whether a process of `group` still runs. One that has ended and only waits to be reaped counts as gone:
// it can do nothing more, and an orphan's reaper (init, or a container's first process) may take seconds.
bool hasLiveMember(pid_t group);

// Sends SIGKILL to every group still registered; the runners reap their children themselves.
void killAll();

// Connects killAll to the running application's aboutToQuit and to exit; safe to call often.
void installShutdownHooks();

} // namespace ProcessGroups
