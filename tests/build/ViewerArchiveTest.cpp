#include "build/ViewerArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

TEST(ViewerArchive, OneArchivePerJdkAndLibraryGoingFromListToArchive) {
    QTemporaryDir dir;
    const QString jdk = dir.filePath("jdk") + "/", sw = dir.filePath("sw") + "/";
    writeFile(jdk + "bin/java", "");
    writeFile(sw + "lib/superwaba.jar", "one");

    // Only a JDK image of 11 or later.
    EXPECT_FALSE(ViewerArchive::forTools(jdk, sw, 17)) << "no lib/modules";
    writeFile(jdk + "lib/modules", "");
    EXPECT_FALSE(ViewerArchive::forTools(jdk, sw, 8));
    EXPECT_FALSE(ViewerArchive::forTools(jdk, sw, std::nullopt));
    const std::optional<ViewerArchive> files = ViewerArchive::forTools(jdk, sw, 17);
    ASSERT_TRUE(files);
    EXPECT_TRUE(files->list.startsWith(viewerArchiveFolder() + "/viewer-")) << files->list.toStdString();
    EXPECT_EQ(files->archive.chopped(4), files->list.chopped(10));

    // Another class library (or JDK) is another archive.
    writeFile(sw + "lib/superwaba.jar", "two and more");
    EXPECT_NE(ViewerArchive::forTools(jdk, sw, 17)->archive, files->archive);

    EXPECT_EQ(files->options(), "-XX:DumpLoadedClassList=" + files->list + " ");
    writeFile(files->list, "java/lang/Object id: 1\n");
    EXPECT_TRUE(files->wantsArchive());
    EXPECT_EQ(files->options(), QString()) << "nothing while the archive is being made";
    writeFile(files->archive, "archive");
    EXPECT_FALSE(files->wantsArchive());
    EXPECT_EQ(files->options(), "-XX:SharedArchiveFile=" + files->archive + " -Xshare:auto -Xlog:cds=off ");
}

TEST(ViewerArchive, OptionsGoRightAfterTheLauncher) {
    const QString launcher = QStringLiteral("'/opt/my jdk/bin/java'");
    const struct {
        QString command, options, expected;
    } cases[] = {
        {launcher + " waba.applet.Applet /x 1 Hello", "-Xshare:auto ",
         launcher + " -Xshare:auto waba.applet.Applet /x 1 Hello"},
        {launcher + " waba.applet.Applet Hello", "", launcher + " waba.applet.Applet Hello"},
        {"/other/java waba.applet.Applet Hello", "-Xshare:auto ", "/other/java waba.applet.Applet Hello"},
        {launcher, "-Xshare:auto ", launcher},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withLauncherOptions(c.command, launcher, c.options), c.expected) << c.command.toStdString();
}

} // namespace
