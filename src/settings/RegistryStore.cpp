#include "RegistryStore.h"

#include "SqliteStatement.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int schemaVersion = 1;
// A store held by another program is waited for this long, then the operation fails and says why: the
// window that asked must not freeze.
constexpr int busyTimeoutMs = 1000;

// Hives are the two fixed root rows; every other key hangs below one of them.
const char* const schema = R"(
CREATE TABLE IF NOT EXISTS keys(
    id INTEGER PRIMARY KEY,
    parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS entries(
    id INTEGER PRIMARY KEY,
    key_id INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data NOT NULL,
    seq INTEGER NOT NULL,
    UNIQUE(key_id, fold));
CREATE INDEX IF NOT EXISTS entries_seq ON entries(seq);
INSERT OR IGNORE INTO keys(id, parent, name, fold)
    VALUES (1, NULL, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),
           (2, NULL, 'HKEY_CURRENT_USER', 'hkey_current_user');
PRAGMA user_version = 1;
)";

bool isLock(int code) {
    const int primary = code & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// SQLite's own words, with the system's reason where a file operation failed: "disk I/O error" alone
// does not say that the disk is full or the file too large. SQLite keeps errno for some failures only;
// for a failed write without it, the likely causes are looked up.
QString failureReason(sqlite3* db, const char* message, const QString& path) {
    QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    const int extended = sqlite3_extended_errcode(db);
    const int primary = extended & 0xFF;
    const int code = sqlite3_system_errno(db);
    if (code != 0 && (primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN))
        return reason + QStringLiteral(" (%1)").arg(qt_error_string(code));
    if (extended != SQLITE_IOERR_WRITE && extended != SQLITE_IOERR_FSYNC)
        return reason;
    struct statvfs disk {};
    rlimit limit{};
    if (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &disk) == 0 &&
        quint64(disk.f_bavail) * disk.f_frsize < 1024 * 1024)
        reason += QStringLiteral(" (the disk is full)");
    else if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        reason += QStringLiteral(" (%1: files may not grow beyond %2 bytes)")
                      .arg(qt_error_string(EFBIG))
                      .arg(quint64(limit.rlim_cur));
    return reason;
}

// When opening failed because the store's files could not grow (a full disk, a file-size limit), the
// reason in the user's words; empty for every other failure.
QString noRoomReason(sqlite3* db, const QString& path) {
    const int primary = sqlite3_extended_errcode(db) & 0xFF;
    if (primary != SQLITE_IOERR && primary != SQLITE_FULL && primary != SQLITE_CANTOPEN)
        return {};
    const int code = sqlite3_system_errno(db);
    struct statvfs disk {};
    rlimit limit{};
    if (code == ENOSPC || primary == SQLITE_FULL ||
        (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &disk) == 0 &&
         quint64(disk.f_bavail) * disk.f_frsize < 1024 * 1024))
        return QStringLiteral("the disk is full");
    if (code == EFBIG && ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return QStringLiteral("%1: files may not grow beyond %2 bytes")
            .arg(qt_error_string(EFBIG))
            .arg(quint64(limit.rlim_cur));
    return {};
}

QString fold(const QString& name) {
    return name.toCaseFolded();
}

RegistryValue valueFrom(const SqliteStatement& row, int typeColumn) {
    if (row.integer(typeColumn) == int(RegistryType::DWord))
        return RegistryValue::dword(quint32(row.integer(typeColumn + 1)));
    return RegistryValue::string(row.text(typeColumn + 1));
}

} // namespace

RegistryStore::RegistryStore(const QString& path) : m_path(path) {
    open();
}

RegistryStore::~RegistryStore() {
    sqlite3_close(m_db);
}

QString RegistryStore::defaultPath() {
    const QString explicitPath = qEnvironmentVariable("HANDWRIGHT_REGISTRY");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/kovrin/registry.sqlite");
}

RegistryStore& RegistryStore::instance() {
    static RegistryStore store(defaultPath());
    return store;
}

bool RegistryStore::open() {
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_openError =
            QStringLiteral("The settings store %1 cannot be opened: the folder %2 cannot be created.")
                .arg(m_path, folder);
        m_lastError = m_openError;
        return false;
    }
    // The journal files lie beside the store, so its folder must be writable as well as the file.
    const bool exists = QFileInfo::exists(m_path);
    int denied = 0;
    if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) != 0)
        denied = errno;
    else if (exists && ::faccessat(AT_FDCWD, QFile::encodeName(m_path).constData(), W_OK, AT_EACCESS) != 0)
        denied = errno;
    if (denied)
        return openReadOnly(exists, qt_error_string(denied));

    const int rc =
        sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    bool ready = rc == SQLITE_OK;
    if (ready) {
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        sqlite3_extended_result_codes(m_db, 1);
        // FULL: a commit is synced to disk before it returns, so a setting reported saved stays saved
        // through a power cut, not only through a crash.
        ready = exec(QStringLiteral("PRAGMA foreign_keys = ON")) &&
                exec(QStringLiteral("PRAGMA journal_mode = WAL")) &&
                exec(QStringLiteral("PRAGMA synchronous = FULL"));
    }
    bool current = false;
    if (ready) {
        SqliteStatement version(m_db, "PRAGMA user_version");
        ready = version.step() == SQLITE_ROW;
        current = ready && version.integer(0) == schemaVersion;
        if (ready && version.integer(0) > schemaVersion)
            return openFailed({});
    }
    // Only a new or older store is written to here, so opening a store that another program holds
    // needs no write lock.
    if (ready && !current)
        ready = exec(QStringLiteral("BEGIN IMMEDIATE")) && exec(QString::fromLatin1(schema)) &&
                exec(QStringLiteral("COMMIT"));
    if (!ready && m_db && exists) {
        // A store in WAL mode is read through files beside it; on a full disk they cannot be made, and
        // the settings are read without them, as from a folder this user may not write.
        if (const QString noRoom = noRoomReason(m_db, m_path); !noRoom.isEmpty()) {
            sqlite3_close(m_db);
            m_db = nullptr;
            return openReadOnly(exists, noRoom);
        }
    }
    if (!ready) {
        QString reason = QStringLiteral("out of memory");
        if (m_db)
            reason = isLock(sqlite3_errcode(m_db)) ? lockReason() : failureReason(m_db, nullptr, m_path);
        m_lastErrorIsLock = m_db && isLock(sqlite3_errcode(m_db));
        return openFailed(reason);
    }
    return true;
}

bool RegistryStore::openFailed(const QString& reason) {
    m_openError =
        reason.isEmpty()
            ? QStringLiteral("The settings store %1 was written by a newer version of this program.")
                  .arg(m_path)
            : QStringLiteral("The settings store %1 cannot be opened: %2").arg(m_path, reason);
    sqlite3_close(m_db);
    m_db = nullptr;
    m_readOnly = false;
    m_lastError = m_openError;
    return false;
}

bool RegistryStore::openReadOnly(bool exists, const QString& reason) {
    m_readOnly = true;
    m_readOnlyReason = reason;
    const QByteArray file = QFile::encodeName(m_path);
    qint64 version = 0;
    const auto readVersion = [this, &version] {
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        sqlite3_extended_result_codes(m_db, 1);
        SqliteStatement statement(m_db, "PRAGMA user_version");
        if (statement.step() != SQLITE_ROW)
            return false;
        version = statement.integer(0);
        return true;
    };
    if (exists) {
        bool readable = sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX,
                                        nullptr) == SQLITE_OK &&
                        readVersion();
        if (!readable) {
            // A store in WAL mode whose shared-memory file is gone cannot be read the usual way from a
            // folder we may not write. It is read unlocked instead: only the folder's owner could change
            // it meanwhile, and this process would then not see the change.
            sqlite3_close(m_db);
            m_db = nullptr;
            const QByteArray uri =
                QUrl::fromLocalFile(QFileInfo(m_path).absoluteFilePath()).toEncoded() + "?immutable=1";
            readable = sqlite3_open_v2(uri.constData(), &m_db,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_FULLMUTEX,
                                       nullptr) == SQLITE_OK &&
                       readVersion();
        }
        if (!readable)
            return openFailed(m_db ? QString::fromUtf8(sqlite3_errmsg(m_db))
                                   : QStringLiteral("out of memory"));
        if (version > schemaVersion)
            return openFailed({});
        if (version == schemaVersion)
            return exec(QStringLiteral("PRAGMA foreign_keys = ON")) || openFailed(m_lastError);
        // An empty file holds no settings yet: it reads as an empty store.
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    // Nothing to read: an empty store in memory answers every read; writes are refused before they
    // reach it.
    if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) !=
            SQLITE_OK ||
        !exec(QString::fromLatin1(schema)))
        return openFailed(m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory"));
    sqlite3_extended_result_codes(m_db, 1);
    return exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

QString RegistryStore::readOnlyNotice() const {
    if (!m_readOnly)
        return {};
    return QStringLiteral("The settings store %1 cannot be written (%2). Settings are read from it, but "
                          "changes made now will not be kept.")
        .arg(m_path, m_readOnlyReason);
}

QString RegistryStore::readOnlyError() const {
    return QStringLiteral("The settings store %1 is read-only (%2): the change was not kept.")
        .arg(m_path, m_readOnlyReason);
}

bool RegistryStore::refuseWrite() {
    m_lastErrorIsLock = false;
    m_lastError = readOnlyError();
    return false;
}

bool RegistryStore::exec(const QString& sql) {
    if (!m_db)
        return false;
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return true;
    m_lastErrorIsLock = isLock(rc);
    m_lastError =
        m_lastErrorIsLock
            ? QStringLiteral("Cannot change the settings store %1: %2").arg(m_path, lockReason())
            : QStringLiteral("Settings store %1: %2").arg(m_path, failureReason(m_db, message, m_path));
    sqlite3_free(message);
    noteGroupFailure();
    return false;
}

void RegistryStore::noteGroupFailure() {
    if (m_depth == 0 || m_groupFailed)
        return;
    // A full disk or a failing one may have rolled back part of the group, or all of it (SQLite then
    // leaves the transaction): what is left must not be committed as if it were the whole.
    const int primary = sqlite3_extended_errcode(m_db) & 0xFF;
    if (primary == SQLITE_FULL || primary == SQLITE_IOERR || primary == SQLITE_NOMEM ||
        primary == SQLITE_CORRUPT || sqlite3_get_autocommit(m_db)) {
        m_groupFailed = true;
        m_groupError = m_lastError;
    }
}

QString RegistryStore::lockReason() {
    return QStringLiteral("another program holds it locked (waited %1 second). Nothing was lost; try again "
                          "once that program has finished with it.")
        .arg(busyTimeoutMs / 1000);
}

bool RegistryStore::fail(const QString& what) {
    m_lastErrorIsLock = m_db && isLock(sqlite3_errcode(m_db));
    if (!m_db)
        m_lastError = QStringLiteral("Cannot %1: %2").arg(what, m_openError);
    else if (m_lastErrorIsLock)
        m_lastError =
            QStringLiteral("Cannot %1 in the settings store %2: %3").arg(what, m_path, lockReason());
    else
        m_lastError = QStringLiteral("Cannot %1 in the settings store %2: %3")
                          .arg(what, m_path, failureReason(m_db, nullptr, m_path));
    if (m_db)
        noteGroupFailure();
    return false;
}

void RegistryStore::clearError() {
    m_lastError.clear();
    m_lastErrorIsLock = false;
}

bool RegistryStore::beginWrite() {
    if (!m_db)
        return fail(QStringLiteral("start a change"));
    if (m_readOnly)
        return refuseWrite();
    if (m_depth > 0 && (m_groupFailed || sqlite3_get_autocommit(m_db))) {
        // Nothing more joins a group that failed: outside a transaction it would be kept on its own.
        noteGroupFailure();
        m_lastError = m_groupError;
        return false;
    }
    const bool started = m_depth == 0 ? exec(QStringLiteral("BEGIN IMMEDIATE"))
                                      : exec(QStringLiteral("SAVEPOINT level%1").arg(m_depth));
    if (started)
        ++m_depth;
    return started;
}

bool RegistryStore::endWrite(bool commit) {
    if (m_depth == 0)
        return false;
    --m_depth;
    if (m_depth == 0) {
        if (commit && !m_groupFailed && exec(QStringLiteral("COMMIT")))
            return true;
        const QString reason = m_groupFailed ? m_groupError : m_lastError;
        m_groupFailed = false;
        if (!sqlite3_get_autocommit(m_db))
            exec(QStringLiteral("ROLLBACK"));
        m_lastError = reason;
        return false;
    }
    const QString savepoint = QStringLiteral("level%1").arg(m_depth);
    if (commit)
        return exec(QStringLiteral("RELEASE ") + savepoint);
    const QString reason = m_lastError;
    exec(QStringLiteral("ROLLBACK TO ") + savepoint);
    exec(QStringLiteral("RELEASE ") + savepoint);
    m_lastError = reason;
    return false;
}

RegistryStore::KeyId RegistryStore::hiveKey(RegistryHive hive) const {
    return hive == RegistryHive::CurrentUser ? 2 : 1;
}

std::optional<RegistryStore::KeyId> RegistryStore::findSubKey(KeyId parent, const QString& name) {
    SqliteStatement select(m_db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    select.bind(1, parent).bind(2, fold(name));
    const int rc = select.step();
    if (rc == SQLITE_ROW)
        return select.integer(0);
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("read the key \"%1\"").arg(name));
    return std::nullopt;
}

std::optional<RegistryStore::KeyId> RegistryStore::walk(RegistryHive hive, const QStringList& keys,
                                                        bool create) {
    clearError();
    if (!m_db) {
        fail(QStringLiteral("open a key"));
        return std::nullopt;
    }
    if (create && keys.size() > maxKeyDepth) {
        m_lastError = QStringLiteral("A key can lie at most %1 levels deep; %2 would lie %3 levels deep.")
                          .arg(maxKeyDepth)
                          .arg(RegistryPath{hive, keys.mid(0, 3)}.toString() + QStringLiteral("\\..."))
                          .arg(keys.size());
        return std::nullopt;
    }
    KeyId id = hiveKey(hive);
    for (const QString& name : keys) {
        if (const std::optional<KeyId> child = findSubKey(id, name)) {
            id = *child;
            continue;
        }
        if (!create || !m_lastError.isEmpty())
            return std::nullopt;
        SqliteStatement insert(m_db, "INSERT INTO keys(parent, name, fold) VALUES (?1, ?2, ?3)");
        insert.bind(1, id).bind(2, name).bind(3, fold(name));
        if (!insert.run()) {
            fail(QStringLiteral("create the key \"%1\"").arg(name));
            return std::nullopt;
        }
        id = sqlite3_last_insert_rowid(m_db);
    }
    return id;
}

std::optional<RegistryStore::KeyId> RegistryStore::findKey(RegistryHive hive, const QStringList& keys) {
    return walk(hive, keys, false);
}

std::optional<RegistryStore::KeyId> RegistryStore::createKey(RegistryHive hive, const QStringList& keys) {
    // Opening a key "with create" is how most callers read: on a read-only store an existing key opens.
    if (m_readOnly) {
        const std::optional<KeyId> found = walk(hive, keys, false);
        if (!found && m_lastError.isEmpty())
            refuseWrite();
        return found;
    }
    RegistryTransaction transaction(*this);
    if (!transaction.isActive())
        return std::nullopt;
    const std::optional<KeyId> id = walk(hive, keys, true);
    if (!id || !transaction.commit())
        return std::nullopt;
    return id;
}

QList<RegistryStore::SubKey> RegistryStore::subKeys(KeyId key) {
    clearError();
    QList<SubKey> result;
    SqliteStatement select(m_db, "SELECT id, name FROM keys WHERE parent = ?1 ORDER BY fold");
    select.bind(1, key);
    int rc;
    while ((rc = select.step()) == SQLITE_ROW)
        result.append({select.integer(0), select.text(1)});
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("list the subkeys of a key"));
    return result;
}

std::optional<int> RegistryStore::subtreeDepth(KeyId key) {
    clearError();
    // A recursive query walks the tree breadth first inside SQLite, one indexed step per key.
    SqliteStatement select(m_db, R"(
        WITH RECURSIVE below(id, depth) AS (
            SELECT ?1, 0
            UNION ALL
            SELECT keys.id, below.depth + 1 FROM keys JOIN below ON keys.parent = below.id)
        SELECT MAX(depth) FROM below)");
    select.bind(1, key);
    if (select.step() != SQLITE_ROW) {
        fail(QStringLiteral("measure a key tree"));
        return std::nullopt;
    }
    return int(select.integer(0));
}

QString RegistryStore::keyName(KeyId key) {
    SqliteStatement select(m_db, "SELECT name FROM keys WHERE id = ?1");
    select.bind(1, key);
    return select.step() == SQLITE_ROW ? select.text(0) : QString();
}

bool RegistryStore::keyExists(KeyId key) {
    SqliteStatement select(m_db, "SELECT 1 FROM keys WHERE id = ?1");
    select.bind(1, key);
    return select.step() == SQLITE_ROW;
}

bool RegistryStore::deleteKey(KeyId key) {
    if (key == hiveKey(RegistryHive::LocalMachine) || key == hiveKey(RegistryHive::CurrentUser)) {
        m_lastError = QStringLiteral("A hive cannot be deleted.");
        return false;
    }
    RegistryTransaction transaction(*this);
    if (!transaction.isActive())
        return false;
    if (!keyExists(key)) {
        m_lastError = QStringLiteral("The key does not exist.");
        return false;
    }
    // Deepest keys first, each with its values, so no cascade ever has to follow a chain of keys: a
    // cascade recurses once per level and fails on deep trees.
    SqliteStatement select(m_db, R"(
        WITH RECURSIVE below(id, depth) AS (
            SELECT ?1, 0
            UNION ALL
            SELECT keys.id, below.depth + 1 FROM keys JOIN below ON keys.parent = below.id)
        SELECT id FROM below ORDER BY depth DESC)");
    select.bind(1, key);
    QList<KeyId> doomed;
    int rc;
    while ((rc = select.step()) == SQLITE_ROW)
        doomed.append(select.integer(0));
    if (rc != SQLITE_DONE)
        return fail(QStringLiteral("delete a key"));
    SqliteStatement removeValues(m_db, "DELETE FROM entries WHERE key_id = ?1");
    SqliteStatement removeKey(m_db, "DELETE FROM keys WHERE id = ?1");
    for (const KeyId id : doomed) {
        removeValues.reset();
        removeKey.reset();
        removeValues.bind(1, id);
        removeKey.bind(1, id);
        if (!removeValues.run() || !removeKey.run())
            return fail(QStringLiteral("delete a key"));
    }
    return transaction.commit();
}

std::optional<RegistryEntry> RegistryStore::entry(KeyId key, const QString& name) {
    clearError();
    SqliteStatement select(m_db, "SELECT name, type, data FROM entries WHERE key_id = ?1 AND fold = ?2");
    select.bind(1, key).bind(2, fold(name));
    const int rc = select.step();
    if (rc == SQLITE_ROW)
        return RegistryEntry{select.text(0), valueFrom(select, 1)};
    // An unreadable value must not pass for an absent one.
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("read the value \"%1\"").arg(name));
    return std::nullopt;
}

std::optional<RegistryValue> RegistryStore::value(KeyId key, const QString& name) {
    const std::optional<RegistryEntry> found = entry(key, name);
    return found ? std::optional(found->value) : std::nullopt;
}

QList<RegistryEntry> RegistryStore::values(KeyId key) {
    clearError();
    QList<RegistryEntry> result;
    SqliteStatement select(m_db, "SELECT name, type, data FROM entries WHERE key_id = ?1 ORDER BY id");
    select.bind(1, key);
    int rc;
    while ((rc = select.step()) == SQLITE_ROW)
        result.append({select.text(0), valueFrom(select, 1)});
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("read the values of a key"));
    return result;
}

QStringList RegistryStore::valueNamesByWriteOrder(KeyId key) {
    QStringList result;
    SqliteStatement select(m_db, "SELECT name FROM entries WHERE key_id = ?1 ORDER BY seq");
    select.bind(1, key);
    while (select.step() == SQLITE_ROW)
        result << select.text(0);
    return result;
}

bool RegistryStore::setValue(KeyId key, const QString& name, const RegistryValue& value) {
    const QString what = QStringLiteral("write the value \"%1\"").arg(name);
    RegistryTransaction transaction(*this);
    if (!transaction.isActive())
        return false;
    if (!keyExists(key)) {
        m_lastError = QStringLiteral("Cannot %1: its key no longer exists.").arg(what);
        return false;
    }
    // The first spelling of a name stays: a rewrite changes type, data and write order only.
    SqliteStatement upsert(m_db, R"(
        INSERT INTO entries(key_id, name, fold, type, data, seq)
            VALUES (?1, ?2, ?3, ?4, ?5, (SELECT IFNULL(MAX(seq), 0) + 1 FROM entries))
        ON CONFLICT(key_id, fold) DO UPDATE SET type = excluded.type, data = excluded.data, seq = excluded.seq)");
    upsert.bind(1, key).bind(2, name).bind(3, fold(name)).bind(4, qint64(value.type));
    if (value.type == RegistryType::DWord)
        upsert.bind(5, qint64(value.number));
    else
        upsert.bind(5, value.text);
    if (!upsert.run())
        return fail(what);
    return transaction.commit();
}

bool RegistryStore::deleteValue(KeyId key, const QString& name) {
    RegistryTransaction transaction(*this);
    if (!transaction.isActive())
        return false;
    SqliteStatement remove(m_db, "DELETE FROM entries WHERE key_id = ?1 AND fold = ?2");
    remove.bind(1, key).bind(2, fold(name));
    if (!remove.run())
        return fail(QStringLiteral("delete the value \"%1\"").arg(name));
    if (sqlite3_changes(m_db) == 0) {
        m_lastError = QStringLiteral("The value \"%1\" does not exist.").arg(name);
        return false;
    }
    return transaction.commit();
}
