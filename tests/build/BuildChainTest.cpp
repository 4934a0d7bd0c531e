// The build chain without a window: a host that records what it is told, real runners, and a JDK and SDK
// of shell scripts that say and exit what each test asks for.
#include "build/BuildChain.h"
#include "QtPrinters.h"
#include "RunnerTestSupport.h"
#include "build/BuildChainHost.h"
#include "build/ConsoleRunner.h"
#include "build/LaunchCommands.h"
#include "build/PalmUserData.h"
#include "settings/LiveSettings.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"
#include "workspace/Environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Message {
    QString line;
    bool selectLast;
};

class RecordingHost : public BuildChainHost {
public:
    QList<Message> messageLog;
    QStringList output;
    QStringList errors;
    QStringList questions;
    QStringList settingsOpened;
    bool answer = false;
    std::function<void(const QString&)> duringError;
    BuildInputs inputs;
    QString target = QStringLiteral("Java");
    bool palm = false;
    RemoteDebugging debugging;
    std::unique_ptr<PalmUserData> users;
    RegistryStore* store = nullptr;

    QStringList messages() const {
        QStringList lines;
        for (const Message& m : messageLog)
            lines << m.line;
        return lines;
    }

    void addMessage(const QString& line, bool selectLast) override { messageLog.append({line, selectLast}); }
    void clearMessages() override { messageLog.clear(); }
    void appendOutput(const QString& line) override { output << line; }
    void showOutputWindow() override {}
    void showError(const QString& text) override {
        errors << text;
        if (duringError)
            duringError(text);
    }
    bool confirm(const QString& text) override {
        questions << text;
        return answer;
    }
    void openSettings(const QString& page) override { settingsOpened << page; }
    BuildInputs buildInputs() const override { return inputs; }
    QString runTarget() const override { return target; }
    bool palmTargetChosen() const override { return palm; }
    RemoteDebugging remoteDebugging() const override { return debugging; }
    void applicationRunning(bool) override {}
    PalmUserData& palmUsers() override {
        if (!users)
            users = std::make_unique<PalmUserData>(*store);
        return *users;
    }
};

// javac and java as scripts: each records its arguments in <tool>.args beside it, prints <tool>.out and
// exits with the number in <tool>.status (0 without one). java is Warp, Exegen or the viewer by its first
// argument; with <tool>.gate present it says nothing until <tool>.go appears.
const char* const kJavac = R"sh(#!/bin/sh
here=$(cd "$(dirname "$0")" && pwd)
if [ "$1" = -version ]; then
    echo "javac 17.0.9"
    exit 0
fi
printf '%s\n' "$@" > "$here/javac.args"
[ -f "$here/javac.out" ] && cat "$here/javac.out"
exit $(cat "$here/javac.status" 2>/dev/null || echo 0)
)sh";
const char* const kJava = R"sh(#!/bin/sh
here=$(cd "$(dirname "$0")" && pwd)
tool=viewer
[ "$1" = superwaba.tools.Warp ] && tool=warp
[ "$1" = superwaba.tools.Exegen ] && tool=exegen
printf '%s\n' "$@" > "$here/$tool.args"
if [ -f "$here/$tool.gate" ]; then
    while [ ! -f "$here/$tool.go" ]; do sleep 0.05; done
fi
[ -f "$here/$tool.out" ] && cat "$here/$tool.out"
exit $(cat "$here/$tool.status" 2>/dev/null || echo 0)
)sh";
// Records its arguments, as the Palm OS Emulator stand-in would be started.
const char* const kEmulator = R"sh(#!/bin/sh
printf '%s\n' "$@" > "$0.log"
)sh";

class BuildChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        jdk = dir.filePath("jdk") + "/";
        sdk = dir.filePath("sdk") + "/";
        project = dir.filePath("Hello") + "/";
        for (const QString& folder : {jdk + "bin", sdk + "lib", project})
            ASSERT_TRUE(QDir().mkpath(folder));
        writeScript(jdk + "bin/javac", kJavac);
        writeScript(jdk + "bin/java", kJava);
        writeFile(sdk + "lib/superwaba.jar", "jar");
        for (const char* name : {"Hello.pdb", "Hello.prc"})
            writeFile(project + name, "package");
        store = std::make_unique<RegistryStore>(dir.filePath("registry.sqlite"));
        host.store = store.get();
        host.inputs.paths = {sdk, jdk, QString(), QString()};
        host.inputs.projectDir = project;
        host.inputs.projectName = "Hello";
        host.inputs.javaSources = {"Hello.java"};
        for (int number = 1; number <= RunnerCount; ++number) {
            runners << new ConsoleRunner(&owner);
            runners.last()->setObjectName(QString("GUI2Console%1").arg(number));
        }
        for (const char16_t* flag : {u"Warp", u"Exegen"})
            settings.setFlag(flag, true);
        settings.setFlag(u"OpenOutputWindow", false);
        settings.setNumber(u"Delay", 0);
        chain = std::make_unique<BuildChain>(host, settings, runners);
        classpath = getEnvironmentValue("CLASSPATH");
        currentFolder = QDir::currentPath();
    }
    void TearDown() override {
        chain.reset();
        setEnvironmentValue("CLASSPATH", classpath);
        QDir::setCurrent(currentFolder);
    }

    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }
    static void writeScript(const QString& path, const char* text) {
        writeFile(path, text);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // What a tool says and how it ends.
    void tool(const QString& name, const QByteArray& out, int status) {
        writeFile(jdk + "bin/" + name + ".out", out);
        writeFile(jdk + "bin/" + name + ".status", QByteArray::number(status));
    }
    bool idle() const {
        for (ConsoleRunner* r : runners)
            if (r->isRunning())
                return false;
        return true;
    }
    bool waitIdle() {
        return runnertest::waitFor([&] { return idle(); }, 30000);
    }
    std::string said() const { return host.messages().join('\n').toStdString(); }
    // Palm Desktop with one user whose folder is `folder`, and no HotSync Manager key yet.
    void palmDesktop(const QByteArray& folder) {
        const QString desktop = dir.filePath("Palm");
        QDir().mkpath(desktop + "/Tester");
        QByteArray users("\x01", 1);
        users += QByteArray(12, '\0');
        users += QByteArray("\x03\x00\x00\x00", 4) + char(6) + "Tester" + char(folder.size()) + folder + '\0';
        writeFile(desktop + "/users.dat", users);
        RegistryKey key(*store, RegistryHive::CurrentUser);
        ASSERT_TRUE(key.openKey("Software\\U.S. Robotics\\Pilot Desktop\\Core", true));
        ASSERT_TRUE(key.writeString("Path", desktop));
        settings.setFlag(u"Hotsync", true);
        settings.setNumber(u"PalmuserNo", 0);
    }

    QTemporaryDir dir;
    QString jdk, sdk, project;
    std::unique_ptr<RegistryStore> store;
    RecordingHost host;
    LiveSettings settings;
    QObject owner;
    QList<ConsoleRunner*> runners;
    std::unique_ptr<BuildChain> chain;

private:
    QString classpath;
    QString currentFolder;
};

// javac's status decides, not only its error lines: a refusal without any ".java:" line stops the chain
// with javac's own words, for both compile commands.
TEST_F(BuildChainTest, CompilerStatusDecidesWhetherTheChainGoesOn) {
    struct Case {
        QByteArray out;
        int status;
        QStringList expected; // after "Compiling..."
        bool packaged;
        const char* counts; // the status bar's count
    };
    const Case cases[] = {
        {"error: Source option 1.3 is no longer supported.\nUse 6 or later.\n",
         2,
         {"error: Source option 1.3 is no longer supported.", "Use 6 or later.",
          "The compiler failed with exit status 2."},
         false,
         ""},
        {"", 1, {"The compiler failed with exit status 1."}, false, ""},
        {"Hello.java:3: error: ';' expected\n    x++\n1 error\n",
         1,
         {"Hello.java:3: error: ';' expected"},
         false,
         "1 error"},
        {"Note: some notes\n", 0, {}, true, ""},
        // A warning is listed and the chain goes on; an error beside it still stops it.
        {"Hello.java:3: warning: [removal] stop() in Thread has been deprecated\n    t.stop();\n1 warning\n",
         0,
         {"Hello.java:3: warning: [removal] stop() in Thread has been deprecated"},
         true,
         "1 warning"},
        {"Hello.java:3: warning: [removal] x\nHello.java:4: error: ';' expected\n",
         1,
         {"Hello.java:3: warning: [removal] x", "Hello.java:4: error: ';' expected"},
         false,
         "1 error, 1 warning"},
        // Counted as listed, javac's own count line aside.
        {"A.java:1: warning: a\nA.java:2: warning: b\nA.java:3: error: c\nB.java:4: error: d\n"
         "B.java:5: warning: e\n2 errors\n3 warnings\n",
         1,
         {"A.java:1: warning: a", "A.java:2: warning: b", "A.java:3: error: c", "B.java:4: error: d",
          "B.java:5: warning: e"},
         false,
         "2 errors, 3 warnings"},
    };
    for (const Case& c : cases) {
        tool("javac", c.out, c.status);
        QFile::remove(jdk + "bin/warp.args");
        chain->compileAndStart();
        ASSERT_TRUE(waitIdle());
        QStringList expected = QStringList{"Compiling..."} + c.expected;
        if (c.packaged)
            expected << "Creating pdb file"
                     << "Creating prc file";
        EXPECT_EQ(host.messages(), expected) << c.status;
        EXPECT_EQ(chain->compilerFailed() || chain->compileError(), !c.packaged) << c.status;
        EXPECT_EQ(QFile::exists(jdk + "bin/warp.args"), c.packaged) << c.status;
        EXPECT_EQ(chain->compileCounts(), QString(c.counts)) << c.status;

        chain->compile();
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(host.messages().contains("Successful."), c.packaged) << said();
        EXPECT_EQ(chain->compileCounts(), QString(c.counts)) << c.status;
    }
    // The compiler got the level of the version javac -version gave (no release file here).
    EXPECT_TRUE(readFile(jdk + "bin/javac.args").startsWith("-source\n7\n-target\n7\n"))
        << readFile(jdk + "bin/javac.args").toStdString();
}

// The flag blocks the other tool's queueing, so it must hold while the dialog is still on screen.
TEST_F(BuildChainTest, PackagingProblemIsSetBeforeItsDialog) {
    tool("warp", "Warning! File icon.bmp not found\n", 0);
    QList<bool> flagDuringDialog;
    host.duringError = [&](const QString&) { flagDuringDialog << chain->packagingProblem(); };
    host.target = "none";
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(host.errors, QStringList{"Warp/Exegen Warning! File icon.bmp not found"});
    EXPECT_EQ(flagDuringDialog, QList<bool>{true});
}

TEST_F(BuildChainTest, HotSyncLineSaysReadyExactlyWhenQueued) {
    palmDesktop("Tester");
    host.target = "none";
    chain->startApplication();
    // Palm Desktop has not made its HotSync Manager key yet: queueing makes it and flags the user.
    ASSERT_TRUE(runnertest::waitFor([&] { return host.messages().filter("HotSync").size() == 2; }, 30000))
        << said();
    const QString install = dir.filePath("Palm/Tester/Install/");
    for (const char* extension : {".pdb", ".prc"}) {
        const QString line = QString("Hello%1 is ready for HotSync").arg(extension);
        ASSERT_TRUE(host.messages().contains(line)) << said();
        EXPECT_TRUE(host.messageLog[host.messages().indexOf(line)].selectLast);
        EXPECT_EQ(readFile(install + "Hello" + extension), "package");
    }
    RegistryKey key(*store, RegistryHive::CurrentUser);
    ASSERT_TRUE(key.openKey("Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager", false));
    EXPECT_EQ(key.readInteger("Install3"), 1);

    // A tool that fails queues nothing and says so; the other one's package still goes.
    QDir(install).removeRecursively();
    tool("exegen", "", 1);
    host.clearMessages();
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(host.messages().contains("Exegen failed with exit status 1.")) << said();
    EXPECT_TRUE(host.messages().contains("Hello.prc is not queued for HotSync: Exegen failed")) << said();
    EXPECT_TRUE(host.messages().contains("Hello.pdb is ready for HotSync")) << said();
    EXPECT_FALSE(QFile::exists(install + "Hello.prc"));
}

// Warp complains only after Exegen has ended: neither package goes, whichever tool ends first.
TEST_F(BuildChainTest, AProblemOfEitherToolHoldsBackBothPackages) {
    palmDesktop("Tester");
    host.target = "none";
    tool("warp", "Warning! File icon.bmp not found\n", 0);
    writeFile(jdk + "bin/warp.gate", "");
    chain->startApplication();
    ConsoleRunner* exegen = runners[runnerIndex(RunnerRole::Exegen)];
    ASSERT_TRUE(runnertest::waitFor([&] { return !exegen->isRunning(); }, 30000)) << said();
    writeFile(jdk + "bin/warp.go", "");
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(host.errors, QStringList{"Warp/Exegen Warning! File icon.bmp not found"});
    for (const char* extension : {".pdb", ".prc"}) {
        EXPECT_TRUE(host.messages().contains(
            QString("Hello%1 is not queued for HotSync: Warp or Exegen reported a problem").arg(extension)))
            << said();
        EXPECT_FALSE(QFile::exists(dir.filePath("Palm/Tester/Install/Hello") + extension)) << extension;
    }

    // The next build without the complaint queues both again.
    QFile::remove(jdk + "bin/warp.gate");
    tool("warp", "", 0);
    host.clearMessages();
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(host.messages().filter("is ready for HotSync").size(), 2) << said();
}

TEST_F(BuildChainTest, HotSyncRefusesAUserFolderOutsidePalmDesktop) {
    palmDesktop("../escaped");
    host.target = "none";
    chain->startApplication();
    ASSERT_TRUE(runnertest::waitFor([&] { return host.messages().filter("HotSync").size() == 2; }, 30000))
        << said();
    EXPECT_EQ(host.messages().filter("is not a plain folder name").size(), 2) << said();
    EXPECT_FALSE(QFile::exists(dir.filePath("escaped/Install/Hello.pdb")));
}

// A Palm target that cannot start says which setting names its program, and the packaging switches go
// back as after a launch.
TEST_F(BuildChainTest, PalmTargetsSayWhatCannotStart) {
    struct Case {
        QString target;
        std::function<void()> setUp;
        QString expected;
    };
    const QString notAProgram = dir.filePath("pose.txt");
    writeFile(notAProgram, "text");
    const Case cases[] = {
        {"Palm Emulator", [] {},
         R"(Cannot start the Palm Emulator: no program is set under "Emulator.exe from POSE" on the "Paths" page )"
         R"(of the Settings.)"},
        {"Palm Simulator", [] {},
         R"(Cannot start the Palm Simulator: no program is set under "PalmSim.exe from PalmSimulator" on the )"
         R"("Paths" page of the Settings.)"},
        {"Palm Emulator", [&] { host.inputs.paths.emulatorPath = notAProgram; },
         "Cannot start the Palm Emulator " + notAProgram},
    };
    host.palm = true;
    for (const Case& c : cases) {
        c.setUp();
        settings.setFlag(u"Warp", true);
        settings.setFlag(u"Exegen", true);
        host.target = c.target;
        host.clearMessages();
        chain->startApplication();
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(host.messages().filter(c.expected).size(), 1) << said();
        EXPECT_FALSE(settings.flag(u"Warp")) << c.target.toStdString();
        EXPECT_FALSE(settings.flag(u"Exegen")) << c.target.toStdString();
    }
}

TEST_F(BuildChainTest, PalmTargetIsNotStartedAfterAToolFailed) {
    const QString emulator = dir.filePath("pose");
    writeScript(emulator, kEmulator);
    host.inputs.paths.emulatorPath = emulator;
    host.target = "Palm Emulator";
    host.palm = true;
    writeScript(jdk + "bin/java", "#!/bin/sh\nexit 3\n");
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(host.messages().contains("The Palm Emulator is not started: Warp and Exegen failed."))
        << said();
    EXPECT_FALSE(QFile::exists(emulator + ".log"));
    EXPECT_FALSE(settings.flag(u"Warp"));

    // With tools that work, the same target starts.
    writeScript(jdk + "bin/java", kJava);
    settings.setFlag(u"Warp", true);
    chain->startApplication();
    // The log is there before the stand-in has written all of it.
    ASSERT_TRUE(runnertest::waitFor([&] { return readFile(emulator + ".log").endsWith("Hello\n"); }, 30000))
        << said();
    EXPECT_EQ(readFile(emulator + ".log"),
              QString("-load_apps\n%1Hello.prc,%1Hello.pdb\n-run_app\nHello\n").arg(project).toUtf8());
}

TEST_F(BuildChainTest, CancellingDuringTheWaitStartsNothing) {
    const QString emulator = dir.filePath("pose");
    writeScript(emulator, kEmulator);
    host.inputs.paths.emulatorPath = emulator;
    host.target = "Palm Emulator";
    settings.setFlag(u"Warp", false);
    settings.setFlag(u"Exegen", false);
    settings.setNumber(u"Delay", 1);
    bool waiting = false;
    QTimer::singleShot(300, &owner, [&] {
        waiting = chain->launchWaiting();
        chain->cancelLaunch();
    });
    chain->startApplication(); // returns once the wait has ended
    EXPECT_TRUE(waiting);
    EXPECT_FALSE(chain->launchWaiting());
    EXPECT_TRUE(host.messages().contains("Waiting 2 second(s) to start the Palm Emulator")) << said();
    QTest::qWait(2500);
    EXPECT_FALSE(QFile::exists(emulator + ".log"));
}

// The simulator start replaces the packages an earlier start put into its autorun folder and nothing
// else; a link found there is removed itself, never followed, so nothing outside the folder changes.
TEST_F(BuildChainTest, SimulatorStartTouchesNothingButItsOwnPackages) {
    struct Case {
        const char* what;
        std::function<void(const QString& sim, const QString& outside)> setUp;
        // Files (relative to the case's folder) and what each must hold afterwards.
        QList<std::pair<QString, QByteArray>> expected;
    };
    const auto link = [](const QString& target, const QString& name) {
        ASSERT_TRUE(QFile::link(target, name)) << name.toStdString();
    };
    const Case cases[] = {
        {"autorun is a link to a folder outside",
         [&](const QString& sim, const QString& outside) {
             writeFile(outside + "/keep.txt", "mine");
             link(outside, sim + "/autorun");
         },
         {{"outside/keep.txt", "mine"},
          {"outside/Hello.prc", "<missing>"},
          {"sim/autorun/Hello.prc", "package"}}},
        {"autorun is a dangling link",
         [&](const QString& sim, const QString& outside) { link(outside + "/made", sim + "/autorun"); },
         {{"outside/made", "<missing>"}, {"sim/autorun/Hello.pdb", "package"}}},
        {"a package's name is a link to a file outside",
         [&](const QString& sim, const QString& outside) {
             writeFile(outside + "/target", "mine");
             QDir().mkpath(sim + "/autorun");
             link(outside + "/target", sim + "/autorun/Hello.prc");
         },
         {{"outside/target", "mine"}, {"sim/autorun/Hello.prc", "package"}}},
        {"the user's own file stays, an earlier start's package goes",
         [&](const QString& sim, const QString&) {
             QDir().mkpath(sim + "/autorun");
             writeFile(sim + "/autorun/Mine.prc", "mine");
             host.inputs.projectName = "Old";
             chain->startApplication();
             host.inputs.projectName = "Hello";
         },
         {{"sim/autorun/Mine.prc", "mine"},
          {"sim/autorun/Old.prc", "<missing>"},
          {"sim/autorun/Hello.prc", "package"}}},
    };
    for (const char* name : {"Old.pdb", "Old.prc"})
        writeFile(project + name, "old package");
    settings.setFlag(u"Warp", false);
    settings.setFlag(u"Exegen", false);
    host.target = "Palm Simulator";
    int n = 0;
    for (const Case& c : cases) {
        const QString folder = dir.filePath(QString("case%1").arg(++n));
        const QString sim = folder + "/sim", outside = folder + "/outside";
        QDir().mkpath(sim);
        QDir().mkpath(outside);
        writeScript(sim + "/PalmSim", kEmulator);
        settings.setText(u"PalmSim", sim + "/PalmSim");
        c.setUp(sim, outside);
        QFile::remove(sim + "/PalmSim.log");
        host.clearMessages();
        chain->startApplication();
        ASSERT_TRUE(runnertest::waitFor([&] { return QFile::exists(sim + "/PalmSim.log"); }, 30000))
            << c.what << "\n"
            << said();
        for (const auto& [file, bytes] : c.expected)
            EXPECT_EQ(readFile(folder + "/" + file), bytes) << c.what << ": " << file.toStdString();
        EXPECT_FALSE(QFileInfo(sim + "/autorun").isSymLink()) << c.what;
        EXPECT_FALSE(QFileInfo(sim + "/autorun/Hello.prc").isSymLink()) << c.what;
    }
}

// A port with a blank inside starts no viewer (it would fail with a JDWP error of its own); blanks around
// it are dropped.
TEST_F(BuildChainTest, RemoteDebuggingPortWithABlankStartsNoViewer) {
    settings.setFlag(u"Warp", false);
    settings.setFlag(u"Exegen", false);
    setEnvironmentValue("CLASSPATH", "/mine");
    host.debugging = {true, "50 00"};
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(host.messages(), QStringList{remoteDebuggingProblem(host.debugging)});
    EXPECT_FALSE(QFile::exists(jdk + "bin/viewer.args"));
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/mine");

    host.debugging = {true, " 5000 "};
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(readFile(jdk + "bin/viewer.args")
                    .startsWith("-Xdebug\n-Xnoagent\n-Xrunjdwp:transport=dt_socket,address=5000,server=y,"
                                "suspend=n\nwaba.applet.Applet\n"))
        << readFile(jdk + "bin/viewer.args").toStdString();
}

// Before a build the folders are checked, and the wrong one is named with the way to the setting.
TEST_F(BuildChainTest, WrongToolFoldersAreNamedBeforeABuild) {
    struct Case {
        std::function<void()> setUp;
        QString problem;
        bool compiling;
    };
    const QString empty = dir.filePath("empty") + "/";
    QDir().mkpath(empty);
    const Case cases[] = {
        {[&] { host.inputs.paths.jdkPath.clear(); }, "No JDK folder is set.", true},
        {[&] { host.inputs.paths.jdkPath = empty; }, "The JDK folder \"" + empty + "\" holds no bin/javac.",
         true},
        {[&] { host.inputs.paths.jdkPath = empty; }, "The JDK folder \"" + empty + "\" holds no bin/java.",
         false},
        {[&] { settings.setFlag(u"OldjavaExe", true); },
         "The JDK folder \"" + jdk + "\" holds no bin/oldjavac.", true},
        {[&] { host.inputs.paths.superWabaPath = empty; },
         "The SuperWaba folder \"" + empty + "\" holds no lib/superwaba.jar.", true},
        {[&] { host.inputs.paths.superWabaPath.clear(); }, "No SuperWaba folder is set.", false},
    };
    for (bool yes : {false, true}) {
        for (const Case& c : cases) {
            host.inputs.paths = {sdk, jdk, QString(), QString()};
            settings.setFlag(u"OldjavaExe", false);
            c.setUp();
            host.questions.clear();
            host.settingsOpened.clear();
            host.answer = yes;
            if (c.compiling)
                chain->compileAndStart();
            else
                chain->startApplication();
            ASSERT_EQ(host.questions.size(), 1) << c.problem.toStdString();
            EXPECT_EQ(host.questions.first(),
                      c.problem + " Set it on the \"Paths\" page of the Settings.\n\nOpen the Settings now?");
            EXPECT_EQ(host.settingsOpened, yes ? QStringList{"Paths"} : QStringList{});
            EXPECT_TRUE(idle());
            EXPECT_TRUE(host.messages().isEmpty()) << said();
        }
    }
}

// javac reads every source of one run in one encoding: UTF-16 sources get "-encoding UTF-16", which
// reads either byte order by its mark, and a project that mixes them with 8-bit sources is refused
// before anything starts, naming the files.
TEST_F(BuildChainTest, SourceEncodingDecidesTheCompilersEncoding) {
    host.inputs.javaSources = {"Hello.java", "Util.java"};
    const struct {
        QByteArray hello, util;
        QString encoding; // javac's -encoding, "" for none
        QString refusal;  // the error shown instead of compiling
    } cases[] = {
        {"class Hello {}\n",
         "\xEF\xBB\xBF"
         "class Util {}\n",
         "", ""},
        {QByteArray("\xFF\xFE"
                    "c\0",
                    4),
         QByteArray("\xFE\xFF\0c", 4), "UTF-16", ""},
        {QByteArray("\xFF\xFE"
                    "c\0",
                    4),
         "class Util {}\n", "",
         "Hello.java is UTF-16 and Util.java is not, but javac reads all the sources of a project in one "
         "encoding. Save them in one encoding (UTF-8 or UTF-16) to compile them together."},
    };
    for (const auto& c : cases) {
        writeFile(project + "Hello.java", c.hello);
        writeFile(project + "Util.java", c.util);
        for (const bool andStart : {true, false}) {
            QFile::remove(jdk + "bin/javac.args");
            host.errors.clear();
            host.messageLog.clear();
            andStart ? chain->compileAndStart() : chain->compile();
            ASSERT_TRUE(waitIdle());
            const QByteArray args = readFile(jdk + "bin/javac.args");
            if (!c.refusal.isEmpty()) {
                EXPECT_EQ(host.errors.value(0), c.refusal);
                EXPECT_EQ(args, "<missing>");
                EXPECT_TRUE(host.messages().isEmpty()) << said();
                continue;
            }
            EXPECT_EQ(host.errors, QStringList{}) << c.encoding.toStdString();
            EXPECT_EQ(args.contains("\n-encoding\nUTF-16\n"), !c.encoding.isEmpty()) << args.toStdString();
            EXPECT_EQ(args.count("-encoding"), c.encoding.isEmpty() ? 0 : 1) << args.toStdString();
        }
    }
}

// Only the running application's lines (and HotSync's) keep the list scrolled to the end.
TEST_F(BuildChainTest, OnlyViewerLinesSelectTheLastItem) {
    tool("javac", "Hello.java:1: warning: something\n", 0);
    tool("viewer", "application says hi\n", 0);
    chain->compileAndStart();
    ASSERT_TRUE(waitIdle());
    chain->startApplication();
    ASSERT_TRUE(waitIdle());
    ASSERT_TRUE(runnertest::waitFor([&] { return host.messages().contains("application says hi"); }));
    for (const Message& m : host.messageLog)
        EXPECT_EQ(m.selectLast, m.line == "application says hi") << m.line.toStdString();
}

} // namespace
