#pragma once

// SIGTERM, SIGHUP and SIGINT end the program the way leaving its event loop does rather than on the spot:
// every event loop returns (the main one with 128 + the signal number) and the usual shutdown runs, which
// kills every child's process group; from the signal on, messages go to standard error instead of waiting
// on a modal box. A second such signal meets the default action and ends the program
// at once. A signal the program was started to ignore (nohup) stays ignored. Call once the application
// object exists.
namespace ShutdownSignals {

void install();

} // namespace ShutdownSignals
