#include "SdkToolchain.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace sdktest {

namespace {

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n')) {
        const QString text = QString::fromLocal8Bit(line).remove(QLatin1Char('\r'));
        if (!text.isEmpty())
            lines << text;
    }
    return lines;
}

bool hasCompiler(const QString& jdk) {
    return !jdk.isEmpty() && QFileInfo(jdk + QStringLiteral("/bin/javac")).isExecutable();
}

} // namespace

QString testBinaryFolder() {
    return QCoreApplication::applicationDirPath();
}

QString sdkLibFolder() {
    return QDir::cleanPath(testBinaryFolder() + QStringLiteral("/../sdk/lib"));
}

QString superwabaJar() {
    return sdkLibFolder() + QStringLiteral("/superwaba.jar");
}

QString toolsJar() {
    return sdkLibFolder() + QStringLiteral("/SuperWabaTools.jar");
}

QString jdkHome() {
    const QString fromEnvironment = qEnvironmentVariable("JAVA_HOME");
    if (hasCompiler(fromEnvironment))
        return fromEnvironment;
    if (hasCompiler(QStringLiteral("/usr/lib/jvm/default-java")))
        return QStringLiteral("/usr/lib/jvm/default-java");
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    if (javac.isEmpty())
        return {};
    // <jdk>/bin/javac, usually reached through links.
    const QString home =
        QFileInfo(QFileInfo(javac).canonicalFilePath()).dir().absoluteFilePath(QStringLiteral(".."));
    return hasCompiler(QDir::cleanPath(home)) ? QDir::cleanPath(home) : QString();
}

int jdkMajorVersion(const QString& jdk) {
    QFile release(jdk + QStringLiteral("/release"));
    if (!release.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression version(QStringLiteral("JAVA_VERSION=\"(?:1\\.)?(\\d+)"));
    const QRegularExpressionMatch match = version.match(QString::fromLatin1(release.readAll()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QProcessEnvironment classPathEnvironment(const QStringList& entries) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLASSPATH"), entries.join(QLatin1Char(':')));
    return environment;
}

ToolResult run(const QString& program, const QStringList& args, const QString& workFolder,
               const QProcessEnvironment& environment, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(workFolder);
    process.setProcessEnvironment(environment);
    process.start(program, args);
    ToolResult result;
    if (!process.waitForStarted(timeoutMs))
        return result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    } else {
        result.finished = process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
    }
    result.lines = splitLines(process.readAll());
    return result;
}

bool waitForLine(QProcess& process, QStringList& lines, const std::function<bool(const QString&)>& predicate,
                 int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QByteArray pending;
    while (!deadline.hasExpired()) {
        if (process.state() == QProcess::NotRunning && process.bytesAvailable() == 0)
            return false;
        process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 200)));
        pending += process.readAll();
        const qsizetype end = pending.lastIndexOf('\n');
        if (end < 0)
            continue;
        const QStringList complete = splitLines(pending.left(end + 1));
        pending.remove(0, end + 1);
        for (const QString& line : complete) {
            lines << line;
            if (predicate(line))
                return true;
        }
    }
    return false;
}

bool copyExample(const QString& name, const QString& target) {
    const QDir source(QStringLiteral(HW_SOURCE_DIR "/examples/") + name);
    const QStringList files = source.entryList(QDir::Files);
    if (files.isEmpty())
        return false;
    for (const QString& file : files)
        if (!QFile::copy(source.filePath(file), QDir(target).filePath(file)))
            return false;
    return true;
}

ToolResult compileExample(const QString& name, const QString& target, int level) {
    if (!copyExample(name, target))
        return {};
    const QStringList sources = QDir(target).entryList({QStringLiteral("*.java")}, QDir::Files, QDir::Name);
    const QString levelText = QString::number(level);
    return run(jdkHome() + QStringLiteral("/bin/javac"),
               QStringList{QStringLiteral("-source"), levelText, QStringLiteral("-target"), levelText,
                           QStringLiteral("-classpath"), superwabaJar()} +
                   sources,
               target);
}

bool containsMarker(const QString& line) {
    return line.contains(QStringLiteral("Warning!")) || line.contains(QStringLiteral("IMPORTANT")) ||
           line.contains(QStringLiteral("ERROR:"));
}

} // namespace sdktest
