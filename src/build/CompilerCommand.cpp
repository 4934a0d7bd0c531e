#include "CompilerCommand.h"

#include "JdkLevel.h"
#include "settings/SettingsValues.h"

#include <QFile>

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
    // 8-bit sources keep javac's own default, as they always have.
    if (!inputs.utf16Sources.isEmpty())
        line += QStringLiteral(" -encoding UTF-16");
    line += QStringLiteral(" -classpath ");
    line += c.quoted(superWaba + c.relative(QStringLiteral("lib/superwaba.jar")));
    line += c.listSeparator + c.quoted(inputs.paths.classpath);
    line += c.listSeparator + c.quoted(jdk + c.relative(QStringLiteral("jre/lib/rt.jar")));
    line += u' ';
    for (const QString& source : inputs.javaSources)
        line += u' ' + c.fileWord(source);
    return line;
}

QStringList utf16SourcesIn(const QString& projectDir, const QStringList& sources) {
    QStringList utf16;
    for (const QString& source : sources) {
        QFile file(projectDir + source);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray mark = file.read(2);
        if (mark == "\xFF\xFE" || mark == "\xFE\xFF")
            utf16 << source;
    }
    return utf16;
}

QString sourceEncodingProblem(const BuildInputs& inputs) {
    if (inputs.utf16Sources.isEmpty())
        return {};
    QStringList others;
    for (const QString& source : inputs.javaSources) {
        if (!inputs.utf16Sources.contains(source))
            others << source;
    }
    if (others.isEmpty())
        return {};
    const auto names = [](const QStringList& list) {
        return list.join(QStringLiteral(", ")) +
               (list.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are"));
    };
    return QStringLiteral(
               "%1 UTF-16 and %2 not, but javac reads all the sources of a project in one encoding. "
               "Save them in one encoding (UTF-8 or UTF-16) to compile them together.")
        .arg(names(inputs.utf16Sources), names(others));
}
