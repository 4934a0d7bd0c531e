#pragma once

#include <QIcon>
#include <QPixmap>

// Our own pictures for the splash and About windows, painted at run time so no binary asset is needed.
QPixmap splashPicture(); // 401 x 297
QPixmap aboutPicture();  // 200 x 382
// The window icon: the installed theme's "handwright" when there is one, else the handheld painted here.
QIcon programIcon();
