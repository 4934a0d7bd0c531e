#pragma once

#include <QStringList>
#include <functional>

// Appends folder + name for every entry matching the wildcard mask (case-blind, like the Windows search),
// the folder's own matches first and then each subfolder's, names in byte order. After each folder's
// matches `goOn` runs (to process pending events); when it returns false the search stops and
// findFiles returns false. A folder reached twice through links is searched once.
bool findFiles(const QString& folder, const QString& mask, QStringList& target,
               const std::function<bool()>& goOn = {});
