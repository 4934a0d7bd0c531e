#include "ApplicationTitle.h"

QString applicationTitle() {
    return QStringLiteral("Handwright 1.8");
}
