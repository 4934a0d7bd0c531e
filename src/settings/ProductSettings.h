#pragma once

#include "RegistryStatus.h"
#include "RegistryStore.h"

#include <QStringList>
#include <array>
#include <optional>

// The values of the product key itself: the last project, the projects folder and the main window's pane
// sizes.
namespace ProductSettings {

// Splitter1..Splitter4 at index 0..3.
using PaneSizes = std::array<int, 4>;

struct PaneSizesRead {
    std::array<std::optional<int>, 4> sizes; // present, non-empty and numeric values only
    QStringList errors;                      // one conversion message per damaged value
};

// Start-up reading: a value is applied only when present and non-empty; a value that is not a number
// yields its conversion message and is skipped, and the others are still read.
PaneSizesRead readPaneSizes(RegistryStore& store);

// Writes the pane sizes as decimal text in the order Splitter2, Splitter1, Splitter3, Splitter4.
RegistryStatus saveScreenSettings(RegistryStore& store, const PaneSizes& sizes);

// LastProject; empty when absent.
QString readLastProject(RegistryStore& store);
RegistryStatus writeLastProject(RegistryStore& store, const QString& projectFile);

// Projects: nullopt when the product key does not exist, else the stored text (empty when absent), so the
// caller can tell "never configured" from "configured without a folder".
std::optional<QString> readProjects(RegistryStore& store);
RegistryStatus writeProjects(RegistryStore& store, const QString& folder);

} // namespace ProductSettings
