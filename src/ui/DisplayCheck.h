#pragma once

#include <QString>

// Without a display Qt ends the program with an abort, a core and advice to reinstall it. These say in
// one line what is missing instead, and end the program with exit code 1.

// The reason no window can open, judged from the environment alone before the application object
// exists: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM and no -platform or -display option. Empty
// when a display may be there.
QString missingDisplayReason(bool displayOptionGiven);

// While one exists, Qt's fatal message about a platform plugin that cannot start (a DISPLAY that leads
// nowhere, say) prints one line on standard error and ends the program with exit code 1; the plugin's
// messages before it are folded into that line.
class PlatformStartGuard {
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};
