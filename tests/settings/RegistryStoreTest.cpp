#include "TempStore.h"
#include "settings/RegistryKey.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString product = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\");

TEST(RegistryStore, OpenFailuresAreReportedNotFatal) {
    QTemporaryDir dir;
    QFile junk(dir.filePath("junk.sqlite"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    for (const QString& path : {dir.filePath("junk.sqlite"), dir.filePath("plain/registry.sqlite")}) {
        SCOPED_TRACE(path.toStdString());
        RegistryStore store(path);
        EXPECT_FALSE(store.isOpen());
        EXPECT_TRUE(store.openError().contains(path)) << store.openError().toStdString();

        RegistryKey key(store);
        EXPECT_FALSE(key.openKey(product, true));
        EXPECT_FALSE(key.lastError().isEmpty());
        EXPECT_FALSE(key.writeString("x", "1"));
        EXPECT_FALSE(key.readString("x").has_value());
    }
}

TEST(RegistryStore, DefaultPathFollowsEnvironment) {
    const QByteArray savedRegistry = qgetenv("HANDWRIGHT_REGISTRY");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HANDWRIGHT_REGISTRY", "/somewhere/reg.sqlite");
    EXPECT_EQ(RegistryStore::defaultPath(), "/somewhere/reg.sqlite");
    qunsetenv("HANDWRIGHT_REGISTRY");
    qputenv("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(RegistryStore::defaultPath(), "/cfg/kovrin/registry.sqlite");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryStore::defaultPath(), QDir::homePath() + "/.config/kovrin/registry.sqlite");
    qputenv("HANDWRIGHT_REGISTRY", savedRegistry);
    qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST(RegistryStore, NamesAreCaseBlindAndKeepTheirFirstSpelling) {
    TempStore store;
    RegistryKey writer(*store);
    ASSERT_TRUE(writer.openKey(product + "Settings", true));
    ASSERT_TRUE(writer.writeString("PalmuserNo", "2"));
    ASSERT_TRUE(writer.writeString("PALMUSERNO", "3"));
    ASSERT_TRUE(writer.writeString("Größe", "a"));
    ASSERT_TRUE(writer.writeString("GRÖSSE", "b")); // simple folding: not the same name as "Größe"
    ASSERT_TRUE(writer.writeString("ÄRGER", "c"));
    ASSERT_TRUE(writer.writeString("ärger", "d"));
    store.reopen();

    RegistryKey reader(*store);
    ASSERT_TRUE(reader.openKey("\\software\\KOVRIN\\orrery 1.0\\SETTINGS\\", false));
    EXPECT_EQ(reader.readString("PalmUserNo"), "3");
    EXPECT_EQ(reader.readString("ärger"), "d");
    EXPECT_EQ(reader.valueNames(), (QStringList{"PalmuserNo", "Größe", "GRÖSSE", "ÄRGER"}));

    ASSERT_TRUE(reader.openKey("", false));
    EXPECT_EQ(reader.keyNames(), QStringList{"SOFTWARE"});
    ASSERT_TRUE(reader.openKey("software\\kovrin\\ORRERY 1.0", false));
    EXPECT_EQ(reader.keyNames(), QStringList{"Settings"});
}

TEST(RegistryStore, OpenWithoutCreatingLeavesTheStoreAloneAndHivesApart) {
    TempStore store;
    RegistryKey key(*store);
    EXPECT_FALSE(key.openKey(product + "Paths", false));
    EXPECT_FALSE(key.keyExists("SOFTWARE"));
    EXPECT_FALSE(key.writeString("x", "1")); // no key open
    ASSERT_TRUE(key.openKey(product + "Paths", true));
    EXPECT_EQ(key.currentPath(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Paths");
    ASSERT_TRUE(key.writeString("Path", "machine"));

    RegistryKey user(*store, RegistryHive::CurrentUser);
    EXPECT_FALSE(user.openKey(product + "Paths", false));
    ASSERT_TRUE(user.openKey(product + "Paths", true));
    EXPECT_FALSE(user.valueExists("Path"));
}

TEST(RegistryStore, ValueTypesAreKept) {
    TempStore store;
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("position", true));
    ASSERT_TRUE(key.writeInteger("Form1.Left", -120));
    ASSERT_TRUE(key.writeInteger("Form1.Width", 2147483647));
    ASSERT_TRUE(key.writeString("Form1.Caption", "Kovrin Handwright"));
    store.reopen();
    RegistryKey again(*store);
    ASSERT_TRUE(again.openKey("position", false));
    EXPECT_EQ(again.readInteger("Form1.Left"), -120);
    EXPECT_EQ(again.readInteger("Form1.Width"), 2147483647);
    EXPECT_EQ(again.valueType("Form1.Caption"), RegistryType::String);
    // Reading with the wrong type gives nothing rather than a reinterpretation.
    EXPECT_FALSE(again.readString("Form1.Left").has_value());
    EXPECT_FALSE(again.readInteger("Form1.Caption").has_value());
    // Rewriting may change the type.
    ASSERT_TRUE(again.writeString("Form1.Left", "5"));
    EXPECT_EQ(again.valueType("Form1.Left"), RegistryType::String);
}

TEST(RegistryStore, DeletingAKeyTakesItsSubtree) {
    TempStore store;
    RegistryKey key(*store);
    RegistryKey holder(*store);
    ASSERT_TRUE(holder.openKey(product + "Settings\\WarpExegen", true));
    ASSERT_TRUE(key.openKey(product + "Paths", true));
    ASSERT_TRUE(key.writeString("JDKPath", "/usr/lib/jvm/"));

    ASSERT_TRUE(key.deleteKey(product + "settings"));
    EXPECT_FALSE(key.keyExists(product + "Settings\\WarpExegen"));
    EXPECT_FALSE(holder.writeString("Warp", "on")); // its key is gone
    EXPECT_FALSE(holder.lastError().isEmpty());
    EXPECT_EQ(key.readString("JDKPath"), "/usr/lib/jvm/");
    EXPECT_FALSE(key.deleteKey(product + "Settings"));
    EXPECT_FALSE(key.deleteKey(""));

    EXPECT_TRUE(key.deleteValue("jdkpath"));
    EXPECT_FALSE(key.deleteValue("JDKPath"));
    EXPECT_TRUE(key.valueNames().isEmpty());
}

TEST(RegistryStore, WriteOrderIsRecordedPerWrite) {
    TempStore store;
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("K", true));
    for (const char* name : {"a", "b", "c"})
        ASSERT_TRUE(key.writeString(name, "1"));
    ASSERT_TRUE(key.writeString("A", "2")); // a rewrite moves the value to the end
    EXPECT_EQ(key.valueNamesByWriteOrder(), (QStringList{"b", "c", "a"}));
    EXPECT_EQ(key.valueNames(), (QStringList{"a", "b", "c"}));
}

TEST(RegistryStore, TransactionsRollBackAsOne) {
    TempStore store;
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("K", true));
    ASSERT_TRUE(key.writeString("kept", "old"));
    {
        RegistryTransaction outer(*store);
        ASSERT_TRUE(outer.isActive());
        ASSERT_TRUE(key.writeString("kept", "new"));
        ASSERT_TRUE(key.openKey("K\\Sub", true));
        ASSERT_TRUE(key.writeString("fresh", "1"));
        {
            RegistryTransaction inner(*store);
            ASSERT_TRUE(key.writeString("inner", "1"));
            ASSERT_TRUE(inner.commit());
        }
        // outer dropped without commit
    }
    store.reopen();
    RegistryKey again(*store);
    EXPECT_FALSE(again.keyExists("K\\Sub"));
    ASSERT_TRUE(again.openKey("K", false));
    EXPECT_EQ(again.readString("kept"), "old");

    {
        RegistryTransaction outer(*store);
        ASSERT_TRUE(again.writeString("a", "1"));
        {
            RegistryTransaction inner(*store);
            ASSERT_TRUE(again.writeString("b", "1"));
        } // inner rolled back, outer goes on
        ASSERT_TRUE(outer.commit());
    }
    EXPECT_EQ(again.valueNames(), (QStringList{"kept", "a"}));
}

TEST(RegistryPath, ParsesHivesAndKeys) {
    struct Case {
        const char* text;
        bool valid;
        RegistryHive hive;
        QStringList keys;
    };
    const Case cases[] = {
        {"HKLM\\SOFTWARE\\Kovrin", true, RegistryHive::LocalMachine, {"SOFTWARE", "Kovrin"}},
        {"hkey_current_user\\Software\\", true, RegistryHive::CurrentUser, {"Software"}},
        {"HKCU", true, RegistryHive::CurrentUser, {}},
        {"HKEY_LOCAL_MACHINE\\\\A\\\\B", true, RegistryHive::LocalMachine, {"A", "B"}},
        {"HKU\\x", false, {}, {}},
        {"HKEY_CLASSES_ROOT", false, {}, {}},
        {"", false, {}, {}},
        {"SOFTWARE\\Kovrin", false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<RegistryPath> path = RegistryPath::parse(QString::fromUtf8(c.text));
        ASSERT_EQ(path.has_value(), c.valid);
        if (c.valid) {
            EXPECT_EQ(path->hive, c.hive);
            EXPECT_EQ(path->keys, c.keys);
        }
    }
    EXPECT_EQ((RegistryPath{RegistryHive::CurrentUser, {"Software", "x"}}.toString()),
              "HKEY_CURRENT_USER\\Software\\x");
}

} // namespace

namespace {

qint64 rowCount(const QString& path, const char* table) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, QByteArray("SELECT COUNT(*) FROM ").append(table).constData(), -1, &stmt, nullptr);
    const qint64 count = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return count;
}

TEST(RegistryStore, DeepTreesAreMeasuredAndDeletedButNotCreated) {
    TempStore store;
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("Deep", true));
    ASSERT_TRUE(key.writeString("top", "1"));
    ASSERT_TRUE(key.openKey("Kept", true));
    const std::optional<RegistryStore::KeyId> deep = store->findKey(RegistryHive::LocalMachine, {"Deep"});
    ASSERT_TRUE(deep);
    const qint64 keysBefore = rowCount(store.path(), "keys");
    {
        OtherConnection other(store.path());
        ASSERT_TRUE(other.insertChain(*deep, 200000));
    }
    EXPECT_EQ(store->subtreeDepth(*deep), 200000);

    // A cascade would have to recurse 200,000 levels; the key goes all the same, with every value below.
    ASSERT_TRUE(store->deleteKey(*deep)) << store->lastError().toStdString();
    EXPECT_EQ(rowCount(store.path(), "keys"), keysBefore - 1);
    EXPECT_EQ(rowCount(store.path(), "entries"), 0);
    EXPECT_TRUE(store->findKey(RegistryHive::LocalMachine, {"Kept"}));

    const QStringList allowed(RegistryStore::maxKeyDepth, QStringLiteral("k"));
    EXPECT_TRUE(store->createKey(RegistryHive::CurrentUser, allowed));
    EXPECT_FALSE(store->createKey(RegistryHive::CurrentUser, allowed + QStringList{"k"}));
    EXPECT_TRUE(store->lastError().contains("512 levels")) << store->lastError().toStdString();
}

TEST(RegistryStore, StoreHeldByAnotherProgramFailsSoonAndSaysSo) {
    TempStore store;
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey(product + "Settings", true));
    ASSERT_TRUE(key.writeString("Debug", "on"));

    OtherConnection other(store.path());
    ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(key.writeString("Debug", "off"));
    // One second of waiting, with room for a loaded machine; the store used to wait ten per statement.
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(store->lastErrorIsLock());
    EXPECT_TRUE(key.lastError().contains("another program holds it locked")) << key.lastError().toStdString();
    // Readers are not held up by a writer.
    EXPECT_EQ(key.readString("Debug"), "on");
    ASSERT_TRUE(other.exec("COMMIT"));
    EXPECT_TRUE(key.writeString("Debug", "off"));
    EXPECT_EQ(key.readString("Debug"), "off");
    EXPECT_EQ(store->lastError(), "");
}

} // namespace
