#pragma once

#include "RegistryPath.h"
#include "RegistryStatus.h"
#include "RegistryValue.h"

#include <QList>
#include <QString>
#include <optional>

struct sqlite3;

// The settings store: registry-shaped keys and values in one SQLite file. Key and value names compare
// case-blind (Unicode case folding) and keep the spelling they were first written with. Every write is a
// transaction, on disk before it reports success; several processes may share the file (WAL journal). A store
// that another program keeps locked is waited for one second at most; the operation then fails with
// lastErrorIsLock().
//
// Operations report failure through their return value and leave the reason in lastError().
class RegistryStore {
public:
    using KeyId = qint64;
    // As deep as the registry lets keys lie; deeper keys are not created.
    static constexpr int maxKeyDepth = 512;

    struct SubKey {
        KeyId id = 0;
        QString name;
    };

    explicit RegistryStore(const QString& path);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // $HANDWRIGHT_REGISTRY, else $XDG_CONFIG_HOME/kovrin/registry.sqlite (~/.config when unset).
    static QString defaultPath();
    // The process-wide store on defaultPath(), opened on first use.
    static RegistryStore& instance();

    QString path() const { return m_path; }
    bool isOpen() const { return m_db != nullptr; }
    // A store whose file or folder this process may not write opens read-only: every read works, every
    // write is refused with readOnlyError(). A missing store in such a folder reads as empty.
    bool isReadOnly() const { return m_readOnly; }
    // What the program tells the user once at start when the store is read-only; empty otherwise.
    QString readOnlyNotice() const;
    QString readOnlyError() const;
    // Why the store could not be opened (empty when it is open).
    QString openError() const { return m_openError; }
    QString lastError() const { return m_lastError; }
    // The last failure was another program holding the store.
    bool lastErrorIsLock() const { return m_lastErrorIsLock; }

    KeyId hiveKey(RegistryHive hive) const;
    std::optional<KeyId> findKey(RegistryHive hive, const QStringList& keys);
    std::optional<KeyId> createKey(RegistryHive hive, const QStringList& keys);
    std::optional<KeyId> findSubKey(KeyId parent, const QString& name);
    QList<SubKey> subKeys(KeyId key);
    // The key's name as first written.
    QString keyName(KeyId key);
    bool keyExists(KeyId key);
    // Removes the key with its subkeys and values, whatever the depth; a hive cannot be removed.
    bool deleteKey(KeyId key);
    // How many levels of subkeys lie below the key (0: none); nullopt when it cannot be read.
    std::optional<int> subtreeDepth(KeyId key);

    // Reading functions leave lastError() empty when they could read, also when nothing was there.
    std::optional<RegistryValue> value(KeyId key, const QString& name);
    // The value with its name as first written.
    std::optional<RegistryEntry> entry(KeyId key, const QString& name);
    // In the order the values were created.
    QList<RegistryEntry> values(KeyId key);
    // Value names ordered by their last write, oldest first.
    QStringList valueNamesByWriteOrder(KeyId key);
    bool setValue(KeyId key, const QString& name, const RegistryValue& value);
    bool deleteValue(KeyId key, const QString& name);

    // Grouping of writes; nests through savepoints. Prefer RegistryTransaction.
    bool beginWrite();
    bool endWrite(bool commit);

private:
    bool open();
    bool openReadOnly(bool exists, const QString& reason);
    // An empty reason: the store comes from a newer version of the program.
    bool openFailed(const QString& reason);
    bool refuseWrite();
    void noteGroupFailure();
    bool exec(const QString& sql);
    bool fail(const QString& what);
    void clearError();
    static QString lockReason();
    std::optional<KeyId> walk(RegistryHive hive, const QStringList& keys, bool create);

    QString m_path;
    sqlite3* m_db = nullptr;
    QString m_openError;
    QString m_lastError;
    bool m_lastErrorIsLock = false;
    int m_depth = 0;
    // A write in the current group failed in a way that may have undone part of it: it cannot commit.
    bool m_groupFailed = false;
    QString m_groupError;
    bool m_readOnly = false;
    QString m_readOnlyReason;
};

// Groups the writes made while it lives into one transaction; rolls back unless commit() is called.
class RegistryTransaction {
public:
    explicit RegistryTransaction(RegistryStore& store) : m_store(store), m_active(store.beginWrite()) {}
    ~RegistryTransaction() {
        if (m_active)
            m_store.endWrite(false);
    }
    RegistryTransaction(const RegistryTransaction&) = delete;
    RegistryTransaction& operator=(const RegistryTransaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit() {
        if (!m_active)
            return false;
        m_active = false;
        return m_store.endWrite(true);
    }

private:
    RegistryStore& m_store;
    bool m_active;
};
