#include "workspace/WriteTarget.h"
#include "TestFiles.h"
#include "workspace/ProjectRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// A project folder beside another folder, with links of every kind between them: where a write may go is
// judged by where the path really leads.
TEST(WriteTarget, APathInTheProjectMustReallyLeadIntoIt) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + "/";
    const QString proj = root + "proj/";
    QDir(root).mkpath("proj/sub");
    QDir(root).mkpath("outside");
    writeBytes(proj + "A.java", "a");
    writeBytes(root + "outside/x.java", "x");
    const auto link = [](const QString& target, const QString& at) { ASSERT_TRUE(QFile::link(target, at)); };
    link(root + "home/.bashrc", proj + "Hello.hwp");
    link("../outside/x.java", proj + "Link.java");
    link("A.java", proj + "Inner.java");
    link("../outside", proj + "linked");
    link(proj, root + "alias");
    link(root + "nowhere", root + "outside/dangling");

    const QString out = "outside the project folder " + proj.chopped(1);
    const struct {
        QString projectDir;
        QString path;
        QString reason; // empty: the write may go ahead
    } cases[] = {
        {proj, proj + "A.java", ""},
        {proj, proj + "New.java", ""},
        {proj, proj + "sub/New.java", ""},
        {proj, proj + "Inner.java", ""},
        {proj, proj + "sub/../A.java", ""},
        {proj, proj + "Hello.hwp", "it is a link to " + root + "home/.bashrc, which does not exist"},
        {proj, proj + "Link.java", "it leads to " + root + "outside/x.java, " + out},
        {proj, proj + "linked/x.java", "it leads to " + root + "outside/x.java, " + out},
        {proj, proj + "linked/New.java", "it leads to " + root + "outside/New.java, " + out},
        {proj, proj + "sub/../../outside/New.java", ""}, // named outside: the user's own choice
        {proj, root + "outside/x.java", ""},
        {proj, root + "outside/dangling", "it is a link to " + root + "nowhere, which does not exist"},
        {proj, proj + "missing/New.java", ""}, // fails by itself, creating nothing
        {root + "alias/", root + "alias/A.java", ""},
        {root + "alias/", root + "alias/Link.java", "it leads to " + root + "outside/x.java, " + out},
        {"", proj + "Link.java", ""},
        {"", proj + "Hello.hwp", "it is a link to " + root + "home/.bashrc, which does not exist"},
        {root + "gone/", root + "gone/A.java", "the project folder " + root + "gone does not exist"},
    };
    for (const auto& c : cases) {
        const FileResult result = checkWriteTarget(c.projectDir, c.path);
        EXPECT_EQ(result.error, c.reason.isEmpty() ? QString() : "Cannot write " + c.path + ": " + c.reason)
            << c.path.toStdString();
    }

    // A refused record is not written, and stays modified.
    ProjectRecord record;
    record.Path = proj + "Link.java";
    record.Lines = {"edited"};
    record.Modified = true;
    EXPECT_FALSE(saveFileWithin(proj, record).ok());
    EXPECT_TRUE(record.Modified);
    EXPECT_EQ(readBytes(root + "outside/x.java"), "x");
    record.Path = proj + "Inner.java";
    EXPECT_TRUE(saveFileWithin(proj, record).ok());
    EXPECT_FALSE(record.Modified);
    EXPECT_TRUE(readBytes(proj + "A.java").startsWith("edited"));
    EXPECT_FALSE(QFileInfo::exists(root + "home"));
}

} // namespace
