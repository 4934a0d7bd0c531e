#include "notes/IniFile.h"
#include "NotesTestFiles.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Text as Notepad saves it as "Unicode": UTF-16 behind its byte-order mark.
QByteArray utf16(const QString& text, bool bigEndian = false) {
    QStringEncoder encode(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
    return (bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE")) + QByteArray(encode(text));
}

class IniFileTest : public testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("Notes.ini")) const { return m_dir.filePath(name); }
    IniFile fileWith(const QByteArray& bytes) {
        writeBytes(path(), bytes);
        return IniFile(path());
    }

    QTemporaryDir m_dir;
};

struct ReadCase {
    const char* name;
    QByteArray file;
    const char* section;
    const char* key;
    QString expected;
};

TEST_F(IniFileTest, ReadsValuesUnderTheProfileRules) {
    const QString longValue(1500, u'x');
    const ReadCase cases[] = {
        {"exact names", "[3]\r\nDate=1.2.2024\r\n", "3", "Date", "1.2.2024"},
        {"key case-blind", "[3]\r\nFile and Line=A.java:4\r\n", "3", "FILE AND LINE", "A.java:4"},
        {"section case-blind", "[Abc]\r\nk=v\r\n", "aBC", "k", "v"},
        {"blanks around names", "  [ 7 ]  \n  Priority   =High\n", "7", "Priority", "High"},
        {"blanks around value", "[s]\nk=   two words   \n", "s", "k", "two words"},
        {"tabs around value", "[s]\nk=\tv\t\n", "s", "k", "v"},
        {"double quotes", "[s]\nk=\"quoted\"\n", "s", "k", "quoted"},
        {"single quotes", "[s]\nk='quoted'\n", "s", "k", "quoted"},
        {"blanks inside quotes kept", "[s]\nk=\"  a  \"\n", "s", "k", "  a  "},
        {"one pair only", "[s]\nk=\"\"a\"\"\n", "s", "k", "\"a\""},
        {"mismatched quotes stay", "[s]\nk=\"a'\n", "s", "k", "\"a'"},
        {"lone quote stays", "[s]\nk=\"\n", "s", "k", "\""},
        {"empty quotes", "[s]\nk=\"\"\n", "s", "k", ""},
        {"quote only at start", "[s]\nk=\"a b\n", "s", "k", "\"a b"},
        {"long value read whole", "[s]\nk=" + longValue.toUtf8() + "\n", "s", "k", longValue},
        {"long quoted value whole", "[s]\nk=\"" + longValue.toUtf8() + "\"\n", "s", "k", longValue},
        {"value with =", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"empty value", "[s]\nk=\n", "s", "k", ""},
        {"missing key gives default", "[s]\nother=1\n", "s", "k", "<default>"},
        {"missing section gives default", "[s]\nk=1\n", "t", "k", "<default>"},
        {"key of another section not seen", "[s]\nk=1\n[t]\n", "t", "k", "<default>"},
        {"line without = ignored", "[s]\nk\nk=found\n", "s", "k", "found"},
        {"first of two keys wins", "[s]\nk=first\nK=second\n", "s", "k", "first"},
        {"key before any section ignored", "k=orphan\n[s]\n", "s", "k", "<default>"},
        {"LF only", "[s]\nk=v\n", "s", "k", "v"},
        {"CR only", "[s]\rk=v\r", "s", "k", "v"},
        {"no final line end", "[s]\nk=v", "s", "k", "v"},
        {"blank lines anywhere", "\r\n\r\n[s]\r\n\r\n\r\nk=v\r\n\r\n", "s", "k", "v"},
        {"repeated section merges", "[s]\na=1\n[t]\n[S]\nk=late\n", "s", "k", "late"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        {"Windows-1252", "[s]\nk=caf\xE9\n", "s", "k", QStringLiteral("caf\u00e9")},
        {"UTF-16 little-endian", utf16(QStringLiteral("[s]\r\nk=caf\u00e9 \u4e2d\r\n")), "s", "k",
         QStringLiteral("caf\u00e9 \u4e2d")},
        {"UTF-16 big-endian", utf16(QStringLiteral("[s]\r\nk=v\r\n"), true), "s", "k", "v"},
    };
    for (const ReadCase& c : cases) {
        const IniFile ini = fileWith(c.file);
        EXPECT_EQ(ini.readString(c.section, c.key, "<default>"), c.expected) << c.name;
        EXPECT_TRUE(ini.readError().isEmpty()) << c.name;
    }
}

TEST_F(IniFileTest, ListsSectionsInFileOrderOnce) {
    const IniFile ini = fileWith("; comment\n[7]\nDate=x\n\n[abc]\n[ 0 ]\n[7]\n[]\n[unclosed\nlast=1\n[2]\n");
    EXPECT_EQ(ini.readSections(), (QStringList{"7", "abc", "0", "", "2"}));
    // Counted one by one, the repeated [7] stands where it stood, with keys of its own.
    ASSERT_EQ(ini.sectionCount(), 6);
    EXPECT_EQ(ini.sectionName(3), "7");
    EXPECT_EQ(ini.readStringAt(0, "date", "-"), "x");
    EXPECT_EQ(ini.readStringAt(3, "date", "-"), "-");
    EXPECT_TRUE(ini.sectionExists("ABC"));
    EXPECT_FALSE(ini.sectionExists("unclosed"));
    // The line after a broken header still belongs to the section before it.
    EXPECT_EQ(ini.readString("", "last", "-"), "1");
}

TEST_F(IniFileTest, MissingFileIsEmptyAndUnreadableFileSaysSo) {
    const IniFile missing(path("none.ini"));
    EXPECT_TRUE(missing.readSections().isEmpty());
    EXPECT_TRUE(missing.readError().isEmpty());

    QDir(m_dir.path()).mkdir("folder.ini");
    const IniFile folder(path("folder.ini"));
    EXPECT_TRUE(folder.readSections().isEmpty());
    EXPECT_EQ(folder.readError(), "Cannot read " + path("folder.ini") + ": Is a directory");
}

TEST_F(IniFileTest, WritesTheWholeFileAndReadsItBack) {
    IniFile ini(path(), IniFile::Start::Empty);
    ini.writeString("3", "Date", "1.2.2024");
    ini.writeString("3", "File and Line", "A.java:4");
    ini.writeString("abc", "Status", "Open");
    ini.writeString("3", "FILE AND LINE", "B.java:9"); // same key: replaced where it stands
    ini.writeString("3", "Description", "two\r\nlines");
    ASSERT_TRUE(ini.updateFile().ok());
    EXPECT_EQ(readBytes(path()),
              "[3]\r\nDate=1.2.2024\r\nFile and Line=B.java:9\r\nDescription=two  lines\r\n"
              "\r\n[abc]\r\nStatus=Open\r\n");

    const IniFile again(path());
    EXPECT_EQ(again.readSections(), (QStringList{"3", "abc"}));
    EXPECT_EQ(again.readString("3", "file and line", "-"), "B.java:9");
    EXPECT_EQ(again.readString("ABC", "status", "-"), "Open");
}

TEST_F(IniFileTest, WrittenValuesReadBackAsGiven) {
    // Reading trims blanks and drops enclosing quotes; what is written must survive both.
    const struct {
        const char* value;
        const char* expected;
    } cases[] = {
        {"\"quoted\"", "\"quoted\""},
        {"'single'", "'single'"},
        {"  padded  ", "  padded  "},
        {"\t tab", "\t tab"},
        {"\"\"", "\"\""},
        {"\"half", "\"half"},
        {"plain words", "plain words"},
        {" ", ""}, // blanks alone read as empty, as other profile writers leave them
    };
    IniFile ini(path(), IniFile::Start::Empty);
    int n = 0;
    for (const auto& c : cases)
        ini.writeString("s", QString::number(n++), c.value);
    ASSERT_TRUE(ini.updateFile().ok());
    const IniFile again(path());
    n = 0;
    for (const auto& c : cases) {
        const QString key = QString::number(n++);
        const QString value = QString::fromUtf8(c.value);
        // In memory the value reads as it was given, blanks alone included.
        EXPECT_EQ(ini.readString("s", key, "-"), value) << c.value;
        EXPECT_EQ(again.readString("s", key, "-"), QString::fromUtf8(c.expected)) << c.value;
    }
    EXPECT_TRUE(readBytes(path()).contains("\r\n7= \r\n"));
}

TEST_F(IniFileTest, KeepsTheEncodingItReadIn) {
    writeBytes(path(), "[s]\r\nk=caf\xE9\r\n");
    IniFile ini(path());
    ini.writeString("s", "k2", QStringLiteral("\u00fcber"));
    ASSERT_TRUE(ini.updateFile().ok());
    EXPECT_EQ(readBytes(path()), "[s]\r\nk=caf\xE9\r\nk2=\xFC"
                                 "ber\r\n");

    // A character Windows-1252 lacks makes the file UTF-8 rather than losing it.
    ini.writeString("s", "k3", QStringLiteral("\u4e2d"));
    ASSERT_TRUE(ini.updateFile().ok());
    EXPECT_EQ(IniFile(path()).readString("s", "k3", "-"), QStringLiteral("\u4e2d"));
    EXPECT_EQ(IniFile(path()).readString("s", "k", "-"), QStringLiteral("caf\u00e9"));

    // UTF-16 stays UTF-16 in the byte order it came in, behind its mark.
    for (bool bigEndian : {false, true}) {
        writeBytes(path(), utf16(QStringLiteral("[s]\r\nk=caf\u00e9\r\n"), bigEndian));
        IniFile wide(path());
        wide.writeString("s", "k2", QStringLiteral("\u4e2d"));
        ASSERT_TRUE(wide.updateFile().ok());
        EXPECT_EQ(readBytes(path()), utf16(QStringLiteral("[s]\r\nk=caf\u00e9\r\nk2=\u4e2d\r\n"), bigEndian))
            << bigEndian;
    }
}

TEST_F(IniFileTest, FailedWriteNamesTheFileAndKeepsTheOldOne) {
    writeBytes(path(), "[old]\r\nk=v\r\n");
    IniFile ini(path(), IniFile::Start::Empty);
    ini.writeString("new", "k", QString(200, u'x'));
    {
        const FileSizeLimit full(64);
        EXPECT_EQ(ini.updateFile().error,
                  "nach " + path() + " kann nicht geschrieben werden: File too large");
    }
    EXPECT_EQ(readBytes(path()), "[old]\r\nk=v\r\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Notes.ini"});

    const QString missingFolder = path("no/such/Notes.ini");
    EXPECT_EQ(IniFile(missingFolder, IniFile::Start::Empty).updateFile().error,
              "nach " + missingFolder + " kann nicht geschrieben werden: No such file or directory");
}

} // namespace
