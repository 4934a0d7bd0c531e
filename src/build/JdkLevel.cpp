#include "JdkLevel.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <mutex>

namespace {

std::optional<int> leadingNumber(QByteArrayView text) {
    qsizetype digits = 0;
    while (digits < text.size() && digits < 9 && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0)
        return std::nullopt;
    return text.first(digits).toInt();
}

// "17.0.15" gives 17; the old numbering "1.8.0_402" gives 8.
std::optional<int> majorOf(QByteArrayView value) {
    const std::optional<int> first = leadingNumber(value);
    if (!first)
        return std::nullopt;
    if (*first != 1)
        return first;
    // 1.x numbering: the major version is the second number.
    if (value.size() < 3 || value[1] != '.')
        return std::nullopt;
    return leadingNumber(value.sliced(2));
}

std::optional<int> versionFromJavac(const QString& javac) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(javac, {QStringLiteral("-version")}, QIODevice::ReadOnly);
    if (!process.waitForStarted(10000))
        return std::nullopt;
    process.closeWriteChannel();
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    return parseJavacVersion(process.readAll());
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
        return majorOf(value);
    }
    return std::nullopt;
}

std::optional<int> parseJavacVersion(const QByteArray& output) {
    static const QByteArray key = QByteArrayLiteral("javac ");
    for (QByteArray line : output.split('\n')) {
        line = line.trimmed();
        if (line.startsWith(key))
            return majorOf(QByteArrayView(line).sliced(key.size()));
    }
    return std::nullopt;
}

std::optional<int> jdkMajorVersion(const QString& jdkFolder) {
    QString path = jdkFolder;
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    QFile file(path + QStringLiteral("release"));
    if (file.open(QIODevice::ReadOnly)) {
        // The file is a few hundred bytes; a bound keeps a wrong path (a device, a huge file) harmless.
        if (const std::optional<int> major = parseJdkRelease(file.read(64 * 1024)))
            return major;
    }
    // Without a usable release file (a system folder such as /usr/) the compiler says what it is. Asking
    // starts a JVM, so the answer is kept for as long as the compiler file stays the same.
    const QFileInfo javac(path + QStringLiteral("bin/javac"));
    if (!javac.isFile())
        return std::nullopt;
    const QString program = javac.canonicalFilePath();
    const QDateTime stamp = QFileInfo(program).lastModified();
    static std::mutex lock;
    static QHash<QString, std::pair<QDateTime, std::optional<int>>> known;
    {
        std::lock_guard guard(lock);
        const auto found = known.constFind(program);
        if (found != known.constEnd() && found->first == stamp)
            return found->second;
    }
    const std::optional<int> major = versionFromJavac(program);
    std::lock_guard guard(lock);
    known.insert(program, {stamp, major});
    return major;
}

QString javacLevelOptions(std::optional<int> jdkMajor) {
    if (!jdkMajor || *jdkMajor <= 8)
        return QStringLiteral("-source 1.3 -target 1.1");
    const int level = *jdkMajor <= 11 ? 6 : *jdkMajor <= 19 ? 7 : 8;
    return QStringLiteral("-source %1 -target %1").arg(level);
}
