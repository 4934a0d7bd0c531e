#pragma once

#include "PathConvention.h"
#include "settings/ToolPaths.h"

#include <QString>
#include <QStringList>
#include <optional>

// Everything the command lines of a build are made from besides the settings: where the tools are, the
// project, and its files in the order of the open-file list.
struct BuildInputs {
    PathConvention convention = PathConvention::native();
    // SuperWaba and JDK folders end with the separator when not empty.
    ToolPaths paths;
    QString projectDir; // ends with the separator
    QString projectName;
    QString creatorId;
    QStringList javaSources; // names (no folder) of the Java sources, in list order
    QStringList otherFiles;  // names of the project's other files, in list order
    // The Java sources whose file in the project folder starts with a UTF-16 byte-order mark.
    QStringList utf16Sources;
    // The JDK's major version; unknown keeps the compiler options meant for old JDKs.
    std::optional<int> jdkMajor;
};

// The applet viewer started for a remote debugger to attach to.
struct RemoteDebugging {
    bool enabled = false;
    QString address = QStringLiteral("5000");
};
