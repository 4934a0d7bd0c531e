#include "DebuggerCommand.h"

#include "build/CommandLine.h"
#include "build/LaunchCommands.h"

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

ProgramStart jdbInTerminal(const QString& terminal, const QString& jdb, const QString& parameters) {
    ProgramStart start;
    const CommandLineWords words = splitCommandLine(parameters);
    if (!words.ok()) {
        start.error = words.error;
        return start;
    }
    start.program = terminal;
    start.arguments << QStringLiteral("-e") << programWord(jdb) << words.words;
    return start;
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
