#pragma once

#include "RegistryStore.h"

#include <QStringList>
#include <optional>

// A handle on one key of the store at a time, in the manner of Delphi's TRegistry. Key paths are taken from
// the root of the hive whether or not they start with "\", and may end with "\".
//
// Reads of an absent value give std::nullopt; writes and deletes return false and leave the reason in
// lastError(). Without an open key every value operation fails.
class RegistryKey {
public:
    explicit RegistryKey(RegistryStore& store = RegistryStore::instance(),
                         RegistryHive rootKey = RegistryHive::LocalMachine);

    RegistryHive rootKey() const { return m_root; }
    void setRootKey(RegistryHive hive);

    bool openKey(const QString& path, bool canCreate);
    void closeKey();
    bool hasCurrentKey() const { return m_current.has_value(); }
    // "HKEY_LOCAL_MACHINE\SOFTWARE\..." as asked for when the key was opened; empty when none is open.
    QString currentPath() const;

    bool keyExists(const QString& path) const;
    bool deleteKey(const QString& path);

    bool valueExists(const QString& name) const;
    std::optional<RegistryType> valueType(const QString& name) const;
    std::optional<RegistryValue> readValue(const QString& name) const;
    // A REG_SZ value's text; nullopt when absent or of another type.
    std::optional<QString> readString(const QString& name) const;
    // A REG_DWORD value as a signed 32-bit number, like Windows' own ReadInteger.
    std::optional<qint32> readInteger(const QString& name) const;
    bool writeValue(const QString& name, const RegistryValue& value);
    bool writeString(const QString& name, const QString& text);
    bool writeInteger(const QString& name, qint32 number);
    bool deleteValue(const QString& name);

    QStringList valueNames() const;
    QStringList keyNames() const;
    QStringList valueNamesByWriteOrder() const;

    QString lastError() const { return m_error; }
    RegistryStore& store() const { return *m_store; }

private:
    bool noKey(const QString& what);

    RegistryStore* m_store;
    RegistryHive m_root;
    std::optional<RegistryStore::KeyId> m_current;
    QStringList m_currentKeys;
    QString m_error;
};
