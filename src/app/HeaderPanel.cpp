#include "HeaderPanel.h"

#include <QMouseEvent>

void HeaderPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}
