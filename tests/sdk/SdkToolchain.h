#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

class QProcess;

// Finds the built stand-in SDK and the JDK, and runs their programs as a user would: as child processes
// with a working folder and an environment, never through a shell.
namespace sdktest {

struct ToolResult {
    bool finished = false; // false when the program did not start or did not end in time
    int exitCode = -1;
    QStringList lines; // standard output and error, non-empty lines without line ends
};

// <build>/sdk/lib, found from the test program in <build>/tests.
QString sdkLibFolder();
QString superwabaJar();
QString toolsJar();
// <build>/tests, where the test-only viewer driver jar lands.
QString testBinaryFolder();

// The JDK: $JAVA_HOME, else /usr/lib/jvm/default-java, else the one whose javac is on PATH; empty if none.
QString jdkHome();
// The major version from <jdk>/release, or 0 when unknown.
int jdkMajorVersion(const QString& jdk);

// An environment whose CLASSPATH is the given entries, joined with ':'.
QProcessEnvironment classPathEnvironment(const QStringList& entries);

ToolResult run(const QString& program, const QStringList& args, const QString& workFolder,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
               int timeoutMs = 60000);

// Reads lines from a running process until one satisfies the predicate or the time is up; every line read
// is appended to lines. Returns whether such a line came.
bool waitForLine(QProcess& process, QStringList& lines, const std::function<bool(const QString&)>& predicate,
                 int timeoutMs);

// Copies every file of the source folder examples/<name> into target.
bool copyExample(const QString& name, const QString& target);

// Copies the example into target and compiles its sources there with the JDK's javac at the given
// source and target level against superwaba.jar.
ToolResult compileExample(const QString& name, const QString& target, int level);

bool containsMarker(const QString& line);

} // namespace sdktest
