#pragma once

#include "FileResult.h"

// Copies source to target through a temporary file, expanding an SZDD-compressed source. Equal path
// strings copy nothing and succeed.
FileResult copyFile(const QString& source, const QString& target);
