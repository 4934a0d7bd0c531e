#include "../app/MainWindowFixture.h"
#include "notes/BugsAndNotesWindow.h"
#include "notes/EditNoteWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QTreeWidget>

namespace {

// A register linked out of the project is neither read nor written: the window says why and stays
// read-only.
TEST_F(MainWindowTest, ARegisterLinkedOutOfTheProjectIsNotUsed) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(dirPath("elsewhere.ini"), {"[4]", "Description=not the project's"});
    ASSERT_TRUE(QFile::link(dirPath("elsewhere.ini"), projectDir + "Notes.ini"));
    MainWindow& w = start({writeProject("A", {"A.java"})});
    BugsAndNotesWindow notes(&w, &storeRef());
    w.setBugsAndNotes(&notes);
    dialogs.answer(mrOk,
                   "Notes.ini: it leads to " + dirPath("elsewhere.ini") + ", outside the project folder");
    w.ui().menuActions.value("Manager1")->trigger();
    ASSERT_TRUE(notes.isVisible());
    EXPECT_FALSE(notes.editable());
    EXPECT_EQ(notes.listView()->topLevelItemCount(), 0);
    notes.close();
    EXPECT_EQ(readBytes(dirPath("elsewhere.ini")), "[4]\r\nDescription=not the project's\r\n");
}

// The Project menu's "Bugs and Notes Manager" opens the register of the project that is open, and a
// register still open when another project is loaded goes to the folder it was read from.
TEST_F(MainWindowTest, BugsAndNotesManagerFollowsTheProject) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(projectDir + "Notes.ini", {"[4]", "Description=in A"});
    MainWindow& w = start({writeProject("A", {"A.java"})});
    BugsAndNotesWindow notes(&w, &storeRef());
    EditNoteWindow edit(notes, &notes);
    notes.setEditWindow(&edit);
    w.setBugsAndNotes(&notes);

    QAction* manager = w.ui().menuActions.value("Manager1");
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    manager->trigger();
    ASSERT_TRUE(notes.isVisible());
    EXPECT_EQ(notes.registerPath(), projectDir + "Notes.ini");
    ASSERT_EQ(notes.listView()->topLevelItemCount(), 1);
    EXPECT_EQ(notes.listView()->topLevelItem(0)->text(2), "in A");
    notes.listView()->setCurrentItem(notes.listView()->topLevelItem(0));
    notes.closeSelected();

    // Another project, in another folder without a register, is loaded while the window is open.
    writeSource(dirPath("B.java"), {"class B {}"});
    writeSource(dirPath("B.hwp"), {"B", "", "", "", "B.java"});
    fileDialogs.choose(dirPath("B.hwp"));
    w.openProject();
    ASSERT_EQ(w.project().ProjectName, "B");
    EXPECT_FALSE(notes.isVisible());
    EXPECT_TRUE(readBytes(projectDir + "Notes.ini").contains("Status=Closed"));
    EXPECT_FALSE(QFileInfo::exists(dirPath("Notes.ini")));

    manager->trigger();
    ASSERT_TRUE(notes.isVisible());
    EXPECT_EQ(notes.registerPath(), dirPath("Notes.ini"));
    EXPECT_EQ(notes.listView()->topLevelItemCount(), 0);
    notes.close();
    EXPECT_FALSE(QFileInfo::exists(dirPath("Notes.ini")));
}

} // namespace
