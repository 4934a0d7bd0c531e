#include "PackagingCommands.h"

#include "settings/SettingsValues.h"

namespace {

// One option: present when `flag` is on, written as `piece` followed by the text of `value` if any.
// A row without a flag stands for the creator ID.
struct OptionRow {
    const char16_t* flag;
    const char* piece;
    const char16_t* value;
};

constexpr OptionRow warpRows[] = {
    {u"WarpCopyProtection", " /$", nullptr},
    {u"WarpRecurse", " /r", nullptr},
    {u"LEL", " /ll", nullptr},
    {u"GEL", " /lg", nullptr},
    {nullptr, " /c ", nullptr},
    {u"Exclude", " /x ", u"ExcludeText"},
};

constexpr OptionRow exegenRows[] = {
    {u"ExegenCopyProtection", " /$", nullptr},
    {nullptr, " /c ", nullptr},
    {u"Exefiles", " /e", nullptr},
    {u"Version", " /v ", u"VersionText"},
    {u"AppFolder", " /P ", u"AppFolderValue"},
    {u"CabFiles", " /Z", nullptr},
    {u"WindowTitle", " /T ", u"WindowTitleName"},
    {u"minimizeCE", " /M", nullptr},
    {u"16bpp", " /16", nullptr},
    {u"HideCEMenu", " /t", nullptr},
    {u"EpocSymbianIDAct", " /0x ", u"EpocSymbianID"},
    {u"Fullscreen", " /F", nullptr},
    {u"InstallerPalm", " /INST", nullptr},
    {u"CreateLink", " /LNK", nullptr},
    {u"CreateLinuxScript", " /SH", nullptr},
    {u"CreateSymbianInstall", " /SIS", nullptr},
};

template <size_t N>
QString options(const OptionRow (&rows)[N], const SettingsValues& settings, const QString& creatorId,
                const PathConvention& c) {
    QString result;
    for (const OptionRow& row : rows) {
        if (!row.flag) {
            if (creatorIdUsable(creatorId))
                result += QLatin1String(row.piece) + c.textWord(creatorId);
            continue;
        }
        if (!settings.flag(row.flag))
            continue;
        result += QLatin1String(row.piece);
        if (row.value)
            result += c.textWord(settings.text(row.value));
    }
    return result;
}

// The launcher with the blank that ends its piece; the tool's class name brings a second one.
QString javaLauncher(const BuildInputs& inputs) {
    const PathConvention& c = inputs.convention;
    return c.word(inputs.paths.jdkPath + c.executable(QStringLiteral("bin/java"))) + u' ';
}

} // namespace

QString toolClasspath(const BuildInputs& inputs) {
    const PathConvention& c = inputs.convention;
    const QString& superWaba = inputs.paths.superWabaPath;
    const QChar sep = c.listSeparator;
    return inputs.paths.jdkPath + c.relative(QStringLiteral("jre/lib/rt.jar")) + sep +
           inputs.paths.classpath + sep + superWaba + c.relative(QStringLiteral("lib/superwaba.jar")) + sep +
           superWaba + c.relative(QStringLiteral("lib/SuperWabaTools.jar")) + sep + inputs.projectDir + sep;
}

bool creatorIdUsable(const QString& creatorId) {
    return creatorId.size() == 4;
}

QString warpOptions(const SettingsValues& settings, const QString& creatorId, const PathConvention& c) {
    return options(warpRows, settings, creatorId, c);
}

QString exegenOptions(const SettingsValues& settings, const QString& creatorId, const PathConvention& c) {
    return options(exegenRows, settings, creatorId, c);
}

QString warpCommandLine(const BuildInputs& inputs, const SettingsValues& settings) {
    const PathConvention& c = inputs.convention;
    QString line = javaLauncher(inputs) + QStringLiteral(" superwaba.tools.Warp c ") +
                   warpOptions(settings, inputs.creatorId, c) + u' ' + c.fileWord(inputs.projectName);
    for (const QString& source : inputs.javaSources)
        line += u' ' + c.fileWord(source.left(qMax(0, source.size() - 5)) + QStringLiteral(".class"));
    for (const QString& other : inputs.otherFiles)
        line += u' ' + c.fileWord(other);
    return line;
}

QString exegenCommandLine(const BuildInputs& inputs, const SettingsValues& settings) {
    const PathConvention& c = inputs.convention;
    // The first name is the .prc file's; the others name the main class and the class database.
    const QString project = c.word(inputs.projectName);
    return javaLauncher(inputs) + QStringLiteral(" superwaba.tools.Exegen ") +
           exegenOptions(settings, inputs.creatorId, c) + u' ' + c.fileWord(inputs.projectName) + u' ' +
           project + u' ' + project;
}
