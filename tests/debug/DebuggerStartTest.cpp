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

    bool mainClass = true;
    int mainClassChecks = 0;
    bool compileErrorCleared = false;
    int saves = 0;
    QString classpathWhileSaving;
    BuildInputs inputs = linuxInputs();
    SettingsValues values = blankSettings();
    DebuggerChoice choice;
    QStringList reported;
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

    // An absent variable is absent again afterwards.
    setEnvironmentValue("CLASSPATH", "");
    host.choice = {false, "", ""};
    EXPECT_FALSE(startDebugger(host));
    EXPECT_TRUE(qgetenv("CLASSPATH").isNull());
}

TEST_F(DebuggerStartTest, JdbRunsInsideTheTerminal) {
    const QString jdk = dir.filePath("jdk") + "/";
    QDir().mkpath(jdk + "bin");
    recorder("jdk/bin/jdb", dir.filePath("unused"));
    host.inputs.paths.jdkPath = jdk;
    const QString record = dir.filePath("terminal.txt");
    const QString terminal = recorder("terminal", record);
    EXPECT_TRUE(startDebugger(host, startDetached, terminal));
    const QStringList seen = waitForRecord(record);
    ASSERT_GE(seen.size(), 4);
    EXPECT_EQ(seen[1], debuggerClasspath(host.inputs));
    EXPECT_EQ(seen.mid(2), (QStringList{"-e", jdk + "bin/jdb", "waba.applet.Applet", "/x", "100", "/y", "100",
                                        "/w", "160", "/h", "160", "Hello"}));
    EXPECT_EQ(getEnvironmentValue("CLASSPATH"), "/before");
}

TEST_F(DebuggerStartTest, NothingStartsWithoutJdbTerminalOrMainClass) {
    int starts = 0;
    const ProgramStarter counting = [&](const ProgramStart&, const QString&) { return ++starts, true; };
    host.inputs.paths.jdkPath = dir.filePath("nojdk") + "/";
    EXPECT_FALSE(startDebugger(host, counting, "/usr/bin/xterm"));
    EXPECT_EQ(host.saves, 1);

    const QString jdk = dir.filePath("jdk") + "/";
    QDir().mkpath(jdk + "bin");
    recorder("jdk/bin/jdb", dir.filePath("unused"));
    host.inputs.paths.jdkPath = jdk;
    EXPECT_FALSE(startDebugger(host, counting, ""));
    EXPECT_EQ(starts, 0);
    EXPECT_TRUE(startDebugger(host, counting, "/usr/bin/xterm"));
    EXPECT_EQ(starts, 1);

    host.mainClass = false;
    host.saves = 0;
    EXPECT_FALSE(startDebugger(host, counting, "/usr/bin/xterm"));
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(starts, 1);
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
