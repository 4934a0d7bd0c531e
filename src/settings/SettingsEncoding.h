#pragma once

#include <QString>
#include <optional>

// How settings are kept as registry text: flags as "on"/"off", numbers as decimal text.
namespace SettingsEncoding {

// Only the exact text "on" is true; "On", "ON", "off", empty and absent are false.
bool readFlag(const std::optional<QString>& stored);
QString flagText(bool on);

// Lenient reading: surrounding blanks are ignored, and anything that is not a decimal integer in the range
// of int (empty, absent, "12px", "abc") reads as 0, so a damaged value never stops the program.
int lenientNumber(const std::optional<QString>& stored);

struct StrictNumber {
    std::optional<int> value;
    QString error; // "'<text>' ist kein gültiger Integerwert" when value is empty
};

// Strict reading for the values whose damage must be reported: an optional sign and decimal digits, nothing
// else, within the range of int.
StrictNumber strictNumber(const QString& text);

QString conversionError(const QString& text);

} // namespace SettingsEncoding
