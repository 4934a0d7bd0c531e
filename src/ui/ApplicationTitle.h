#pragma once

#include <QString>

// The title the user knows the program by: main window caption, custom message dialogs, About window.
QString applicationTitle();

// The copyright line and the GPL's short notice for an interactive program, said by the About window and
// `handwright --version`.
QString copyrightLine();
QString licenceNotice();
