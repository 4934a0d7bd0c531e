#pragma once

#include "TextCodec.h"

#include <QString>

// The values of the open project; "unknown" as name means no project is open.
struct ProjectValues {
    QString ProjectName = QStringLiteral("unknown");
    QString ProjectDir;      // with trailing separator
    QString ProjectFileName; // without folder
    QString Icon22Path;
    QString Icon15Path;
    QString CreatorID;
    bool ProjectModified = false; // files added, removed or opened since the project file was written
    TextFormat ProjectFileFormat; // encoding the project file was read in; it is written back in it

    bool hasProject() const { return ProjectName != QLatin1String("unknown"); }
};
