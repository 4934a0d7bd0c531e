#include "notes/NotesRegister.h"
#include "NotesTestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class NotesRegisterTest : public testing::Test {
protected:
    QString projectDir() const { return m_dir.path() + u'/'; }
    QString notesPath() const { return NotesRegister::fileName(projectDir()); }
    NotesRegister loaded() {
        NotesRegister notes;
        EXPECT_TRUE(notes.load(notesPath()).ok());
        return notes;
    }

    QTemporaryDir m_dir;
};

NoteEntry entry(const QString& id, const QString& status = NotesRegister::kOpen) {
    return {id, "24.05.2024", "Crash on " + id, "Low", status, "Hello.java:" + id};
}

QStringList ids(const NotesRegister& notes) {
    QStringList result;
    for (const NoteEntry& e : notes.entries())
        result << e.id;
    return result;
}

TEST_F(NotesRegisterTest, FileLiesInTheProjectFolder) {
    EXPECT_EQ(NotesRegister::fileName("/home/me/Hello/"), "/home/me/Hello/Notes.ini");
}

TEST_F(NotesRegisterTest, FreshProjectNumbersFromZero) {
    NotesRegister notes = loaded();
    EXPECT_EQ(notes.count(), 0);
    EXPECT_EQ(notes.nextId(), 0);
    notes.add(entry("0"));
    EXPECT_EQ(notes.nextId(), 1);
    notes.add(entry("1"));
    ASSERT_TRUE(notes.save().ok());
    EXPECT_EQ(loaded().nextId(), 2);
}

TEST_F(NotesRegisterTest, NextIdIsOneMoreThanTheLargest) {
    struct Case {
        QStringList ids;
        qint64 next;
    };
    const Case cases[] = {
        {{}, 0},
        {{"0", "4", "2"}, 5},
        {{"7"}, 8},
        {{"3", "3"}, 4},
        {{"-5"}, 0},
        {{"-5", "1"}, 2},
        // Sections that are not decimal numbers are kept but count for nothing.
        {{"abc", "3"}, 4},
        {{"abc"}, 0},
        {{"", "0x10", "$10", "1e3", "2.5", "99999999999999999999"}, 0},
        {{"+6"}, 7},
        {{"2147483647"}, 2147483648LL},
        // IDs are 64-bit numbers; past the largest one the smallest free one follows.
        {{"2147483647", "2147483648"}, 2147483649LL},
        {{"99999999999"}, 100000000000LL},
        {{"9223372036854775807"}, 0},
        {{"9223372036854775807", "0", "-1", "1", "3"}, 2},
    };
    for (const Case& c : cases) {
        NotesRegister notes;
        for (const QString& id : c.ids)
            notes.add(entry(id));
        EXPECT_EQ(notes.nextId(), c.next) << c.ids.join(',').toStdString();
    }
}

TEST_F(NotesRegisterTest, NoTwoEntriesShareASection) {
    writeBytes(notesPath(), "[2147483647]\r\nDescription=old\r\n[Abc]\r\n");
    NotesRegister notes = loaded();
    for (const char* description : {"first", "second"})
        ASSERT_TRUE(notes.add({QString::number(notes.nextId()), "d", description, "Low", "Open", ""}));
    const struct {
        const char* id;
        bool added;
    } cases[] = {
        {"2147483648", false}, {"abc", false}, {" ABC ", false}, {"2147483650", true}, {"abcd", true}};
    for (const auto& c : cases)
        EXPECT_EQ(notes.add(entry(c.id)), c.added) << c.id;
    ASSERT_TRUE(notes.save().ok());
    EXPECT_EQ(ids(loaded()),
              (QStringList{"2147483647", "Abc", "2147483648", "2147483649", "2147483650", "abcd"}));
    EXPECT_EQ(loaded().entries()[3].description, "second");
    // A removed entry's ID may be taken again.
    notes.remove(1);
    EXPECT_TRUE(notes.add(entry("abc")));
}

TEST_F(NotesRegisterTest, RepeatedSectionsStayEntriesOfTheirOwn) {
    writeBytes(notesPath(),
               "[7]\r\nDescription=first\r\n[8]\r\n[7]\r\nDescription=second\r\nStatus=Closed\r\n");
    const NotesRegister notes = loaded();
    ASSERT_EQ(ids(notes), (QStringList{"7", "8", "7"}));
    EXPECT_EQ(notes.entries()[0], (NoteEntry{"7", " ", "first", " ", " ", " "}));
    EXPECT_EQ(notes.entries()[2], (NoteEntry{"7", " ", "second", " ", "Closed", " "}));
    EXPECT_EQ(notes.nextId(), 9);
    ASSERT_TRUE(notes.save().ok());
    const NotesRegister again = loaded();
    EXPECT_EQ(ids(again), ids(notes));
    EXPECT_EQ(again.entries()[2].description, "second");
}

// What other programs leave in Notes.ini: a register in any text form they write is read; a file that
// holds text but no entry is reported and kept, never emptied.
TEST_F(NotesRegisterTest, FilesFromOtherWritersLoadOrStayUntouched) {
    QStringEncoder toUtf16(QStringConverter::Utf16LE);
    const QByteArray notepad =
        "\xFF\xFE" + QByteArray(toUtf16(u"[3]\r\nDescription=Caf\u00e9 \u4e2d\r\nStatus=Open\r\n"));
    const QByteArray longDescription = QByteArray(1500, 'x');
    const struct {
        const char* name;
        QByteArray file;
        QStringList ids; // empty: no entry
        bool readable;
    } cases[] = {
        {"UTF-16 with its mark", notepad, {"3"}, true},
        {"a description of 1500 characters", "[1]\nDescription=" + longDescription + "\n", {"1"}, true},
        {"empty", "", {}, true},
        {"blank lines", "\r\n  \r\n\t\n", {}, true},
        {"a mark alone", "\xEF\xBB\xBF\r\n", {}, true},
        {"a comment alone", "; nothing here yet\r\n", {}, false},
        {"keys without a section", "Description=lost\r\n", {}, false},
        {"UTF-32", QByteArray("\xFF\xFE\0\0[\0\0\0", 8), {}, false},
        {"binary", QByteArray("\x01\x02\0\x7f", 4), {}, false},
    };
    for (const auto& c : cases) {
        writeBytes(notesPath(), c.file);
        NotesRegister notes;
        const FileResult result = notes.load(notesPath());
        EXPECT_EQ(result.ok(), c.readable) << c.name << ": " << result.error.toStdString();
        EXPECT_EQ(ids(notes), c.ids) << c.name;
        if (!c.readable) {
            EXPECT_EQ(result.error, notesPath() + " holds no entry this program can read. The register is "
                                                  "shown read-only and the file is left as it is.");
            EXPECT_EQ(notes.save().error, "nach " + notesPath() +
                                              " kann nicht geschrieben werden: it holds no entry this "
                                              "program can read");
            EXPECT_EQ(readBytes(notesPath()), c.file) << c.name;
            continue;
        }
        ASSERT_TRUE(notes.save().ok()) << c.name;
        EXPECT_EQ(ids(loaded()), c.ids) << c.name;
    }
    // The Notepad file is written back as UTF-16, its description whole.
    writeBytes(notesPath(), notepad);
    NotesRegister notes = loaded();
    EXPECT_EQ(notes.entries()[0].description, QStringLiteral("Caf\u00e9 \u4e2d"));
    ASSERT_TRUE(notes.save().ok());
    EXPECT_TRUE(readBytes(notesPath())
                    .startsWith("\xFF\xFE[\0"
                                "3\0]\0"));
    writeBytes(notesPath(), "[1]\nDescription=" + longDescription + "\n");
    EXPECT_EQ(loaded().entries()[0].description, QString::fromLatin1(longDescription));
}

TEST_F(NotesRegisterTest, RemovingTheLargestReusesItsIdOnly) {
    NotesRegister notes;
    for (const char* id : {"0", "1", "2"})
        notes.add(entry(id));
    notes.remove(1);
    EXPECT_EQ(notes.nextId(), 3);
    notes.remove(1);
    EXPECT_EQ(notes.nextId(), 1);
    notes.remove(5); // out of range: nothing
    notes.remove(-1);
    EXPECT_EQ(ids(notes), QStringList{"0"});
}

TEST_F(NotesRegisterTest, SavesOneSectionPerEntryInListOrder) {
    NotesRegister notes = loaded();
    notes.add(entry("4"));
    notes.add({"2", "1.1.2024", "", "Whatever I typed", NotesRegister::kClosed, ""});
    ASSERT_TRUE(notes.save().ok());
    EXPECT_EQ(readBytes(notesPath()),
              "[4]\r\nDate=24.05.2024\r\nDescription=Crash on 4\r\nPriority=Low\r\n"
              "Status=Open\r\nFile and Line=Hello.java:4\r\n"
              "\r\n[2]\r\nDate=1.1.2024\r\nDescription=\r\nPriority=Whatever I typed\r\n"
              "Status=Closed\r\nFile and Line=\r\n");
    const NotesRegister again = loaded();
    EXPECT_EQ(again.entries(), notes.entries());
}

TEST_F(NotesRegisterTest, HandWrittenFilesLoad) {
    writeBytes(notesPath(), "[7]\r\nDate=1.2.2024\r\nDescription=No priority\r\nStatus=Open\r\n"
                            "File and line=A.java:3\r\n"
                            "[8]\nFILE AND LINE=B.java:9\ndate=2.2.2024\n"
                            "[abc]\nDescription=not a number\n");
    NotesRegister notes = loaded();
    ASSERT_EQ(ids(notes), (QStringList{"7", "8", "abc"}));
    // A missing key reads as a single blank.
    EXPECT_EQ(notes.entries()[0], (NoteEntry{"7", "1.2.2024", "No priority", " ", "Open", "A.java:3"}));
    EXPECT_EQ(notes.entries()[1], (NoteEntry{"8", "2.2.2024", " ", " ", " ", "B.java:9"}));
    EXPECT_EQ(notes.entries()[2].description, "not a number");
    EXPECT_EQ(notes.nextId(), 9);

    // Saving writes the blank it read, and keeps the section that is not a number.
    ASSERT_TRUE(notes.save().ok());
    const QByteArray saved = readBytes(notesPath());
    EXPECT_TRUE(saved.startsWith("[7]\r\nDate=1.2.2024\r\nDescription=No priority\r\nPriority= \r\n"))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains("[8]\r\nDate=2.2.2024\r\nDescription= \r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("[abc]\r\n")) << saved.toStdString();
    EXPECT_EQ(ids(loaded()), (QStringList{"7", "8", "abc"}));
}

TEST_F(NotesRegisterTest, EmptyListLeavesNoFile) {
    writeBytes(notesPath(), "[0]\r\nDate=x\r\n");
    NotesRegister notes = loaded();
    ASSERT_EQ(notes.count(), 1);
    notes.remove(0);
    ASSERT_TRUE(notes.save().ok());
    EXPECT_FALSE(QFileInfo::exists(notesPath()));
    // Saving an empty register without a file is no error either.
    EXPECT_TRUE(loaded().save().ok());
    EXPECT_FALSE(QFileInfo::exists(notesPath()));
}

TEST_F(NotesRegisterTest, StatusChangesReachTheFileOnSave) {
    NotesRegister notes = loaded();
    notes.add(entry("0"));
    notes.add(entry("1"));
    notes.setStatus(1, NotesRegister::kClosed);
    notes.setStatus(7, NotesRegister::kClosed); // no such row
    EXPECT_EQ(notes.entries()[0].status, "Open");
    ASSERT_TRUE(notes.save().ok());
    NotesRegister again = loaded();
    EXPECT_EQ(again.entries()[1].status, "Closed");
    again.setStatus(1, NotesRegister::kOpen);
    ASSERT_TRUE(again.save().ok());
    EXPECT_EQ(loaded().entries()[1].status, "Open");
}

TEST_F(NotesRegisterTest, FailedSaveKeepsTheOldFile) {
    writeBytes(notesPath(), "[0]\r\nDate=old\r\n");
    NotesRegister notes = loaded();
    notes.add({"1", "d", QString(300, u'x'), "Low", "Open", ""});
    {
        const FileSizeLimit full(64);
        EXPECT_EQ(notes.save().error,
                  "nach " + notesPath() + " kann nicht geschrieben werden: File too large");
    }
    EXPECT_EQ(readBytes(notesPath()), "[0]\r\nDate=old\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Notes.ini"});
    // The register is still whole and can be written once there is room.
    ASSERT_TRUE(notes.save().ok());
    EXPECT_EQ(ids(loaded()), (QStringList{"0", "1"}));
}

TEST_F(NotesRegisterTest, UnreadableFileIsReportedNotEmptied) {
    QDir(m_dir.path()).mkdir("Notes.ini");
    NotesRegister notes;
    const FileResult result = notes.load(notesPath());
    EXPECT_EQ(result.error, "Cannot read " + notesPath() + ": Is a directory");
    EXPECT_EQ(notes.count(), 0);
    // An empty register cannot remove a folder in the file's place.
    EXPECT_EQ(notes.save().error, "nach " + notesPath() + " kann nicht geschrieben werden: Is a directory");
    EXPECT_TRUE(QFileInfo(notesPath()).isDir());
}

} // namespace
