#include "SettingsRules.h"

#include "workspace/PathHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace SettingsRules {

namespace {

bool fileUnder(const QString& folder, const QString& relative) {
    return !folder.isEmpty() && QFileInfo(withBackslash(folder) + relative).isFile();
}

} // namespace

bool isSuperWabaFolder(const QString& folder) {
    return fileUnder(folder, QStringLiteral("lib/SuperWabaTools.jar"));
}

bool isJdkFolder(const QString& folder) {
    return fileUnder(folder, QStringLiteral("bin/java"));
}

bool hasOldJava(const QString& folder) {
    return fileUnder(folder, QStringLiteral("bin/oldjava"));
}

bool programExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString appendClassPathFolder(const QString& list, const QString& folder, QChar listSeparator) {
    return list.isEmpty() ? folder : list + listSeparator + folder;
}

QStringList runTargets(const QString& emulatorPath, const QString& simulatorPath) {
    QStringList targets{QStringLiteral("Java")};
    if (!emulatorPath.isEmpty())
        targets << QStringLiteral("Palm Emulator");
    if (!simulatorPath.isEmpty())
        targets << QStringLiteral("Palm Simulator");
    return targets;
}

QString runTargetToShow(const QStringList& targets, const QString& shownBefore) {
    return targets.contains(shownBefore) ? shownBefore : QStringLiteral("Java");
}

QString detectJdkFolder() {
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    if (javac.isEmpty())
        return {};
    // /usr/bin/javac -> /etc/alternatives/javac -> <jdk>/bin/javac
    const QString real = QFileInfo(javac).canonicalFilePath();
    if (real.isEmpty())
        return {};
    const QString jdk = QDir::cleanPath(QFileInfo(real).absolutePath() + QStringLiteral("/.."));
    return isJdkFolder(jdk) ? withBackslash(jdk) : QString();
}

QString bundledSdkFolder(const QString& programFolder) {
    const QFileInfo program(programFolder);
    QString sdk;
    if (program.fileName() == QLatin1String("bin"))
        sdk = programFolder + QStringLiteral("/../sdk");
    else if (program.fileName() == QLatin1String("handwright") &&
             program.dir().dirName() == QLatin1String("lib"))
        sdk = programFolder + QStringLiteral("/../../share/handwright/sdk");
    else
        return {};
    sdk = QDir::cleanPath(sdk);
    return isSuperWabaFolder(sdk) ? withBackslash(sdk) : QString();
}

QString wrongFolderMessage(const QString& folder, const QString& missingFile) {
    return QStringLiteral("This is not the correct folder. Try it again.\n\nThe file %1%2 is missing.")
        .arg(withBackslash(folder), missingFile);
}

QString missingJdkMessage() {
    // The applet viewer is an AWT window, which a headless JDK cannot open: the full one is named.
    return QStringLiteral("No JDK was found: there is no javac on PATH, and no JDK folder is set. To compile "
                          "and run programs, install a JDK (on Debian: sudo apt-get install openjdk-17-jdk), "
                          "then start Kovrin Handwright again or set \"JDK Path:\" on the \"Paths\" page of "
                          "Project > Settings....");
}

std::optional<QString> documentationToReload(const QString& pathAtShowing, const QString& pathNow) {
    if (pathNow == pathAtShowing || pathNow.isEmpty())
        return std::nullopt;
    const QString page = withBackslash(pathNow) + QStringLiteral("doc/index.html");
    if (!QFileInfo(page).isFile())
        return std::nullopt;
    return QUrl::fromLocalFile(page).toString();
}

} // namespace SettingsRules
