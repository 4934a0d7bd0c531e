#include "MainWindowFixture.h"
#include "ToolFolders.h"

#include "build/ConsoleRunner.h"
#include "build/OutputWindow.h"
#include "debug/DebuggerOptions.h"
#include "editor/SourceEditor.h"
#include "settings/SettingsValues.h"
#include "workspace/Breakpoints.h"
#include "workspace/Environment.h"
#include "workspace/FileList.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

// Receives the addresses the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class DebugMenuTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_classpath = getEnvironmentValue("CLASSPATH");
    }
    void TearDown() override {
        window.reset(); // stops a viewer that still runs
        setEnvironmentValue("CLASSPATH", m_classpath);
        MainWindowTest::TearDown();
    }
    // Owned by the main window, as at run time.
    DebuggerOptions& optionsOf(MainWindow& w) {
        auto* options = new DebuggerOptions(&w, &storeRef());
        w.setDebuggerOptions(options);
        return *options;
    }
    // The example project in the project folder, with default settings and the SDK and this JDK.
    void copyExample(const QString& jdk) {
        QDir().mkpath(projectDir);
        for (const QFileInfo& info :
             QDir(QStringLiteral(HW_SOURCE_DIR) + "/examples/Hello").entryInfoList(QDir::Files))
            ASSERT_TRUE(QFile::copy(info.filePath(), projectDir + info.fileName()));
        SettingsValues settings;
        ASSERT_TRUE(settings.writeToStore(storeRef()).ok());
        setStoreText(kProductKey + "Paths", "SuperWabaPath", sdkFolder());
        setStoreText(kProductKey + "Paths", "JDKPath", jdk);
    }
    OutputWindow output;

private:
    QString m_classpath;
};

TEST_F(DebugMenuTest, F8FlipsTheCheckMarkAndTheOptionsPortFeedsTheViewer) {
    MainWindow& w = start();
    DebuggerOptions& options = optionsOf(w);
    QAction* item = w.ui().menuActions.value("StartRemoteDebugging1");
    EXPECT_FALSE(w.remoteDebugging());
    EXPECT_FALSE(item->isChecked());
    w.toggleRemoteDebugging();
    EXPECT_TRUE(w.remoteDebugging());
    EXPECT_TRUE(item->isChecked());
    // Without a project the Compile menu is greyed out: its shortcut changes nothing, mark included.
    item->trigger();
    EXPECT_TRUE(w.remoteDebugging());
    EXPECT_TRUE(item->isChecked());
    w.enableProjectCommands();
    // From the menu: the mark follows the switch, one flip per press.
    item->trigger();
    EXPECT_FALSE(w.remoteDebugging());
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(w.remoteDebugging());
    EXPECT_TRUE(item->isChecked());

    EXPECT_EQ(w.remoteDebuggingAddress(), "5000");
    options.m_port->setText("6123");
    EXPECT_EQ(w.remoteDebuggingAddress(), "6123");
}

TEST_F(DebugMenuTest, HelpEntriesDoNothingWithoutTheHelpFileAndUpdatesOpenOurPage) {
    MainWindow& w = start();
    // The test program's folder holds no handwright.qch.
    ASSERT_FALSE(QFileInfo::exists(QCoreApplication::applicationDirPath() + "/handwright.qch"));
    w.showHelp();
    w.searchHelp();
    EXPECT_EQ(w.helpWindow(), nullptr);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    w.checkForUpdates();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/updates.html"));
}

TEST_F(DebugMenuTest, F8ThenF10StartsTheViewerForARemoteDebuggerThatJdbCanAttachTo) {
    const QString jdk = jdkFolder();
    if (jdk.isEmpty())
        GTEST_SKIP() << "no JDK";
    ASSERT_NO_FATAL_FAILURE(copyExample(jdk));

    MainWindow& w = start({projectDir + "Hello.hwp"});
    w.liveSettings().readFromStore(w.store());
    w.setOutputWindow(&output);
    optionsOf(w);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F8);
    ASSERT_TRUE(w.remoteDebugging());
    QTest::keyClick(&w, Qt::Key_F10);

    QString started;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList lines = output.lines().filter("waba.applet.Applet");
            started = lines.value(0);
            // The viewer's JVM says when its debugging socket listens; jdb cannot attach before.
            return !started.isEmpty() && w.runner(RunnerRole::AppletViewer)->isRunning() &&
                   !output.lines().filter("Listening for transport dt_socket").isEmpty();
        },
        90000))
        << output.lines().join('\n').toStdString();
    EXPECT_TRUE(
        started.contains(" -Xdebug -Xnoagent -Xrunjdwp:transport=dt_socket,address=5000,server=y,suspend=n "
                         "waba.applet.Applet /x "))
        << started.toStdString();

    // jdb attaches to the running viewer and lists its threads.
    QProcess jdb;
    jdb.setProcessChannelMode(QProcess::MergedChannels);
    jdb.start(jdk + "bin/jdb", {"-attach", "5000"});
    ASSERT_TRUE(jdb.waitForStarted());
    QByteArray seen;
    const bool attached = QTest::qWaitFor(
        [&] {
            seen += jdb.readAll();
            return seen.contains("> ") || jdb.state() == QProcess::NotRunning;
        },
        30000);
    jdb.write("threads\nquit\n");
    jdb.closeWriteChannel();
    jdb.waitForFinished(30000);
    seen += jdb.readAll();
    EXPECT_TRUE(attached);
    EXPECT_TRUE(seen.contains("Initializing jdb")) << seen.toStdString();
    EXPECT_TRUE(seen.contains("main")) << seen.toStdString();
    EXPECT_FALSE(seen.contains("Exception")) << seen.toStdString();
}

#include "DebugMenuTest.moc"

// F5 sets a breakpoint on the caret line of the file shown; it is kept in Breakpoints.txt beside the
// project, follows the edits, stays with its file across switches and a new load, and becomes jdb's
// "stop at" command with the class's package.
TEST_F(DebugMenuTest, F5BreakpointsAreKeptPerFileAndBecomeStopCommands) {
    writeSource(projectDir + "Hello.java", {"package demo;", "class Hello {", "  int a;", "  int b;", "}"});
    writeSource(projectDir + "Util.java", {"class Util {", "  int c;", "}"});
    const QString hwp = writeProject("Hello", {"Hello.java", "Util.java"});
    MainWindow& w = start({hwp});
    const QString file = projectDir + "Breakpoints.txt";
    const auto show = [&](const QString& name) {
        for (int row = 0; row < w.ui().sourceList->count(); ++row)
            if (w.ui().sourceList->item(row)->text().startsWith(name))
                w.ui().sourceList->setCurrentRow(row);
        QTest::qWait(0); // the margin draws the file's breakpoints once the switch is done
        ASSERT_EQ(w.files().currentFile()->Name, name);
    };
    QAction* toggle = w.ui().menuActions.value("ToggleBreakpoint1");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->shortcut(), QKeySequence("F5"));

    show("Hello.java");
    w.editor()->setCaretLine(3);
    toggle->trigger();
    EXPECT_EQ(readBytes(file), "Hello.java:4\r\n");
    show("Util.java");
    w.editor()->setCaretLine(1);
    toggle->trigger();
    EXPECT_EQ(readBytes(file), "Hello.java:4\r\nUtil.java:2\r\n");
    show("Hello.java");
    // A line typed above moves it, and the file says so.
    w.editor()->insertAt("  int z;\r\n", 2, 0);
    EXPECT_EQ(readBytes(file), "Hello.java:5\r\nUtil.java:2\r\n");
    EXPECT_EQ(w.breakpointCommands(), (QStringList{"stop at Util:2", "stop at demo.Hello:5"}));
    // Toggled again, it goes.
    w.editor()->setCaretLine(4);
    toggle->trigger();
    EXPECT_EQ(readBytes(file), "Util.java:2\r\n");

    // Loaded again with the project.
    window.reset();
    MainWindow& again = start({hwp});
    EXPECT_EQ(again.breakpoints().lines("Util.java"), QList<int>{2});
    EXPECT_EQ(again.breakpointCommands(), QStringList{"stop at Util:2"});
}

// Save As takes the buffer's breakpoints to the new name, where its text now is; onto another open file it
// replaces that file's breakpoints, as its text replaces the file's; a Save As that writes nothing keeps
// them.
TEST_F(DebugMenuTest, SaveAsTakesTheBuffersBreakpointsToTheNewName) {
    struct Row {
        const char* target;
        int mergeAnswer; // the answer when the target is another open buffer's file
        const char* expected;
    };
    const Row rows[] = {
        {"Z.java", mrNone, "C.java:1\r\nZ.java:3\r\n"},
        {"C.java", mrYes, "C.java:3\r\n"},
        {"C.java", mrNo, "A.java:3\r\nC.java:1\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target + std::to_string(row.mergeAnswer));
        for (const char* name : {"Z.java", "Breakpoints.txt"})
            QFile::remove(projectDir + name);
        writeSource(projectDir + "A.java", {"class A {", "  int a;", "  int b;", "}"});
        writeSource(projectDir + "C.java", {"class C {}"});
        writeSource(projectDir + "Breakpoints.txt", {"A.java:2", "C.java:1"});
        MainWindow& w = start({writeProject("A", {"A.java", "C.java"})});
        w.ui().sourceList->setCurrentRow(0);
        QTest::qWait(0);
        // An edit moves the breakpoint before the save: line 3 is what the new name gets.
        w.editor()->insertAt("  // x\r\n", 1, 0);
        fileDialogs.choose(projectDir + row.target);
        if (row.mergeAnswer != mrNone)
            dialogs.answer(row.mergeAnswer, "is open in another buffer");
        w.saveFileAs();
        EXPECT_EQ(readBytes(projectDir + "Breakpoints.txt"), row.expected);
        // Still drawn in the margin of the buffer, under whatever name it has now.
        EXPECT_NE(w.editor()->markersAtLine(2) & (1 << SourceEditor::BreakpointMarker), 0u);
        window.reset();
    }
}

// The whole way: a breakpoint set with F5 in the example, "Start Debugger" as the menu starts it (through
// the terminal found on PATH), and jdb, given "run", stops there in the applet viewer.
TEST_F(DebugMenuTest, StartDebuggerStopsTheViewerAtABreakpointAfterRun) {
    const QString jdk = jdkFolder();
    if (jdk.isEmpty())
        GTEST_SKIP() << "no JDK";
    ASSERT_NO_FATAL_FAILURE(copyExample(jdk));
    // A terminal of the test's own: it runs its command with "run" as the first input line, the rest
    // held back until the test is done, and keeps what jdb says.
    const QString bin = dirPath("bin");
    const QString record = dirPath("jdb.txt");
    const QString done = dirPath("done");
    QDir().mkpath(bin);
    writeBytes(bin + "/x-terminal-emulator",
               "#!/bin/sh\n[ \"$1\" = -e ] && shift\n{ echo run; while [ ! -e '" + QFile::encodeName(done) +
                   "' ]; do sleep 0.2; done; echo quit; } | \"$@\" > '" + QFile::encodeName(record) +
                   "' 2>&1\n");
    QFile::setPermissions(bin + "/x-terminal-emulator",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ":" + path);

    MainWindow& w = start({projectDir + "Hello.hwp"});
    w.liveSettings().readFromStore(w.store());
    w.setOutputWindow(&output);
    optionsOf(w);
    w.compile();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.messages().contains("Successful."); }, 90000))
        << w.messages().join('\n').toStdString();
    for (int row = 0; row < w.ui().sourceList->count(); ++row)
        if (w.ui().sourceList->item(row)->text().startsWith("Hello.java"))
            w.ui().sourceList->setCurrentRow(row);
    QTest::qWait(0);
    ASSERT_EQ(w.files().currentFile()->Name, "Hello.java");
    const int line = w.editor()->lines().indexOf(QRegularExpression("\\s*icon = new Image.*"));
    ASSERT_GT(line, 0);
    w.editor()->setCaretLine(line);
    w.ui().menuActions.value("ToggleBreakpoint1")->trigger();
    w.ui().menuActions.value("StartDebugger1")->trigger();
    QByteArray said;
    const bool hit = QTest::qWaitFor(
        [&] {
            said = readBytes(record);
            // The whole line: jdb writes its where-part after the words.
            const qsizetype at = said.indexOf("Breakpoint hit");
            return at >= 0 && said.indexOf('\n', at) > at;
        },
        90000);
    writeSource(done, {});
    qputenv("PATH", path);
    ASSERT_TRUE(hit) << said.toStdString();
    EXPECT_TRUE(said.contains(QString("Hello.onStart(), line=%1 ").arg(line + 1).toUtf8()))
        << said.toStdString();
    // jdb quits and takes the viewer with it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return readBytes(record).contains("The debugger has ended"); }, 30000))
        << readBytes(record).toStdString();
}
