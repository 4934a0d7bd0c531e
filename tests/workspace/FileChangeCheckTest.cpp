#include "workspace/FileChangeCheck.h"
#include "TestFiles.h"
#include "workspace/FileTime.h"

#include <QDateTime>
#include <QTemporaryDir>

// Asked only for an existing Java file whose text and time both differ from the buffer's.
TEST(FileChangeCheck, AsksOnlyWhenTextAndTimeBothDiffer) {
    QTemporaryDir tmp;
    ProjectRecord record;
    record.Kind = FileKind::Java;
    record.Path = tmp.filePath("A.java");
    record.Lines = {"old"};
    EXPECT_EQ(checkFileChanged(record), ReloadDecision::Skip) << "no file";
    EXPECT_EQ(fileTimeText(record.Path), "");

    writeBytes(record.Path, "new\r\n");
    QFile file(record.Path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    for (const auto& [second, text] :
         {std::pair{7, "2021-03-04 05:06:06"}, std::pair{8, "2021-03-04 05:06:08"}}) {
        ASSERT_TRUE(
            file.setFileTime(QDateTime(QDate(2021, 3, 4), QTime(5, 6, second)), QFile::FileModificationTime));
        EXPECT_EQ(fileTimeText(record.Path), text);
    }
    EXPECT_EQ(checkFileChanged(record), ReloadDecision::Ask);
    record.Kind = FileKind::Other;
    EXPECT_EQ(checkFileChanged(record), ReloadDecision::Skip) << "other files are not watched";
    record.Kind = FileKind::Java;
    record.FileTime = fileTimeText(record.Path);
    EXPECT_EQ(checkFileChanged(record), ReloadDecision::Skip) << "same time";
    record.FileTime.clear();
    record.Lines = {"new"};
    EXPECT_EQ(checkFileChanged(record), ReloadDecision::Skip) << "same text";
    EXPECT_EQ(reloadQuestion("A.java"), "The file A.java has changed. Reload it?");
    EXPECT_EQ(reloadQuestion("A.java", true), "The file A.java has changed on disk, and its buffer holds "
                                              "unsaved edits. Reload it and discard the edits?");
}
