#include "../app/MainWindowFixture.h"
#include "app/NoteMarkers.h"
#include "editor/SourceEditor.h"
#include "notes/BugsAndNotesWindow.h"
#include "notes/EditNoteWindow.h"
#include "workspace/WorkspaceSession.h"

#include <QAction>
#include <QFileInfo>
#include <QHelpEvent>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

namespace {

// A register linked out of the project is neither read nor written: the window says why and stays
// read-only.
TEST_F(MainWindowTest, ARegisterLinkedOutOfTheProjectIsNotUsed) {
    writeSource(projectDir + "A.java", {"class A {}"});
    writeSource(dirPath("elsewhere.ini"),
                {"[4]", "Description=not the project's", "Status=Open", "File and Line=A.java:1"});
    ASSERT_TRUE(QFile::link(dirPath("elsewhere.ini"), projectDir + "Notes.ini"));
    MainWindow& w = start({writeProject("A", {"A.java"})});
    // Nor does it mark the source.
    EXPECT_TRUE(w.noteMarkers().entries().isEmpty());
    EXPECT_EQ(w.editor()->markerFindNext(0, 1 << SourceEditor::NoteMarker), -1);
    BugsAndNotesWindow notes(&w, &storeRef());
    w.setBugsAndNotes(&notes);
    dialogs.answer(mrOk,
                   "Notes.ini: it leads to " + dirPath("elsewhere.ini") + ", outside the project folder");
    w.ui().menuActions.value("Manager1")->trigger();
    ASSERT_TRUE(notes.isVisible());
    EXPECT_FALSE(notes.editable());
    EXPECT_EQ(notes.listView()->topLevelItemCount(), 0);
    notes.close();
    EXPECT_EQ(readBytes(dirPath("elsewhere.ini")),
              "[4]\r\nDescription=not the project's\r\nStatus=Open\r\nFile and Line=A.java:1\r\n");
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

// Lines of the source on screen that carry the note mark, from 0.
QList<int> markedLines(SourceEditor* editor) {
    QList<int> lines;
    for (int line = 0; line < editor->lineCount(); ++line)
        if (editor->markersAtLine(line) & (1 << SourceEditor::NoteMarker))
            lines << line;
    return lines;
}

// A point of the symbol margin beside a line.
QPoint besideLine(SourceEditor* editor, int line) {
    const long position = editor->position({line, 0});
    const int y = int(editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, position)) +
                  int(editor->SendScintilla(QsciScintilla::SCI_TEXTHEIGHT, 0UL, 0L)) / 2;
    return {editor->marginWidth(0) + editor->marginWidth(1) / 2, y};
}

// Open entries that name a source and a line mark it in the editor's margin, with their text as the
// tooltip, through file switches and every change of the register; a double click on one leads there.
TEST_F(MainWindowTest, OpenNotesMarkTheirSourceLines) {
    writeSource(projectDir + "A.java", {"class A {", "    int a;", "    int b;", "}"});
    writeSource(projectDir + "B.java", {"class B {", "    int c;", "}"});
    writeSource(projectDir + "Notes.ini",
                {"[0]", "Description=Check a", "Status=Open", "File and Line=A.java:2", "[1]",
                 "Description=Done", "Status=Closed", "File and Line=A.java:3", "[2]",
                 "Description=Look at c", "Status=Open", "File and Line=B.java (3)", "[3]",
                 "Description=Elsewhere", "Status=Open", "File and Line=../A.java:1"});
    MainWindow& w = start({writeProject("A", {"A.java", "B.java"})});
    BugsAndNotesWindow notes(&w, &storeRef());
    EditNoteWindow edit(notes, &notes);
    notes.setEditWindow(&edit);
    w.setBugsAndNotes(&notes);
    w.resize(900, 650);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    SourceEditor* editor = w.editor();
    ASSERT_TRUE(w.session().showSource(0).ok());
    ASSERT_EQ(w.files().currentFile()->Name, "A.java");
    ASSERT_TRUE(QTest::qWaitFor([&] { return markedLines(editor) == QList<int>{1}; }, 5000));
    NoteMarkers& marks = w.noteMarkers();
    EXPECT_EQ(marks.tipAt(besideLine(editor, 1)), "0: Check a");
    EXPECT_EQ(marks.tipAt(besideLine(editor, 2)), "");
    // Over the line numbers or the text: none.
    EXPECT_EQ(marks.tipAt(besideLine(editor, 1) - QPoint(editor->marginWidth(1), 0)), "");
    EXPECT_EQ(marks.tipAt(besideLine(editor, 1) + QPoint(editor->marginWidth(1), 0)), "");
    // The mouse resting there shows it.
    const QPoint at = besideLine(editor, 1);
    QHelpEvent help(QEvent::ToolTip, at, editor->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(editor->viewport(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "0: Check a");

    // Another file shown: its own marks.
    ASSERT_TRUE(w.session().showSource(1).ok());
    // Each file's text keeps the marks it was last shown with; they are drawn anew once the switch is done.
    QCoreApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitFor([&] { return markedLines(editor) == QList<int>{2}; }, 5000));
    EXPECT_EQ(marks.tipAt(besideLine(editor, 2)), "2: Look at c");

    // A double click on an entry in the register leads to its line.
    w.ui().menuActions.value("Manager1")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notes));
    QTreeWidget* list = notes.listView();
    ASSERT_EQ(list->topLevelItemCount(), 4);
    const auto doubleClick = [&](int row) {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        // A double click follows a click: the view acts only on an entry that was pressed.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    };
    doubleClick(0);
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_EQ(editor->caretLine(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return markedLines(editor) == QList<int>{1}; }, 5000));
    // One that leads out of the project goes nowhere, and the window says why.
    doubleClick(3);
    EXPECT_EQ(w.files().currentFile()->Name, "A.java");
    EXPECT_EQ(editor->caretLine(), 1);
    EXPECT_EQ(notes.findChild<QStatusBar*>("StatusBar1")->currentMessage(),
              "../A.java is no source of this project.");

    // Closed, the entry's mark goes; a new open one has its mark at once.
    list->setCurrentItem(list->topLevelItem(0));
    notes.closeSelected();
    EXPECT_EQ(markedLines(editor), QList<int>{});
    notes.addEntry({"4", "d", "New one", "Low", "Open", "A.java, 3"});
    EXPECT_EQ(markedLines(editor), QList<int>{2});
    EXPECT_EQ(marks.tipAt(besideLine(editor, 2)), "4: New one");

    // A line typed above: the mark moves with its line, and its tooltip and the entry follow it there.
    editor->setCaretLine(0);
    editor->insertText("// new first line\r\n");
    EXPECT_EQ(markedLines(editor), QList<int>{3});
    EXPECT_EQ(marks.tipAt(besideLine(editor, 3)), "4: New one");
    EXPECT_EQ(marks.tipAt(besideLine(editor, 2)), "");
    doubleClick(4);
    EXPECT_EQ(editor->caretLine(), 3);
    notes.close();
}

} // namespace
