#pragma once

#include <QString>

// The title the user knows the program by: main window caption, custom message dialogs, About window.
QString applicationTitle();

// How the desktop knows the program: the name of its desktop entry ("handwright", which names the icon and
// the program in the task bar, also under Wayland) and the window icon every window inherits.
QString desktopFileName();
void applyDesktopIdentity();

// The copyright line and the GPL's short notice for an interactive program, said by the About window and
// `handwright --version`.
QString copyrightLine();
QString licenceNotice();
