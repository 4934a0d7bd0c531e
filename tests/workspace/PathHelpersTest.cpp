#include "workspace/PathHelpers.h"
#include "TestFiles.h"
#include "workspace/ProjectRecord.h"

#include <QDir>
#include <QTemporaryDir>

TEST(PathHelpers, NamesAndSeparators) {
    EXPECT_EQ(withBackslash(""), "");
    EXPECT_EQ(withBackslash("/a"), "/a/");
    EXPECT_EQ(withBackslash("/a/"), "/a/");
    EXPECT_EQ(withBackslash("C:\\sw", u'\\'), "C:\\sw\\");
    EXPECT_EQ(withBackslash("C:\\sw\\", u'\\'), "C:\\sw\\");

    const struct {
        const char* path;
        const char* extension;
        FileKind kind;
    } cases[] = {
        {"x.JAVA", ".JAVA", FileKind::Java},     {"/p/Main.java", ".java", FileKind::Java},
        {"x.jav", ".jav", FileKind::Other},      {"x.javax", ".javax", FileKind::Other},
        {"/a.java/README", "", FileKind::Other}, {"java", "", FileKind::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fileExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(kindOfFileName(c.path), c.kind) << c.path;
    }
    EXPECT_EQ(fileNamePart("/p/q/Main.java"), "Main.java");
}

TEST(PathHelpers, ForceDirectoriesCreatesEveryMissingParent) {
    QTemporaryDir tmp;
    const QString deep = tmp.path() + "/a/b/c/";
    EXPECT_TRUE(forceDirectories(deep).ok());
    EXPECT_TRUE(QFileInfo(deep).isDir());
    EXPECT_TRUE(forceDirectories(deep).ok()) << "an existing folder is fine";

    EXPECT_EQ(forceDirectories("").error, "Das Verzeichnis kann nicht erstellt werden");

    writeBytes(tmp.path() + "/file", "x");
    // A file in the way is named, whether it is the folder itself or one of its parents.
    for (const QString& folder : {tmp.path() + "/file", tmp.path() + "/file/sub/"})
        EXPECT_EQ(forceDirectories(folder).error,
                  "Cannot create the folder " + tmp.path() + "/file: File exists");
}

TEST(PathHelpers, RenameAsideTakesTheSmallestFreeNumber) {
    QTemporaryDir tmp;
    const QString main = tmp.path() + "/Main.java";
    const auto removeOnce = [&](const QByteArray& content) {
        writeBytes(main, content);
        return renameAside(main);
    };
    EXPECT_EQ(removeOnce("first"), main + ".old(1)");
    EXPECT_EQ(removeOnce("second"), main + ".old(2)");
    EXPECT_EQ(readBytes(main + ".old(1)"), "first");
    EXPECT_EQ(readBytes(main + ".old(2)"), "second");
    EXPECT_FALSE(QFileInfo::exists(main));

    QFile::remove(main + ".old(1)");
    EXPECT_EQ(removeOnce("third"), main + ".old(1)");
    EXPECT_EQ(readBytes(main + ".old(2)"), "second");

    EXPECT_EQ(renameAside(main), "") << "nothing to rename";
    EXPECT_EQ(QDir(tmp.path()).count(), 4u); // ., .., two set aside
}

TEST(PathHelpers, PlainNamesStayInTheirFolder) {
    for (const char* name : {"Hello", "a.b", ".hidden", "x-y z"})
        EXPECT_TRUE(isPlainName(name)) << name;
    for (const char* name : {"../../x", "..", "a..b", "a/b", "/abs", "a\\b"})
        EXPECT_FALSE(isPlainName(name)) << name;
}

TEST(PathHelpers, UserPathsBecomeAbsolute) {
    QTemporaryDir home;
    QTemporaryDir work;
    const QByteArray savedHome = qgetenv("HOME");
    const QString savedCurrent = QDir::currentPath();
    qputenv("HOME", home.path().toUtf8());
    QDir::setCurrent(work.path());
    const QString w = QDir::currentPath();
    const struct {
        QString typed, expected;
    } cases[] = {
        {"", ""},
        {"~", QDir::homePath()},
        {"~/Projects", QDir::homePath() + "/Projects"},
        {"~/Projects/", QDir::homePath() + "/Projects/"},
        {"Projects/../Work/", w + "/Work/"},
        {"rel", w + "/rel"},
        {"/srv/x//y/", "/srv/x/y/"},
        {"~other/x", w + "/~other/x"}, // another user's home is not looked up
    };
    for (const auto& c : cases)
        EXPECT_EQ(absoluteUserPath(c.typed), c.expected) << c.typed.toStdString();
    QDir::setCurrent(savedCurrent);
    qputenv("HOME", savedHome);
}
