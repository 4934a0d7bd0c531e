#include "DebugInterface.h"

DebugInterface::DebugInterface(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Debug Interface"));
}
