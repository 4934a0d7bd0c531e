#include "workspace/Breakpoints.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Each line is a breakpoint, or a problem that names its line and is kept for writing back as it was.
TEST(Breakpoints, EachLineIsABreakpointOrAProblemKeptAsItIs) {
    struct Case {
        QByteArray text;
        QMap<QString, QList<int>> lines;
        int problems;
        QByteArray written; // text() afterwards
    };
    const Case cases[] = {
        {"", {}, 0, ""},
        {"Foo.java:12\n", {{"Foo.java", {12}}}, 0, "Foo.java:12\r\n"},
        {"sub/Foo.java:3\r\nsub/Foo.java:1\r\nsub/Foo.java:3\r\n",
         {{"sub/Foo.java", {1, 3}}},
         0,
         "sub/Foo.java:1\r\nsub/Foo.java:3\r\n"},
        {"  B.java : 7  \n\n\nA.java:2", {{"A.java", {2}}, {"B.java", {7}}}, 0, "A.java:2\r\nB.java:7\r\n"},
        // Written on Windows.
        {"sub\\Foo.java:4\n", {{"sub/Foo.java", {4}}}, 0, "sub/Foo.java:4\r\n"},
        {"a b/Fo o.java:4\n", {{"a b/Fo o.java", {4}}}, 0, "a b/Fo o.java:4\r\n"},
        {"C:x.java:4\n", {}, 1, "C:x.java:4\r\n"},
        {"Foo.java\n", {}, 1, "Foo.java\r\n"},
        {"Foo.java:\n", {}, 1, "Foo.java:\r\n"},
        {"Foo.java:0\n", {}, 1, "Foo.java:0\r\n"},
        {"Foo.java:-3\n", {}, 1, "Foo.java:-3\r\n"},
        {"Foo.java:12x\n", {}, 1, "Foo.java:12x\r\n"},
        {"Foo.java:999999999999\n", {}, 1, "Foo.java:999999999999\r\n"},
        {"/etc/Foo.java:3\n", {}, 1, "/etc/Foo.java:3\r\n"},
        {"../Foo.java:3\nsub/../../Foo.java:3\n./Foo.java:3\nsub//Foo.java:3\n",
         {},
         4,
         "../Foo.java:3\r\nsub/../../Foo.java:3\r\n./Foo.java:3\r\nsub//Foo.java:3\r\n"},
        {"notes.txt:3\n.java:3\nsub/.java:3\n", {}, 3, "notes.txt:3\r\n.java:3\r\nsub/.java:3\r\n"},
        {"A\x01.java:3\n", {}, 1, "A\x01.java:3\r\n"},
        {"A.java:3\ngarbage\nB.java:5\n",
         {{"A.java", {3}}, {"B.java", {5}}},
         1,
         "A.java:3\r\nB.java:5\r\ngarbage\r\n"},
    };
    for (const Case& c : cases) {
        QStringList problems;
        const BreakpointSet set = BreakpointSet::parse(c.text, problems);
        QMap<QString, QList<int>> lines;
        for (const QString& file : set.files())
            lines.insert(file, set.lines(file));
        EXPECT_EQ(lines, c.lines) << c.text.toStdString();
        EXPECT_EQ(problems.size(), c.problems) << c.text.toStdString() << problems.join('|').toStdString();
        EXPECT_FALSE(set.readOnly()) << c.text.toStdString();
        EXPECT_EQ(set.text(), c.written) << c.text.toStdString();
        // What is written reads back the same.
        QStringList again;
        EXPECT_EQ(BreakpointSet::parse(set.text(), again), set) << c.text.toStdString();
    }
    // Not text: nothing read, and never written over.
    for (const QByteArray& bytes : {QByteArray("A.java:3\0\n", 10), QByteArray("A\xff\xfe.java:3\n")}) {
        QStringList problems;
        const BreakpointSet set = BreakpointSet::parse(bytes, problems);
        EXPECT_TRUE(set.isEmpty());
        EXPECT_TRUE(set.readOnly());
        EXPECT_EQ(problems, QStringList{"It is not UTF-8 text."});
    }
}

TEST(Breakpoints, ToggleSetsAndClearsOneLine) {
    BreakpointSet set;
    EXPECT_TRUE(set.toggle("A.java", 5));
    EXPECT_TRUE(set.toggle("A.java", 2));
    EXPECT_EQ(set.lines("A.java"), (QList<int>{2, 5}));
    EXPECT_FALSE(set.toggle("A.java", 5));
    EXPECT_EQ(set.lines("A.java"), QList<int>{2});
    EXPECT_FALSE(set.toggle("A.java", 2));
    EXPECT_TRUE(set.isEmpty());
    EXPECT_FALSE(set.toggle("A.java", 0));
    EXPECT_TRUE(set.isEmpty());
    set.setLines("B.java", {3, -1, 3, 0, 1});
    EXPECT_EQ(set.lines("B.java"), (QList<int>{1, 3}));
}

class BreakpointsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath("project") + "/";
        QDir().mkpath(project);
    }
    QString file() const { return project + "Breakpoints.txt"; }
    static void writeBytes(const QString& path, const QByteArray& bytes) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    static QByteArray readBytes(const QString& path) {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<none>");
    }

    QTemporaryDir dir;
    QString project;
};

TEST_F(BreakpointsFileTest, WrittenAtomicallyAndReadBack) {
    // No file, no breakpoints: nothing is said and nothing is made.
    Breakpoints::ReadResult none = Breakpoints::read(project);
    EXPECT_TRUE(none.breakpoints.isEmpty());
    EXPECT_EQ(none.note, "");
    ASSERT_TRUE(Breakpoints::write(project, none.breakpoints).ok());
    EXPECT_FALSE(QFile::exists(file()));

    BreakpointSet set;
    set.setLines("sub/B.java", {9});
    set.setLines("A.java", {3, 1});
    ASSERT_TRUE(Breakpoints::write(project, set).ok());
    EXPECT_EQ(readBytes(file()), "A.java:1\r\nA.java:3\r\nsub/B.java:9\r\n");
    const Breakpoints::ReadResult read = Breakpoints::read(project);
    EXPECT_EQ(read.breakpoints, set);
    EXPECT_EQ(read.note, "");
    // The last one cleared empties the file.
    set.clear();
    ASSERT_TRUE(Breakpoints::write(project, set).ok());
    EXPECT_EQ(readBytes(file()), "");
    EXPECT_EQ(QDir(project).entryList(QDir::Files | QDir::Hidden), QStringList{"Breakpoints.txt"});
}

// A damaged or hostile file gives a note and loses nothing: what could not be read stays in it, a file
// that is not text or leads elsewhere is never replaced.
TEST_F(BreakpointsFileTest, BadFilesGiveANoteAndAreNeverLost) {
    const QString outside = dir.filePath("outside.txt");
    writeBytes(outside, "A.java:3\n");
    struct Case {
        const char* what;
        std::function<void()> setUp;
        const char* note; // part of the note
        bool readOnly;
        QByteArray afterWrite; // the file once a breakpoint was added and written; empty: unchanged
    };
    const Case cases[] = {
        {"garbage line", [&] { writeBytes(file(), "A.java:3\nthis is no breakpoint\n"); },
         "Line 2 (\"this is no breakpoint\"): no \":line\".", false,
         "A.java:3\r\nZ.java:1\r\nthis is no breakpoint\r\n"},
        {"binary", [&] { writeBytes(file(), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)); },
         "are not read, and the file is left as it is: It is not UTF-8 text.", true, ""},
        {"link out of the project", [&] { QFile::link(outside, file()); }, "are not read", true, ""},
        {"a folder", [&] { QDir().mkpath(file()); }, "are not read", true, ""},
        {"many problems", [&] { writeBytes(file(), QByteArray("x\n").repeated(9)); }, "and 4 more.", false,
         "Z.java:1\r\n" + QByteArray("x\r\n").repeated(9)},
    };
    for (const Case& c : cases) {
        QFile::remove(file());
        QDir(file()).removeRecursively();
        c.setUp();
        const QByteArray before = readBytes(file());
        Breakpoints::ReadResult read = Breakpoints::read(project);
        EXPECT_TRUE(read.note.contains(c.note)) << c.what << ": " << read.note.toStdString();
        EXPECT_TRUE(read.note.contains(file())) << c.what << ": " << read.note.toStdString();
        EXPECT_EQ(read.breakpoints.readOnly(), c.readOnly) << c.what;
        read.breakpoints.toggle("Z.java", 1);
        EXPECT_TRUE(Breakpoints::write(project, read.breakpoints).ok()) << c.what;
        EXPECT_EQ(readBytes(file()), c.afterWrite.isEmpty() ? before : c.afterWrite) << c.what;
        EXPECT_EQ(readBytes(outside), "A.java:3\n") << c.what;
    }
}

} // namespace
