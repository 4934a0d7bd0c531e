#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class BreakpointSet;

// The package a Java source declares ("a.b" for "package a.b;"), comments and blanks skipped; empty for
// the default package, and when the declaration cannot be read.
QString javaPackage(const QStringList& lines);

// The class jdb knows a source's breakpoints by: the package and the file's name without ".java"
// ("a.b.Foo" for "sub/Foo.java" in package a.b). Empty when that is no Java name, so nothing of a file
// name that is not one reaches the debugger.
QString javaClassName(const QString& fileName, const QString& package);

// jdb's "stop at Class:line" for every breakpoint whose source `sourceLines` knows (its lines, or nothing
// for a file that is not a source of the project); sorted by class and line.
using SourceLinesLookup = std::function<std::optional<QStringList>(const QString& fileName)>;
QStringList stopCommands(const BreakpointSet& breakpoints, const SourceLinesLookup& sourceLines);

// jdb reads jdb.ini from user.home first, then from its working folder. The commands go into a jdb.ini
// of ours in `folder` (made, for this user alone, when missing), given to jdb's own JVM as its user.home,
// so that no file of the user's is written. The user's own ~/jdb.ini (or ~/.jdbrc) in `userHome` is read
// after ours. `options` are jdb's options for that; `error` says why the file could not be written.
struct JdbStartup {
    QStringList options;
    QString error;
};
JdbStartup writeJdbStartup(const QStringList& commands, const QString& folder, const QString& userHome);

// The folder of our jdb.ini: "kovrin/jdb-<pid>" in the user's runtime folder.
QString jdbStartupFolder();
