#pragma once

#include "DebuggerCommand.h"

#include <QString>
#include <QStringList>
#include <functional>

class SettingsValues;

// What the debugger start needs from the main window, read at the moment of use.
class DebuggerHost {
public:
    virtual ~DebuggerHost() = default;
    // The project's main class is open; says so to the user when it is not.
    virtual bool mainClassPresent() = 0;
    virtual void clearCompileError() = 0;
    virtual void saveAll() = 0;
    virtual BuildInputs buildInputs() const = 0;
    virtual const SettingsValues& settings() const = 0;
    virtual DebuggerChoice debuggerChoice() const = 0;
    // Typed parameters that cannot be split into words (an open quote).
    virtual void reportBadParameters(const QString& why) = 0;
    // Nothing was started: what is missing, or that the start failed, in a sentence.
    virtual void reportNotStarted(const QString& why) = 0;
    // jdb's commands before `run`: "stop at Class:line" for the project's breakpoints (read after the
    // save); none by default.
    virtual QStringList jdbCommands() const { return {}; }
    // The folder of the jdb.ini that holds them, and the home whose own jdb.ini it reads on.
    virtual QString jdbStartupFolder() const;
    virtual QString userHome() const;
};

// Starts a program detached, in the given working folder, with the environment as it is at the call.
// Returns whether it started.
using ProgramStarter = std::function<bool(const ProgramStart& start, const QString& workingFolder)>;
bool startDetached(const ProgramStart& start, const QString& workingFolder);

// "Start Debugger": checks the main class, sets CLASSPATH for the debugger, saves everything, starts jdb
// in a terminal (or the other debugger) in the program's current folder, then puts CLASSPATH back as it
// was. The started debugger keeps its own copy. Returns whether a debugger was started; when none was,
// the host is told what is missing (no terminal, no jdb, no such debugger) or that the start failed.
bool startDebugger(DebuggerHost& host, const ProgramStarter& starter = startDetached,
                   const QString& terminal = findTerminal());
