#include "DebugInterface.h"

TForm10::TForm10(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Debug Interface"));
}
