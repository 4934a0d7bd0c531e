#include "DebuggerCommand.h"

#include "build/CommandLine.h"
#include "build/LaunchCommands.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString programWord(const QString& program, const PathConvention& c = PathConvention::native()) {
    if (program.startsWith(u'-') || program.startsWith(u'@'))
        return u'.' + QString(c.separator) + program;
    return program;
}

} // namespace

QString debuggerClasspath(const BuildInputs& inputs) {
    const PathConvention& c = inputs.convention;
    const QString& jdk = inputs.paths.jdkPath;
    const QString& superWaba = inputs.paths.superWabaPath;
    const QChar sep = c.listSeparator;
    return jdk + c.relative(QStringLiteral("jre/lib/rt.jar")) + sep + inputs.paths.classpath + sep +
           superWaba + c.relative(QStringLiteral("lib/superwaba.jar")) + sep + inputs.projectDir + sep +
           superWaba + QStringLiteral("bin") + sep + superWaba + QStringLiteral("lib/SuperWabaTools.jar") +
           sep;
}

QString jdbParameters(const BuildInputs& inputs, const SettingsValues& settings) {
    return appletViewerArguments(inputs, settings, RemoteDebugging{false, QString()});
}

QString jdbProgram(const BuildInputs& inputs) {
    return inputs.paths.jdkPath + inputs.convention.executable(QStringLiteral("bin/jdb"));
}

ProgramStart jdbInTerminal(const QString& terminal, const QString& jdb, const QString& parameters,
                           const QStringList& jdbOptions) {
    ProgramStart start;
    const CommandLineWords words = splitCommandLine(parameters);
    if (!words.ok()) {
        start.error = words.error;
        return start;
    }
    start.program = terminal;
    start.arguments << QStringLiteral("-e") << QStringLiteral("/bin/sh") << QStringLiteral("-c")
                    << keepTerminalOpenScript() << QStringLiteral("sh") << programWord(jdb) << jdbOptions
                    << words.words;
    return start;
}

QString keepTerminalOpenScript() {
    // Ctrl+C ends jdb, not the wait after it (a trap with a command is not passed on to jdb). One key
    // without Enter where the terminal allows it.
    return QStringLiteral(
        "trap : INT; \"$@\"; s=$?; "
        "printf '\\n%s ' \"The debugger has ended (exit status $s). Press a key to close this window.\"; "
        "t=$(stty -g 2>/dev/null) && stty -icanon -echo min 1 time 0 2>/dev/null; "
        "dd bs=1 count=1 >/dev/null 2>&1; [ -z \"$t\" ] || stty \"$t\"");
}

QString jdbMissing(const QString& terminal, const QString& jdb) {
    if (!QFileInfo(jdb).isFile() || !QFileInfo(jdb).isExecutable())
        return QStringLiteral("There is no jdb at %1: the JDK folder on the \"Paths\" page of the Settings "
                              "must hold bin/jdb.")
            .arg(jdb);
    if (terminal.isEmpty())
        return QStringLiteral("jdb runs in a terminal window, and neither x-terminal-emulator nor xterm was "
                              "found: install one (the package xterm, for example).");
    return QString();
}

QString otherDebuggerMissing(const QString& program) {
    if (program.trimmed().isEmpty())
        return QStringLiteral("No debugger is named in the \"Debugger\" field of the Debugger Options "
                              "(Compile > Remote Debugging Options...).");
    // A bare name is looked up on PATH, as the start does.
    if (!program.contains(u'/')) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return QStringLiteral("The debugger \"%1\" was not found on the PATH.").arg(program);
        return QString();
    }
    const QFileInfo info(program);
    if (!info.exists())
        return QStringLiteral("The debugger \"%1\" does not exist.").arg(program);
    if (!info.isFile() || !info.isExecutable())
        return QStringLiteral("The debugger \"%1\" is not a program.").arg(program);
    return QString();
}

ProgramStart otherDebugger(const QString& program, const QString& parameters) {
    ProgramStart start;
    const CommandLineWords words = splitCommandLine(parameters);
    if (!words.ok()) {
        start.error = words.error;
        return start;
    }
    start.program = programWord(program);
    start.arguments = words.words;
    return start;
}

QString findTerminal() {
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}
