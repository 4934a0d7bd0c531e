#pragma once

#include <QString>
#include <QStringList>

// The problems a Warp or Exegen output line reports: "Warp/Exegen " + line once for each of the markers
// "Warning!", "IMPORTANT" and "ERROR:" it holds, in that order. Empty for a line without problems.
QStringList toolProblemMessages(const QString& line);
