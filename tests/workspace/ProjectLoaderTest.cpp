#include "workspace/ProjectLoader.h"
#include "TestFiles.h"
#include "workspace/FileTime.h"
#include "workspace/ProjectFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

using Type = ProjectLoadStep::Type;

class ProjectLoaderTest : public ::testing::Test {
protected:
    QString dir() const { return m_dir.path() + "/"; }
    QTemporaryDir m_dir;
};

TEST_F(ProjectLoaderTest, RecordsFollowNameOrderAndTheWriterKeepsIt) {
    writeBytes(dir() + "B.java", "class B {}\n");
    writeBytes(dir() + "A.bmp", "BM\x00\x01");
    writeBytes(dir() + "A.java", "class A {}\r\n");
    writeBytes(dir() + "demo.hwp", "Demo\r\n/icons/22.bmp\r\n\r\nDEMO\r\nB.java\r\nA.bmp\r\nA.java\r\n");

    const ProjectLoad load = loadProject(dir() + "demo.hwp");
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(load.values.ProjectName, "Demo");
    EXPECT_EQ(load.values.ProjectDir, dir());
    EXPECT_EQ(load.values.ProjectFileName, "demo.hwp");
    EXPECT_EQ(load.values.Icon22Path, "/icons/22.bmp");
    EXPECT_EQ(load.values.Icon15Path, "");
    EXPECT_EQ(load.values.CreatorID, "DEMO");

    FileList files;
    QStringList order;
    for (const ProjectLoadStep& step : load.steps) {
        ASSERT_EQ(step.type, Type::Insert) << step.line.toStdString();
        order << step.line;
        files.insertFile(step.record);
    }
    EXPECT_EQ(order, QStringList({"B.java", "A.bmp", "A.java"}));
    ASSERT_EQ(files.count(), 3);
    EXPECT_EQ(files.nthOfKind(FileKind::Java, 0)->Name, "A.java");
    EXPECT_EQ(files.nthOfKind(FileKind::Java, 1)->Lines, QStringList{"class B {}"});
    EXPECT_EQ(files.nthOfKind(FileKind::Other, 0)->Path, dir() + "A.bmp");
    EXPECT_TRUE(files.nthOfKind(FileKind::Other, 0)->InProject);
    EXPECT_EQ(files.currentFile()->Name, "A.java"); // the Java file inserted last

    ProjectValues values;
    values.ProjectModified = true;
    load.applyTo(values);
    EXPECT_TRUE(values.ProjectModified) << "loading leaves the flag alone";
    ASSERT_TRUE(writeProjectFile(dir() + "out.hwp", values, files).ok());
    EXPECT_FALSE(values.ProjectModified);
    EXPECT_EQ(readBytes(dir() + "out.hwp"),
              "Demo\r\n/icons/22.bmp\r\n\r\nDEMO\r\nA.bmp\r\nA.java\r\nB.java\r\n");
}

TEST_F(ProjectLoaderTest, MissingFilesComeInFileOrderBetweenTheOthers) {
    for (const char* name : {"x.JAVA", "x.jav", "x.javax"})
        writeBytes(dir() + name, "x\n");
    QDir(dir()).mkdir("Folder.java");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir() + "Pipe.java").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir() + "Nowhere.java", dir() + "Dangling.java"));
    ASSERT_TRUE(QFile::link("/dev/zero", dir() + "Zero.bmp"));
    writeBytes(dir() + "p.hwp", "P\nI22\nI15\nCRID\nx.JAVA\nGone.java\n\nx.jav\nFolder.java\nx.javax\n"
                                "Pipe.java\nDangling.java\nZero.bmp\n");

    const ProjectLoad load = loadProject(dir() + "p.hwp");
    ASSERT_TRUE(load.ok());
    const struct {
        Type type;
        const char* line;
        FileKind kind;
    } expected[] = {
        {Type::Insert, "x.JAVA", FileKind::Java},   {Type::Missing, "Gone.java", {}},
        {Type::Insert, "x.jav", FileKind::Other},   {Type::NotRegular, "Folder.java", {}},
        {Type::Insert, "x.javax", FileKind::Other}, {Type::NotRegular, "Pipe.java", {}},
        {Type::Missing, "Dangling.java", {}},       {Type::NotRegular, "Zero.bmp", {}},
    };
    ASSERT_EQ(load.steps.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(load.steps[i].type, expected[i].type) << i;
        EXPECT_EQ(load.steps[i].line, expected[i].line) << i;
        if (expected[i].type == Type::Insert) {
            EXPECT_EQ(load.steps[i].record.Kind, expected[i].kind) << i;
        }
    }
    EXPECT_EQ(missingFileMessage("Gone.java"),
              "The file Gone.java does not exist. It is removed from the project. To avoid this, save the "
              "project after removing a file.");
}

TEST_F(ProjectLoaderTest, ShortProjectFiles) {
    writeBytes(dir() + "four.hwp", "Four\r\nA\r\nB\r\nC\r\n");
    writeBytes(dir() + "one.hwp", "Solo");
    writeBytes(dir() + "empty.hwp", "");

    const ProjectLoad four = loadProject(dir() + "four.hwp");
    EXPECT_TRUE(four.steps.empty());
    EXPECT_EQ(QStringList({four.values.Icon22Path, four.values.Icon15Path, four.values.CreatorID}),
              QStringList({"A", "B", "C"}));
    ProjectValues values = four.values;
    ASSERT_TRUE(writeProjectFile(dir() + "again.hwp", values, FileList()).ok());
    EXPECT_EQ(readBytes(dir() + "again.hwp"), readBytes(dir() + "four.hwp"));

    const ProjectLoad one = loadProject(dir() + "one.hwp");
    EXPECT_EQ(one.values.ProjectName, "Solo");
    EXPECT_EQ(one.values.CreatorID, "");

    EXPECT_EQ(loadProject(dir() + "empty.hwp").error,
              "Cannot read " + dir() + "empty.hwp: the first line names no project");

    values.ProjectModified = true;
    EXPECT_FALSE(writeProjectFile(dir() + "no/such.hwp", values, FileList()).ok());
    EXPECT_TRUE(values.ProjectModified) << "a failed write keeps the flag";
}

TEST_F(ProjectLoaderTest, UnreadableSourceIsLeftOutWithItsReason) {
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    writeBytes(dir() + "Locked.java", "class Locked {}\n");
    QFile::setPermissions(dir() + "Locked.java", QFile::WriteOwner);
    writeBytes(dir() + "p.hwp", "P\n\n\n\nLocked.java\n");
    const ProjectLoad load = loadProject(dir() + "p.hwp");
    ASSERT_EQ(load.steps.size(), 1u);
    EXPECT_EQ(load.steps[0].type, Type::Unreadable);
    EXPECT_EQ(load.steps[0].error, "Cannot read " + dir() + "Locked.java: Permission denied");
}

TEST(ProjectFile, ProjectExtensionIsAddedOnlyWhenThereIsNone) {
    EXPECT_EQ(withProjectExtension("/p/Copy"), "/p/Copy.hwp");
    EXPECT_EQ(withProjectExtension("/p.d/Copy"), "/p.d/Copy.hwp");
    EXPECT_EQ(withProjectExtension("/p/Copy.hwp"), "/p/Copy.hwp");
    EXPECT_EQ(withProjectExtension("/p/Copy.old"), "/p/Copy.old");
}

// Save all writes <name>.hwp into the project folder: a name that leads elsewhere refuses the file.
TEST_F(ProjectLoaderTest, ProjectNamesThatLeaveTheFolderAreRefused) {
    for (const char* name : {"../../x", "..", "sub/x", "C:\\x", "a..b"}) {
        writeBytes(dir() + "p.hwp", QByteArray(name) + "\r\n\r\n\r\n\r\n");
        const ProjectLoad load = loadProject(dir() + "p.hwp");
        EXPECT_FALSE(load.ok()) << name;
        EXPECT_TRUE(load.error.contains("A project name must not hold")) << load.error.toStdString();
        EXPECT_TRUE(load.error.contains(QString("\"%1\"").arg(name))) << load.error.toStdString();
    }
    writeBytes(dir() + "p.hwp", "a.b\r\n");
    EXPECT_TRUE(loadProject(dir() + "p.hwp").ok());
}

TEST_F(ProjectLoaderTest, ListedNamesLeadingOutOfTheFolderAreLeftOut) {
    QDir(dir()).mkdir("in");
    writeBytes(dir() + "in/Out.java", "class Out {}\n");
    writeBytes(dir() + "in/p.hwp", "P\n\n\n\n../Out.java\n" + dir().toUtf8() + "in/Out.java\nOut.java\n");
    const ProjectLoad load = loadProject(dir() + "in/p.hwp");
    ASSERT_EQ(load.steps.size(), 3u);
    EXPECT_EQ(load.steps[0].type, Type::Outside);
    // An absolute name is read below the folder like any other line, and is not there.
    EXPECT_EQ(load.steps[1].type, Type::Missing);
    EXPECT_EQ(load.steps[2].type, Type::Insert);
    EXPECT_EQ(load.steps[2].fileTime, fileTimeText(dir() + "in/Out.java"));
    EXPECT_FALSE(load.steps[2].fileTime.isEmpty());
}

// One record per file, however the project file names it; a file in a sub-folder keeps its sub-folder in
// the record's name, and so in the project file written from it.
TEST_F(ProjectLoaderTest, EachFileIsOneRecordAndSubFoldersStay) {
    QDir(dir()).mkpath("sub");
    writeBytes(dir() + "Util.java", "class Util {}\n");
    writeBytes(dir() + "sub/x.java", "class x {}\n");
    ASSERT_TRUE(QFile::link("Util.java", dir() + "Link.java"));
    writeBytes(dir() + "p.hwp", "P\n\n\n\nUtil.java\nsub/x.java\nUtil.java\n./Util.java\nLink.java\n"
                                "sub/./x.java\nUtil.java\n");
    const ProjectLoad load = loadProject(dir() + "p.hwp");
    ASSERT_TRUE(load.ok());
    const struct {
        Type type;
        const char* name; // of the record, for an inserted one
    } expected[] = {
        {Type::Insert, "Util.java"}, {Type::Insert, "sub/x.java"}, {Type::Repeated, nullptr},
        {Type::Repeated, nullptr},   {Type::Repeated, nullptr},    {Type::Repeated, nullptr},
        {Type::Repeated, nullptr},
    };
    ASSERT_EQ(load.steps.size(), std::size(expected));
    FileList files;
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(load.steps[i].type, expected[i].type) << i;
        if (expected[i].type == Type::Insert && load.steps[i].type == Type::Insert) {
            EXPECT_EQ(load.steps[i].record.Name, expected[i].name) << i;
            EXPECT_EQ(load.steps[i].record.Path, dir() + expected[i].name) << i;
            files.insertFile(load.steps[i].record);
        }
    }
    EXPECT_EQ(leftOutFilesMessage(load.steps), "The files Util.java, ./Util.java, Link.java and sub/./x.java "
                                               "are listed more than once. The repeated lines were skipped.");
    ProjectValues values = load.values;
    ASSERT_TRUE(writeProjectFile(dir() + "out.hwp", values, files).ok());
    // The project file keeps the line breaks it was read with.
    EXPECT_EQ(readBytes(dir() + "out.hwp"), "P\n\n\n\nUtil.java\nsub/x.java\n");
}

TEST_F(ProjectLoaderTest, LeftOutFilesMakeOneMessage) {
    const auto steps = [](int missing, int outside, int notRegular = 0) {
        std::vector<ProjectLoadStep> result;
        for (int i = 0; i < notRegular; ++i) {
            ProjectLoadStep step;
            step.type = Type::NotRegular;
            step.line = QString("P%1").arg(i);
            result.push_back(step);
        }
        for (int i = 0; i < missing + outside; ++i) {
            ProjectLoadStep step;
            step.type = i < missing ? Type::Missing : Type::Outside;
            step.line = QString("F%1").arg(i);
            result.push_back(step);
        }
        ProjectLoadStep fine;
        fine.line = "Here.java";
        result.push_back(fine);
        return result;
    };
    const QString tail = " To avoid this, save the project after removing a file.";
    const struct {
        int missing, outside;
        QString message;
        int notRegular = 0;
    } cases[] = {
        {0, 0, ""},
        {1, 0, "The file F0 does not exist. It is removed from the project." + tail},
        {2, 0, "The files F0 and F1 do not exist. They are removed from the project." + tail},
        {3, 0, "The files F0, F1 and F2 do not exist. They are removed from the project." + tail},
        {12, 0,
         "The files F0, F1, F2, F3, F4, F5, F6, F7, F8, F9 and 2 more do not exist. They are removed from "
         "the project." +
             tail},
        {0, 1, "The file F0 lies outside the project folder. It is removed from the project."},
        {0, 0, "The file P0 is not a regular file. It is removed from the project.", 1},
        {1, 0,
         "The file F0 does not exist. It is removed from the project." + tail +
             "\n\nThe files P0 and P1 are not regular files. They are removed from the project.",
         2},
        {1, 2,
         "The file F0 does not exist. It is removed from the project." + tail +
             "\n\nThe files F1 and F2 lie outside the project folder. They are removed from the project."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leftOutFilesMessage(steps(c.missing, c.outside, c.notRegular)), c.message)
            << c.missing << c.outside << c.notRegular;

    // Thousands of garbage lines still make one message of bounded length.
    std::vector<ProjectLoadStep> garbage = steps(5000, 0);
    garbage[0].line = QString(10000, u'#');
    const QString message = leftOutFilesMessage(garbage);
    EXPECT_LT(message.size(), 1000);
    EXPECT_TRUE(message.contains("and 4990 more"));
}

// What was read is written back in the same encoding: only the line ends may change.
TEST_F(ProjectLoaderTest, TheProjectFileKeepsItsEncoding) {
    writeBytes(dir() + "A.java", "class A {}\n");
    const QByteArray cases[] = {
        "P\r\n/icons/caf\xE9.bmp\r\n\r\nCAFE\r\nA.java\r\n",
        "\xEF\xBB\xBFP\r\n\r\n\r\nBOM!\r\nA.java\r\n",
        "P\r\n/icons/caf\xC3\xA9.bmp\r\n\r\n\r\nA.java\r\n",
    };
    for (const QByteArray& bytes : cases) {
        writeBytes(dir() + "p.hwp", bytes);
        const ProjectLoad load = loadProject(dir() + "p.hwp");
        ASSERT_TRUE(load.ok());
        FileList files;
        files.insertFile(load.steps.at(0).record);
        ProjectValues values = load.values;
        ASSERT_TRUE(writeProjectFile(dir() + "out.hwp", values, files).ok());
        EXPECT_EQ(readBytes(dir() + "out.hwp"), bytes) << bytes.toHex().constData();
    }
}
