#include "debug/DebuggerStart.h"
#include "build/BuildTestValues.h"
#include "build/QtPrinters.h"
#include "workspace/Environment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The main window's side, recording what the start asked of it.
class FakeHost : public DebuggerHost {
public:
    bool mainClassPresent() override {
        ++mainClassChecks;
        return mainClass;
    }
    void clearCompileError() override { compileErrorCleared = true; }
    void saveAll() override {
        ++saves;
        classpathWhileSaving = getEnvironmentValue("CLASSPATH");
    }
    BuildInputs buildInputs() const override { return inputs; }
    const SettingsValues& settings() const override { return values; }
    DebuggerChoice debuggerChoice() const override { return choice; }
    void reportBadParameters(const QString& why) override { reported << why; }
    void reportNotStarted(const QString& why) override { notStarted << why; }
    QStringList jdbCommands() const override { return commands; }
    QString jdbStartupFolder() const override { return startupFolder; }
    QString userHome() const override { return home; }

    bool mainClass = true;
    int mainClassChecks = 0;
    bool compileErrorCleared = false;
    int saves = 0;
    QString classpathWhileSaving;
    BuildInputs inputs = linuxInputs();
    SettingsValues values = blankSettings();
    DebuggerChoice choice;
    QStringList reported;
    QStringList notStarted;
    QStringList commands;
    QString startupFolder;
    QString home;
};

class DebuggerStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        m_saved = getEnvironmentValue("CLASSPATH");
        setEnvironmentValue("CLASSPATH", "/before");
        host.inputs.projectDir = dir.path() + "/";
        // The debugger starts in the program's current folder.
        m_folder = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override {
        setEnvironmentValue("CLASSPATH", m_saved);
        QDir::setCurrent(m_folder);
    }

    // A program that writes its folder, CLASSPATH and arguments (one a line) into `record`.
    QString recorder(const QString& name, const QString& record) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n{ pwd; echo \"$CLASSPATH\"; for a in \"$@\"; do echo \"$a\"; done; } > '" +
                    record + ".tmp'\nmv '" + record + ".tmp' '" + record + "'\n")
                       .toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString writeScript(const QString& name, const QString& text) {
        const QString path = QDir(dir.path()).absoluteFilePath(name);
        writeFile(path, text.toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }
    static QStringList waitForRecord(const QString& record) {
        if (!QTest::qWaitFor([&] { return QFile::exists(record); }, 10000))
            return {"<no record>"};
        QFile file(record);
        if (!file.open(QIODevice::ReadOnly))
            return {"<no record>"};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    FakeHost host;

private:
    QString m_saved;
    QString m_folder;
};

TEST_F(DebuggerStartTest, OtherDebuggerRunsWithItsClassPathWhileOursIsRestored) {
    const QString record = dir.filePath("record.txt");
    host.choice = {false, recorder("dbg", record), "-attach \"my port\""};
    EXPECT_TRUE(startDebugger(host));
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/before");
    EXPECT_TRUE(host.compileErrorCleared);
    EXPECT_EQ(host.saves, 1);
    const QString classpath = debuggerClasspath(host.inputs);
    EXPECT_EQ(host.classpathWhileSaving, classpath);
    EXPECT_EQ(waitForRecord(record),
              (QStringList{QDir(dir.path()).canonicalPath(), classpath, "-attach", "my port"}));
}

TEST_F(DebuggerStartTest, DebuggerThatCannotStartStillSavesAndRestoresTheClassPath) {
    host.choice = {false, dir.filePath("no-such-debugger"), ""};
    EXPECT_FALSE(startDebugger(host));
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/before");
    EXPECT_TRUE(host.reported.isEmpty());
    EXPECT_EQ(host.notStarted.size(), 1);

    // An absent variable is absent again afterwards.
    setEnvironmentValue("CLASSPATH", "");
    host.choice = {false, "", ""};
    EXPECT_FALSE(startDebugger(host));
    EXPECT_TRUE(qgetenv("CLASSPATH").isNull());
}

// jdb runs through a shell that gets its arguments as words and waits for a key once jdb has ended, so
// jdb's last words stay readable. Here the terminal runs the command with no keyboard: the wait ends at once.
TEST_F(DebuggerStartTest, JdbRunsInsideTheTerminalThatStaysOpenAfterIt) {
    const QString jdk = dir.filePath("jdk") + "/";
    QDir().mkpath(jdk + "bin");
    writeScript(
        jdk + "bin/jdb",
        "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done\necho 'main class Hello not found'\nexit 2\n");
    host.inputs.paths.jdkPath = jdk;
    host.inputs.projectName = "Hel'lo $(touch pwned)";
    const QString record = dir.filePath("terminal.txt");
    const QString terminal =
        writeScript("terminal", "#!/bin/sh\n[ \"$1\" = -e ] && shift\necho \"CLASSPATH=$CLASSPATH\" > '" +
                                    record + ".tmp'\n\"$@\" >> '" + record + ".tmp' 2>&1\nmv '" + record +
                                    ".tmp' '" + record + "'\n");
    EXPECT_TRUE(startDebugger(host, startDetached, terminal));
    EXPECT_EQ(waitForRecord(record),
              (QStringList{"CLASSPATH=" + debuggerClasspath(host.inputs), "[waba.applet.Applet]", "[/x]",
                           "[100]", "[/y]", "[100]", "[/w]", "[160]", "[/h]", "[160]",
                           "[Hel'lo $(touch pwned)]", "main class Hello not found",
                           "The debugger has ended (exit status 2). Press a key to close this window. "}));
    EXPECT_FALSE(QFile::exists(dir.filePath("pwned")));
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/before");
}

// With breakpoints, jdb gets our jdb.ini through its own JVM's user.home, ahead of its parameters; a
// jdb.ini that cannot be written starts nothing, since the program would run past every breakpoint.
TEST_F(DebuggerStartTest, BreakpointsReachJdbThroughAStartupFileOfOurs) {
    const QString jdk = dir.filePath("jdk") + "/";
    QDir().mkpath(jdk + "bin");
    writeScript(jdk + "bin/jdb", "#!/bin/sh\n");
    host.inputs.paths.jdkPath = jdk;
    host.home = dir.filePath("home");
    writeFile(dir.filePath("blocker"), "a file");
    struct Case {
        QStringList commands;
        QString folder;
        bool starts;
        QStringList options; // between jdb and its parameters
        const char* own;     // the user's own start file in the home folder, read after ours
    };
    const QString folder = dir.filePath("run/jdb-7");
    const Case cases[] = {
        {{}, folder, true, {}, nullptr},
        {{"stop at A:1", "stop at p.B:9"}, folder, true, {"-J-Duser.home=" + folder}, nullptr},
        {{"stop at A:1"}, folder, true, {"-J-Duser.home=" + folder}, "jdb.ini"},
        {{"stop at A:1"}, folder, true, {"-J-Duser.home=" + folder}, ".jdbrc"},
        {{"stop at A:1"}, dir.filePath("blocker/jdb"), false, {}, nullptr},
    };
    for (const Case& c : cases) {
        QDir(folder).removeRecursively();
        QDir(host.home).removeRecursively();
        QDir().mkpath(host.home);
        if (c.own)
            writeFile(host.home + "/" + c.own, "stop in Mine.main\n");
        host.commands = c.commands;
        host.startupFolder = c.folder;
        host.notStarted.clear();
        ProgramStart started;
        const ProgramStarter capture = [&](const ProgramStart& start, const QString&) {
            started = start;
            return true;
        };
        EXPECT_EQ(startDebugger(host, capture, "/usr/bin/xterm"), c.starts)
            << c.commands.join('|').toStdString();
        EXPECT_EQ(host.notStarted.size(), c.starts ? 0 : 1);
        if (!c.starts)
            continue;
        const qsizetype at = started.arguments.indexOf(jdk + "bin/jdb");
        ASSERT_GT(at, 0);
        EXPECT_EQ(started.arguments.mid(at + 1, c.options.size() + 1),
                  c.options + QStringList{"waba.applet.Applet"});
        QFile ini(folder + "/jdb.ini");
        EXPECT_EQ(ini.exists(), !c.commands.isEmpty());
        if (ini.open(QIODevice::ReadOnly))
            EXPECT_EQ(ini.readAll(), c.commands.join('\n').toUtf8() + '\n' +
                                         (c.own ? "read " + QFile::encodeName(host.home) + "/" + c.own + "\n"
                                                : QByteArray()));
    }
}

// Nothing starts without jdb, a terminal, the other debugger or the main class, and each says what is
// missing.
TEST_F(DebuggerStartTest, WhatKeepsTheDebuggerFromStartingIsNamed) {
    const QString jdk = dir.filePath("jdk") + "/";
    QDir().mkpath(jdk + "bin");
    writeScript(jdk + "bin/jdb", "#!/bin/sh\n");
    writeFile(dir.filePath("notes.txt"), "text");
    const QString noJdk = dir.filePath("nojdk") + "/";
    struct Case {
        QString jdk;
        DebuggerChoice choice;
        QString terminal;
        QString missing; // empty: it starts
    };
    const Case cases[] = {
        {noJdk,
         {},
         "/usr/bin/xterm",
         "There is no jdb at " + noJdk +
             "bin/jdb: the JDK folder on the \"Paths\" page of the Settings must hold bin/jdb."},
        {jdk,
         {},
         "",
         "jdb runs in a terminal window, and neither x-terminal-emulator nor xterm was found: install one "
         "(the "
         "package xterm, for example)."},
        {jdk, {}, "/usr/bin/xterm", ""},
        {noJdk,
         {false, "", "-x"},
         "",
         "No debugger is named in the \"Debugger\" field of the Debugger Options (Compile > Remote Debugging "
         "Options...)."},
        {noJdk,
         {false, "no-such-debugger-here", ""},
         "",
         "The debugger \"no-such-debugger-here\" was not found on the PATH."},
        {noJdk,
         {false, dir.filePath("gone"), ""},
         "",
         "The debugger \"" + dir.filePath("gone") + "\" does not exist."},
        {noJdk,
         {false, dir.filePath("notes.txt"), ""},
         "",
         "The debugger \"" + dir.filePath("notes.txt") + "\" is not a program."},
        {noJdk, {false, jdk + "bin", ""}, "", "The debugger \"" + jdk + "bin\" is not a program."},
        {noJdk, {false, "sh", "-c true"}, "", ""},
    };
    for (const Case& c : cases) {
        int starts = 0;
        const ProgramStarter counting = [&](const ProgramStart&, const QString&) { return ++starts, true; };
        host.inputs.paths.jdkPath = c.jdk;
        host.choice = c.choice;
        host.notStarted.clear();
        host.saves = 0;
        EXPECT_EQ(startDebugger(host, counting, c.terminal), c.missing.isEmpty()) << c.missing.toStdString();
        EXPECT_EQ(starts, c.missing.isEmpty() ? 1 : 0) << c.missing.toStdString();
        EXPECT_EQ(host.notStarted, c.missing.isEmpty() ? QStringList() : QStringList{c.missing});
        EXPECT_EQ(host.saves, 1);
    }
    // A start that fails says so.
    host.notStarted.clear();
    host.choice = {false, "sh", ""};
    EXPECT_FALSE(startDebugger(
        host, [](const ProgramStart&, const QString&) { return false; }, ""));
    EXPECT_EQ(host.notStarted, QStringList{"sh could not be started."});

    host.mainClass = false;
    host.saves = 0;
    host.notStarted.clear();
    EXPECT_FALSE(startDebugger(
        host, [](const ProgramStart&, const QString&) { return true; }, "/usr/bin/xterm"));
    EXPECT_EQ(host.saves, 0);
    EXPECT_TRUE(host.notStarted.isEmpty());
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/before");
}

TEST_F(DebuggerStartTest, UnreadableParametersAreReportedAndStartNothing) {
    int starts = 0;
    const ProgramStarter counting = [&](const ProgramStart&, const QString&) { return ++starts, true; };
    host.choice = {false, "/usr/bin/true", "'open"};
    EXPECT_FALSE(startDebugger(host, counting));
    EXPECT_EQ(starts, 0);
    ASSERT_EQ(host.reported.size(), 1);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/before");
}

} // namespace
