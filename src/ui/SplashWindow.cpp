#include "SplashWindow.h"

#include "Artwork.h"

#include <QLabel>

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("Form14");
    setWindowTitle("Kovrin Handwright");
    setFixedSize(402, 298);
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(splashPicture());
    picture->setGeometry(0, 0, 401, 297);
}
