#include "build/PalmUserData.h"
#include "QtPrinters.h"
#include "UsersDatBytes.h"
#include "settings/RegistryKey.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Palm Desktop as it would be installed: its keys in a store of our own, its folder with users.dat.
class PalmUserDataTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString desktop = dir.filePath("Palm");
    std::unique_ptr<RegistryStore> store = std::make_unique<RegistryStore>(dir.filePath("registry.sqlite"));

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(desktop)); }

    void setKey(const QString& path, const QString& name, const RegistryValue& value) {
        RegistryKey key(*store, RegistryHive::CurrentUser);
        ASSERT_TRUE(key.openKey(path, true));
        ASSERT_TRUE(key.writeValue(name, value));
    }
    void install(const QString& root, const QByteArray& usersDat, const QString& lastUser = QString()) {
        setKey(root + "\\Pilot Desktop\\Core", "Path", RegistryValue::string(desktop));
        setKey(root + "\\Pilot Desktop\\HotSync Manager", "Install0", RegistryValue::dword(0));
        if (!lastUser.isNull())
            setKey(root + "\\Pilot Desktop\\Preferences", "LastUserName", RegistryValue::string(lastUser));
        writeFile(desktop + "/users.dat", usersDat);
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::optional<qint32> hotSyncValue(const QString& root, const QString& name) {
        RegistryKey key(*store, RegistryHive::CurrentUser);
        return key.openKey(root + "\\Pilot Desktop\\HotSync Manager", false) ? key.readInteger(name)
                                                                             : std::nullopt;
    }
};

const QByteArray twoUsers = usersDatBytes({{3, "Ann", "AnnF", {}}, {12, "Bob", "BobF", "filler"}});

TEST_F(PalmUserDataTest, ReadsUsersFromEitherRootKey) {
    for (const QString root : {"Software\\U.S. Robotics", "Software\\Palm Computing"}) {
        store = std::make_unique<RegistryStore>(dir.filePath(root.section(u'\\', 1) + ".sqlite"));
        install(root, twoUsers, "Bob");
        const PalmUserData data(*store);
        EXPECT_FALSE(data.loadError().isError()) << data.loadError().text.toStdString();
        ASSERT_EQ(data.userCount(), 2);
        EXPECT_EQ(data.desktopPath(), desktop);
        EXPECT_EQ(data.lastUserIndex(), 1);
        EXPECT_EQ(data.userId(1), 12);
        EXPECT_EQ(data.userName(0), "Ann");
        EXPECT_EQ(data.userFolder(1), "BobF");
        EXPECT_EQ(data.userId(2), 0);
        EXPECT_EQ(data.userName(-1), "");
        EXPECT_EQ(data.userFolder(2), "");
    }
}

TEST_F(PalmUserDataTest, MissingPiecesGiveNoUsers) {
    const PalmUserData notInstalled(*store);
    EXPECT_EQ(notInstalled.userCount(), 0);
    EXPECT_EQ(notInstalled.loadError().kind, PalmDataError::DesktopMissing);
    EXPECT_EQ(notInstalled.loadError().text, "The Palm Desktop software is not correctly installed.");
    EXPECT_EQ(notInstalled.loadError().caption, "Install");

    setKey("Software\\Palm Computing\\Pilot Desktop\\Preferences", "LastUserName",
           RegistryValue::string("Ann"));
    const PalmUserData noPath(*store);
    EXPECT_EQ(noPath.userCount(), 0);
    EXPECT_FALSE(noPath.loadError().isError());
    EXPECT_EQ(noPath.lastUserName(), "Ann");

    setKey("Software\\Palm Computing\\Pilot Desktop\\Core", "Path", RegistryValue::string(desktop));
    const PalmUserData noFile(*store);
    EXPECT_EQ(noFile.userCount(), 0);
    EXPECT_EQ(noFile.loadError().kind, PalmDataError::UsersFile);
    EXPECT_TRUE(noFile.loadError().text.contains(desktop + "/users.dat"));

    writeFile(desktop + "/users.dat", twoUsers.left(20));
    const PalmUserData damaged(*store);
    EXPECT_EQ(damaged.userCount(), 0);
    EXPECT_EQ(damaged.loadError().kind, PalmDataError::UsersFile);
}

TEST_F(PalmUserDataTest, InstallFileCopiesIntoTheUsersFolderAndRaisesItsFlag) {
    const QString root = "Software\\U.S. Robotics";
    install(root, twoUsers);
    ASSERT_TRUE(QDir().mkpath(desktop + "/AnnF"));
    writeFile(dir.filePath("Hello.pdb"), "new package");
    ASSERT_TRUE(QDir().mkpath(desktop + "/AnnF/Install"));
    writeFile(desktop + "/AnnF/Install/Hello.pdb", "old package");

    PalmUserData data(*store);
    EXPECT_TRUE(data.installFile(0, dir.filePath("Hello.pdb"))) << data.installError().text.toStdString();
    QFile copied(desktop + "/AnnF/Install/Hello.pdb");
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "new package");
    EXPECT_EQ(hotSyncValue(root, "Install3"), 1);

    // No such user: nothing is copied and no flag is raised, since no HotSync would take the file.
    for (int outside : {5, -1}) {
        EXPECT_FALSE(data.installFile(outside, dir.filePath("Hello.pdb")));
        EXPECT_EQ(data.installError().text, "No Palm user is chosen for HotSync in the Settings.");
    }
    EXPECT_FALSE(QFile::exists(desktop + "/Install/Hello.pdb"));
    EXPECT_EQ(hotSyncValue(root, "Install0"), 0);

    // The user's own folder missing: the Install folder is one level only, so the copy fails.
    EXPECT_FALSE(data.installFile(1, dir.filePath("Hello.pdb")));
    EXPECT_EQ(data.installError().kind, PalmDataError::Install);
    EXPECT_EQ(hotSyncValue(root, "Install12"), std::nullopt);
    EXPECT_FALSE(data.installFile(0, dir.filePath("missing.prc")));

    // Palm Desktop makes the HotSync Manager key only when it first needs it: a queue makes it too, so a
    // copied file is always a flagged one.
    RegistryKey key(*store, RegistryHive::CurrentUser);
    ASSERT_TRUE(key.deleteKey(root + "\\Pilot Desktop\\HotSync Manager"));
    EXPECT_TRUE(data.installFile(0, dir.filePath("Hello.pdb"))) << data.installError().text.toStdString();
    EXPECT_EQ(hotSyncValue(root, "Install3"), 1);
}

TEST_F(PalmUserDataTest, UserFoldersThatLeaveTheDesktopFolderAreRefused) {
    const QString root = "Software\\U.S. Robotics";
    const QString outside = dir.filePath("outside");
    ASSERT_TRUE(QDir().mkpath(outside + "/Install"));
    ASSERT_TRUE(QDir().mkpath(desktop + "/sub"));
    install(root, usersDatBytes({{1, "Up", "..", {}},
                                 {2, "Upper", "../outside", "x"},
                                 {3, "Back", "sub\\..\\..\\outside", "x"},
                                 {4, "Dot", ".", "x"},
                                 {5, "Empty", "", "x"},
                                 {6, "Fine", "sub", "x"}}));
    writeFile(dir.filePath("Hello.pdb"), "package");
    PalmUserData data(*store);
    ASSERT_EQ(data.userCount(), 6) << data.loadError().text.toStdString();
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(data.installFile(i, dir.filePath("Hello.pdb"))) << i;
        EXPECT_TRUE(data.installError().text.contains("is not a plain folder name")) << i;
        EXPECT_EQ(hotSyncValue(root, QString("Install%1").arg(i + 1)), std::nullopt) << i;
    }
    EXPECT_FALSE(QFile::exists(outside + "/Install/Hello.pdb"));
    EXPECT_FALSE(QFile::exists(desktop + "/Install/Hello.pdb"));
    EXPECT_FALSE(QFile::exists(dir.filePath("Install/Hello.pdb")));
    EXPECT_TRUE(data.installFile(5, dir.filePath("Hello.pdb"))) << data.installError().text.toStdString();
    EXPECT_TRUE(QFile::exists(desktop + "/sub/Install/Hello.pdb"));
}

} // namespace
