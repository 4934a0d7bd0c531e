#include "workspace/ProjectLoader.h"
#include "TestFiles.h"
#include "workspace/ProjectFile.h"

#include <QDir>
#include <QTemporaryDir>
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
    EXPECT_EQ(files.CurrentFile()->Name, "A.java"); // the Java file inserted last

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
    writeBytes(dir() + "p.hwp", "P\nI22\nI15\nCRID\nx.JAVA\nGone.java\n\nx.jav\nFolder.java\nx.javax\n");

    const ProjectLoad load = loadProject(dir() + "p.hwp");
    ASSERT_TRUE(load.ok());
    const struct {
        Type type;
        const char* line;
        FileKind kind;
    } expected[] = {
        {Type::Insert, "x.JAVA", FileKind::Java},   {Type::Missing, "Gone.java", {}},
        {Type::Insert, "x.jav", FileKind::Other},   {Type::Missing, "Folder.java", {}},
        {Type::Insert, "x.javax", FileKind::Other},
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
