#pragma once

#include <functional>

class QObject;

// SIGTERM, SIGHUP and SIGINT end the program the way leaving its event loop does rather than on the spot:
// every event loop returns (the main one with 128 + the signal number) and the usual shutdown runs, which
// kills every child's process group; from the signal on, messages go to standard error instead of waiting
// on a modal box. A second such signal meets the default action and ends the program
// at once. A signal the program was started to ignore (nohup) stays ignored. Call once the application
// object exists.
namespace ShutdownSignals {

void install();

// Runs `task` on the user-interface thread when such a signal arrives, before any event loop ends: for
// what must reach the disk whatever the rest of the shutdown does. Tasks run in the order they were
// added; one whose `context` is gone is skipped.
void addBeforeExit(QObject* context, std::function<void()> task);

} // namespace ShutdownSignals
