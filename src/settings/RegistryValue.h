#pragma once

#include <QString>
#include <QtGlobal>

// The two value types the store keeps; the numbers are the Windows type codes, so they read the same in a
// dump of the store as in a .reg file from Windows.
enum class RegistryType { String = 1, DWord = 4 };

// A stored value: text for REG_SZ, a 32-bit number for REG_DWORD.
struct RegistryValue {
    RegistryType type = RegistryType::String;
    QString text;
    quint32 number = 0;

    static RegistryValue string(const QString& text) { return {RegistryType::String, text, 0}; }
    static RegistryValue dword(quint32 number) { return {RegistryType::DWord, QString(), number}; }

    bool operator==(const RegistryValue& other) const {
        return type == other.type &&
               (type == RegistryType::String ? text == other.text : number == other.number);
    }
};

// A value together with its name as first written.
struct RegistryEntry {
    QString name;
    RegistryValue value;

    bool operator==(const RegistryEntry&) const = default;
};

QString registryTypeName(RegistryType type);
