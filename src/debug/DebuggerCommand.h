#pragma once

#include "build/BuildInputs.h"

#include <QString>
#include <QStringList>

class SettingsValues;

// What "Start Debugger" starts: the JDK's jdb on the applet viewer, or a debugger the user names.
struct DebuggerChoice {
    bool useJdb = true;
    QString program;    // the other debugger, as typed
    QString parameters; // its parameter line, as typed
};

// The class path the debugger runs with: the JDK's runtime, the additional class path, the SuperWaba
// library, the project folder, the SDK's bin folder and its tools, each followed by the list separator.
// The tools' jar is written with a forward slash in every convention, as it always was.
QString debuggerClasspath(const BuildInputs& inputs);

// jdb's parameter line: the viewer class with the window's position and size, the viewer options and the
// project's main class, as the normal start gives them, never with the remote-debugging switch.
QString jdbParameters(const BuildInputs& inputs, const SettingsValues& settings);

// JDK folder + bin/jdb (bin\jdb.exe on Windows).
QString jdbProgram(const BuildInputs& inputs);

// A program with its arguments, ready for a process start without any shell.
struct ProgramStart {
    QString program;
    QStringList arguments;
    QString error; // why the start cannot be made; empty when it can
    bool ok() const { return error.isEmpty(); }
};

// jdb reads commands from its console: it runs inside a terminal window, `terminal -e /bin/sh -c <script>
// sh jdb parameters...`. The fixed script runs jdb with its arguments as they are (positional words, never
// part of the script), then keeps the window open until a key is pressed, so its last words (a class not
// found, the exception that ended the program) can be read. A program path starting with "-" or "@" goes
// as ./path, so nothing takes it for an option. `jdbOptions` go to jdb before the parameters.
ProgramStart jdbInTerminal(const QString& terminal, const QString& jdb, const QString& parameters,
                           const QStringList& jdbOptions = {});
// The script jdbInTerminal gives the shell.
QString keepTerminalOpenScript();

// What keeps jdb from starting (no terminal program, no jdb where the JDK folder says), as a sentence
// that names it; empty when nothing is missing.
QString jdbMissing(const QString& terminal, const QString& jdb);
// The same for the other debugger: nothing named, no such file, not a program, not found on PATH.
QString otherDebuggerMissing(const QString& program);

// The other debugger, started directly: its parameter line split into words without a shell.
ProgramStart otherDebugger(const QString& program, const QString& parameters);

// The terminal program jdb runs in: x-terminal-emulator (the desktop's choice) when it is on PATH, else
// xterm; empty when neither is.
QString findTerminal();
