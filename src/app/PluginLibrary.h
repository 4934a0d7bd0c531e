#pragma once

#include <QString>

// The entry point `symbol` of one of the program's plugin libraries: the one in the program folder
// (`relativePath` below it), else, for a program of the build tree that lives elsewhere (the tests, the
// tools), the one the build made at `builtPath`. A library found stays loaded for the rest of the run.
// Null when there is none; `error` then says why.
void* resolvePluginSymbol(const QString& relativePath, const QString& builtPath, const char* symbol,
                          QString& error);
