#pragma once

#include <QString>

// The program's own environment, which started tools inherit. An unset variable reads as empty, and
// setting a variable to empty unsets it, so saving and restoring a value that was never set leaves it
// unset again.
QString getEnvironmentValue(const QString& name);
bool setEnvironmentValue(const QString& name, const QString& value);
