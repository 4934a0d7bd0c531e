#include "workspace/FindFiles.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

TEST(FindFiles, OwnMatchesFirstThenEachSubfolderUntilStopped) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/";
    QDir(root).mkpath("sub1/deep");
    QDir(root).mkpath("sub0");
    for (const char* name : {"b.html", "a.HTML", "notes.txt", ".hidden.html", "sub1/c.html",
                             "sub1/deep/d.html", "sub0/e.html", "sub0/e.html.bak"})
        writeBytes(root + name, "x");
    ASSERT_TRUE(QFile::link(root, root + "sub1/loop")); // a cycle must not recurse forever

    QStringList found;
    int folders = 0;
    EXPECT_TRUE(findFiles(root, "*.html", found, [&] { return ++folders > 0; }));
    const QStringList all{root + ".hidden.html", root + "a.HTML",      root + "b.html",
                          root + "sub0/e.html",  root + "sub1/c.html", root + "sub1/deep/d.html"};
    EXPECT_EQ(found, all);
    EXPECT_EQ(folders, 4);

    found.clear();
    int calls = 0;
    EXPECT_FALSE(findFiles(tmp.path(), "*.html", found, [&] { return ++calls < 2; }));
    EXPECT_EQ(found, all.mid(0, 4)) << "the folder that said stop keeps its own matches";

    found.clear();
    EXPECT_TRUE(findFiles(root + "sub0", "*.*", found));
    EXPECT_EQ(found, QStringList({root + "sub0/e.html", root + "sub0/e.html.bak"}));
}
