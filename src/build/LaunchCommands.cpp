#include "LaunchCommands.h"

#include "settings/SettingsValues.h"

#include <algorithm>

namespace {

// The first caption of `allowed` that the group has selected, or empty.
QString selectedOf(const SettingsValues& settings, QStringView group,
                   std::initializer_list<QStringView> allowed) {
    const QString selected = settings.choiceText(group);
    for (QStringView caption : allowed) {
        if (selected == caption)
            return selected;
    }
    return QString();
}

} // namespace

QString appletViewerOptions(const SettingsValues& settings, const QString& creatorId,
                            const PathConvention& c) {
    QString options;
    if (settings.flag(u"PalmOSStyle"))
        options += QStringLiteral("/uiStyle PalmOS ");
    if (settings.flag(u"UseSonyFonts"))
        options += QStringLiteral("/UseSonyFonts ");
    if (settings.flag(u"Color"))
        options += QStringLiteral("/color ");
    // 16 and 24 bits are the viewer's own default: no option for them.
    if (const QString bpp = selectedOf(settings, u"ColorDepth", {u"2", u"4", u"8"}); !bpp.isEmpty())
        options += QStringLiteral("/bpp ") + bpp + u' ';
    if (settings.flag(u"useID"))
        options += QStringLiteral("/crid ") + c.textWord(creatorId) + u' ';
    if (const QString cmdLine = settings.text(u"CmdLine"); !cmdLine.isEmpty())
        options += QStringLiteral("/cmdLine ") + c.textWord(cmdLine) + u' ';
    if (const QString scale = selectedOf(settings, u"Scale", {u"1", u"2", u"3", u"4"}); !scale.isEmpty())
        options += QStringLiteral("/scale ") + scale + u' ';
    return options;
}

QString appletViewerArguments(const BuildInputs& inputs, const SettingsValues& settings,
                              const RemoteDebugging& debugging) {
    QString arguments;
    if (debugging.enabled)
        arguments =
            QStringLiteral("-Xdebug -Xnoagent ") +
            inputs.convention.word(QStringLiteral("-Xrunjdwp:transport=dt_socket,address=") +
                                   debugging.address.trimmed() + QStringLiteral(",server=y,suspend=n")) +
            u' ';
    arguments += QStringLiteral("waba.applet.Applet /x %1 /y %2 /w %3 /h %4 ")
                     .arg(settings.number(u"x"))
                     .arg(settings.number(u"y"))
                     .arg(settings.number(u"width"))
                     .arg(settings.number(u"height"));
    return arguments + appletViewerOptions(settings, inputs.creatorId, inputs.convention) +
           inputs.convention.word(inputs.projectName);
}

QString remoteDebuggingProblem(const RemoteDebugging& debugging) {
    const QString address = debugging.address.trimmed();
    if (!debugging.enabled ||
        !std::any_of(address.begin(), address.end(), [](QChar c) { return c.isSpace(); }))
        return QString();
    return QStringLiteral("The applet viewer is not started: the remote-debugging \"Port\" \"%1\" holds a "
                          "blank (Compile > Remote Debugging Options...).")
        .arg(address);
}

QString appletViewerCommandLine(const BuildInputs& inputs, const SettingsValues& settings,
                                const RemoteDebugging& debugging) {
    const PathConvention& c = inputs.convention;
    const QString launcher = c.executable(settings.flag(u"OldjavaExe") ? QStringLiteral("bin/oldjava")
                                                                       : QStringLiteral("bin/java"));
    return c.word(inputs.paths.jdkPath + launcher) + u' ' +
           appletViewerArguments(inputs, settings, debugging);
}

QString palmEmulatorParameters(const BuildInputs& inputs) {
    const QString package = inputs.projectDir + inputs.projectName;
    return QStringLiteral(" -load_apps ") +
           inputs.convention.fileWord(package + QStringLiteral(".prc,") + package + QStringLiteral(".pdb")) +
           QStringLiteral(" -run_app ") + inputs.convention.word(inputs.projectName);
}

int palmWaitSeconds(int delay) {
    return delay + 1;
}

QString palmWaitingText(PalmTarget target, int seconds) {
    return QStringLiteral("Waiting %1 second(s) to start the %2")
        .arg(seconds)
        .arg(target == PalmTarget::Emulator ? QStringLiteral("Palm Emulator")
                                            : QStringLiteral("Palm Simulator"));
}
