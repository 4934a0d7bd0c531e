#include "editor/DeclarationIndex.h"
#include "TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// "File.java:12 label" for each declaration, in the order given.
QStringList described(const std::vector<Declaration>& found) {
    QStringList result;
    for (const Declaration& d : found)
        result << QStringLiteral("%1:%2 %3").arg(d.fileName).arg(d.line).arg(d.label);
    return result;
}

// Outlines as the outline program prints them.
DeclarationIndex sampleIndex() {
    DeclarationIndex index;
    index.store("Point.java", "s1",
                {"parse: trace: Point.java: 900 bytes", "class Point 3", "variable private x 4",
                 "variable int size 5", "method public Point(int,int) 7", "method Point Point() 9",
                 "method public move(int,int) 11", "method public move(Point) 15", "method int size() 19",
                 "class Point.Corner 22", "variable int x 23", "method void move() 24",
                 "class Point.Corner.Tip 26", "method broken 30x"});
    index.store("Shape.java", "s2",
                {"class Shape 1", "method public move(int,int) 2", "variable long x 6", "class Corner 9",
                 "variable Corner next 10"});
    return index;
}

TEST(DeclarationIndex, NamesLeadToTheirDeclarations) {
    const DeclarationIndex index = sampleIndex();
    const struct {
        const char* name;
        QString word;
        bool call;
        QStringList found;
        QString qualifier = {};
    } cases[] = {
        {"overloads and the same method in another class",
         "move",
         true,
         {"Point.java:11 Point.move(int,int)", "Point.java:15 Point.move(Point)",
          "Point.java:24 Point.Corner.move()", "Shape.java:2 Shape.move(int,int)"}},
        {"a call of a class name is its constructors",
         "Point",
         true,
         {"Point.java:7 Point.Point(int,int)", "Point.java:9 Point.Point()"}},
        {"a class name used as a type is the class", "Point", false, {"Point.java:3 class Point"}},
        {"a field and a method of one name: called", "size", true, {"Point.java:19 Point.size()"}},
        {"a field and a method of one name: read", "size", false, {"Point.java:5 Point.size"}},
        {"a field in three classes",
         "x",
         false,
         {"Point.java:4 Point.x", "Point.java:23 Point.Corner.x", "Shape.java:6 Shape.x"}},
        {"inner classes by their simple name",
         "Corner",
         false,
         {"Point.java:22 class Point.Corner", "Shape.java:9 class Corner"}},
        {"an inner class of an inner class", "Tip", false, {"Point.java:26 class Point.Corner.Tip"}},
        {"a call with no method of that name is the class",
         "Tip",
         true,
         {"Point.java:26 class Point.Corner.Tip"}},
        {"a line without a line number is no declaration", "broken", true, {}},
        {"the qualified name is no simple name", "Point.Corner", false, {}},
        {"the case counts", "point", false, {}},
        {"a remark of the program is no declaration", "trace", false, {}},
        {"qualified by a class name", "move", true, {"Shape.java:2 Shape.move(int,int)"}, "Shape"},
        {"qualified by an inner class's name", "x", false, {"Point.java:23 Point.Corner.x"}, "Corner"},
        {"qualified by a variable",
         "move",
         true,
         {"Point.java:11 Point.move(int,int)", "Point.java:15 Point.move(Point)",
          "Point.java:24 Point.Corner.move()", "Shape.java:2 Shape.move(int,int)"},
         "p"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(described(index.find(c.word, c.call, c.qualifier)), c.found) << c.name;
}

TEST(DeclarationIndex, AFileIsHeldUnderTheStampItWasReadFor) {
    DeclarationIndex index = sampleIndex();
    EXPECT_TRUE(index.isCurrent("Point.java", "s1"));
    EXPECT_FALSE(index.isCurrent("Point.java", "s2"));
    EXPECT_FALSE(index.isCurrent("Other.java", "s1"));

    // A new reading replaces the old outline as a whole.
    index.store("Point.java", "s3", {"class Point 1", "variable int y 2"}, "parse ended abnormally");
    EXPECT_TRUE(index.isCurrent("Point.java", "s3"));
    EXPECT_EQ(described(index.find("move", true)), QStringList({"Shape.java:2 Shape.move(int,int)"}));
    EXPECT_EQ(described(index.find("y", false)), QStringList({"Point.java:2 Point.y"}));
    EXPECT_EQ(index.problems(), QStringList({"Point.java: parse ended abnormally"}));

    // A file the project no longer has is forgotten.
    index.retainOnly({"Shape.java", "New.java"});
    EXPECT_EQ(index.fileCount(), 1);
    EXPECT_TRUE(index.find("y", false).empty());
    EXPECT_TRUE(index.problems().isEmpty());
}

TEST(DeclarationIndex, StampsFollowTheFileAndTheUnsavedText) {
    QTemporaryDir dir;
    const QString path = dir.filePath("A.java");
    writeBytes(path, "class A {}\r\n");
    const QString first = DeclarationIndex::stampOf({"A.java", path, std::nullopt});
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(DeclarationIndex::stampOf({"A.java", path, std::nullopt}), first);

    // Another text of the same size, written later: a new time.
    writeBytes(path, "class B {}\r\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    }
    const QString second = DeclarationIndex::stampOf({"A.java", path, std::nullopt});
    EXPECT_NE(second, first);
    // The same name, text and time in another folder (another project): another file.
    QDir(dir.path()).mkdir("other");
    const QString copy = dir.filePath("other/A.java");
    ASSERT_TRUE(QFile::copy(path, copy));
    {
        QFile file(copy);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QFileInfo(path).lastModified(), QFileDevice::FileModificationTime));
    }
    ASSERT_EQ(QFileInfo(copy).lastModified(), QFileInfo(path).lastModified());
    EXPECT_NE(DeclarationIndex::stampOf({"A.java", copy, std::nullopt}), second);

    // An unsaved buffer counts by its text, whatever the disk holds.
    const QString text = DeclarationIndex::stampOf({"A.java", path, QStringList{"class A {", "}"}});
    EXPECT_EQ(DeclarationIndex::stampOf({"A.java", dir.filePath("gone"), QStringList{"class A {", "}"}}),
              text);
    EXPECT_NE(DeclarationIndex::stampOf({"A.java", path, QStringList{"class A {}", ""}}), text);
    EXPECT_NE(DeclarationIndex::stampOf({"A.java", path, QStringList{"class A {", "", "}"}}), text);

    // Nothing to read: no stamp.
    QDir(dir.path()).mkdir("Folder.java");
    EXPECT_TRUE(DeclarationIndex::stampOf({"F.java", dir.filePath("Folder.java"), std::nullopt}).isEmpty());
    EXPECT_TRUE(DeclarationIndex::stampOf({"G.java", dir.filePath("Gone.java"), std::nullopt}).isEmpty());
}

TEST(DeclarationIndex, TheNameAtTheCaret) {
    const struct {
        const char* name;
        QString line;
        int column;
        QString word;
        bool call;
        QString qualifier = {};
    } cases[] = {
        {"inside a name", "    total = count + 1;", 14, "count", false},
        {"at its start", "    total = count + 1;", 12, "count", false},
        {"just after its end", "    total = count + 1;", 17, "count", false},
        {"between two blanks", "a  b", 2, "", false},
        {"a call", "    p.move(1, 2);", 7, "move", true, "p"},
        {"qualified across blanks", "Util . text", 8, "text", false, "Util"},
        {"the qualifier itself", "Util.text()", 2, "Util", false},
        {"after a call", "make().text", 8, "text", false},
        {"after a number", "x = 1.5e3;", 7, "", false},
        {"a call with blanks before the bracket", "move \t(1)", 0, "move", true},
        {"a declaration is no call", "int move;", 5, "move", false},
        {"dollars, underscores and digits", "x = $my_Var2;", 6, "$my_Var2", false},
        {"a number is no name", "x = 12345;", 6, "", false},
        {"a letter outside the basic plane", u"int \U0001D4B3a = 1;"_qs, 6, u"\U0001D4B3a"_qs, false},
        {"after the line's end", "abc", 4, "", false},
        {"before its start", "abc", -1, "", false},
        {"an empty line", "", 0, "", false},
    };
    for (const auto& c : cases) {
        const NameAtCaret found = nameAt(c.line, c.column);
        EXPECT_EQ(found.name, c.word) << c.name;
        EXPECT_EQ(found.call, c.call) << c.name;
        EXPECT_EQ(found.qualifier, c.qualifier) << c.name;
    }
}

} // namespace
