#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The frames the IDE and its warm compiler (tools/warmjavac) exchange over the server's standard input and
// output. Every number is a 32-bit big-endian integer and every text goes with its length, so no argument
// and no compiler message can break a frame.
//   hello   server -> IDE, once:  Magic, 0, 0, length, "ready <java.version>"
//   request IDE -> server:        Magic, id, argument count, then each argument's length and bytes
//   answer  server -> IDE:        Magic, id, exit code, length, the bytes javac wrote
// An exit code of -1 is the server's "not here": the compile must run as the javac program.
namespace warmprotocol {

constexpr quint32 Magic = 0x4B574A31;
// More output than this is no compiler's: the frame is garbage.
constexpr qint32 MaxOutputBytes = 64 * 1024 * 1024;

QByteArray requestFrame(qint32 id, const QList<QByteArray>& arguments);

struct Frame {
    qint32 id = 0;
    qint32 status = 0;
    QByteArray bytes;
};

enum class Take { Incomplete, Complete, Garbage };

// Takes one frame off the front of `buffer` (what the server has written so far). Incomplete leaves the
// buffer as it is; Garbage means the stream cannot be trusted any more.
Take takeFrame(QByteArray& buffer, Frame& frame);

} // namespace warmprotocol

// A javac command line turned into the server's arguments: the words after the program, each as the
// program's argv would hold it, without the launcher's -J-Djavac.pipe.output=true (it changes nothing in
// javac's output). `refusal` says why the command must run as the javac program.
struct WarmArguments {
    QList<QByteArray> arguments;
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};

// `jdkPath` ends with the separator. Refused: another program than <jdk>/bin/javac (oldjavac), any other
// launcher option (-J...), and an environment that makes the JVM print or change something the server's
// JVM would not (JAVA_TOOL_OPTIONS, _JAVA_OPTIONS, JDK_JAVAC_OPTIONS are read by both, but the first two
// make the javac program print a line of its own).
WarmArguments warmArguments(const QString& command, const QString& jdkPath, const QStringList& environment);
