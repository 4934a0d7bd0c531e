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
// version takes, -g and -O as switched on, "-encoding UTF-16" when the sources are UTF-16 (javac's
// UTF-16 reads either byte order by its mark; 8-bit sources get no option), and a class path of SuperWaba's
// superwaba.jar, the additional class path and the JDK's jre/lib/rt.jar, each in quotes; then the source
// names.
QString compilerCommandLine(const BuildInputs& inputs, const CompilerSwitches& switches);

// The sources (names in projectDir) whose file starts with a UTF-16 byte-order mark, in their order.
QStringList utf16SourcesIn(const QString& projectDir, const QStringList& sources);

// Why the sources cannot be compiled in one javac run: some are UTF-16 and others are not. Empty when
// they can.
QString sourceEncodingProblem(const BuildInputs& inputs);
