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
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

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

    // A link stays a link; one that leads to nothing creates no file there.
    writeBytes(path("Real.java"), "old");
    ASSERT_TRUE(QFile::link(path("Real.java"), path("Link.java")));
    ASSERT_TRUE(QFile::link(path("Later.java"), path("Dangling.java")));
    ASSERT_TRUE(QFile::link(path("Dangling.java"), path("Chain.java")));
    ASSERT_TRUE(writeFileAtomically(path("Link.java"), "through").ok());
    for (const char* name : {"Dangling.java", "Chain.java"})
        EXPECT_EQ(writeFileAtomically(path(name), "created").error,
                  "Cannot write " + path(name) + ": it is a link to " +
                      path(name == QString("Chain.java") ? "Dangling.java" : "Later.java") +
                      ", which does not exist");
    EXPECT_TRUE(QFileInfo(path("Link.java")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("Dangling.java")).isSymLink());
    EXPECT_EQ(readBytes(path("Real.java")), "through");
    EXPECT_EQ(files(), (QStringList{"Chain.java", "Dangling.java", "Link.java", "Real.java", "Shared.java"}));
}

// The temporary file is hidden and short however long the target's name is, so a name as long as the
// system allows can be saved; a later save removes what a killed one left of the same target, and only
// that.
TEST_F(AtomicWriteTest, TemporaryNamesAreShortAndHiddenAndStaleOnesGo) {
    const QString accent = QString::fromUtf8("\xC3\xA9");
    const struct {
        QString name;
        QString shown; // what the temporary name repeats of it
    } cases[] = {
        {"A.java", "A.java"},
        {QString(200, u'b') + ".java", QString(24, u'b')},
        {QString(250, u'c') + ".java", QString(24, u'c')},
        // Cut before a character that would not fit whole.
        {QString(23, u'd') + accent + QString(225, u'e') + ".java", QString(23, u'd')},
    };
    for (const auto& c : cases) {
        AtomicFile open(path(c.name));
        ASSERT_TRUE(open.open().ok()) << c.name.size();
        const QStringList temporary = files();
        ASSERT_EQ(temporary.size(), 1) << c.name.size();
        EXPECT_LE(temporary[0].toUtf8().size(), 48) << temporary[0].toStdString();
        EXPECT_TRUE(
            QRegularExpression("^\\." + QRegularExpression::escape(c.shown) + "\\.[0-9a-f]{8}\\.[0-9a-z]{6}$")
                .match(temporary[0])
                .hasMatch())
            << temporary[0].toStdString();
        open.cancel();
        ASSERT_TRUE(writeFileAtomically(path(c.name), "saved").ok()) << c.name.size();
        EXPECT_EQ(readBytes(path(c.name)), "saved");
        QFile::remove(path(c.name));
    }
    EXPECT_EQ(files(), QStringList{});

    // A save under way (its temporary file locked) beside what killed saves left.
    AtomicFile underWay(path("Big.java"));
    ASSERT_TRUE(underWay.open().ok());
    AtomicFile otherTarget(path("Big.javax"));
    ASSERT_TRUE(otherTarget.open().ok());
    const QStringList live = files();
    ASSERT_EQ(live.size(), 2);
    const auto stale = [](QString name) { return name.chopped(1) + (name.endsWith('z') ? 'y' : 'z'); };
    const QString own = live.filter(QString::fromUtf8(temporaryNamePrefix("Big.java"))).value(0);
    const QString other = live.filter(QString::fromUtf8(temporaryNamePrefix("Big.javax"))).value(0);
    ASSERT_FALSE(own.isEmpty());
    ASSERT_FALSE(other.isEmpty());
    const QStringList kept = {stale(other), "Big.java.18bvbv", own + "7", ".Big.java.notes"};
    for (const QString& name : kept + QStringList{stale(own)})
        writeBytes(path(name), "left");
    const QString link = own.chopped(1) + (own.endsWith('0') ? '1' : '0');
    ASSERT_TRUE(QFile::link(path("Big.java"), path(link)));

    ASSERT_TRUE(writeFileAtomically(path("Big.java"), "saved").ok());
    QStringList expected = kept + live + QStringList{"Big.java", link};
    expected.sort();
    EXPECT_EQ(files(), expected);
    EXPECT_TRUE(underWay.write("mine").ok());
    EXPECT_TRUE(underWay.commit().ok()) << "the save under way still ends well";
    EXPECT_EQ(readBytes(path("Big.java")), "mine");
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

// Reading a FIFO or a device would wait or run for ever: only regular files are read, and only up to the
// limit. Each read runs aside so that one which blocks fails the row instead of hanging the test.
TEST_F(AtomicWriteTest, OnlyRegularFilesAreReadAndOnlyUpToTheLimit) {
    const QString fifo = path("Pipe.java");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QDir(m_dir.path()).mkdir("Folder.java");
    writeBytes(path("Ten.java"), "0123456789");
    const struct {
        QString path;
        qint64 limit;
        QString error;
        QByteArray bytes;
    } cases[] = {
        {fifo, kReadLimit, fifo + " is not a regular file.", {}},
        {"/dev/zero", kReadLimit, "/dev/zero is not a regular file.", {}},
        {"/dev/null", kReadLimit, "/dev/null is not a regular file.", {}},
        {path("Folder.java"), kReadLimit, "Cannot read " + path("Folder.java") + ": Is a directory", {}},
        {path("None.java"),
         kReadLimit,
         "Cannot read " + path("None.java") + ": No such file or directory",
         {}},
        {path("Ten.java"),
         9,
         "Cannot read " + path("Ten.java") + ": it is larger than 0 MB, more than the program opens",
         {}},
        {path("Ten.java"), 10, "", "0123456789"},
    };
    for (const auto& c : cases) {
        auto pending = std::async(std::launch::async, [&] {
            QByteArray bytes = "stale";
            const FileResult result = readWholeFile(c.path, bytes, c.limit);
            return std::pair{result.error, result ? bytes : QByteArray()};
        });
        const bool returned = pending.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
        if (!returned && c.path == fifo) // a writer that ends at once gives the blocked reader its end
            ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        ASSERT_TRUE(returned || c.path == fifo) << c.path.toStdString() << " never returned";
        EXPECT_TRUE(returned) << c.path.toStdString();
        const auto [error, bytes] = pending.get();
        EXPECT_EQ(error, c.error) << c.path.toStdString();
        EXPECT_EQ(bytes, c.bytes) << c.path.toStdString();
    }
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
    ASSERT_TRUE(temporary.startsWith(path(".A.java."))) << all.toStdString();
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
    ASSERT_TRUE(temporary.startsWith(path(".temp.java."))) << lines.join(u'\n').toStdString();
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
    }
    // Each killed save left its temporary file at most; the next save that succeeds removes them all.
    ASSERT_TRUE(writeFileAtomically(path("Big.java"), a).ok());
    EXPECT_EQ(files(), QStringList{"Big.java"});
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
