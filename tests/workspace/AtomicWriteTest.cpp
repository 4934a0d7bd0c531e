#include "workspace/AtomicWrite.h"
#include "TestFiles.h"
#include "crash/CrashChild.h"
#include "workspace/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <sys/stat.h>

namespace {

class AtomicWriteTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList files() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QTemporaryDir m_dir;
};

TEST_F(AtomicWriteTest, KeepsPermissionsAndWritesThroughLinks) {
    writeBytes(path("Shared.java"), "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path("Shared.java")).constData(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(path("Shared.java"), "new").ok());
    struct stat info {};
    ::stat(QFile::encodeName(path("Shared.java")).constData(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // A link stays a link, whether its target exists or not.
    writeBytes(path("Real.java"), "old");
    ASSERT_TRUE(QFile::link(path("Real.java"), path("Link.java")));
    ASSERT_TRUE(QFile::link(path("Later.java"), path("Dangling.java")));
    ASSERT_TRUE(writeFileAtomically(path("Link.java"), "through").ok());
    ASSERT_TRUE(writeFileAtomically(path("Dangling.java"), "created").ok());
    EXPECT_TRUE(QFileInfo(path("Link.java")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("Dangling.java")).isSymLink());
    EXPECT_EQ(readBytes(path("Real.java")), "through");
    EXPECT_EQ(readBytes(path("Later.java")), "created");
    EXPECT_EQ(files(), (QStringList{"Dangling.java", "Later.java", "Link.java", "Real.java", "Shared.java"}));
}

TEST_F(AtomicWriteTest, StreamedFileReplacesOnlyOnCommit) {
    writeBytes(path("A.reg"), "old");
    {
        AtomicFile file(path("A.reg"));
        ASSERT_TRUE(file.open().ok());
        ASSERT_TRUE(file.write("half").ok());
        EXPECT_EQ(readBytes(path("A.reg")), "old");
    } // dropped without commit
    EXPECT_EQ(readBytes(path("A.reg")), "old");
    EXPECT_EQ(files(), QStringList{"A.reg"});

    AtomicFile file(path("A.reg"));
    ASSERT_TRUE(file.open().ok());
    ASSERT_TRUE(file.write("one ").ok());
    ASSERT_TRUE(file.write("two").ok());
    ASSERT_TRUE(file.commit().ok());
    EXPECT_EQ(readBytes(path("A.reg")), "one two");
    EXPECT_EQ(files(), QStringList{"A.reg"});

    // A folder in the file's place: the first failure is the one reported, and nothing is created.
    QDir(m_dir.path()).mkdir("B.reg");
    AtomicFile blocked(path("B.reg"));
    EXPECT_EQ(blocked.open().error, "Cannot write " + path("B.reg") + ": Is a directory");
    EXPECT_EQ(blocked.write("x").error, "Cannot write " + path("B.reg") + ": Is a directory");
    EXPECT_EQ(blocked.commit().error, "Cannot write " + path("B.reg") + ": Is a directory");
    EXPECT_EQ(files(), QStringList{"A.reg"});
}

// The order the system calls reach the kernel, seen from inside a child through a preloaded logger:
// the data is synced before the rename and the folder after it, and only then does the save return.
std::pair<QStringList, QString> syncLog(const QString& target, const QStringList& extra) {
    QTemporaryDir logDir;
    const QString log = logDir.filePath("sync.log");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LD_PRELOAD", crash::program("libhw_sync_log.so"));
    env.insert("HW_SYNC_LOG", log);
    const crash::Run run = crash::runHelper(QStringList{"once", target} + extra, env);
    EXPECT_EQ(run.exitCode, 0) << run.error.toStdString();
    const QStringList lines = QString::fromUtf8(readBytes(log)).split(u'\n', Qt::SkipEmptyParts);
    // The rename names the temporary file it puts in place.
    const QString renamed = "^rename (.*) " + QRegularExpression::escape(target) + "$";
    const qsizetype at = lines.indexOf(QRegularExpression(renamed));
    return {lines, at < 0 ? QString() : QRegularExpression(renamed).match(lines[at]).captured(1)};
}

TEST_F(AtomicWriteTest, SyncsTheDataThenRenamesThenSyncsTheFolderBeforeReturning) {
    writeBytes(path("A.java"), "old");
    const auto [lines, temporary] = syncLog(path("A.java"), {});
    const QString all = lines.join(u'\n');
    ASSERT_TRUE(temporary.startsWith(path("A.java."))) << all.toStdString();
    EXPECT_EQ(readBytes(path("A.java")), "class A {}\r\n");
    const qsizetype rename = lines.indexOf("rename " + temporary + ' ' + path("A.java"));
    const qsizetype dataSync = lines.indexOf("fsync " + temporary);
    const qsizetype folderSync = lines.indexOf("fsync " + m_dir.path(), rename);
    EXPECT_GE(dataSync, 0) << all.toStdString();
    EXPECT_LT(dataSync, rename) << all.toStdString();
    EXPECT_GT(folderSync, rename) << all.toStdString();
    EXPECT_EQ(lines.indexOf("returned "), lines.size() - 1) << all.toStdString();
    EXPECT_GT(lines.indexOf("returned "), folderSync);
    EXPECT_EQ(files(), QStringList{"A.java"});
}

// A scratch file is still replaced in one rename, but nothing waits for the disk.
TEST_F(AtomicWriteTest, ScratchFileIsRenamedWithoutSyncing) {
    const auto [lines, temporary] = syncLog(path("temp.java"), {"scratch"});
    ASSERT_TRUE(temporary.startsWith(path("temp.java."))) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression("^fsync ")), QStringList());
    EXPECT_EQ(readBytes(path("temp.java")), "class A {}\r\n");
    EXPECT_EQ(files(), QStringList{"temp.java"});
}

// A child saves a large source again and again, two contents in turn, and is killed at random moments:
// every time the file on disk is one of the two, whole.
TEST_F(AtomicWriteTest, SourceKilledWhileSavingIsOldOrNewNeverPart) {
    constexpr qint64 size = 3 * 1024 * 1024;
    const auto bytesOf = [](char letter, qint64 bytes) {
        return joinTextLines(crash::sourceLines(letter, bytes)).toUtf8();
    };
    const QByteArray a = bytesOf('a', size);
    const QByteArray b = bytesOf('b', size + 7777);
    // The kills fall within a few saves' time, however fast the machine is today.
    QElapsedTimer oneSave;
    oneSave.start();
    ASSERT_TRUE(writeFileAtomically(path("Big.java"), a).ok());
    const quint32 window = quint32(qMax<qint64>(80, 3 * oneSave.elapsed())) * 1000;
    int sawA = 0, sawB = 0;
    for (int kill = 0; kill < 120; ++kill) {
        QProcess child;
        child.start(crash::program("hw_crash_helper"), {"save", path("Big.java"), QString::number(size)});
        ASSERT_TRUE(child.waitForReadyRead(10000)) << "the child never started";
        QThread::usleep(QRandomGenerator::global()->bounded(window));
        child.kill();
        ASSERT_TRUE(child.waitForFinished(10000));
        const QByteArray now = readBytes(path("Big.java"));
        ASSERT_TRUE(now == a || now == b)
            << "kill " << kill << ": " << now.size() << " bytes, neither content";
        (now == a ? sawA : sawB)++;
        // A killed save leaves its temporary file, which nothing else reads; the next test run starts
        // clean.
        for (const QString& name : files()) {
            if (name != "Big.java")
                QFile::remove(path(name));
        }
    }
    // The kills landed while saves were under way, not only before the first one.
    EXPECT_GT(sawB, 5);
    EXPECT_GT(sawA, 5);
}

// A save that does not fit on the disk: the message names the file and the reason, the old file and the
// buffer stay.
void expectFullDiskSave(const char* how, const QString& reason, const QString& files) {
    QTemporaryDir folder;
    const crash::Run run = crash::runHelper({"full", how, "save", folder.path()});
    if (run.exitCode == 77)
        GTEST_SKIP() << run["SKIP"].toStdString();
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString();
    EXPECT_EQ(run["ERROR"], "Cannot write " + folder.path() + "/Big.java: " + reason);
    EXPECT_EQ(run["MODIFIED"], "yes");
    EXPECT_EQ(run["INTACT"], "yes");
    EXPECT_EQ(run["FILES"], files);
}

// A tiny tmpfs, mounted by the child in a mount namespace of its own.
TEST(AtomicWriteFullDisk, OnASmallTmpfs) {
    expectFullDiskSave("tmpfs", "No space left on device", "Big.java,filler");
}

// Runs everywhere: a file-size limit stops the write halfway.
TEST(AtomicWriteFullDisk, UnderAFileSizeLimit) {
    expectFullDiskSave("fsize", "File too large", "Big.java");
}

} // namespace
