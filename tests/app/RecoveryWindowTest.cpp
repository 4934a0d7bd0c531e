#include "MainWindowFixture.h"

#include "app/MainWindowAdapters.h"
#include "app/RecoveryWindow.h"
#include "editor/SourceEditor.h"
#include "workspace/RecoveryWriter.h"
#include "workspace/WorkspaceSession.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <csignal>

namespace {

// A copy an earlier run left of `path`, taken `age` seconds after the file's time (negative: before it).
void leaveCopy(const QString& path, const QStringList& lines, qint64 age) {
    RecoveryCopy copy;
    copy.path = path;
    copy.written = QFileInfo(path).exists() ? QFileInfo(path).lastModified().toUTC().addSecs(age)
                                            : QDateTime::currentDateTimeUtc();
    copy.lines = lines;
    ASSERT_TRUE(RecoveryStore().write(copy));
}

QStringList row(QTreeWidget* list, int n) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->topLevelItem(n)->text(column);
    texts.removeAt(1); // the time, in the locale's words
    return texts;
}

} // namespace

// No copies, no window: a start without a crash before it looks as it always did.
TEST_F(MainWindowTest, RecoveryWindowOnlyWithCopiesOfAnEarlierRun) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.recoveryWindow().isVisible());
    // This run's own copy is no reason for the window either.
    w.editor()->setFocus();
    QTest::keyClicks(w.editor(), "x");
    EXPECT_TRUE(w.recoveryWriter().writeAllNow());
    w.offerRecovery();
    EXPECT_FALSE(w.recoveryWindow().isVisible());
    // A copy of another project's file waits for that project, or for the next start.
    leaveCopy(dirPath("elsewhere/X.java"), {"class X {}"}, 0);
    w.offerRecovery(projectDir);
    EXPECT_FALSE(w.recoveryWindow().isVisible());
    w.offerRecovery();
    EXPECT_TRUE(w.recoveryWindow().isVisible());
    EXPECT_EQ(w.recoveryWindow().list()->topLevelItemCount(), 1);
    dialogs.answer(mrNo, "Do you want to save all files?");
    EXPECT_TRUE(w.close());
    // A No at the close question removes this run's copy; the earlier run's stays.
    const RecoveryListing left = RecoveryStore().readAll();
    ASSERT_EQ(left.copies.size(), 1);
    EXPECT_EQ(left.copies[0].copy.path, dirPath("elsewhere/X.java"));
}

TEST_F(MainWindowTest, RecoveryWindowRestoresShowsAndDiscards) {
    writeSource(projectDir + "A.java", {"class A {", "}"});
    writeSource(projectDir + "B.java", {"class B {}"});
    leaveCopy(projectDir + "A.java", {"class A {", "    int kept;", "}"}, 30);
    leaveCopy(projectDir + "B.java", {"class B { old }"}, -30);
    leaveCopy(projectDir + "Gone.java", {"class Gone {}"}, 0);
    MainWindow& w = start({writeProject("A", {"A.java", "B.java"})});
    RecoveryWindow& window = w.recoveryWindow();
    EXPECT_FALSE(window.isVisible()) << "not before the main window is up";
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 5000));
    QTreeWidget* list = window.list();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    QMap<QString, QStringList> rows;
    for (int n = 0; n < 3; ++n)
        rows[QFileInfo(list->topLevelItem(n)->text(0)).fileName()] = row(list, n);
    EXPECT_EQ(rows["A.java"], QStringList({projectDir + "A.java", "1 line differs", ""}));
    EXPECT_EQ(rows["B.java"],
              QStringList({projectDir + "B.java", "1 line differs", "older than the file on disk"}));
    EXPECT_EQ(rows["Gone.java"],
              QStringList({projectDir + "Gone.java", "1 line differs", "the file no longer exists"}));

    const auto select = [&](const QString& name) {
        for (int n = 0; n < list->topLevelItemCount(); ++n)
            if (QFileInfo(list->topLevelItem(n)->text(0)).fileName() == name)
                list->setCurrentItem(list->topLevelItem(n));
    };
    const auto click = [&](const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    };
    // Show difference: the file's lines against the copy's, read-only.
    select("A.java");
    click("DifferenceButton");
    ASSERT_TRUE(window.differenceWindow());
    auto* text = window.differenceWindow()->findChild<QPlainTextEdit*>("DifferenceText");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(),
              "--- " + projectDir + "A.java (on disk)\n+++ " + projectDir +
                  "A.java (recovery copy)\n@@ -1,2 +1,3 @@\n class A {\n+    int kept;\n }\n");
    // Restore: the text is in the buffer, which is marked and not saved.
    click("RestoreButton");
    EXPECT_EQ(w.editorBuffer().lines(), QStringList({"class A {", "    int kept;", "}"}));
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)", "B.java"}));
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A {\r\n}\r\n");
    EXPECT_TRUE(RecoveryStore().has(projectDir + "A.java")) << "the restored buffer keeps a copy";
    // Discard: the copy goes, the file stays, nothing is asked.
    select("B.java");
    click("DiscardButton");
    EXPECT_FALSE(RecoveryStore().has(projectDir + "B.java"));
    EXPECT_EQ(readBytes(projectDir + "B.java"), "class B {}\r\n");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    // A copy of a file that is gone becomes a buffer of its own, to be saved where the user likes.
    click("RestoreButton");
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"A.java (*)", "B.java", "Gone.java (*)"}));
    EXPECT_FALSE(window.isVisible()) << "closes with the last copy decided";
    EXPECT_FALSE(QFileInfo::exists(projectDir + "Gone.java"));
    // A save removes the copy of the saved buffer only.
    w.sourceListClicked();
    w.ui().sourceList->setCurrentRow(0);
    w.saveFile();
    w.recoveryWriter().waitForWrites();
    EXPECT_FALSE(RecoveryStore().has(projectDir + "A.java"));
    EXPECT_TRUE(RecoveryStore().has(projectDir + "Gone.java"));
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A {\r\n    int kept;\r\n}\r\n");
}

// The session manager: with interaction the close question, else the copies written and nothing asked.
TEST_F(MainWindowTest, SessionManagerAsksOrWritesTheCopies) {
    writeSource(projectDir + "A.java", {"class A {}"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    w.recoveryWriter().setDelays(600000, 600000);
    w.editor()->setFocus();
    QTest::keyClicks(w.editor(), "typed");
    EXPECT_TRUE(w.commitSession(false));
    EXPECT_TRUE(dialogs.asked().isEmpty());
    ASSERT_EQ(RecoveryStore().readAll().copies.size(), 1);
    EXPECT_EQ(RecoveryStore().readAll().copies[0].copy.lines, QStringList({"typedclass A {}"}));
    dialogs.answer(mrCancel, "Do you want to save all files?");
    EXPECT_FALSE(w.commitSession(true));
    EXPECT_TRUE(RecoveryStore().has(projectDir + "A.java")) << "Cancel keeps the copy";
    dialogs.answer(mrNo, "Do you want to save all files?");
    EXPECT_TRUE(w.commitSession(true));
    EXPECT_FALSE(RecoveryStore().has(projectDir + "A.java")) << "No removes it";
    EXPECT_EQ(readBytes(projectDir + "A.java"), "class A {}\r\n");
}
