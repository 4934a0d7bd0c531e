#include "notes/BugsAndNotesWindow.h"
#include "../ui/ModalDriver.h"
#include "NotesTestFiles.h"
#include "notes/EditNoteWindow.h"
#include "ui/FontScale.h"
#include "ui/MessageDialogVocabulary.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class BugsAndNotesWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkdir("A");
        QDir(m_dir.path()).mkdir("B");
        notes.setEditWindow(&edit);
    }
    void TearDown() override {
        if (notes.isVisible())
            notes.close();
        EXPECT_EQ(dialogs.problems(), "");
    }

    QString dir(const char* project) const { return m_dir.filePath(project) + u'/'; }
    QString notesFile(const char* project) const { return dir(project) + "Notes.ini"; }

    QList<QStringList> rows() const {
        QList<QStringList> result;
        QTreeWidget* list = notes.listView();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << list->topLevelItem(i)->text(c);
            result << cells;
        }
        return result;
    }
    QAction* menuAction(const char* name) {
        auto* action = notes.findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name;
        return action ? action : new QAction(&notes);
    }
    void select(int row) { notes.listView()->setCurrentItem(notes.listView()->topLevelItem(row)); }
    // Adds an entry through the Edit bug/note window, typing what `fill` types, and answers OK.
    QString addThroughWindow(const std::function<void(EditNoteWindow&)>& fill, bool ok = true) {
        QString shownId;
        ModalDriver driver([&](QWidget* modal) {
            EXPECT_EQ(modal, &edit);
            shownId = edit.m_id->text();
            EXPECT_EQ(edit.m_date->date(), QDate::currentDate());
            fill(edit);
            edit.findChild<QPushButton*>(ok ? "Button1" : "Button2")->click();
        });
        notes.findChild<QPushButton*>("BitBtn3")->click();
        EXPECT_TRUE(driver.acted());
        EXPECT_FALSE(driver.timedOut());
        return shownId;
    }

    QTemporaryDir m_dir;
    ScriptedDialogs dialogs;
    BugsAndNotesWindow notes;
    EditNoteWindow edit{notes, &notes};
};

TEST_F(BugsAndNotesWindowTest, LooksAsDesigned) {
    EXPECT_EQ(notes.objectName(), "Form11");
    EXPECT_EQ(notes.windowTitle(), "Bugs and Notes");
    EXPECT_EQ(notes.size(), QSize(641, 407));
    QTreeWidget* list = notes.findChild<QTreeWidget*>("ListView1");
    ASSERT_EQ(list, notes.listView());
    const QStringList headers{"ID", "Date", "Description", "Priority", "Status", "File and line"};
    const int widths[] = {30, 50, 300, 50, 50, 80};
    ASSERT_EQ(list->columnCount(), 6);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(list->headerItem()->text(c), headers[c]);
        // The date column widens only for a short date format that spells out the month.
        EXPECT_EQ(list->columnWidth(c), c == 1 ? dateColumnWidth(list->font()) : widths[c]) << c;
    }
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_FALSE(list->rootIsDecorated());
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(notes.findChild<QPushButton*>("BitBtn3")->text(), "Add Bug/Note");
    EXPECT_EQ(notes.findChild<QPushButton*>("BitBtn2")->text(), "Remove Bug/Note");
    EXPECT_EQ(notes.findChild<QStatusBar*>("StatusBar1")->currentMessage(), "");

    QStringList menu;
    for (QAction* action : notes.findChild<QMenu*>("PopupMenu1")->actions())
        menu << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(menu, (QStringList{"Close the bug/note", "Open the bug/note", "-", "Add bug/note",
                                 "Remove bug/note"}));

    EXPECT_EQ(edit.objectName(), "Form12");
    EXPECT_EQ(edit.windowTitle(), "Edit bug/note");
    EXPECT_FALSE(edit.m_id->isEnabled());
    EXPECT_TRUE(edit.m_date->calendarPopup());
    EXPECT_TRUE(edit.m_open->isChecked());
    EXPECT_EQ(edit.m_open->text(), "Open");
    EXPECT_EQ(edit.m_closed->text(), "Closed");
    EXPECT_TRUE(edit.m_priority->isEditable());
    EXPECT_EQ(edit.m_priority->currentText(), "Low");
    QStringList priorities;
    for (int i = 0; i < edit.m_priority->count(); ++i)
        priorities << edit.m_priority->itemText(i);
    EXPECT_EQ(priorities, (QStringList{"High", "Medium", "Low"}));
    EXPECT_EQ(edit.m_description->text(), "");
    EXPECT_EQ(edit.m_fileAndLine->text(), "");
}

// Every month's date fits the column, which is never narrower than its 50 standard pixels scaled, nor wider
// than those or the dates need.
TEST(DateColumn, FitsEveryDateAndScalesWithTheFont) {
    const int margins = 2 * (QApplication::style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (double points : {9.0, 13.5, 20.0}) {
        QFont font = QApplication::font();
        font.setPointSizeF(points);
        const QFontMetrics metrics(font);
        const int width = dateColumnWidth(font);
        int widest = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day : {1, 9, 28}) {
                const QString text = EditNoteWindow::dateText(QDate(2031, month, day));
                widest = std::max(widest, metrics.horizontalAdvance(text));
                EXPECT_GE(width, metrics.horizontalAdvance(text) + margins)
                    << text.toStdString() << " " << points;
            }
        }
        const int standard = FontScale::scaled(50, FontScale::ratioFor(font));
        EXPECT_GE(width, standard) << points;
        EXPECT_LE(width, std::max(standard, widest + margins)) << points;
        QFont standardFont = font;
        standardFont.setPointSizeF(9);
        if (points > 9) {
            EXPECT_GT(width, dateColumnWidth(standardFont)) << points;
        }
    }
}

TEST_F(BugsAndNotesWindowTest, LoadsOnShowAndSavesOnClose) {
    writeBytes(notesFile("A"), "[7]\r\nDate=1.2.2024\r\nDescription=Crash\r\nStatus=Open\r\n"
                               "FILE AND LINE=Hello.java:12\r\n");
    notes.openFor(dir("A"));
    ASSERT_TRUE(notes.isVisible());
    EXPECT_EQ(notes.registerPath(), notesFile("A"));
    EXPECT_EQ(rows(), (QList<QStringList>{{"7", "1.2.2024", "Crash", " ", "Open", "Hello.java:12"}}));

    // A change is written at once, and again when the window closes.
    select(0);
    menuAction("Closethebugnote1")->trigger();
    EXPECT_EQ(rows()[0][4], "Closed");
    const QByteArray closed = "[7]\r\nDate=1.2.2024\r\nDescription=Crash\r\nPriority= \r\n"
                              "Status=Closed\r\nFile and Line=Hello.java:12\r\n";
    EXPECT_EQ(readBytes(notesFile("A")), closed);
    notes.close();
    EXPECT_FALSE(notes.isVisible());
    EXPECT_EQ(readBytes(notesFile("A")), closed);

    // Shown again, the file is read again.
    writeBytes(notesFile("A"), "[1]\r\nDate=d\r\n");
    notes.openFor(dir("A"));
    EXPECT_EQ(rows(), (QList<QStringList>{{"1", "d", " ", " ", " ", " "}}));
}

TEST_F(BugsAndNotesWindowTest, NewEntriesNumberOnAndRememberTheFields) {
    notes.openFor(dir("A"));
    const QString first = addThroughWindow([](EditNoteWindow& e) {
        e.m_description->setText("Button does nothing");
        e.m_priority->setCurrentText("High");
        e.m_closed->setChecked(true);
        e.m_fileAndLine->setText("Hello.java:30");
        e.m_date->setDate(QDate(2024, 2, 29));
    });
    EXPECT_EQ(first, "0");
    const QString day = EditNoteWindow::dateText(QDate(2024, 2, 29));
    EXPECT_EQ(rows(),
              (QList<QStringList>{{"0", day, "Button does nothing", "High", "Closed", "Hello.java:30"}}));
    EXPECT_EQ(readBytes(notesFile("A")), "[0]\r\nDate=" + day.toUtf8() +
                                             "\r\nDescription=Button does nothing\r\nPriority=High\r\n"
                                             "Status=Closed\r\nFile and Line=Hello.java:30\r\n");

    // The next entry starts as a copy of the previous one, with a new ID and today's date.
    const QString second = addThroughWindow([](EditNoteWindow& e) {
        EXPECT_EQ(e.m_description->text(), "Button does nothing");
        EXPECT_EQ(e.m_priority->currentText(), "High");
        EXPECT_TRUE(e.m_closed->isChecked());
        EXPECT_EQ(e.m_fileAndLine->text(), "Hello.java:30");
        e.m_priority->setCurrentText("Someday");
        e.m_open->setChecked(true);
    });
    EXPECT_EQ(second, "1");
    EXPECT_EQ(rows()[1], (QStringList{"1", EditNoteWindow::dateText(QDate::currentDate()),
                                      "Button does nothing", "Someday", "Open", "Hello.java:30"}));

    // Cancel adds nothing, but what was typed stays for the next time.
    addThroughWindow([](EditNoteWindow& e) { e.m_description->setText("typed, then cancelled"); }, false);
    EXPECT_EQ(rows().size(), 2);
    addThroughWindow([](EditNoteWindow& e) { EXPECT_EQ(e.m_description->text(), "typed, then cancelled"); },
                     false);

    notes.close();
    EXPECT_TRUE(readBytes(notesFile("A"))
                    .contains("[1]\r\nDate=" + EditNoteWindow::dateText(QDate::currentDate()).toUtf8() +
                              "\r\nDescription=Button does nothing\r\nPriority=Someday\r\n"
                              "Status=Open\r\n"));
}

TEST_F(BugsAndNotesWindowTest, NewIdFollowsTheLargestAndSkipsNonNumbers) {
    writeBytes(notesFile("A"), "[0]\n[4]\n[abc]\n[2]\n");
    notes.openFor(dir("A"));
    EXPECT_EQ(addThroughWindow([](EditNoteWindow&) {}), "5");
    notes.close();
    // The section that is not a number is written back.
    notes.openFor(dir("A"));
    EXPECT_EQ(rows().size(), 5);
    EXPECT_EQ(rows()[2][0], "abc");
}

TEST_F(BugsAndNotesWindowTest, RemoveAndStatusActOnTheSelectedRowOnly) {
    writeBytes(notesFile("A"), "[0]\nStatus=Open\n[1]\nStatus=Open\n[2]\nStatus=Closed\n");
    notes.openFor(dir("A"));
    // Nothing selected: nothing happens.
    notes.listView()->clearSelection();
    menuAction("Closethebugnote1")->trigger();
    menuAction("Removebugnote1")->trigger();
    notes.findChild<QPushButton*>("BitBtn2")->click();
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(rows()[0][4], "Open");

    select(2);
    menuAction("Openthebugnote1")->trigger();
    EXPECT_EQ(rows()[2][4], "Open");
    EXPECT_TRUE(readBytes(notesFile("A")).endsWith("Status=Open\r\nFile and Line= \r\n"));
    select(1);
    notes.findChild<QPushButton*>("BitBtn2")->click();
    EXPECT_EQ(rows().size(), 2);
    EXPECT_EQ(rows()[1][0], "2");
    EXPECT_FALSE(readBytes(notesFile("A")).contains("[1]"));
    select(0);
    menuAction("Removebugnote1")->trigger();
    const QByteArray last = "[2]\r\nDate= \r\nDescription= \r\nPriority= \r\nStatus=Open\r\n"
                            "File and Line= \r\n";
    EXPECT_EQ(readBytes(notesFile("A")), last);
    notes.close();
    EXPECT_EQ(readBytes(notesFile("A")), last);

    // Emptied, the register leaves no file.
    notes.openFor(dir("A"));
    select(0);
    menuAction("Removebugnote1")->trigger();
    EXPECT_FALSE(QFileInfo::exists(notesFile("A")));
    notes.close();
    EXPECT_FALSE(QFileInfo::exists(notesFile("A")));
}

TEST_F(BugsAndNotesWindowTest, EachProjectKeepsItsOwnRegister) {
    writeBytes(notesFile("A"), "[3]\nDescription=in A\n");
    notes.openFor(dir("A"));
    ASSERT_EQ(rows().size(), 1);
    select(0);
    menuAction("Closethebugnote1")->trigger();

    // Another project loaded while the window is open: A's register goes to A, and the window closes.
    notes.projectFolderChanged(dir("B"));
    EXPECT_FALSE(notes.isVisible());
    EXPECT_TRUE(readBytes(notesFile("A")).contains("Status=Closed"));
    EXPECT_FALSE(QFileInfo::exists(notesFile("B")));

    // Opened for B, which has no register: an empty list, and none written for it when empty.
    notes.openFor(dir("B"));
    EXPECT_EQ(rows().size(), 0);
    addThroughWindow([](EditNoteWindow& e) { e.m_description->setText("in B"); });
    // Opened for A while B's is shown: B's is written to B first.
    notes.openFor(dir("A"));
    EXPECT_TRUE(notes.isVisible());
    EXPECT_EQ(notes.registerPath(), notesFile("A"));
    EXPECT_TRUE(readBytes(notesFile("B")).contains("Description=in B"));
    EXPECT_EQ(rows()[0][2], "in A");
    // The same project again changes nothing.
    notes.projectFolderChanged(dir("A"));
    EXPECT_TRUE(notes.isVisible());
}

TEST_F(BugsAndNotesWindowTest, FailedWriteKeepsTheWindowAndTheOldFile) {
    writeBytes(notesFile("A"), "[0]\r\nDate=old\r\n");
    notes.openFor(dir("A"));
    const QString error = "nach " + notesFile("A") + " kann nicht geschrieben werden: File too large";
    {
        const FileSizeLimit full(64);
        // The entry that does not fit is reported and kept in the list; so is a status change.
        dialogs.answer(mrOk, error);
        addThroughWindow([](EditNoteWindow& e) { e.m_description->setText(QString(300, u'x')); });
        select(0);
        dialogs.answer(mrOk, error);
        menuAction("Closethebugnote1")->trigger();
        dialogs.answer(mrOk, error);
        notes.close();
    }
    ASSERT_EQ(dialogs.asked().size(), 3);
    EXPECT_EQ(dialogs.asked()[2].text, error);
    EXPECT_EQ(dialogs.asked()[2].type, mtError);
    EXPECT_TRUE(notes.isVisible());
    EXPECT_EQ(readBytes(notesFile("A")), "[0]\r\nDate=old\r\n");
    EXPECT_EQ(rows().size(), 2);
    EXPECT_EQ(rows()[0][4], "Closed");
    notes.close();
    EXPECT_FALSE(notes.isVisible());
    EXPECT_TRUE(readBytes(notesFile("A")).contains("[1]"));
}

TEST_F(BugsAndNotesWindowTest, WithoutAProjectOrAReadableFileNothingIsWritten) {
    // No project: nothing to add to, and nothing lands in the working folder.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir("B"));
    notes.openFor(QString());
    EXPECT_FALSE(notes.editable());
    EXPECT_FALSE(notes.findChild<QPushButton*>("BitBtn3")->isEnabled());
    notes.newEntry();
    notes.close();
    QDir::setCurrent(previous);
    EXPECT_FALSE(QFileInfo::exists(notesFile("B")));

    // A register that cannot be read is reported and left alone.
    QDir(m_dir.path()).mkpath("A/Notes.ini");
    dialogs.answer(mrOk, "Cannot read");
    notes.openFor(dir("A"));
    ASSERT_EQ(dialogs.asked().size(), 1);
    EXPECT_EQ(dialogs.asked()[0].text, "Cannot read " + notesFile("A") + ": Is a directory");
    EXPECT_FALSE(notes.editable());
    notes.close();
    EXPECT_EQ(dialogs.asked().size(), 1);
    EXPECT_TRUE(QFileInfo(notesFile("A")).isDir());

    // So is one that holds text but no entry this reader knows: the window says why and stays read-only.
    const QByteArray unknown("\xFF\xFE\0\0[\0\0\0"
                             "7\0\0\0]\0\0\0",
                             16);
    writeBytes(notesFile("B"), unknown);
    dialogs.answer(mrOk, "holds no entry");
    notes.openFor(dir("B"));
    ASSERT_EQ(dialogs.asked().size(), 2);
    EXPECT_FALSE(notes.editable());
    EXPECT_TRUE(notes.findChild<QStatusBar*>("StatusBar1")->currentMessage().contains("read-only"));
    notes.close();
    EXPECT_EQ(readBytes(notesFile("B")), unknown);
}

TEST_F(BugsAndNotesWindowTest, EnterAddsUnlessAnotherButtonHasTheFocus) {
    writeBytes(notesFile("A"), "[0]\n[1]\n");
    notes.openFor(dir("A"));
    notes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&notes));
    notes.listView()->setFocus();
    bool shown = false;
    ModalDriver driver([&](QWidget*) {
        shown = true;
        edit.reject();
    });
    QTest::keyClick(notes.listView(), Qt::Key_Return);
    EXPECT_TRUE(shown);
    EXPECT_EQ(rows().size(), 2);

    select(0);
    QPushButton* remove = notes.findChild<QPushButton*>("BitBtn2");
    remove->setFocus();
    QTest::keyClick(remove, Qt::Key_Return);
    EXPECT_EQ(rows().size(), 1);
}

} // namespace
