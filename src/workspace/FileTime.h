#pragma once

#include <QString>

// The file's local modification time truncated to two seconds, as "yyyy-MM-dd HH:mm:ss"; empty when
// there is no such file.
QString fileTimeText(const QString& path);
