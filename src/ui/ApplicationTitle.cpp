#include "ApplicationTitle.h"

#include "Artwork.h"

#include <QApplication>

QString applicationTitle() {
    return QStringLiteral("Handwright 1.8");
}

QString desktopFileName() {
    return QStringLiteral("handwright");
}

void applyDesktopIdentity() {
    QGuiApplication::setDesktopFileName(desktopFileName());
    QApplication::setWindowIcon(programIcon());
}

QString copyrightLine() {
    return QStringLiteral("Copyright (C) 2026 Kovrin Handwright developers");
}

QString licenceNotice() {
    return QStringLiteral(
        "This program comes with ABSOLUTELY NO WARRANTY. This is free software, and you are "
        "welcome to redistribute it under the terms of the GNU General Public License, "
        "version 3 or later.");
}
