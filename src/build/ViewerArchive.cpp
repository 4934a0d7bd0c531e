#include "ViewerArchive.h"

#include "CommandLine.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

QString stamp(const QString& path) {
    const QFileInfo info(path);
    return info.canonicalFilePath() + u'|' + QString::number(info.size()) + u'|' +
           QString::number(info.lastModified().toMSecsSinceEpoch()) + u'\n';
}

} // namespace

QString viewerArchiveFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/kovrin");
}

std::optional<ViewerArchive> ViewerArchive::forTools(const QString& jdkPath, const QString& superWabaPath,
                                                     std::optional<int> jdkMajor) {
    if (!jdkMajor || *jdkMajor < 11 || jdkPath.isEmpty())
        return std::nullopt;
    const QString jar = superWabaPath + QStringLiteral("lib/superwaba.jar");
    if (!QFileInfo(jar).isFile() || !QFileInfo(jdkPath + QStringLiteral("bin/java")).isFile() ||
        !QFileInfo(jdkPath + QStringLiteral("lib/modules")).isFile())
        return std::nullopt;
    QString made = stamp(jar);
    for (const char* file : {"release", "lib/modules", "bin/java", "lib/server/libjvm.so"})
        made += stamp(jdkPath + QLatin1String(file));
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(made.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    const QString base = viewerArchiveFolder() + QStringLiteral("/viewer-") + key;
    return ViewerArchive{base + QStringLiteral(".classlist"), base + QStringLiteral(".jsa")};
}

bool ViewerArchive::archiveReady() const {
    return QFileInfo(archive).isFile();
}

bool ViewerArchive::wantsArchive() const {
    return !archiveReady() && QFileInfo(list).isFile();
}

QString ViewerArchive::options() const {
    if (archiveReady())
        return quoteCommandWord(QStringLiteral("-XX:SharedArchiveFile=") + archive) +
               QStringLiteral(" -Xshare:auto -Xlog:cds=off ");
    if (wantsArchive() || !QDir().mkpath(viewerArchiveFolder()))
        return {};
    return quoteCommandWord(QStringLiteral("-XX:DumpLoadedClassList=") + list) + u' ';
}

QString withLauncherOptions(const QString& command, const QString& launcherWord, const QString& options) {
    const QString head = launcherWord + u' ';
    if (options.isEmpty() || !command.startsWith(head))
        return command;
    return head + options + command.mid(head.size());
}

ViewerArchiveMaker::~ViewerArchiveMaker() {
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(2000);
        QFile::remove(m_files.archive + QStringLiteral(".part"));
    }
}

void ViewerArchiveMaker::make(const ViewerArchive& files, const QString& jdkPath) {
    if (m_process || !files.wantsArchive())
        return;
    m_files = files;
    const QString part = files.archive + QStringLiteral(".part");
    QFile::remove(part);
    m_process = new QProcess(this);
    m_process->setProgram(jdkPath + QStringLiteral("bin/java"));
    // No class path at all: the archive then fits whatever class path a start gives the viewer.
    m_process->setArguments(
        {QStringLiteral("-Xshare:dump"), QStringLiteral("-XX:SharedClassListFile=") + files.list,
         QStringLiteral("-XX:SharedArchiveFile=") + part, QStringLiteral("-cp"), QString()});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"CLASSPATH", "JAVA_TOOL_OPTIONS", "_JAVA_OPTIONS", "JDK_JAVA_OPTIONS"})
        environment.remove(QLatin1String(name));
    m_process->setProcessEnvironment(environment);
    m_process->setWorkingDirectory(viewerArchiveFolder());
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, [this, part](int code, QProcess::ExitStatus status) {
        const bool made = status == QProcess::NormalExit && code == 0 && QFileInfo(part).size() > 0;
        if (made) {
            QFile::remove(m_files.archive);
            QFile::rename(part, m_files.archive);
        } else {
            QFile::remove(part);
            QFile::remove(m_files.list);
        }
        m_process->deleteLater();
        m_process = nullptr;
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        QFile::remove(m_files.list);
        m_process->deleteLater();
        m_process = nullptr;
    });
    m_process->start();
}

bool ViewerArchiveMaker::waitForArchive(int milliseconds) {
    if (m_process)
        m_process->waitForFinished(milliseconds);
    return m_files.archiveReady();
}
