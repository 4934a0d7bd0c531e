#include "TestFiles.h"
#include "crash/CrashChild.h"

#include <QTemporaryDir>
#include <csignal>
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

// Ended by a signal while the register is open and cannot be written, the program still ends: the failure
// goes to standard error instead of a box that nobody is there to answer.
TEST(NotesFullDisk, SignalShutdownReportsOnStandardError) {
    QTemporaryDir folder;
    const QByteArray old = "[0]\r\nDescription=kept\r\n";
    writeBytes(folder.filePath("Notes.ini"), old);
    QProcess child;
    child.start(crash::program(QStringLiteral("hw_crash_helper")), {"shutdown-notes", folder.path()});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    while (!out.contains("READY") && child.waitForReadyRead(30000))
        out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("READY 1")) << out.toStdString() << child.readAllStandardError().toStdString();
    ::kill(pid_t(child.processId()), SIGTERM);
    const bool ended = child.waitForFinished(20000);
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    EXPECT_TRUE(ended) << "still waiting after the signal";
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 128 + SIGTERM);
    out += child.readAllStandardOutput();
    EXPECT_TRUE(out.contains("SHOWN yes")) << out.toStdString();
    const QString error = QString::fromUtf8(child.readAllStandardError());
    EXPECT_TRUE(error.contains("Error: nach " + folder.filePath("Notes.ini") +
                               " kann nicht geschrieben werden: File too large"))
        << error.toStdString();
    EXPECT_EQ(readBytes(folder.filePath("Notes.ini")), old);
}

} // namespace
