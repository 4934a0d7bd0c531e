#include "workspace/TextFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

TEST(TextFile, SplitsAtEveryLineEnd) {
    const struct {
        const char* text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\n", {"one"}},
        {"\r\n", {""}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\r\r\nb\n\rc", {"a", "", "b", "", "c"}},
        {"\n\n", {"", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitTextLines(QString::fromLatin1(c.text)), c.lines) << c.text;
    EXPECT_EQ(joinTextLines({"a", ""}), "a\r\n\r\n");
    EXPECT_EQ(joinTextLines({}), "");
    EXPECT_EQ(joinTextLines({"a", "b"}, {TextEncoding::Utf8, false, LineBreak::Lf, false}), "a\nb");
    EXPECT_EQ(joinTextLines({}, {TextEncoding::Utf8, false, LineBreak::Cr, false}), "");
    // An empty last line exists only before a line break.
    EXPECT_EQ(joinTextLines({"a", ""}, {TextEncoding::Utf8, false, LineBreak::Lf, false}), "a\n\n");
}

namespace {
// The text in UTF-16 with its byte-order mark, little- or big-endian.
QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const char low = char(u & 0xFF), high = char(u >> 8);
        bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
    }
    return bytes;
}
} // namespace

// Encoding is chosen by the bytes, and decoding then encoding gives the bytes back.
TEST(TextFile, DecodedTextEncodesToTheSameBytes) {
    const QString accents = QString::fromUtf8("Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80\r\n");
    const struct {
        QByteArray bytes;
        TextEncoding encoding;
        QString text; // checked when not null
    } cases[] = {
        {"plain ascii", TextEncoding::Utf8, "plain ascii"},
        {"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBE", TextEncoding::Utf8, {}},
        {"caf\xE9", TextEncoding::Windows1252, QString::fromUtf8("caf\xC3\xA9")},
        {"\xC0\x80", TextEncoding::Windows1252, {}},         // overlong NUL
        {"\xED\xA0\x80", TextEncoding::Windows1252, {}},     // surrogate
        {"\xF4\x90\x80\x80", TextEncoding::Windows1252, {}}, // above U+10FFFF
        {"ends in half \xC3", TextEncoding::Windows1252, {}},
        {utf16(accents, true), TextEncoding::Utf16LE, accents},
        {utf16(accents, false), TextEncoding::Utf16BE, accents},
        {"\xFF\xFE", TextEncoding::Utf16LE, ""},
        {utf16(QChar(0xFEFF) + QString("x"), true), TextEncoding::Utf16LE, QChar(0xFEFF) + QString("x")},
        {QByteArray("\xFF\xFE\0\0", 4), TextEncoding::Utf16LE, QString(QChar(0))},
        // Not whole UTF-16: Windows-1252, which keeps every byte.
        {"\xFF\xFE"
         "a",
         TextEncoding::Windows1252,
         {}}, // odd length
        {QByteArray("\xFF\xFE"
                    "a\0\x00\xD8",
                    6),
         TextEncoding::Windows1252,
         {}},                                                                  // lone high surrogate
        {QByteArray("\xFE\xFF\xDC\x00\0a", 6), TextEncoding::Windows1252, {}}, // lone low surrogate
        {"\xFE", TextEncoding::Windows1252, {}},
    };
    for (const auto& c : cases) {
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_EQ(decoded.format.encoding, c.encoding) << c.bytes.toHex().constData();
        if (!c.text.isNull()) {
            EXPECT_EQ(decoded.text, c.text) << c.bytes.toHex().constData();
        }
        EXPECT_EQ(encodeText(decoded.text, decoded.format), c.bytes) << c.bytes.toHex().constData();
    }
    const QString high = fromWindows1252("\x80\x81\x8A\x9F\xE9");
    EXPECT_EQ(high, QString::fromUtf8("\xE2\x82\xAC\xC2\x81\xC5\xA0\xC5\xB8\xC3\xA9"));
}

class TextFileOnDisk : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// A file keeps its encoding, its line break and a missing final line break; only a file that mixes
// line breaks changes, to its most frequent one.
TEST_F(TextFileOnDisk, FilesSurviveReadAndWrite) {
    QByteArray everyByte; // every byte but CR and LF: not valid UTF-8
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            everyByte.append(char(b));
    }
    using enum LineBreak;
    const TextEncoding utf8 = TextEncoding::Utf8;
    const struct {
        QByteArray written, expected;
        TextFormat format;
    } cases[] = {
        {"// Gr\xC3\xBC\xC3\x9F\nclass A {\r\n}\r", "// Gr\xC3\xBC\xC3\x9F\r\nclass A {\r\n}\r\n", {}},
        {"\xEF\xBB\xBF"
         "class B {}",
         "\xEF\xBB\xBF"
         "class B {}",
         {utf8, true, CrLf, false}},
        {everyByte + "\nsecond\rthird",
         everyByte + "\nsecond\nthird",
         {TextEncoding::Windows1252, false, Lf, false}},
        {QByteArray("int a;\0int b;\n\0", 15),
         QByteArray("int a;\0int b;\n\0", 15),
         {utf8, false, Lf, false}},
        {"", "", {}},
        {"\n", "\n", {utf8, false, Lf, true}},
        {"class L {\n}\n", "class L {\n}\n", {utf8, false, Lf, true}},
        {"class R {\r}\r\r", "class R {\r}\r\r", {utf8, false, Cr, true}},
        {"a\r\nb\nc\n", "a\nb\nc\n", {utf8, false, Lf, true}},
        {"a\r\nb\rc\r\n", "a\r\nb\r\nc\r\n", {}},
        {"one line", "one line", {utf8, false, CrLf, false}},
        {utf16("class U {\r\n}\r\n", true),
         utf16("class U {\r\n}\r\n", true),
         {TextEncoding::Utf16LE, true, CrLf, true}},
        {utf16("class V {\n}\n\r}", false),
         utf16("class V {\n}\n\n}", false),
         {TextEncoding::Utf16BE, true, Lf, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written.toHex().toStdString());
        writeBytes(path("f.java"), c.written);
        TextReadResult read = TextFile::read(path("f.java"));
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.file.format, c.format);
        EXPECT_FALSE(read.file.lines.value(0).startsWith(QChar(0xFEFF)));
        ASSERT_TRUE(read.file.write(path("f.java")).ok());
        EXPECT_EQ(readBytes(path("f.java")), c.expected);
    }
}

// The lines a file without a final line break gained are all written, and the format then says what the
// file holds.
TEST_F(TextFileOnDisk, AnEmptyLastLineGetsItsLineBreak) {
    writeBytes(path("f.java"), "class F {}");
    TextFile file = TextFile::read(path("f.java")).file;
    ASSERT_FALSE(file.format.finalLineBreak);
    file.lines << "}"
               << "";
    ASSERT_TRUE(file.write(path("f.java")).ok());
    EXPECT_EQ(readBytes(path("f.java")), "class F {}\r\n}\r\n\r\n");
    EXPECT_EQ(file.format, TextFile::read(path("f.java")).file.format);
    EXPECT_EQ(TextFile::read(path("f.java")).file.lines, file.lines);
}

// Windows-1252 bytes that would read back as another encoding are written as UTF-8 instead: a character
// Windows-1252 cannot store, text whose bytes form UTF-8, or a UTF-16 mark with whole UTF-16 after it.
TEST_F(TextFileOnDisk, Windows1252ThatWouldReadBackOtherwiseIsWrittenAsUtf8) {
    const struct {
        QByteArray written;
        QStringList lines; // the text it is given
        QByteArray expected;
    } cases[] = {
        {"caf\xE9\n",
         {QString::fromUtf8("caf\xC3\xA9"), QString::fromUtf8("\xE4\xB8\xAD")},
         "caf\xC3\xA9\n\xE4\xB8\xAD\n"},
        {"caf\xE9\n", {QString::fromUtf8("\xC3\x83\xC2\xA9")}, "\xC3\x83\xC2\xA9\n"},
        {"\xFF\xFEx\r\n", {QString::fromUtf8("\xC3\xBF\xC3\xBEx"), "y"}, "\xC3\xBF\xC3\xBEx\r\ny\r\n"},
    };
    for (const auto& c : cases) {
        writeBytes(path("f.java"), c.written);
        TextFile file = TextFile::read(path("f.java")).file;
        ASSERT_EQ(file.format.encoding, TextEncoding::Windows1252);
        file.lines = c.lines;
        ASSERT_TRUE(file.write(path("f.java")).ok());
        EXPECT_EQ(file.format.encoding, TextEncoding::Utf8);
        EXPECT_EQ(readBytes(path("f.java")), c.expected);
        EXPECT_EQ(TextFile::read(path("f.java")).file.lines, file.lines);
    }
}

TEST_F(TextFileOnDisk, FailuresNameTheFileAndLeaveTheOldOne) {
    const QString missing = path("no/such/A.java");
    TextFile file{{"x"}, {}};
    EXPECT_EQ(file.write(missing).error, "Cannot write " + missing + ": No such file or directory");
    EXPECT_EQ(TextFile::read(missing).error, "Cannot read " + missing + ": No such file or directory");
    EXPECT_FALSE(QFileInfo::exists(path("no")));

    // A full disk: the file-size limit makes writes past 64 bytes fail, whoever runs the test.
    writeBytes(path("Big.java"), "old\n");
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const FileResult full = TextFile{{QString(200, u'x')}, {}}.write(path("Big.java"));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(full.error, "Cannot write " + path("Big.java") + ": File too large");
    EXPECT_EQ(readBytes(path("Big.java")), "old\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Big.java"});
}

TEST_F(TextFileOnDisk, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind root";
    writeBytes(path("A.java"), "old\n");
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const FileResult result = TextFile{{"new"}, {}}.write(path("A.java"));
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(result.error, "Cannot write " + path("A.java") + ": Permission denied");
    EXPECT_EQ(readBytes(path("A.java")), "old\n");
}

// Only the first mark says how the file is encoded; a second one is part of the text.
TEST_F(TextFileOnDisk, ASecondByteOrderMarkIsText) {
    const QByteArray twice = "\xEF\xBB\xBF\xEF\xBB\xBF"
                             "class C {}\r\n";
    writeBytes(path("C.java"), twice);
    TextReadResult read = TextFile::read(path("C.java"));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.file.format, (TextFormat{TextEncoding::Utf8, true}));
    EXPECT_EQ(read.file.lines, QStringList{QChar(0xFEFF) + QString("class C {}")});
    ASSERT_TRUE(read.file.write(path("C.java")).ok());
    EXPECT_EQ(readBytes(path("C.java")), twice);
}
