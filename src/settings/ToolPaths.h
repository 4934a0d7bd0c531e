#pragma once

#include "RegistryStore.h"

#include <QString>

// Appends "/" to a non-empty folder that lacks it; an empty text stays empty.
QString withTrailingSeparator(const QString& folder);

// The four tool locations the main window holds for the whole run.
struct ToolPaths {
    QString superWabaPath; // ends with "/" when not empty
    QString jdkPath;
    QString classpath;
    QString emulatorPath;

    // Start-up reading of the Paths key: a stored SuperWaba path gets its trailing separator, the JDK path
    // is taken as stored. An absent key or value gives an empty path.
    static ToolPaths readFromStore(RegistryStore& store);

    // The values typed into the Settings window, as they go into memory on OK: both folders get their
    // trailing separator when not empty; the class path and the emulator are kept as typed.
    static ToolPaths fromControls(const QString& superWabaPath, const QString& jdkPath,
                                  const QString& classpath, const QString& emulatorPath);

    bool operator==(const ToolPaths&) const = default;
};
