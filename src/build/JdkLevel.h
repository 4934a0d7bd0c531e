#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The major version in the text of a JDK's "release" file: JAVA_VERSION="17.0.15" gives 17, the old
// numbering "1.8.0_402" gives 8. Nothing when the line is missing or holds no version.
std::optional<int> parseJdkRelease(const QByteArray& releaseText);

// The major version in the output of "javac -version": "javac 17.0.15" gives 17, "javac 1.8.0_402" 8.
// Nothing when no such line is there (old compilers do not know the option).
std::optional<int> parseJavacVersion(const QByteArray& output);

// Reads <jdkFolder>/release; when that is missing or names no version, asks <jdkFolder>/bin/javac
// -version. Nothing when neither tells.
std::optional<int> jdkMajorVersion(const QString& jdkFolder);

// The javac language level options. Old JDKs (up to 8, or unknown) get "-source 1.3 -target 1.1", which
// newer ones refuse; those get the oldest level they still accept: 9 to 11 take 6, 12 to 19 take 7,
// 20 and later take 8.
QString javacLevelOptions(std::optional<int> jdkMajor);
