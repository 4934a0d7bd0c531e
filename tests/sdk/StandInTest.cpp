#include "SdkToolchain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sdktest;

namespace {

// A copy of the stand-in in its own folder, since it writes next to itself.
QString installStandIn(const QString& name, const QString& folder) {
    const QString target = QDir(folder).filePath(name);
    if (!QFile::copy(QStringLiteral(HW_SOURCE_DIR "/tests/sdk/stand-ins/") + name, target))
        return {};
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return target;
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<no file>");
}

} // namespace

TEST(StandIns, EmulatorRecordsEachArgumentVerbatim) {
    QTemporaryDir folder;
    const QString emulator = installStandIn(QStringLiteral("pose-stand-in"), folder.path());
    ASSERT_FALSE(emulator.isEmpty());
    // Blanks, commas and shell syntax must come through untouched and unexpanded.
    const QStringList args{QStringLiteral("-load_apps"), QStringLiteral("/p q/Hello.prc,/p q/Hello.pdb"),
                           QStringLiteral("-run_app"), QStringLiteral("Hello"),
                           QStringLiteral("$(touch pwned) *")};
    const QString expected = args.join(QLatin1Char('\n')) + QLatin1Char('\n');

    ASSERT_EQ(run(emulator, args, folder.path()).exitCode, 0);
    EXPECT_EQ(readText(folder.filePath(QStringLiteral("pose-stand-in.log"))), expected);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("pwned"))));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString named = folder.filePath(QStringLiteral("elsewhere.txt"));
    environment.insert(QStringLiteral("POSE_STAND_IN_LOG"), named);
    ASSERT_EQ(run(emulator, args.mid(2), folder.path(), environment).exitCode, 0);
    EXPECT_EQ(readText(named), args.mid(2).join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

TEST(StandIns, SimulatorRecordsItsArgumentsAndTheAutorunFolder) {
    QTemporaryDir folder;
    const QString simulator = installStandIn(QStringLiteral("palmsim-stand-in"), folder.path());
    ASSERT_FALSE(simulator.isEmpty());
    const QString log = folder.filePath(QStringLiteral("palmsim-stand-in.log"));

    ASSERT_EQ(run(simulator, {}, folder.path()).exitCode, 0);
    EXPECT_EQ(readText(log), QStringLiteral("autorun:\n"));

    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("autorun")));
    for (const char* name : {"Hello.prc", "Hello.pdb"}) {
        QFile file(folder.filePath(QStringLiteral("autorun/") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    // Started from another folder: the autorun folder is the one next to the program.
    QTemporaryDir elsewhere;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PALMSIM_STAND_IN_LOG"), elsewhere.filePath(QStringLiteral("sim.txt")));
    ASSERT_EQ(run(simulator, {QStringLiteral("-x")}, elsewhere.path(), environment).exitCode, 0);
    EXPECT_EQ(readText(elsewhere.filePath(QStringLiteral("sim.txt"))),
              QStringLiteral("-x\nautorun:\nHello.pdb\nHello.prc\n"));
}
