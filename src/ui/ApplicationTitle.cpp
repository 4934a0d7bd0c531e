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
