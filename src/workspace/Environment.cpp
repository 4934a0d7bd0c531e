#include "Environment.h"

#include <QtGlobal>

QString getEnvironmentValue(const QString& name) {
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

bool setEnvironmentValue(const QString& name, const QString& value) {
    const QByteArray key = name.toLocal8Bit();
    if (value.isEmpty())
        return qunsetenv(key.constData());
    return qputenv(key.constData(), value.toLocal8Bit());
}
