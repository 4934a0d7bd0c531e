#include "crash/CrashChild.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Notes that do not fit on the disk: the message names the file and the reason, the file keeps the old
// notes and the register still holds every new one, to be saved once there is room.
void expectFullDiskNotes(const char* how, const QString& reason, const QString& files) {
    QTemporaryDir folder;
    const crash::Run run = crash::runHelper({"full", how, "notes", folder.path()});
    if (run.exitCode == 77)
        GTEST_SKIP() << run["SKIP"].toStdString();
    ASSERT_EQ(run.exitCode, 0) << run.error.toStdString();
    EXPECT_EQ(run["ERROR"], "nach " + folder.path() + "/Notes.ini kann nicht geschrieben werden: " + reason);
    EXPECT_EQ(run["IDS"], "0,1");
    EXPECT_EQ(run["HELD"], "300");
    EXPECT_EQ(run["FILES"], files);
}

TEST(NotesFullDisk, OnASmallTmpfs) {
    expectFullDiskNotes("tmpfs", "No space left on device", "filler,Notes.ini");
}

TEST(NotesFullDisk, UnderAFileSizeLimit) {
    expectFullDiskNotes("fsize", "File too large", "Notes.ini");
}

} // namespace
