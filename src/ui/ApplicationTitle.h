#pragma once

#include <QString>

// The title the user knows the program by: main window caption, custom message dialogs, About window.
QString applicationTitle();
