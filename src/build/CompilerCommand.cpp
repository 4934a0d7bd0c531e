#include "CompilerCommand.h"

#include "JdkLevel.h"
#include "settings/SettingsValues.h"

CompilerSwitches CompilerSwitches::fromSettings(const SettingsValues& settings) {
    return {settings.flag(u"OldjavaExe"), settings.flag(u"Debug"), settings.flag(u"Optimize")};
}

QString compilerCommandLine(const BuildInputs& inputs, const CompilerSwitches& switches) {
    const PathConvention& c = inputs.convention;
    const QString& jdk = inputs.paths.jdkPath;
    const QString& superWaba = inputs.paths.superWabaPath;

    QString line = c.word(
        jdk + c.relative(switches.oldjavac ? QStringLiteral("bin/oldjavac") : QStringLiteral("bin/javac")));
    line += u' ' + javacLevelOptions(inputs.jdkMajor) + QStringLiteral(" -J-Djavac.pipe.output=true ");
    if (switches.debug)
        line += QStringLiteral(" -g");
    if (switches.optimize)
        line += QStringLiteral(" -O");
    line += QStringLiteral(" -classpath ");
    line += c.quoted(superWaba + c.relative(QStringLiteral("lib/superwaba.jar")));
    line += c.listSeparator + c.quoted(inputs.paths.classpath);
    line += c.listSeparator + c.quoted(jdk + c.relative(QStringLiteral("jre/lib/rt.jar")));
    line += u' ';
    for (const QString& source : inputs.javaSources)
        line += u' ' + c.fileWord(source);
    return line;
}
