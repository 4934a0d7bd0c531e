#pragma once

#include "BuildInputs.h"

#include <QString>

class SettingsValues;

// The class path the SuperWaba tools and the applet viewer find their classes on, set as CLASSPATH before
// they start: the JDK's rt.jar, the additional class path, superwaba.jar, SuperWabaTools.jar and the
// project folder, each followed by the list separator.
QString toolClasspath(const BuildInputs& inputs);

// The creator ID goes to Warp, Exegen and the viewer only when it has exactly four characters.
bool creatorIdUsable(const QString& creatorId);

// Warp's options from the settings, each beginning with a space; typed values are one word each.
QString warpOptions(const SettingsValues& settings, const QString& creatorId, const PathConvention& c);
// Exegen's options from the settings, each beginning with a space; typed values are one word each.
QString exegenOptions(const SettingsValues& settings, const QString& creatorId, const PathConvention& c);

// java superwaba.tools.Warp c <options> <project> <classes of the sources> <other files>
QString warpCommandLine(const BuildInputs& inputs, const SettingsValues& settings);
// java superwaba.tools.Exegen <options> <project> <project> <project>
QString exegenCommandLine(const BuildInputs& inputs, const SettingsValues& settings);
