#pragma once

#include "settings/RegistryStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <sqlite3.h>

// A store in its own temporary folder, removed with the fixture.
struct TempStore {
    QTemporaryDir dir;
    std::unique_ptr<RegistryStore> store = std::make_unique<RegistryStore>(path());

    QString path() const { return dir.filePath(QStringLiteral("registry.sqlite")); }
    RegistryStore& operator*() { return *store; }
    RegistryStore* operator->() { return store.get(); }
    // Closes and opens the file again, so a test sees only what reached the disk.
    void reopen() {
        store.reset();
        store = std::make_unique<RegistryStore>(path());
    }
};

// A second connection to a store file, as another program would hold it.
class OtherConnection {
public:
    explicit OtherConnection(const QString& path) {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherConnection() { sqlite3_close(m_db); }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;

    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    // A chain of `depth` keys named "k" below the key `parent`, written straight into the tables as an
    // older program could have left it (the store itself refuses keys that deep).
    bool insertChain(qint64 parent, int depth) {
        const QByteArray sql = QStringLiteral(R"(
            WITH RECURSIVE chain(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM chain WHERE n < %1)
            INSERT INTO keys(id, parent, name, fold)
                SELECT base.top + n, CASE n WHEN 1 THEN %2 ELSE base.top + n - 1 END, 'k', 'k'
                FROM chain, (SELECT MAX(id) AS top FROM keys) AS base;
            INSERT INTO entries(key_id, name, fold, type, data, seq)
                SELECT MAX(id), 'leaf', 'leaf', 1, 'bottom', 1 FROM keys;)")
                                   .arg(depth)
                                   .arg(parent)
                                   .toUtf8();
        return exec(sql.constData());
    }

private:
    sqlite3* m_db = nullptr;
};
