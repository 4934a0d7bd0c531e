#include "workspace/RecoveryStore.h"
#include "TestFiles.h"
#include "workspace/LineDiff.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <sys/stat.h>

namespace {

RecoveryCopy sampleCopy(const QString& path, QStringList lines = {"class A {", "}"}) {
    RecoveryCopy copy;
    copy.path = path;
    copy.written = QDateTime(QDate(2026, 12, 9), QTime(13, 5, 17, 250), QTimeZone::utc());
    copy.diskTime = QStringLiteral("2026-12-09 12:00:00");
    copy.lines = std::move(lines);
    return copy;
}

} // namespace

// Every format the program keeps a file in, and every character a buffer can hold, come back unchanged.
TEST(RecoveryCopyFormat, RoundTripsEveryFormatAndCharacter) {
    const QString nul = QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b");
    const QString astral = QString::fromUtf8("emoji \xF0\x9F\x98\x80 and \xF0\x9D\x84\x9E");
    const struct {
        TextFormat format;
        QStringList lines;
        QString path;
    } cases[] = {
        {{TextEncoding::Utf8, false, LineBreak::CrLf, true}, {"class A {", "\tint x;", "}"}, "/p/A.java"},
        {{TextEncoding::Utf8, true, LineBreak::Lf, false}, {nul, astral}, "/p/B.java"},
        {{TextEncoding::Windows1252, false, LineBreak::Cr, true},
         {QString::fromUtf8("caf\xC3\xA9")},
         "/p/C.java"},
        {{TextEncoding::Utf16LE, true, LineBreak::CrLf, false}, {astral, "", ""}, "/p/D.java"},
        {{TextEncoding::Utf16BE, true, LineBreak::Lf, true}, {""}, "/p/E.java"},
        {{TextEncoding::Utf8, false, LineBreak::CrLf, true}, {}, "/p/Empty.java"},
        // A path that would break a header line, or that looks escaped already.
        {{}, {"x"}, "/p/new\nline/%41 100%.java"},
        {{}, {"   ", "\t"}, QString::fromUtf8("/p/\xC3\xA4\r\x7F.java")},
    };
    for (const auto& c : cases) {
        RecoveryCopy copy = sampleCopy(c.path, c.lines);
        copy.format = c.format;
        const QByteArray bytes = formatRecoveryCopy(copy);
        const RecoveryParse parsed = parseRecoveryCopy(bytes);
        ASSERT_TRUE(parsed.copy) << c.path.toStdString() << ": " << parsed.problem.toStdString();
        EXPECT_EQ(*parsed.copy, copy) << bytes.toStdString();
        // The header stays one line per name, whatever the path holds.
        EXPECT_EQ(bytes.left(bytes.indexOf("\n\n")).count('\n'), 8) << bytes.toStdString();
    }
    // No file time recorded (a buffer never read from disk) is kept as none.
    RecoveryCopy unread = sampleCopy("/p/New.java");
    unread.diskTime.clear();
    EXPECT_EQ(parseRecoveryCopy(formatRecoveryCopy(unread)).copy, unread);
}

// A damaged or foreign file is refused with a reason, never read as a shorter text.
TEST(RecoveryCopyFormat, RefusesDamagedAndForeignFiles) {
    const QByteArray good = formatRecoveryCopy(sampleCopy("/p/A.java", {"line one", "line two"}));
    const auto replaced = [&](const char* from, const char* to) {
        QByteArray bytes = good;
        return bytes.replace(from, to);
    };
    const struct {
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {{}, "not a recovery copy"},
        {"just some text\n\nhello\n", "not a recovery copy"},
        {good.mid(1), "not a recovery copy"},
        {good.left(good.indexOf("\n\n")), "not a recovery copy"},
        {good.chopped(1), "cut short"},
        {good.left(good.size() - 5), "cut short"},
        {good + "x\n", "more than"},
        {replaced("Encoding: UTF-8", "Encoding: EBCDIC"), "encoding"},
        {replaced("Line breaks: CR LF", "Line breaks: NEL"), "line breaks"},
        {replaced("Final line break: yes", "Final line break: perhaps"), "neither yes nor no"},
        {replaced("Path: /p/A.java\n", ""), "incomplete"},
        {replaced("Written: ", "Written: yesterday "), "incomplete"},
        {replaced("Text bytes: 18", "Text bytes: -18"), "incomplete"},
        {replaced("Encoding: UTF-8", "Encoding UTF-8"), "no value"},
        {replaced("line one", "line \xC3(e"), "damaged"},
        {replaced("line two\n", "line two!"), "damaged"},
    };
    for (const auto& c : cases) {
        const RecoveryParse parsed = parseRecoveryCopy(c.bytes);
        EXPECT_FALSE(parsed.copy) << c.bytes.toStdString();
        EXPECT_TRUE(parsed.problem.contains(QLatin1String(c.reason))) << parsed.problem.toStdString();
    }
    // A header name this version does not know is left alone.
    EXPECT_TRUE(parseRecoveryCopy(replaced("Text bytes:", "Colour: blue\nText bytes:")).copy);
}

TEST(RecoveryFolder, FollowsTheStateHomeElseTheHomeFolder) {
    const QByteArray saved = qgetenv("XDG_STATE_HOME");
    const struct {
        const char* state; // nullptr: unset
        QString folder;
    } cases[] = {
        {"/var/tmp/state", "/var/tmp/state/kovrin/recover/"},
        {"/var/tmp/state//", "/var/tmp/state/kovrin/recover/"},
        {nullptr, QDir::homePath() + "/.local/state/kovrin/recover/"},
        {"", QDir::homePath() + "/.local/state/kovrin/recover/"},
        {"relative/state", QDir::homePath() + "/.local/state/kovrin/recover/"},
    };
    for (const auto& c : cases) {
        if (c.state)
            qputenv("XDG_STATE_HOME", c.state);
        else
            qunsetenv("XDG_STATE_HOME");
        EXPECT_EQ(recoveryFolder(), c.folder) << (c.state ? c.state : "(unset)");
    }
    qputenv("XDG_STATE_HOME", saved);
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path() + "/state/kovrin/recover/"; }
    QString project() const { return dir.path() + "/project/"; }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(project())); }
};

// Whatever the buffer's path says, its copy lands in the recovery folder under a name made of a hash.
TEST_F(RecoveryStoreTest, CopiesLandInTheFolderUnderAHashedName) {
    const RecoveryStore store(folder());
    const QString paths[] = {
        project() + "A.java",
        project() + "../../../../tmp/escape.java",
        project() + "sub/dir/that/does/not/exist/B.java",
        "/etc/passwd",
        project() + "line\nbreak.java",
    };
    QStringList names;
    for (const QString& path : paths) {
        const FileResult written = store.write(sampleCopy(path));
        ASSERT_TRUE(written) << written.error.toStdString();
        const QFileInfo file(store.fileFor(path));
        EXPECT_EQ(file.absolutePath() + u'/', QDir::cleanPath(folder()) + u'/') << path.toStdString();
        EXPECT_TRUE(QRegularExpression("^[0-9a-f]{32}\\.recover$").match(file.fileName()).hasMatch());
        EXPECT_TRUE(store.has(path));
        names << file.fileName();
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), std::size(paths));
    // Nothing was written beside the user's files, and the folder is the user's alone.
    EXPECT_EQ(QDir(project()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList());
    for (const QString& made : {folder(), dir.path() + "/state/kovrin"}) {
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(made).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made.toStdString();
    }
    const RecoveryListing listing = store.readAll();
    EXPECT_TRUE(listing.notes.isEmpty()) << listing.notes.join('\n').toStdString();
    ASSERT_EQ(listing.copies.size(), std::size(paths));
    QStringList listed;
    for (const RecoveryEntry& entry : listing.copies)
        listed << entry.copy.path;
    for (const QString& path : paths)
        EXPECT_TRUE(listed.contains(path)) << path.toStdString();
}

// A file and a link to it are one buffer: they share one copy; a later copy replaces the earlier one.
TEST_F(RecoveryStoreTest, OneCopyPerRealFile) {
    writeBytes(project() + "A.java", "class A {}\r\n");
    ASSERT_TRUE(QFile::link(project() + "A.java", project() + "Link.java"));
    ASSERT_TRUE(QFile::link(project(), dir.path() + "/linked"));
    const RecoveryStore store(folder());
    EXPECT_EQ(recoveryFileName(project() + "Link.java"), recoveryFileName(project() + "A.java"));
    EXPECT_EQ(recoveryFileName(dir.path() + "/linked/New.java"), recoveryFileName(project() + "New.java"));
    EXPECT_EQ(recoveryFileName(project() + "./sub/../A.java"), recoveryFileName(project() + "A.java"));
    EXPECT_NE(recoveryFileName(project() + "a.java"), recoveryFileName(project() + "A.java"));
    ASSERT_TRUE(store.write(sampleCopy(project() + "A.java", {"first"})));
    ASSERT_TRUE(store.write(sampleCopy(project() + "Link.java", {"second"})));
    const RecoveryListing listing = store.readAll();
    ASSERT_EQ(listing.copies.size(), 1);
    EXPECT_EQ(listing.copies[0].copy.lines, QStringList{"second"});
}

// Removing works once and quietly after; a garbage, cut or foreign file is skipped with a note naming it
// while the good copies beside it still read.
TEST_F(RecoveryStoreTest, RemovesAndSkipsWhatItCannotRead) {
    const RecoveryStore store(folder());
    ASSERT_TRUE(store.write(sampleCopy(project() + "Good.java")));
    ASSERT_TRUE(store.write(sampleCopy(project() + "Gone.java")));
    EXPECT_TRUE(store.remove(project() + "Gone.java"));
    EXPECT_FALSE(store.has(project() + "Gone.java"));
    EXPECT_TRUE(store.remove(project() + "Gone.java"));
    const QByteArray good = formatRecoveryCopy(sampleCopy(project() + "Cut.java"));
    writeBytes(folder() + "0123456789abcdef0123456789abcdef.recover", good.chopped(3));
    writeBytes(folder() + "notes.txt", "\x00\xFF garbage");
    writeBytes(folder() + ".hidden-temporary", good);
    ASSERT_TRUE(QDir().mkpath(folder() + "a-folder.recover"));
    ASSERT_TRUE(QFile::link(folder() + "nowhere", folder() + "dangling.recover"));
    const RecoveryListing listing = store.readAll();
    ASSERT_EQ(listing.copies.size(), 1);
    EXPECT_EQ(listing.copies[0].copy.path, project() + "Good.java");
    const QString notes = listing.notes.join('\n');
    EXPECT_EQ(listing.notes.size(), 3) << notes.toStdString();
    for (const char* named : {"0123456789abcdef0123456789abcdef.recover", "notes.txt", "dangling.recover"})
        EXPECT_TRUE(notes.contains(QLatin1String(named))) << named << "\n" << notes.toStdString();
    // No folder at all: nothing to list, nothing to say.
    const RecoveryListing none = RecoveryStore(dir.path() + "/never/made").readAll();
    EXPECT_TRUE(none.copies.isEmpty() && none.notes.isEmpty());
}

// A link planted where a copy goes is replaced by the copy, never written through.
TEST_F(RecoveryStoreTest, NeverWritesThroughALinkInTheFolder) {
    const RecoveryStore store(folder());
    ASSERT_TRUE(store.write(sampleCopy(project() + "A.java")));
    const QString victim = project() + "victim.txt";
    writeBytes(victim, "keep me");
    const QString file = store.fileFor(project() + "A.java");
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::link(victim, file));
    ASSERT_TRUE(store.write(sampleCopy(project() + "A.java", {"new"})));
    EXPECT_EQ(readBytes(victim), "keep me");
    EXPECT_FALSE(QFileInfo(file).isSymLink());
    // A folder this user cannot write is a failure that names it, not a crash.
    const RecoveryStore blocked(victim + "/recover");
    EXPECT_FALSE(blocked.write(sampleCopy(project() + "A.java")));
}

// The restore window's line: how many lines differ from the file as it is now, and whether the file is newer.
TEST_F(RecoveryStoreTest, ComparesACopyWithTheFileAsItIsNow) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const struct {
        const char* name;
        QByteArray onDisk; // "<missing>": no file
        qint64 fileAge;    // seconds the file's time lies before the copy's
        QStringList copied;
        bool exists, older;
        int differing;
    } cases[] = {
        {"same text", "a\r\nb\r\n", 60, {"a", "b"}, true, false, 0},
        {"one changed, one added", "a\nb\n", 60, {"a", "B", "c"}, true, false, 2},
        {"file written after the copy", "a\n", -60, {"a", "x"}, true, true, 1},
        {"file gone", "<missing>", 0, {"a", "b", "c"}, false, false, 3},
        {"file in UTF-16", QByteArray("\xFF\xFEx\0\n\0", 6), 60, {"x"}, true, false, 0},
    };
    for (const auto& c : cases) {
        const QString path = project() + c.name + ".java";
        if (c.onDisk != "<missing>") {
            writeBytes(path, c.onDisk);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(now.addSecs(-c.fileAge), QFileDevice::FileModificationTime));
        }
        RecoveryCopy copy = sampleCopy(path, c.copied);
        copy.written = now;
        const RecoveryComparison seen = compareWithFile(copy);
        EXPECT_EQ(seen.fileExists, c.exists) << c.name;
        EXPECT_EQ(seen.olderThanFile, c.older) << c.name;
        EXPECT_EQ(seen.differingLines, c.differing) << c.name;
        EXPECT_EQ(seen.readError, QString()) << c.name;
    }
}

TEST(LineDiff, CountsAndRunsOfDifferingLines) {
    const struct {
        QStringList before, after;
        int count;
        QList<DiffHunk> hunks;
    } cases[] = {
        {{}, {}, 0, {}},
        {{"a", "b"}, {"a", "b"}, 0, {}},
        {{}, {"a", "b"}, 2, {{0, 0, 0, 2}}},
        {{"a", "b"}, {}, 2, {{0, 2, 0, 0}}},
        {{"a", "b", "c"}, {"a", "x", "c"}, 1, {{1, 1, 1, 1}}},
        {{"a", "b", "c"}, {"a", "c"}, 1, {{1, 1, 1, 0}}},
        {{"a", "c"}, {"a", "b", "c"}, 1, {{1, 0, 1, 1}}},
        {{"a", "b", "c", "d"}, {"x", "b", "c", "y"}, 2, {{0, 1, 0, 1}, {3, 1, 3, 1}}},
        {{"a", "b"}, {"b", "a"}, 2, {{0, 1, 0, 0}, {2, 0, 1, 1}}},
        {{"a"}, {"x", "y", "z"}, 3, {{0, 1, 0, 3}}},
        {{"a", "a", "a"}, {"a", "a"}, 1, {{2, 1, 2, 0}}},
        {{"", ""}, {""}, 1, {{1, 1, 1, 0}}},
    };
    for (const auto& c : cases) {
        const QString label = c.before.join('|') + " -> " + c.after.join('|');
        EXPECT_EQ(differingLineCount(c.before, c.after), c.count) << label.toStdString();
        EXPECT_EQ(diffLines(c.before, c.after), c.hunks) << label.toStdString();
    }
}

namespace {

// The runs applied to the first text give the second.
QStringList applyHunks(const QStringList& before, const QStringList& after, const QList<DiffHunk>& hunks) {
    QStringList out;
    int line = 0;
    for (const DiffHunk& hunk : hunks) {
        out += before.mid(line, hunk.oldStart - line);
        out += after.mid(hunk.newStart, hunk.newCount);
        line = hunk.oldStart + hunk.oldCount;
    }
    return out + before.mid(line);
}

QStringList randomLines(QRandomGenerator& random, int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString(QChar(u'a' + random.bounded(4)));
    return lines;
}

QString runDiff(const QStringList& before, const QStringList& after, const QTemporaryDir& dir) {
    const auto save = [&](const QString& name, const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toUtf8() + '\n';
        writeBytes(dir.filePath(name), bytes);
    };
    save("old", before);
    save("new", after);
    QProcess diff;
    diff.start("diff", {"--minimal", "-U3", "--label", "old", "--label", "new", dir.filePath("old"),
                        dir.filePath("new")});
    diff.waitForFinished();
    return QString::fromUtf8(diff.readAllStandardOutput());
}

} // namespace

// On random texts the runs are minimal (as many lines as GNU diff --minimal removes and adds), lead from
// one text to the other, and the unified text has diff's block headers.
TEST(LineDiff, AgreesWithDiffOnRandomTexts) {
    QTemporaryDir dir;
    QRandomGenerator random(20261209);
    QProcess probe;
    probe.start("diff", {"--version"});
    const bool haveDiff = probe.waitForFinished() && probe.exitCode() == 0;
    for (int round = 0; round < 200; ++round) {
        const QStringList before = randomLines(random, random.bounded(12));
        const QStringList after = randomLines(random, random.bounded(12));
        const QList<DiffHunk> hunks = diffLines(before, after);
        ASSERT_EQ(applyHunks(before, after, hunks), after)
            << before.join("").toStdString() << " -> " << after.join("").toStdString();
        const QString ours = unifiedDiff(before, after, "old", "new");
        EXPECT_EQ(ours.isEmpty(), before == after);
        if (!haveDiff)
            continue;
        const QString theirs = runDiff(before, after, dir);
        const auto count = [](const QString& text, QChar mark) {
            int n = 0;
            for (const QString& line : text.split(u'\n'))
                n += line.startsWith(mark) && !line.startsWith(QString(2, mark) + u' ') ? 1 : 0;
            return n;
        };
        const auto headers = [](const QString& text) {
            QStringList found;
            for (const QString& line : text.split(u'\n'))
                if (line.startsWith(QLatin1String("@@")) || line.startsWith(QLatin1String("---")) ||
                    line.startsWith(QLatin1String("+++")))
                    found << line;
            return found;
        };
        const std::string label = (before.join("") + " -> " + after.join("")).toStdString();
        EXPECT_EQ(count(ours, u'-'), count(theirs, u'-')) << label << "\n" << ours.toStdString();
        EXPECT_EQ(count(ours, u'+'), count(theirs, u'+')) << label << "\n" << ours.toStdString();
        EXPECT_EQ(headers(ours).size(), headers(theirs).size()) << label << "\n"
                                                                << ours.toStdString() << theirs.toStdString();
    }
}

// Past the table's limit the middle is one run, still correct, and a long text with one change is quick.
TEST(LineDiff, LongTextsStayExact) {
    QStringList before, after;
    for (int i = 0; i < 20000; ++i)
        before << QString::number(i);
    after = before;
    after[10000] = "changed";
    EXPECT_EQ(diffLines(before, after), (QList<DiffHunk>{{10000, 1, 10000, 1}}));
    QStringList reversed(before.rbegin(), before.rend());
    const QList<DiffHunk> hunks = diffLines(before, reversed);
    EXPECT_EQ(applyHunks(before, reversed, hunks), reversed);
}
