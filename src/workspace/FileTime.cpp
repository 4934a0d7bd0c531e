#include "FileTime.h"

#include <QDateTime>
#include <QFileInfo>

QString fileTimeText(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QDateTime stamp = info.lastModified();
    const QTime t = stamp.time();
    const QTime even(t.hour(), t.minute(), t.second() - t.second() % 2);
    return stamp.date().toString(QStringLiteral("yyyy-MM-dd ")) + even.toString(QStringLiteral("HH:mm:ss"));
}
