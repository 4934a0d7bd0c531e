#pragma once

#include <QString>
#include <QStringList>

// The project file start-up opens, and why a project named on the command line is not opened.
struct StartProject {
    QString path;    // empty: no project opens
    QString problem; // the user named a project that does not open; empty otherwise
};

// The first argument takes the place of the last project when it ends in ".hwp" exactly (case matters,
// as everywhere in project file names); a last project that is gone opens nothing, without a word.
StartProject startProject(const QStringList& arguments, const QString& lastProject);
