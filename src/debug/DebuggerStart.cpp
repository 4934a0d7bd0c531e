#include "DebuggerStart.h"

#include "DebuggerBreakpoints.h"
#include "workspace/Environment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString kClasspath = QStringLiteral("CLASSPATH");

// Builds what to start, or says in `missing` what keeps it from starting.
ProgramStart debuggerStart(DebuggerHost& host, const QString& terminal, QString& missing) {
    const DebuggerChoice choice = host.debuggerChoice();
    if (!choice.useJdb) {
        missing = otherDebuggerMissing(choice.program);
        return missing.isEmpty() ? otherDebugger(choice.program, choice.parameters) : ProgramStart();
    }
    const BuildInputs inputs = host.buildInputs();
    const QString jdb = jdbProgram(inputs);
    // A terminal with nothing to run would flash and close: a missing jdb starts nothing at all.
    missing = jdbMissing(terminal, jdb);
    if (!missing.isEmpty())
        return {};
    QStringList options;
    if (const QStringList commands = host.jdbCommands(); !commands.isEmpty()) {
        const JdbStartup startup = writeJdbStartup(commands, host.jdbStartupFolder(), host.userHome());
        // Started without them, the program would run past every breakpoint the user set.
        missing = startup.error;
        if (!missing.isEmpty())
            return {};
        options = startup.options;
    }
    return jdbInTerminal(terminal, jdb, jdbParameters(inputs, host.settings()), options);
}

} // namespace

QString DebuggerHost::jdbStartupFolder() const {
    return ::jdbStartupFolder();
}

QString DebuggerHost::userHome() const {
    return QDir::homePath();
}

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
    QString missing;
    const ProgramStart start = debuggerStart(host, terminal, missing);
    bool started = false;
    if (!missing.isEmpty())
        host.reportNotStarted(missing);
    else if (!start.ok())
        host.reportBadParameters(start.error);
    else if (!starter(start, QDir::currentPath()))
        host.reportNotStarted(QStringLiteral("%1 could not be started.").arg(start.program));
    else
        started = true;
    setEnvironmentValue(kClasspath, saved);
    return started;
}
