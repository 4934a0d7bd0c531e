#include "JdkLevel.h"

#include <QFile>

namespace {

std::optional<int> leadingNumber(QByteArrayView text) {
    qsizetype digits = 0;
    while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0)
        return std::nullopt;
    return text.first(digits).toInt();
}

} // namespace

std::optional<int> parseJdkRelease(const QByteArray& releaseText) {
    static const QByteArray key = QByteArrayLiteral("JAVA_VERSION=");
    for (QByteArray line : releaseText.split('\n')) {
        line = line.trimmed();
        if (!line.startsWith(key))
            continue;
        QByteArray value = line.mid(key.size());
        if (value.startsWith('"'))
            value = value.mid(1);
        const std::optional<int> first = leadingNumber(value);
        if (!first)
            return std::nullopt;
        if (*first != 1)
            return first;
        // 1.x numbering: the major version is the second number.
        if (value.size() < 3 || value[1] != '.')
            return std::nullopt;
        return leadingNumber(QByteArrayView(value).sliced(2));
    }
    return std::nullopt;
}

std::optional<int> jdkMajorVersion(const QString& jdkFolder) {
    QString path = jdkFolder;
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    QFile file(path + QStringLiteral("release"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The file is a few hundred bytes; a bound keeps a wrong path (a device, a huge file) harmless.
    return parseJdkRelease(file.read(64 * 1024));
}

QString javacLevelOptions(std::optional<int> jdkMajor) {
    if (!jdkMajor || *jdkMajor <= 8)
        return QStringLiteral("-source 1.3 -target 1.1");
    const int level = *jdkMajor <= 11 ? 6 : *jdkMajor <= 19 ? 7 : 8;
    return QStringLiteral("-source %1 -target %1").arg(level);
}
