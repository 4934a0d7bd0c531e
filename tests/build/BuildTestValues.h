#pragma once

#include "build/BuildInputs.h"
#include "build/CommandLine.h"
#include "settings/SettingsTable.h"
#include "settings/SettingsValues.h"

// Every flag off and no radio button selected; the viewer window at 100, 100 sized 160 by 160.
inline SettingsValues blankSettings() {
    SettingsValues settings;
    for (const SettingDecl& decl : settingsTable()) {
        if (decl.encoding == SettingEncoding::Flag && decl.choice.isEmpty())
            settings.setFlag(decl.name, false);
    }
    for (const SettingChoice& choice : settingChoices())
        settings.setChoice(choice.name, -1);
    for (const char16_t* name : {u"x", u"y"})
        settings.setNumber(name, 100);
    for (const char16_t* name : {u"width", u"height"})
        settings.setNumber(name, 160);
    return settings;
}

inline void select(SettingsValues& settings, const QString& group, const QString& caption) {
    settings.setChoice(group, findChoice(group)->indexOfCaption(caption));
}

// The project Hello with the tools in C:\SW\ and C:\JDK\ and C:\extra as additional class path.
inline BuildInputs windowsInputs() {
    BuildInputs in;
    in.convention = PathConvention::windows();
    in.paths = {QStringLiteral("C:\\SW\\"), QStringLiteral("C:\\JDK\\"), QStringLiteral("C:\\extra"),
                QString()};
    in.projectDir = QStringLiteral("C:\\Projects\\Hello\\");
    in.projectName = QStringLiteral("Hello");
    return in;
}

inline BuildInputs linuxInputs(const QString& jdk = QStringLiteral("/opt/jdk/")) {
    BuildInputs in;
    in.convention = PathConvention::linux();
    in.paths = {QStringLiteral("/opt/sw/"), jdk, QStringLiteral("/extra"), QString()};
    in.projectDir = QStringLiteral("/home/ann/Hello/");
    in.projectName = QStringLiteral("Hello");
    return in;
}

inline QStringList argv(const QString& line) {
    const CommandLineWords words = splitCommandLine(line);
    return words.ok() ? words.words : QStringList{QStringLiteral("<split error: %1>").arg(words.error)};
}
