#include "DebuggerStart.h"

#include "workspace/Environment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString kClasspath = QStringLiteral("CLASSPATH");

// Builds what to start; an empty program means nothing can be started.
ProgramStart debuggerStart(DebuggerHost& host, const QString& terminal) {
    const DebuggerChoice choice = host.debuggerChoice();
    if (!choice.useJdb)
        return otherDebugger(choice.program, choice.parameters);
    const BuildInputs inputs = host.buildInputs();
    const QString jdb = jdbProgram(inputs);
    // A terminal with nothing to run would flash and close: a missing jdb starts nothing at all.
    if (terminal.isEmpty() || !QFileInfo(jdb).isExecutable())
        return {};
    return jdbInTerminal(terminal, jdb, jdbParameters(inputs, host.settings()));
}

} // namespace

bool startDetached(const ProgramStart& start, const QString& workingFolder) {
    if (start.program.isEmpty())
        return false;
    QProcess process;
    process.setProgram(start.program);
    process.setArguments(start.arguments);
    process.setWorkingDirectory(workingFolder);
    process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

bool startDebugger(DebuggerHost& host, const ProgramStarter& starter, const QString& terminal) {
    if (!host.mainClassPresent())
        return false;
    const QString saved = getEnvironmentValue(kClasspath);
    setEnvironmentValue(kClasspath, debuggerClasspath(host.buildInputs()));
    host.clearCompileError();
    host.saveAll();
    const ProgramStart start = debuggerStart(host, terminal);
    bool started = false;
    if (!start.ok())
        host.reportBadParameters(start.error);
    else if (!start.program.isEmpty())
        started = starter(start, QDir::currentPath());
    setEnvironmentValue(kClasspath, saved);
    return started;
}
