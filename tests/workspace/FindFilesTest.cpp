#include "workspace/FindFiles.h"
#include "TestFiles.h"
#include "workspace/Wildcard.h"

#include <QDir>
#include <QRegularExpression>
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

// The hand-made matcher agrees with the wildcard expression QDir used to build, case-blind, on every
// pair of mask and name below.
TEST(FindFiles, WildcardMatchesAsQtWildcardsDo) {
    const QStringList masks{"*",    "*.*",         "*.html",   "*.HTM?",  "a*b*c",
                            "?",    "??.java",     "[abc]*",   "[!abc]*", "[a-c]x",
                            "[]]x", "[!]]x",       "[x",       "x[",      "*[0-9]",
                            "a**b", "*a*a*a*b",    "Ä*",       "*ß",      "handwright-browser-*",
                            "",     "[A-Z]*.J?VA", "*.[hH]tml"};
    const QStringList names{"",           "a",
                            "ab",         "abc",
                            "aXbYc",      "b.html",
                            "B.HTML",     "x.htm",
                            "x.htmlx",    "ax",
                            "dx",         "]x",
                            "[x",         "x[",
                            "zz.java",    "file9",
                            "filea",      "aaab",
                            "aaaaaaaaab", "äbc",
                            "Straß",      "handwright-browser-12-ab",
                            "Main.Java",  ".hidden.html",
                            "a*b"};
    for (const QString& mask : masks)
        for (const QString& name : names) {
            const QRegularExpression qt = QRegularExpression::fromWildcard(mask, Qt::CaseInsensitive);
            EXPECT_EQ(wildcardMatches(mask, name), qt.match(name).hasMatch())
                << "mask " << qPrintable(mask) << " name " << qPrintable(name);
        }
}
