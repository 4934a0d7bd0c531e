#pragma once

#include <QString>

namespace hwtest {
// The per-process scratch folder that the test main creates; HANDWRIGHT_REGISTRY points into it.
QString scratchFolder();
} // namespace hwtest
