#include "workspace/FileCopy.h"
#include "TestFiles.h"

#include <QTemporaryDir>

namespace {

QByteArray szdd(const QByteArray& stream, quint32 length) {
    QByteArray header("SZDD\x88\xF0\x27\x33", 8);
    header += 'A';
    header += 'x';
    for (int shift = 0; shift < 32; shift += 8)
        header += char((length >> shift) & 0xFF);
    return header + stream;
}

// "AB", a reference to the two bytes just written repeated to five (overlapping the bytes it makes),
// a reference into the untouched window (blanks), then "Z".
const QByteArray kStream("\x13"
                         "AB\xF0\xF2\x00\x00Z",
                         8);

} // namespace

class FileCopyTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(FileCopyTest, CopiesBytesAndExpandsCompressedFiles) {
    const QByteArray binary("BM\x00\xFF\r\n\x1A", 7);
    writeBytes(path("a.bmp"), binary);
    writeBytes(path("b.bmp"), "older and longer content");
    EXPECT_TRUE(copyFile(path("a.bmp"), path("b.bmp")).ok());
    EXPECT_EQ(readBytes(path("b.bmp")), binary);

    writeBytes(path("packed.tx_"), szdd(kStream, 11));
    EXPECT_TRUE(copyFile(path("packed.tx_"), path("plain.txt")).ok());
    EXPECT_EQ(readBytes(path("plain.txt")), "ABABABA   Z");
}

TEST_F(FileCopyTest, SamePathCopiesNothing) {
    writeBytes(path("a.bmp"), "keep");
    EXPECT_TRUE(copyFile(path("a.bmp"), path("a.bmp")).ok());
    EXPECT_EQ(readBytes(path("a.bmp")), "keep");
    EXPECT_TRUE(copyFile(path("gone"), path("gone")).ok());
}

TEST_F(FileCopyTest, FailuresLeaveTheTargetAlone) {
    writeBytes(path("target"), "keep");
    writeBytes(path("cut.tx_"), szdd(kStream.left(7), 11));
    EXPECT_EQ(copyFile(path("cut.tx_"), path("target")).error,
              "Cannot read " + path("cut.tx_") + ": damaged compressed data");
    writeBytes(path("huge.tx_"), szdd(kStream, 0xFFFFFFFF));
    EXPECT_FALSE(copyFile(path("huge.tx_"), path("target")).ok());
    EXPECT_EQ(copyFile(path("missing"), path("target")).error,
              "Cannot read " + path("missing") + ": No such file or directory");
    EXPECT_EQ(readBytes(path("target")), "keep");
}
