#include "TempStore.h"
#include "settings/RegistryKey.h"
#include "settings/SettingsValues.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// The tool lands in <build>/bin, the tests in <build>/tests.
QString toolPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/handwright-reg");
}

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the tool on `storePath`. `input` is what the user types; stdin is closed after it.
ToolRun reg(const QString& storePath, const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HANDWRIGHT_REGISTRY"), storePath);
    process.setProcessEnvironment(env);
    process.start(toolPath(), args);
    if (!process.waitForStarted(10000))
        return {-1, QString(), QStringLiteral("cannot start ") + toolPath()};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Every key and value of a hive, keyed by the full key path, independent of the tool's own export code.
using Dump = QMap<QString, QList<RegistryEntry>>;
void dumpInto(RegistryStore& store, RegistryStore::KeyId key, const QString& path, Dump& dump) {
    dump.insert(path, store.values(key));
    for (const RegistryStore::SubKey& sub : store.subKeys(key))
        dumpInto(store, sub.id, path + u'\\' + sub.name, dump);
}
Dump dump(RegistryStore& store) {
    Dump result;
    for (RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser})
        dumpInto(store, store.hiveKey(hive), registryHiveName(hive), result);
    return result;
}

class RegTool : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFileInfo::exists(toolPath())) << "build handwright-reg first"; }

    std::optional<RegistryValue> value(const QString& key, const QString& name) {
        RegistryKey reg(*store);
        return reg.openKey(key, false) ? reg.readValue(name) : std::nullopt;
    }

    TempStore store;
    const QString settings = QStringLiteral("HKLM\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings");
};

TEST_F(RegTool, AddAndQueryPrintLikeReg) {
    const QString db = store.path();
    EXPECT_EQ(reg(db, {"add", settings, "/v", "CmdLine", "/d", "/w 2"}).out,
              "The operation completed successfully.\n");
    EXPECT_EQ(reg(db, {"ADD", settings, "/V", "Form1.Left", "/T", "reg_dword", "/D", "0x64"}).exitCode, 0);
    EXPECT_EQ(reg(db, {"add", settings + "\\WarpExegen"}).exitCode, 0);
    EXPECT_EQ(reg(db, {"add", "HKEY_CURRENT_USER\\Software\\X", "/ve", "/d", "C:\\dir\\", "/f"}).exitCode, 0);

    EXPECT_EQ(value(settings.mid(5), "cmdline"), RegistryValue::string("/w 2"));
    EXPECT_EQ(value(settings.mid(5), "Form1.Left"), RegistryValue::dword(100));

    const ToolRun listing = reg(db, {"query", "hklm\\software\\kovrin\\orrery 1.0\\settings"});
    EXPECT_EQ(listing.exitCode, 0);
    EXPECT_EQ(listing.out, "\n"
                           "HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings\n"
                           "    CmdLine    REG_SZ    /w 2\n"
                           "    Form1.Left    REG_DWORD    0x64\n"
                           "\n"
                           "HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings\\WarpExegen\n");
    EXPECT_EQ(
        reg(db, {"query", settings, "/v", "CMDLINE"}).out,
        "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings\n    CmdLine    REG_SZ    /w 2\n\n");
    EXPECT_EQ(reg(db, {"query", "HKCU\\Software", "/s"}).out,
              "\nHKEY_CURRENT_USER\\Software\n\nHKEY_CURRENT_USER\\Software\\X\n    (Default)    REG_SZ    "
              "C:\\dir\\\n");
}

TEST_F(RegTool, BadInputFailsOnStderrAndChangesNothing) {
    const QString db = store.path();
    ASSERT_EQ(reg(db, {"add", settings, "/v", "Debug", "/d", "on"}).exitCode, 0);
    const Dump before = dump(*store);
    const QList<QStringList> cases = {
        {},
        {"frobnicate", settings},
        {"add", "HKU\\Software", "/v", "x", "/d", "1"},
        {"add", "HKLM\\New", "/v", "x", "/t", "REG_DWORD", "/d", "12x"},
        {"add", "HKLM\\New", "/v", "x", "/t", "REG_DWORD", "/d", "4294967296"},
        {"add", "HKLM\\New", "/v", "x", "/t", "REG_BINARY", "/d", "00"},
        {"add", "HKLM\\New", "/d", "1"},
        {"add", "HKLM\\New", "/v", "a", "/ve"},
        {"query", "HKLM\\Missing"},
        {"query", settings, "/v", "Missing"},
        {"delete", "HKLM", "/f"},
        {"export", "HKLM\\Missing", store.dir.filePath("x.reg")},
        {"import", store.dir.filePath("missing.reg")},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = reg(db, args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith("ERROR: ")) << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("successfully"));
    }
    EXPECT_EQ(dump(*store), before);
    EXPECT_FALSE(QFileInfo::exists(store.dir.filePath("x.reg")));
}

TEST_F(RegTool, AsksBeforeOverwritingOrDeleting) {
    const QString db = store.path();
    const QString key = settings.mid(5);
    ASSERT_EQ(reg(db, {"add", settings, "/v", "Debug", "/d", "on"}).exitCode, 0);

    struct Case {
        QStringList args;
        QByteArray input;
        int exitCode;
        const char* question;
    };
    const Case declined[] = {
        {{"add", settings, "/v", "DEBUG", "/d", "off"}, "no\n", 1, "Value Debug exists, overwrite(Yes/No)? "},
        {{"add", settings, "/v", "Debug", "/d", "off"}, "", 1, "overwrite(Yes/No)?"},
        {{"delete", settings, "/v", "debug"}, "maybe\nn\n", 1, "Delete the registry value Debug (Yes/No)? "},
        {{"delete", settings},
         "",
         1,
         "Permanently delete the registry key HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings"},
        {{"delete", settings, "/va"}, "", 1, "Delete all values under the registry key"},
    };
    for (const Case& c : declined) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun run = reg(db, c.args, c.input);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.out.contains(c.question)) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains("canceled"));
        EXPECT_EQ(value(key, "Debug"), RegistryValue::string("on"));
    }

    ToolRun run = reg(db, {"add", settings, "/v", "Debug", "/d", "off"}, "Yes\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(value(key, "Debug"), RegistryValue::string("off"));
    run = reg(db, {"add", settings, "/v", "Debug", "/d", "on", "/f"});
    EXPECT_FALSE(run.out.contains("overwrite"));
    EXPECT_EQ(value(key, "Debug"), RegistryValue::string("on"));
    EXPECT_EQ(reg(db, {"delete", settings, "/v", "Debug"}, "y\n").exitCode, 0);
    EXPECT_EQ(value(key, "Debug"), std::nullopt);
    EXPECT_EQ(reg(db, {"delete", "HKLM\\SOFTWARE\\Kovrin", "/f"}).exitCode, 0);
    RegistryKey check(*store);
    EXPECT_FALSE(check.keyExists("SOFTWARE\\Kovrin"));
    EXPECT_TRUE(check.keyExists("SOFTWARE"));
}

TEST_F(RegTool, ExportedStoreImportsIntoAnEqualStore) {
    SettingsValues values;
    values.setToolPaths({"/opt/superwaba", "C:\\jdk1.3", "", ""});
    values.setText(u"CmdLine", "/w \"quoted\" \\ back");
    values.setText(u"VersionText", "Größe €");
    ASSERT_TRUE(values.writeToStore(*store).ok());
    RegistryKey user(*store, RegistryHive::CurrentUser);
    ASSERT_TRUE(user.openKey("Software\\U.S. Robotics\\Pilot Desktop\\Core", true));
    ASSERT_TRUE(user.writeString("Path", "/home/u/Palm"));
    ASSERT_TRUE(user.writeString("", "default"));
    ASSERT_TRUE(user.writeInteger("HotSyncPortSpeed", -1));
    ASSERT_TRUE(user.openKey("Software\\Empty", true));

    const QString machineFile = store.dir.filePath("machine.reg");
    const QString userFile = store.dir.filePath("user.reg");
    EXPECT_EQ(reg(store.path(), {"export", "HKLM", machineFile}).exitCode, 0);
    EXPECT_EQ(reg(store.path(), {"export", "HKEY_CURRENT_USER", userFile}).exitCode, 0);

    TempStore fresh;
    EXPECT_EQ(reg(fresh.path(), {"import", machineFile}).exitCode, 0);
    const ToolRun run = reg(fresh.path(), {"import", userFile});
    EXPECT_EQ(run.out, "The operation completed successfully.\n");
    EXPECT_EQ(dump(*fresh), dump(*store));
    EXPECT_GT(dump(*fresh).size(), 8);
}

TEST_F(RegTool, ExportAsksBeforeReplacingAFile) {
    ASSERT_EQ(reg(store.path(), {"add", settings, "/v", "x", "/d", "1"}).exitCode, 0);
    const QString file = store.dir.filePath("out.reg");
    QFile existing(file);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();

    ToolRun run = reg(store.path(), {"export", settings, file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.contains(QString("File %1 already exists. Overwrite (Yes/No)? ").arg(file)));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "keep me");
    existing.close();

    run = reg(store.path(), {"export", settings, file, "/y"});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    // What reg.exe writes: UTF-16LE with a byte-order mark.
    EXPECT_EQ(
        existing.readAll(),
        QByteArray("\xFF\xFE", 2) +
            QStringEncoder(QStringConverter::Utf16LE)
                .encode(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings]\r\n"
                                       "\"x\"=\"1\"\r\n\r\n")));
}

TEST_F(RegTool, ImportIsAllOrNothing) {
    ASSERT_EQ(reg(store.path(), {"add", settings, "/v", "Debug", "/d", "on"}).exitCode, 0);
    const Dump before = dump(*store);
    const QString file = store.dir.filePath("bad.reg");
    QFile bad(file);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings]\r\n"
              "\"Debug\"=\"off\"\r\n"
              "\"Delay\"=dword:nine\r\n");
    bad.close();
    const ToolRun run = reg(store.path(), {"import", file});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Line 5")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Nothing was imported"));
    EXPECT_EQ(dump(*store), before);

    // What regedit on Windows writes: UTF-16LE with a byte-order mark and CR LF.
    const QString windows = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovrin\\Orrery 1.0\\Settings]\r\n"
                                           "\"Debug\"=\"off\"\r\n"
                                           "\"Größe\"=dword:0000000a\r\n"
                                           "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Nothing\\There]\r\n");
    QFile good(store.dir.filePath("windows.reg"));
    ASSERT_TRUE(good.open(QIODevice::WriteOnly));
    good.write(QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(windows));
    good.close();
    EXPECT_EQ(reg(store.path(), {"import", good.fileName()}).exitCode, 0);
    EXPECT_EQ(value(settings.mid(5), "Debug"), RegistryValue::string("off"));
    EXPECT_EQ(value(settings.mid(5), "größe"), RegistryValue::dword(10));
}

TEST_F(RegTool, TreesAreListedDepthFirstInNameOrderAtAnyAllowedDepth) {
    RegistryKey key(*store);
    for (const char* path :
         {"SOFTWARE\\T\\b\\y", "SOFTWARE\\T\\A\\x", "SOFTWARE\\T\\a2", "SOFTWARE\\T\\b\\X0"}) {
        ASSERT_TRUE(key.openKey(path, true));
        ASSERT_TRUE(key.writeString("at", path));
    }
    const ToolRun listing = reg(store.path(), {"query", "HKLM\\SOFTWARE\\T", "/s"});
    EXPECT_EQ(listing.exitCode, 0) << listing.err.toStdString();
    QStringList sections;
    for (const QString& line : listing.out.split('\n')) {
        if (line.startsWith("HKEY_"))
            sections << line.mid(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\").size());
    }
    EXPECT_EQ(sections, (QStringList{"T", "T\\A", "T\\A\\x", "T\\a2", "T\\b", "T\\b\\X0", "T\\b\\y"}));

    // The deepest a key may lie, with a value at every level, survives export and import.
    QStringList deep{"SOFTWARE", "Deep"};
    while (deep.size() < RegistryStore::maxKeyDepth)
        deep << QString::number(deep.size());
    ASSERT_TRUE(key.openKey(deep.join('\\'), true));
    for (qsizetype level = 2; level <= deep.size(); ++level) {
        ASSERT_TRUE(key.openKey(deep.mid(0, level).join('\\'), false));
        ASSERT_TRUE(key.writeInteger("level", int(level)));
    }
    const QString file = store.dir.filePath("deep.reg");
    const ToolRun exported = reg(store.path(), {"export", "HKLM\\SOFTWARE\\Deep", file});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    TempStore copy;
    ASSERT_EQ(reg(copy.path(), {"import", file}).exitCode, 0);
    RegistryKey bottom(*copy);
    ASSERT_TRUE(bottom.openKey(deep.join('\\'), false));
    EXPECT_EQ(bottom.readInteger("level"), RegistryStore::maxKeyDepth);
}

TEST_F(RegTool, TreesTooDeepAreRefusedWholeButCanBeDeleted) {
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey("SOFTWARE\\Deep", true));
    ASSERT_TRUE(key.writeString("top", "1"));
    const std::optional<RegistryStore::KeyId> id =
        store->findKey(RegistryHive::LocalMachine, {"SOFTWARE", "Deep"});
    ASSERT_TRUE(id);
    {
        OtherConnection other(store.path());
        ASSERT_TRUE(other.insertChain(*id, 200000));
    }
    const QString file = store.dir.filePath("deep.reg");
    for (const QStringList& args : {QStringList{"query", "HKLM\\SOFTWARE\\Deep", "/s"},
                                    QStringList{"export", "HKLM\\SOFTWARE", file}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = reg(store.path(), args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("lie 200002 levels deep, deeper than the 512 levels"))
            << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("handwright-reg delete \"HKEY_LOCAL_MACHINE\\SOFTWARE"))
            << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("HKEY_")) << run.out.left(200).toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(file));
    // Without /s only the key itself is listed.
    EXPECT_EQ(reg(store.path(), {"query", "HKLM\\SOFTWARE\\Deep"}).exitCode, 0);

    const ToolRun removed = reg(store.path(), {"delete", "HKLM\\SOFTWARE\\Deep", "/f"});
    EXPECT_EQ(removed.exitCode, 0) << removed.err.toStdString();
    EXPECT_FALSE(key.keyExists("SOFTWARE\\Deep"));
    EXPECT_TRUE(key.keyExists("SOFTWARE"));
}

TEST_F(RegTool, ImportTakesTextBytesAndSkipsOtherTypesWithAWarning) {
    const QString file = store.dir.filePath("mixed.reg");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray("\xFF\xFE", 2) +
              QStringEncoder(QStringConverter::Utf16LE)
                  .encode(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                         "[HKEY_CURRENT_USER\\Software\\Mixed]\r\n"
                                         "\"before\"=\"1\"\r\n"
                                         "\"expand\"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,2f,00,\\\r\n"
                                         "  62,00,00,00\r\n"
                                         "\"multi\"=hex(7):61,00,00,00,00,00\r\n"
                                         "\"binary\"=hex:de,ad\r\n"
                                         "\"after\"=dword:00000002\r\n")));
    out.close();
    const ToolRun run = reg(store.path(), {"import", file});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "The operation completed successfully.\n");
    const QStringList warnings = run.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(warnings.size(), 2) << run.err.toStdString();
    EXPECT_TRUE(warnings[0].startsWith("WARNING: " + file + ": Line 7: the value \"multi\""));
    EXPECT_TRUE(warnings[0].contains("hex(7) (REG_MULTI_SZ)"));
    EXPECT_TRUE(warnings[1].contains("Line 8: the value \"binary\""));
    const QString key = QStringLiteral("Software\\Mixed");
    RegistryKey user(*store, RegistryHive::CurrentUser);
    ASSERT_TRUE(user.openKey(key, false));
    EXPECT_EQ(user.readString("expand"), "%HOME%/b");
    EXPECT_EQ(user.readString("before"), "1");
    EXPECT_EQ(user.readInteger("after"), 2);
    EXPECT_EQ(user.valueNames(), (QStringList{"before", "expand", "after"}));

    // A NUL in a name cannot be kept: the file is refused with the line, and nothing of it is imported.
    QFile bad(store.dir.filePath("nul.reg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    static const char withNul[] = "Windows Registry Editor Version 5.00\r\n\r\n"
                                  "[HKEY_CURRENT_USER\\Software\\Nul]\r\n\"ok\"=\"1\"\r\n\"a\0b\"=\"2\"\r\n";
    bad.write(withNul, sizeof withNul - 1);
    bad.close();
    const ToolRun refused = reg(store.path(), {"import", bad.fileName()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Line 5: the value name holds a NUL character"))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("Nothing was imported"));
    EXPECT_FALSE(user.keyExists("Software\\Nul"));
}

TEST_F(RegTool, ConcurrentWritersAllSucceed) {
    RegistryKey held(*store);
    ASSERT_TRUE(held.openKey("SOFTWARE\\Concurrent", true));
    QList<QProcess*> processes;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HANDWRIGHT_REGISTRY"), store.path());
    for (int i = 0; i < 8; ++i) {
        auto* process = new QProcess;
        process->setProcessEnvironment(env);
        process->start(toolPath(),
                       {"add", "HKLM\\SOFTWARE\\Concurrent\\Sub" + QString::number(i % 2), "/v",
                        "v" + QString::number(i), "/t", "REG_DWORD", "/d", QString::number(i), "/f"});
        processes << process;
    }
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(held.writeString("main" + QString::number(i), "x"));
    for (QProcess* process : processes) {
        EXPECT_TRUE(process->waitForFinished(30000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        delete process;
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(value("SOFTWARE\\Concurrent\\Sub" + QString::number(i % 2), "v" + QString::number(i)),
                  RegistryValue::dword(i));
    }
    EXPECT_EQ(held.valueNames().size(), 8);
}

} // namespace
