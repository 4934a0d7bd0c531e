#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

enum class RegistryHive { LocalMachine, CurrentUser };

// "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER".
QString registryHiveName(RegistryHive hive);

// Accepts the full names and the short forms HKLM and HKCU, in any case.
std::optional<RegistryHive> parseRegistryHive(QStringView name);

// Splits a key path at "\"; a leading, trailing or doubled "\" adds no empty key, so
// "\SOFTWARE\Kovrin\" and "SOFTWARE\Kovrin" name the same key.
QStringList splitRegistryKey(QStringView path);

// A hive and the key names below it: "HKLM\SOFTWARE\Kovrin".
struct RegistryPath {
    RegistryHive hive = RegistryHive::LocalMachine;
    QStringList keys;

    static std::optional<RegistryPath> parse(QStringView text);
    QString toString() const;
    RegistryPath child(const QString& name) const;
};
