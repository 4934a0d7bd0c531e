#include "MainWindowFixture.h"
#include "ToolFolders.h"

#include "app/NewProjectWindow.h"
#include "app/SettingsRules.h"
#include "app/SettingsWindow.h"
#include "build/BuildChain.h"
#include "build/ConsoleRunner.h"
#include "build/OutputWindow.h"
#include "editor/SourceEditor.h"
#include "settings/RegistryKey.h"
#include "settings/SettingsValues.h"
#include "workspace/Environment.h"

#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QFileInfo& info : QDir(from).entryInfoList(QDir::Files))
        ASSERT_TRUE(QFile::copy(info.filePath(), to + "/" + info.fileName()))
            << info.filePath().toStdString();
}

} // namespace

class BuildChainTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        jdk = jdkFolder();
        if (jdk.isEmpty())
            GTEST_SKIP() << "no JDK";
        ASSERT_TRUE(QFileInfo::exists(sdkFolder() + "lib/SuperWabaTools.jar"));
        copyFolder(QStringLiteral(HW_SOURCE_DIR) + "/examples/Hello", projectDir);
        // Settings as the Settings window's OK leaves them, with both packaging tools on.
        SettingsValues settings;
        settings.setFlag(u"Warp", true);
        settings.setFlag(u"Exegen", true);
        ASSERT_TRUE(settings.writeToStore(storeRef()).ok());
        setStoreText(kProductKey + "Paths", "SuperWabaPath", sdkFolder());
        setStoreText(kProductKey + "Paths", "JDKPath", QDir(jdk).canonicalPath() + "/");
        m_classpath = getEnvironmentValue("CLASSPATH");
    }
    void TearDown() override {
        window.reset(); // stops a viewer that still runs
        setEnvironmentValue("CLASSPATH", m_classpath);
        MainWindowTest::TearDown();
    }
    MainWindow& startHello() {
        MainWindow& w = start({projectDir + "Hello.hwp"});
        w.liveSettings().readFromStore(w.store());
        w.setOutputWindow(&output);
        return w;
    }
    // How the status bar says the last compile ended.
    static QString buildResult(MainWindow& w, const char* name = "buildResult") {
        const auto* field = w.statusBar()->findChild<QLabel*>(name);
        return field ? field->text() : QStringLiteral("<no field>");
    }
    static bool waitFor(const std::function<bool()>& done, int ms = 90000) {
        return QTest::qWaitFor(done, ms);
    }

    QString jdk;
    OutputWindow output;

private:
    QString m_classpath;
};

TEST_F(BuildChainTest, SaveAllCompileAndStartPackagesAndRunsTheViewer) {
    MainWindow& w = startHello();
    w.saveAllCompileAndStart();
    ASSERT_TRUE(waitFor([&] {
        return w.messages().filter("SuperWaba applet viewer: Hello").size() > 0 &&
               !w.runner(RunnerRole::Warp)->isRunning() && !w.runner(RunnerRole::Exegen)->isRunning();
    })) << w.messages().join('\n').toStdString()
        << "\n"
        << output.lines().join('\n').toStdString();
    EXPECT_EQ(w.messages().value(0), "Compiling...");
    EXPECT_TRUE(w.messages().contains("Creating pdb file"));
    EXPECT_TRUE(w.messages().contains("Creating prc file"));
    EXPECT_TRUE(QFileInfo(projectDir + "Hello.class").isFile());
    EXPECT_GT(QFileInfo(projectDir + "Hello.pdb").size(), 78);
    EXPECT_GT(QFileInfo(projectDir + "Hello.prc").size(), 78);
    EXPECT_TRUE(w.appRunning());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton19")->isEnabled());
    EXPECT_EQ(buildResult(w), "Compiled");
    EXPECT_EQ(buildResult(w, "compileCounts"), "");
    // The status bar says so while it runs, and it can be stopped from the menu and the tool bar.
    EXPECT_EQ(buildResult(w, "applicationState"), "Application running");
    EXPECT_TRUE(w.ui().menuActions.value("StopApplication1")->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton25")->isEnabled());
    EXPECT_TRUE(w.ui().menus.value("Compile1")->menuAction()->isEnabled());

    const QStringList log = output.lines();
    EXPECT_TRUE(log.contains("Starting javac.exe"));
    EXPECT_TRUE(log.contains("======== Warp ========="));
    EXPECT_FALSE(
        log.filter(QRegularExpression("^Start: .*waba\\.applet\\.Applet /x 100 /y 100 /w 160 /h 160 "))
            .isEmpty());
    // The tools found their classes through the class path set for them.
    EXPECT_TRUE(getEnvironmentValue("CLASSPATH").contains("SuperWabaTools.jar"));

    // F10 while it runs asks; Yes stops it and builds and starts again.
    const auto starts = [&] { return output.lines().filter(QRegularExpression("^Start: ")).size(); };
    ASSERT_EQ(starts(), 1);
    dialogs.answer(mrYes, "The application is still running. Stop it and start again?");
    w.ui().menuActions.value("SaveallCompileandStart1")->trigger();
    EXPECT_EQ(dialogs.remainingAnswers(), 0);
    ASSERT_TRUE(waitFor([&] {
        return starts() == 2 && w.messages().filter("SuperWaba applet viewer: Hello").size() > 0;
    })) << w.messages().join('\n').toStdString();
    EXPECT_TRUE(w.appRunning());
}

TEST_F(BuildChainTest, SyntaxErrorStopsTheChainAndLeadsToTheLine) {
    MainWindow& w = startHello();
    QStringList lines = w.files().currentFile()->Lines;
    ASSERT_EQ(w.files().currentFile()->Name, "Util.java");
    w.ui().sourceList->setCurrentRow(0);
    ASSERT_EQ(w.files().currentFile()->Name, "Hello.java");
    lines = w.editor()->lines();
    const int broken = lines.indexOf(QRegularExpression("^\\s*presses\\+\\+;"));
    ASSERT_GT(broken, 0);
    lines[broken] = "        presses++ oops;";
    w.editor()->setLines(lines);

    w.saveAllCompileAndStart();
    ASSERT_TRUE(waitFor([&] {
        return !w.runner(RunnerRole::Compiler)->isRunning() && w.messages().size() > 1;
    })) << w.messages().join('\n').toStdString();
    QTest::qWait(200);
    const QStringList errors = w.messages().filter("Hello.java:");
    ASSERT_FALSE(errors.isEmpty()) << w.messages().join('\n').toStdString();
    EXPECT_TRUE(w.compileError());
    EXPECT_EQ(buildResult(w), "Compile failed");
    EXPECT_EQ(buildResult(w, "compileCounts"),
              QString("%1 error%2").arg(errors.size()).arg(errors.size() > 1 ? "s" : ""));
    EXPECT_FALSE(w.messages().contains("Creating pdb file"));
    EXPECT_FALSE(w.runner(RunnerRole::AppletViewer)->isRunning());
    EXPECT_FALSE(QFileInfo::exists(projectDir + "Hello.pdb"));

    // Double-clicking the error selects the reported line.
    w.ui().sourceList->setCurrentRow(1); // somewhere else first
    w.ui().messageList->setCurrentRow(w.messages().indexOf(errors.first()));
    w.messageDoubleClicked();
    EXPECT_EQ(w.files().currentFile()->Name, "Hello.java");
    EXPECT_EQ(w.editor()->caretLine(), broken);
    EXPECT_EQ(w.editor()->selectedText(), lines[broken]);
}

TEST_F(BuildChainTest, CompilerThatCannotStartIsReportedAndStopsTheChain) {
    // A compiler file that is there but cannot be run.
    const QString brokenJdk = dirPath("broken-jdk") + "/";
    QDir().mkpath(brokenJdk + "bin");
    writeBytes(brokenJdk + "bin/javac", "not a program");
    QFile::setPermissions(brokenJdk + "bin/javac", QFile::ReadOwner | QFile::WriteOwner);
    setStoreText(kProductKey + "Paths", "JDKPath", brokenJdk);
    MainWindow& w = startHello();
    w.compileAndStart();
    ASSERT_TRUE(waitFor([&] { return !w.runner(RunnerRole::Compiler)->isRunning(); }));
    EXPECT_FALSE(
        w.messages().filter("Cannot start the compiler: Error Creating Process  Error Code :13").isEmpty())
        << w.messages().join('\n').toStdString();
    EXPECT_FALSE(w.messages().contains("Creating pdb file"));
    EXPECT_FALSE(w.runner(RunnerRole::Warp)->isRunning());
    EXPECT_FALSE(w.runner(RunnerRole::AppletViewer)->isRunning());
    EXPECT_EQ(buildResult(w), "Compile failed");
}

TEST_F(BuildChainTest, PalmEmulatorTargetStartsAfterTheDelayWithBothPackages) {
    const QString standIn = QStringLiteral(HW_SOURCE_DIR) + "/tests/sdk/stand-ins/pose-stand-in";
    const QString log = dirPath("pose.log");
    qputenv("POSE_STAND_IN_LOG", log.toLocal8Bit());
    setStoreText(kProductKey + "Paths", "PalmEmulatorPath", standIn);
    setStoreText(kProductKey + "Settings\\WarpExegen", "Warp", "off");
    setStoreText(kProductKey + "Settings\\WarpExegen", "Exegen", "off");
    MainWindow& w = startHello();
    w.ui().runTargetBox->setCurrentText("Palm Emulator");
    ASSERT_TRUE(w.ui().palmTargetToggle->isChecked());
    w.compileAndStart();
    // The log is there before the stand-in has written all of it.
    ASSERT_TRUE(waitFor([&] { return readBytes(log).endsWith("Hello\n"); }, 120000))
        << w.messages().join('\n').toStdString();
    EXPECT_TRUE(w.messages().contains("Creating pdb file"));
    EXPECT_TRUE(w.messages().contains("Waiting 1 second(s) to start the Palm Emulator"));
    EXPECT_EQ(readBytes(log),
              QString("-load_apps\n%1Hello.prc,%1Hello.pdb\n-run_app\nHello\n").arg(projectDir).toUtf8());
    // The packaging switches were on for this build only.
    EXPECT_FALSE(w.liveSettings().flag(u"Warp"));
    EXPECT_FALSE(w.liveSettings().flag(u"Exegen"));
    qunsetenv("POSE_STAND_IN_LOG");
}

TEST_F(BuildChainTest, ErrorLinesAndTheMessageListMenu) {
    MainWindow& w = startHello();
    w.addMessage("Compiling...");
    w.addMessage("Util.java:3: error: ';' expected");
    w.addMessage("    at Hello.java:5: in a stack trace");
    w.addMessage("Util.java:7 no colon after the number"); // an exception's message: leads there too
    w.ui().sourceList->setCurrentRow(0);                   // Hello.java shown
    for (int row : {0, 2}) {
        w.ui().messageList->setCurrentRow(row);
        w.messageDoubleClicked();
        EXPECT_EQ(w.files().currentFile()->Name, "Hello.java") << row;
    }
    w.ui().messageList->setCurrentRow(1);
    w.messageDoubleClicked();
    EXPECT_EQ(w.files().currentFile()->Name, "Util.java");
    EXPECT_EQ(w.editor()->caretLine(), 2);

    w.copyMessages();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Compiling...\rUtil.java:3: error: ';' expected\r    at Hello.java:5: in a stack trace\r"
              "Util.java:7 no colon after the number\r");
    w.clearMessages();
    EXPECT_TRUE(w.messages().isEmpty());
    w.copyMessages();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST_F(BuildChainTest, NewProjectFromTheWizardCompilesAndRuns) {
    MainWindow& w = startHello();
    NewProjectWindow newProject(w, &w, QCoreApplication::applicationDirPath() + "/../bin");
    w.setNewProjectWindow(&newProject);
    const QString parent = dirPath("work");
    QTimer::singleShot(0, &newProject, [&] {
        newProject.m_projectName->setText("Calc");
        newProject.m_parentFolder->setText(parent);
        newProject.m_okButton->click();
    });
    w.newProject();
    ASSERT_EQ(w.project().ProjectName, "Calc");
    EXPECT_EQ(w.project().ProjectDir, parent + "/Calc/");
    EXPECT_EQ(labels(w.ui().sourceList), QStringList({"Calc.java (*)"}));
    EXPECT_FALSE(QFileInfo::exists(parent + "/Calc/Calc.java")); // written by the next save
    EXPECT_EQ(w.windowTitle(), "Kovrin Handwright 1.8 for SuperWaba <" + parent + "/Calc/Calc.hwp>");

    w.saveAllCompileAndStart();
    ASSERT_TRUE(waitFor([&] {
        return !w.messages().filter("SuperWaba applet viewer: Calc").isEmpty() &&
               !w.runner(RunnerRole::Warp)->isRunning() && !w.runner(RunnerRole::Exegen)->isRunning();
    })) << w.messages().join('\n').toStdString();
    EXPECT_TRUE(QFileInfo::exists(parent + "/Calc/Calc.java"));
    EXPECT_EQ(readBytes(parent + "/Calc/Calc.hwp"), "Calc\r\n\r\n\r\n\r\nCalc.java\r\n");
    EXPECT_TRUE(QFileInfo::exists(parent + "/Calc/Calc.pdb"));
    EXPECT_TRUE(QFileInfo::exists(parent + "/Calc/Calc.prc"));
}

namespace {

// Palm Desktop with one user (id 3, folder "Tester") whose install folder receives the packages.
void setUpPalmDesktop(RegistryStore& store, const QString& desktop) {
    QDir().mkpath(desktop + "/Tester");
    QByteArray users("\x01", 1);
    users += QByteArray(12, '\0');
    users += QByteArray("\x03\x00\x00\x00", 4) + char(6) + "Tester" + char(6) + "Tester" + '\0';
    writeBytes(desktop + "/users.dat", users);
    RegistryKey reg(store, RegistryHive::CurrentUser);
    ASSERT_TRUE(reg.openKey("Software\\U.S. Robotics\\Pilot Desktop\\Core", true));
    ASSERT_TRUE(reg.writeString("Path", desktop));
    ASSERT_TRUE(reg.openKey("Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager", true));
}

} // namespace

TEST_F(BuildChainTest, PackagesAreQueuedForHotSyncUnlessAToolComplains) {
    const QString desktop = dirPath("Palm");
    setUpPalmDesktop(storeRef(), desktop);
    setStoreText(kProductKey + "Settings", "Hotsync", "on");
    setStoreText(kProductKey + "Settings", "PalmuserNo", "0");
    MainWindow& w = startHello();
    w.runTargetChanged();
    w.ui().runTargetBox->addItem("none"); // a target that starts nothing keeps the test quiet
    w.ui().runTargetBox->setCurrentText("none");
    w.compileAndStart();
    // Idle runners too: a tool still in its done handler would refuse the second start below.
    ASSERT_TRUE(waitFor([&] {
        return w.messages().contains("Hello.pdb is ready for HotSync") &&
               w.messages().contains("Hello.prc is ready for HotSync") &&
               !w.runner(RunnerRole::Warp)->isRunning() && !w.runner(RunnerRole::Exegen)->isRunning();
    })) << w.messages().join('\n').toStdString();
    EXPECT_EQ(readBytes(desktop + "/Tester/Install/Hello.pdb"), readBytes(projectDir + "Hello.pdb"));
    EXPECT_TRUE(QFileInfo::exists(desktop + "/Tester/Install/Hello.prc"));
    RegistryKey reg(storeRef(), RegistryHive::CurrentUser);
    ASSERT_TRUE(reg.openKey("Software\\U.S. Robotics\\Pilot Desktop\\HotSync Manager", false));
    EXPECT_EQ(reg.readInteger("Install3").value_or(0), 1);

    // A file Warp cannot find: its warning is shown, and nothing is queued this time, even when Exegen
    // ends before Warp says so.
    QDir(desktop + "/Tester/Install").removeRecursively();
    QFile::remove(projectDir + "icon.bmp");
    dialogs.answer(mrOk, "Warp/Exegen Warning! File icon.bmp not found");
    w.startApplication();
    ASSERT_TRUE(waitFor([&] {
        return !w.runner(RunnerRole::Warp)->isRunning() && !w.runner(RunnerRole::Exegen)->isRunning();
    }));
    QTest::qWait(100);
    EXPECT_EQ(dialogs.asked().value(0).type, mtError);
    EXPECT_FALSE(QFileInfo::exists(desktop + "/Tester/Install/Hello.pdb"));
    EXPECT_FALSE(QFileInfo::exists(desktop + "/Tester/Install/Hello.prc"));
}

TEST_F(BuildChainTest, PalmSimulatorGetsBothPackagesInItsAutorunFolder) {
    const QString simFolder = dirPath("sim");
    QDir().mkpath(simFolder + "/autorun");
    writeBytes(simFolder + "/autorun/stale.prc", "old");
    QFile::copy(QStringLiteral(HW_SOURCE_DIR) + "/tests/sdk/stand-ins/palmsim-stand-in",
                simFolder + "/PalmSim");
    QFile::setPermissions(simFolder + "/PalmSim", QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
    const QString log = dirPath("sim.log");
    qputenv("PALMSIM_STAND_IN_LOG", log.toLocal8Bit());
    setStoreText(kProductKey + "Paths", "PalmSim", simFolder + "/PalmSim");
    MainWindow& w = startHello();
    w.ui().runTargetBox->addItem("Palm Simulator");
    w.ui().runTargetBox->setCurrentText("Palm Simulator");
    w.compileAndStart();
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(log); }, 120000))
        << w.messages().join('\n').toStdString();
    EXPECT_TRUE(w.messages().contains("Waiting 1 second(s) to start the Palm Simulator"));
    // The packages copied are those that existed when the simulator was prepared; a file the program did
    // not put there stays.
    EXPECT_EQ(readBytes(simFolder + "/autorun/stale.prc"), "old");
    EXPECT_TRUE(readBytes(log).startsWith("autorun:\n"));
    qunsetenv("PALMSIM_STAND_IN_LOG");
}

// A JDK folder without a release file (a system folder such as /usr/) still gets the options its javac
// takes: they come from javac -version, and the whole chain runs.
TEST_F(BuildChainTest, JdkWithoutReleaseFileBuildsWithTheLevelJavacTakes) {
    const QString bare = dirPath("bare-jdk") + "/";
    QDir().mkpath(bare + "bin");
    for (const char* tool : {"javac", "java"})
        ASSERT_TRUE(QFile::link(QFileInfo(jdk + "bin/" + tool).canonicalFilePath(), bare + "bin/" + tool));
    setStoreText(kProductKey + "Paths", "JDKPath", bare);
    MainWindow& w = startHello();
    w.saveAllCompileAndStart();
    ASSERT_TRUE(waitFor([&] {
        return !w.messages().filter("SuperWaba applet viewer: Hello").isEmpty() &&
               !w.runner(RunnerRole::Warp)->isRunning() && !w.runner(RunnerRole::Exegen)->isRunning();
    })) << w.messages().join('\n').toStdString();
    EXPECT_FALSE(w.chain().compilerFailed());
    EXPECT_TRUE(output.lines().filter(QRegularExpression("bin/javac -source (1.3|1.1) ")).isEmpty());
}

// Closing the program while a Palm target waits for its delay starts nothing after it has gone.
TEST_F(BuildChainTest, ClosingDuringTheWaitCancelsThePalmTarget) {
    const QString standIn = QStringLiteral(HW_SOURCE_DIR) + "/tests/sdk/stand-ins/pose-stand-in";
    const QString log = dirPath("pose.log");
    qputenv("POSE_STAND_IN_LOG", log.toLocal8Bit());
    setStoreText(kProductKey + "Paths", "PalmEmulatorPath", standIn);
    MainWindow& w = startHello();
    w.liveSettings().setNumber(u"Delay", 2);
    w.ui().runTargetBox->setCurrentText("Palm Emulator");
    // The wait runs inside the compiler's done event: the close comes from a timer, as a click would.
    bool closed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!closed && w.chain().launchWaiting()) {
            closed = w.close();
        }
    });
    poll.start(50);
    w.compileAndStart();
    ASSERT_TRUE(waitFor([&] { return closed && !w.chain().launchWaiting(); }, 120000))
        << w.messages().join('\n').toStdString();
    QTest::qWait(3500);
    EXPECT_FALSE(QFileInfo::exists(log));
    // The packaging switches went back as after a launch.
    EXPECT_FALSE(w.liveSettings().flag(u"Warp"));
    qunsetenv("POSE_STAND_IN_LOG");
}

TEST_F(MainWindowTest, FirstStartStoresTheJdkFoundOnThePath) {
    const QString found = SettingsRules::detectJdkFolder();
    if (found.isEmpty())
        GTEST_SKIP() << "no javac on PATH";
    start();
    EXPECT_EQ(storeText(kProductKey + "Paths", "JDKPath"), found);
    EXPECT_EQ(window->toolPaths().jdkPath, found);

    // A JDK the user chose stays.
    window.reset();
    setStoreText(kProductKey + "Paths", "JDKPath", "/opt/my-jdk/");
    start();
    EXPECT_EQ(storeText(kProductKey + "Paths", "JDKPath"), "/opt/my-jdk/");
}

// A wrong tool folder is named before anything runs, and Yes opens the Settings at their Paths page.
TEST_F(MainWindowTest, WrongToolFolderOffersTheSettingsAtThePathsPage) {
    const QString jdk = SettingsRules::detectJdkFolder();
    if (jdk.isEmpty())
        GTEST_SKIP() << "no javac on PATH";
    writeSource(projectDir + "Hello.java", {"class Hello {}"});
    setStoreText(kProductKey + "Paths", "SuperWabaPath", projectDir);
    MainWindow& w = start({writeProject("Hello", {"Hello.java"})});
    SettingsWindow settings(w, w.liveSettings(), &w);
    w.setSettingsWindow(&settings);
    dialogs.answer(mrYes, "The SuperWaba folder \"" + projectDir + "\" holds no lib/superwaba.jar.");
    QString page;
    QTimer::singleShot(0, &settings, [&] {
        page = settings.ui().pages->tabText(settings.ui().pages->currentIndex());
        settings.reject();
    });
    w.compileAndStart();
    EXPECT_EQ(page, "Paths");
    EXPECT_TRUE(w.messages().isEmpty());
    EXPECT_FALSE(w.runner(RunnerRole::Compiler)->isRunning());
}

// "Save all, Compile and Start" is usable again at once when nothing was started.
TEST_F(MainWindowTest, SaveAllCompileAndStartComesBackWhenNothingStarts) {
    const QString jdk = SettingsRules::detectJdkFolder();
    if (jdk.isEmpty())
        GTEST_SKIP() << "no javac on PATH";
    writeSource(projectDir + "Hello.java", {"class Hello {}"});
    struct Case {
        const char* what;
        std::function<QString()> setUp; // gives the project file to open
        const char* dialog;
    };
    const Case cases[] = {
        {"a refused folder check",
         [&] {
             setStoreText(kProductKey + "Paths", "SuperWabaPath", projectDir);
             return writeProject("Hello", {"Hello.java"});
         },
         "holds no lib/superwaba.jar"},
        // The project file Save all writes is a folder: the save fails.
        {"a failed save",
         [&] {
             const QString loaded = projectDir + "Load.hwp";
             QFile::remove(loaded);
             QFile::rename(writeProject("Hello", {"Hello.java"}), loaded);
             QDir().mkpath(projectDir + "Hello.hwp");
             return loaded;
         },
         "Cannot write"},
    };
    int asked = 0;
    for (const Case& c : cases) {
        window.reset();
        const QString project = c.setUp();
        MainWindow& w = start({project});
        dialogs.answer(c.dialog[0] == 'C' ? mrOk : mrNo, c.dialog);
        QAction* button = w.ui().toolActions.value("ToolButton19");
        ASSERT_TRUE(button->isEnabled()) << c.what;
        w.saveAllCompileAndStart();
        EXPECT_FALSE(w.runner(RunnerRole::Compiler)->isRunning()) << c.what;
        EXPECT_TRUE(button->isEnabled()) << c.what;
        EXPECT_EQ(dialogs.asked().size(), ++asked) << c.what;
    }
}

// While the applet viewer runs, the build keys say why they do nothing; a new start asks first, and its
// No leaves everything as it was.
TEST_F(MainWindowTest, BuildKeysWhileTheApplicationRunsSayWhy) {
    writeSource(projectDir + "Hello.java", {"class Hello {}"});
    MainWindow& w = start({writeProject("Hello", {"Hello.java"})});
    ConsoleRunner* viewer = w.runner(RunnerRole::AppletViewer);
    viewer->setCommand("sleep 60");
    viewer->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.appRunning(); }, 10000));
    const char* refused = "The application is still running: close it before you compile or start it again.";
    const char* question = "The application is still running. Stop it and start again?";
    const std::pair<const char*, const char*> cases[] = {
        {"Compile2", refused},
        {"Start1", refused},
        {"StartJava1", refused},
        {"StartDebugger1", refused},
        {"SaveallCompileandStart1", question},
    };
    for (const auto& [item, said] : cases) {
        w.statusBar()->clearMessage();
        const qsizetype asked = dialogs.asked().size();
        if (said == question)
            dialogs.answer(mrNo, question);
        w.ui().menuActions.value(item)->trigger();
        EXPECT_EQ(said == question ? dialogs.askedTexts().value(asked) : w.statusBar()->currentMessage(),
                  said)
            << item;
        EXPECT_FALSE(w.runner(RunnerRole::Compiler)->isRunning()) << item;
        EXPECT_FALSE(w.runner(RunnerRole::CompileOnly)->isRunning()) << item;
        EXPECT_TRUE(viewer->isRunning()) << item;
    }
    // Stop ends it; once nothing runs, the stop is greyed out again.
    QAction* stop = w.ui().menuActions.value("StopApplication1");
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_TRUE(w.ui().toolActions.value("ToolButton25")->isEnabled());
    stop->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer->isRunning(); }, 10000));
    EXPECT_FALSE(w.appRunning());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_FALSE(w.ui().toolActions.value("ToolButton25")->isEnabled());
}
