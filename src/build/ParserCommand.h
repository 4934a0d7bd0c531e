#pragma once

#include "PathConvention.h"

#include <QString>

// The class browser's outline program: program folder + "/parse -in temp.java -trace" (on Windows
// "\parse.exe"). The input is named relative to the folder the program runs in.
QString parserCommandLine(const QString& programFolder, const PathConvention& c = PathConvention::native());
