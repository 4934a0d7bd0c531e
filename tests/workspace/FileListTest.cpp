#include "workspace/FileList.h"
#include "TestFiles.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

ProjectRecord* add(FileList& list, const QString& name, const QString& path = {}) {
    ProjectRecord fields;
    fields.Path = path.isEmpty() ? "/p/" + name : path;
    fields.Name = name;
    fields.Kind = kindOfFileName(name);
    fields.InProject = !name.startsWith(u'_');
    fields.CaretLine = 7;
    fields.FileTime = "stale";
    return list.insertFile(fields);
}

QStringList names(const FileList& list) {
    QStringList out;
    for (const ProjectRecord& r : list.records())
        out << r.Name + (r.Path.endsWith("2") ? "#2" : "");
    return out;
}

} // namespace

TEST(FileList, KeepsByteOrderOfNamesAndPutsEqualNamesLast) {
    FileList list;
    for (const char* name : {"b.java", "B.java", "a.bmp", "\xC3\x84.java", "_x.java", "A.java"})
        add(list, QString::fromUtf8(name));
    add(list, "B.java", "/elsewhere/B.java2");
    EXPECT_EQ(names(list), QStringList({"A.java", "B.java", "B.java#2", "_x.java", "a.bmp", "b.java",
                                        QString::fromUtf8("\xC3\x84.java")}));
    EXPECT_EQ(list.projectFileNames(), QStringList({"A.java", "B.java", "B.java", "a.bmp", "b.java",
                                                    QString::fromUtf8("\xC3\x84.java")}));

    const ProjectRecord* first = list.nthOfKind(FileKind::Java, 0);
    EXPECT_EQ(first->CaretLine, 0);
    EXPECT_EQ(first->FileTime, "");
    EXPECT_EQ(list.nthOfKind(FileKind::Java, 4)->Name, "b.java");
    EXPECT_EQ(list.nthOfKind(FileKind::Other, 0)->Name, "a.bmp");
    EXPECT_EQ(list.nthOfKind(FileKind::Other, 1), nullptr);
    EXPECT_EQ(list.nthOfKind(FileKind::Java, -1), nullptr);
    EXPECT_EQ(list.indexOfKind(list.findByPath("/p/b.java")), 4);
    EXPECT_EQ(list.indexOfKind(list.findByPath("/p/a.bmp")), 0);
    EXPECT_EQ(list.findByPath("/p/B.JAVA"), nullptr);

    EXPECT_TRUE(list.isInProject("_x.java")) << "any record counts, listed in the project or not";
    EXPECT_FALSE(list.isInProject("b.JAVA"));
}

TEST(FileList, CurrentFileIsAlwaysAJavaRecordOfTheList) {
    FileList list;
    ProjectRecord* main = add(list, "Main.java");
    EXPECT_EQ(list.currentFile(), main);
    ProjectRecord* picture = add(list, "Z.bmp");
    EXPECT_EQ(list.currentFile(), main) << "other files never become current";
    EXPECT_FALSE(list.setCurrentFile(picture));
    ProjectRecord* second = add(list, "B.java");
    EXPECT_EQ(list.currentFile(), second);

    FileList other;
    EXPECT_FALSE(other.setCurrentFile(main));

    // Removing a record elsewhere keeps the others' addresses and the current one.
    EXPECT_TRUE(list.remove(picture));
    EXPECT_FALSE(list.remove(picture));
    EXPECT_EQ(list.currentFile(), second);
    EXPECT_EQ(main->Name, "Main.java");
    EXPECT_TRUE(list.remove(second));
    EXPECT_EQ(list.currentFile(), main);
    EXPECT_TRUE(list.remove(main));
    EXPECT_EQ(list.currentFile(), nullptr);

    add(list, "A.java");
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.currentFile(), nullptr);
    EXPECT_FALSE(list.isInProject("A.java"));
}

TEST(FileList, EveryRecordGetsAnIdNoOtherRecordHadBefore) {
    // A removed record's memory may come back for the next one, in this list or another: its id does not.
    FileList list, other;
    QSet<quint64> seen;
    for (int i = 0; i < 20; ++i) {
        FileList& into = i % 3 == 0 ? other : list;
        ProjectRecord* record = add(into, QString("R%1.java").arg(i % 2));
        EXPECT_NE(record->Id, 0u);
        EXPECT_FALSE(seen.contains(record->Id)) << "record " << i;
        seen.insert(record->Id);
        if (i % 2)
            into.remove(record);
        if (i == 10)
            list.clear();
    }
    ProjectRecord copied = *list.firstOfKind(FileKind::Java);
    EXPECT_NE(list.insertFile(copied)->Id, copied.Id) << "an id in the fields is not taken over";
}
