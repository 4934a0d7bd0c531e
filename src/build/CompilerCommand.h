#pragma once

#include "BuildInputs.h"

#include <QString>

class SettingsValues;

// The compiler switches that come from the settings (Debug, Optimize, OldjavaExe).
struct CompilerSwitches {
    bool oldjavac = false;
    bool debug = false;
    bool optimize = false;

    static CompilerSwitches fromSettings(const SettingsValues& settings);
};

// The javac command line for the project's Java sources: the JDK's compiler with the language level its
// version takes, -g and -O as switched on, and a class path of SuperWaba's superwaba.jar, the additional
// class path and the JDK's jre/lib/rt.jar, each in quotes; then the source names.
QString compilerCommandLine(const BuildInputs& inputs, const CompilerSwitches& switches);
