#include "TempStore.h"
#include "TestFiles.h"
#include "crash/CrashChild.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString integrity(const QString& path) {
    sqlite3* db = nullptr;
    QString result = "cannot open";
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr);
        result.clear();
        while (sqlite3_step(statement) == SQLITE_ROW)
            result += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return result;
}

// The generation every value under the test key holds, or -1 when they disagree or one is missing.
int generationOf(RegistryStore& store, int values) {
    const std::optional<RegistryStore::KeyId> key = store.findKey(RegistryHive::CurrentUser, crash::storeKey);
    if (!key)
        return -1;
    int generation = -2;
    for (int i = 0; i < values; ++i) {
        const std::optional<RegistryValue> value = store.value(*key, QStringLiteral("v%1").arg(i));
        const int found = value ? value->text.section(u'g', 0, 0).toInt() : -1;
        if (!value || (generation != -2 && found != generation) ||
            value->text != crash::generationValue(found))
            return -1;
        generation = found;
    }
    return generation;
}

// A child writes generation after generation of many values, each generation in one write, and is killed
// at random moments: the store is always sound and holds one whole generation.
TEST(StoreFaults, StoreKilledWhileWritingHoldsOneWholeGeneration) {
    constexpr int values = 500;
    TempStore store;
    // The kills fall within a few generations' time, however fast the machine is today.
    QElapsedTimer oneGeneration;
    oneGeneration.start();
    {
        const std::optional<RegistryStore::KeyId> key =
            store->createKey(RegistryHive::CurrentUser, crash::storeKey);
        ASSERT_TRUE(key);
        RegistryTransaction transaction(*store);
        for (int i = 0; i < values; ++i)
            store->setValue(*key, QStringLiteral("v%1").arg(i),
                            RegistryValue::string(crash::generationValue(0)));
        ASSERT_TRUE(transaction.commit());
    }
    const quint32 window = quint32(qMax<qint64>(150, 3 * oneGeneration.elapsed())) * 1000;
    store.store.reset();
    int last = 0, advanced = 0;
    for (int kill = 0; kill < 100; ++kill) {
        QProcess child;
        child.start(crash::program("hw_crash_helper"), {"store", store.path(), QString::number(values)});
        ASSERT_TRUE(child.waitForReadyRead(10000)) << "the child never started";
        QThread::usleep(QRandomGenerator::global()->bounded(window));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));

        ASSERT_EQ(integrity(store.path()), "ok") << "kill " << kill;
        RegistryStore reopened(store.path());
        const int generation = generationOf(reopened, values);
        ASSERT_GE(generation, 0) << "kill " << kill << ": values of different generations";
        advanced += generation != last ? 1 : 0;
        last = generation;
    }
    // Kills came while generations were being written, not only before the first.
    EXPECT_GT(advanced, 10) << advanced;
}

// Both the settings write and the commit must be on disk before the write reports success.
TEST(StoreFaults, WriteIsSyncedBeforeItReturns) {
    QTemporaryDir dir;
    const QString path = dir.filePath("registry.sqlite");
    const QString log = dir.filePath("sync.log");
    RegistryStore(path).createKey(RegistryHive::CurrentUser, crash::storeKey);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_PRELOAD", crash::program("libhw_sync_log.so"));
    env.insert("HW_SYNC_LOG", log);
    const crash::Run run = crash::runHelper({"once-store", path}, env);
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString();

    const QStringList lines = QString::fromUtf8(readBytes(log)).split(u'\n', Qt::SkipEmptyParts);
    const qsizetype returned = lines.indexOf("returned ");
    ASSERT_GE(returned, 0) << lines.join(u'\n').toStdString();
    // The write-ahead log holds the commit; syncing it is what makes the value survive a power cut.
    const qsizetype walSync = lines.lastIndexOf("fsync " + path + "-wal", returned);
    EXPECT_GT(walSync, lines.indexOf("returned first")) << lines.join(u'\n').toStdString();
    RegistryStore store(path);
    EXPECT_EQ(store.value(*store.findKey(RegistryHive::CurrentUser, crash::storeKey), "v0")->text, "once");
}

void expectFullDiskStore(const char* how, const QString& reason) {
    QTemporaryDir folder;
    const crash::Run run = crash::runHelper({"full", how, "store", folder.path()});
    if (run.exitCode == 77)
        GTEST_SKIP() << run["SKIP"].toStdString();
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString();
    const QString error = run["ERROR"];
    EXPECT_TRUE(error.contains(folder.path() + "/registry.sqlite")) << error.toStdString();
    EXPECT_TRUE(error.contains(reason)) << error.toStdString();
    // The values written in one go before the disk filled are all gone, the old ones all there.
    EXPECT_EQ(run["VALUES"], "all old");
    EXPECT_EQ(run["REOPENED"], "all old");
}

TEST(StoreFaults, FullTmpfsKeepsEveryOldValue) {
    expectFullDiskStore("tmpfs", "database or disk is full");
}

TEST(StoreFaults, FileSizeLimitKeepsEveryOldValue) {
    expectFullDiskStore("fsize", "disk I/O error (File too large: files may not grow beyond 49152 bytes)");
}

// A closed store opened again on a full disk, where the write-ahead files cannot be created: every value
// reads as stored, writes are refused with the reason, the notice says it once.
TEST(StoreFaults, StoreOnAFullDiskOpensReadOnly) {
    // how | the reason the notice and the refusals give
    const struct {
        const char* how;
        QString reason;
    } rows[] = {{"tmpfs", "the disk is full"},
                {"fsize", "File too large: files may not grow beyond 0 bytes"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        QTemporaryDir folder;
        const crash::Run run = crash::runHelper({"full", row.how, "reopen", folder.path()});
        if (run.exitCode == 77) {
            std::printf("skipped %s: %s\n", row.how, qPrintable(run["SKIP"]));
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.error.toStdString() << run.lines.join('\n').toStdString();
        const QString path = folder.path() + "/registry.sqlite";
        const auto said = [&run](const char* word) { return run[word].toStdString(); };
        EXPECT_EQ(said("OPEN"), "yes ");
        EXPECT_EQ(said("READONLY"), "yes");
        EXPECT_EQ(said("NOTICE"), ("The settings store " + path + " cannot be written (" + row.reason +
                                   "). Settings are read from it, but changes made now will not be kept.")
                                      .toStdString());
        EXPECT_EQ(said("STATE"), "all old");
        EXPECT_EQ(said("WRITE"), ("no The settings store " + path + " is read-only (" + row.reason +
                                  "): the change was not kept.")
                                     .toStdString());
        EXPECT_EQ(said("AFTER"), "all old");
    }
}

// A store in a folder this user may not write: as root, the child drops to nobody before it opens a
// root-owned store; any other user takes away its own write permission. Reads work, writes are refused
// with the reason, the file is not touched.
class ReadOnlyStore : public ::testing::Test {
protected:
    void SetUp() override {
        {
            RegistryStore store(path());
            const std::optional<RegistryStore::KeyId> key =
                store.createKey(RegistryHive::CurrentUser, crash::storeKey);
            ASSERT_TRUE(key);
            for (int i = 0; i < 20; ++i)
                ASSERT_TRUE(store.setValue(*key, QStringLiteral("v%1").arg(i), RegistryValue::string("old")));
        }
        // Everyone may pass through and read; only root, if anyone, may write.
        const bool root = ::geteuid() == 0;
        ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), root ? 0644 : 0444), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), root ? 0755 : 0555), 0);
    }
    void TearDown() override { ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755); }
    QString path(const QString& name = "registry.sqlite") const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(ReadOnlyStore, ReadsWorkAndWritesAreRefused) {
    const QByteArray before = readBytes(path());
    const crash::Run run = crash::runHelper({"read-only", path()});
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString() << run.lines.join('\n').toStdString();
    EXPECT_EQ(run["OPEN"], "yes ");
    EXPECT_EQ(run["READONLY"], "yes");
    EXPECT_EQ(run["NOTICE"],
              "The settings store " + path() +
                  " cannot be written (Permission denied). Settings are read from it, but changes "
                  "made now will not be kept.");
    EXPECT_EQ(run["KEY"], "yes ");
    EXPECT_EQ(run["STATE"], "all old");
    const QString refused =
        "The settings store " + path() + " is read-only (Permission denied): the change was not kept.";
    EXPECT_EQ(run["NEWKEY"], "no " + refused);
    EXPECT_EQ(run["WRITE"], "no " + refused);
    EXPECT_EQ(run["AFTER"], "all old");
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"registry.sqlite"});
}

TEST_F(ReadOnlyStore, MissingStoreReadsAsEmptyAndIsNotCreated) {
    const crash::Run run = crash::runHelper({"read-only", path("none.sqlite")});
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString();
    EXPECT_EQ(run["OPEN"], "yes ");
    EXPECT_EQ(run["READONLY"], "yes");
    EXPECT_TRUE(run["KEY"].startsWith("no The settings store " + path("none.sqlite") + " is read-only"))
        << run["KEY"].toStdString();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"registry.sqlite"});
}

// The notice is for read-only stores alone: the program shows it at every start when it is not empty.
TEST(StoreFaults, WritableStoreHasNoNotice) {
    TempStore store;
    EXPECT_FALSE(store->isReadOnly());
    EXPECT_EQ(store->readOnlyNotice(), "");
    EXPECT_TRUE(store->createKey(RegistryHive::CurrentUser, crash::storeKey).has_value());
}

} // namespace
