#include "StartProject.h"

#include "PathHelpers.h"

#include <QFileInfo>

StartProject startProject(const QStringList& arguments, const QString& lastProject) {
    StartProject result;
    if (!lastProject.isEmpty() && QFileInfo(lastProject).isFile())
        result.path = lastProject;
    if (arguments.isEmpty())
        return result;
    const QString named = absoluteUserPath(arguments.first());
    if (fileExtension(named) != QLatin1String(".hwp")) {
        result.problem = named + " is not a project file: only a file ending in \".hwp\" opens as a project.";
        return result;
    }
    result.path.clear();
    const QFileInfo info(named);
    if (info.isFile())
        result.path = named;
    else if (info.exists())
        result.problem = "The project file " + named + " is not a regular file.";
    else
        result.problem = "The project file " + named + " does not exist.";
    return result;
}
