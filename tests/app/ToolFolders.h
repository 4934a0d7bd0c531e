#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

// The folders the end-to-end tests build with: the stand-in SDK in <build>/sdk/ (beside <build>/tests,
// where the test program runs) and the JDK that `javac` on PATH belongs to. Both end with "/"; the JDK is
// empty when there is no javac.
inline QString sdkFolder() {
    return QDir(QCoreApplication::applicationDirPath() + "/../sdk").canonicalPath() + "/";
}

inline QString jdkFolder() {
    const QString javac = QStandardPaths::findExecutable("javac");
    if (javac.isEmpty())
        return {};
    return QDir(QFileInfo(QFileInfo(javac).canonicalFilePath()).absolutePath() + "/..").canonicalPath() + "/";
}
