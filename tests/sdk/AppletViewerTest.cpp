#include "SdkToolchain.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace sdktest;

namespace {

const QStringList viewerPlacement{QStringLiteral("/x"),  QStringLiteral("100"), QStringLiteral("/y"),
                                  QStringLiteral("100"), QStringLiteral("/w"),  QStringLiteral("160"),
                                  QStringLiteral("/h"),  QStringLiteral("160")};

} // namespace

// The viewer runs the compiled example with the project folder on CLASSPATH, as the IDE starts it.
class AppletViewer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_project = std::make_unique<QTemporaryDir>();
        s_compileResult = compileExample(QStringLiteral("Hello"), s_project->path(), 8);
    }
    static void TearDownTestSuite() { s_project.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_compileResult.finished && s_compileResult.exitCode == 0)
            << s_compileResult.lines.join(QLatin1Char('\n')).toStdString();
    }

    static QString java() { return jdkHome() + QStringLiteral("/bin/java"); }

    static inline std::unique_ptr<QTemporaryDir> s_project;
    static inline ToolResult s_compileResult;
};

// Without a display the viewer still runs the application, so its debug output appears, and stays up until
// killed. A DISPLAY naming no server must not end it either.
TEST_F(AppletViewer, RunsTheExampleWithoutADisplayUntilKilled) {
    int unused = 987;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unused)))
        ++unused;
    struct Case {
        const char* name;
        QStringList jvmOptions;
        QString display; // empty: as inherited
    };
    const Case cases[] = {
        {"headless flag", {QStringLiteral("-Djava.awt.headless=true")}, QString()},
        {"unreachable display", {}, QStringLiteral(":%1").arg(unused)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment environment = classPathEnvironment({superwabaJar(), s_project->path()});
        if (!c.display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), c.display);
        QProcess viewer;
        viewer.setProcessChannelMode(QProcess::MergedChannels);
        viewer.setWorkingDirectory(s_project->path());
        viewer.setProcessEnvironment(environment);
        viewer.start(java(),
                     c.jvmOptions + QStringList{QStringLiteral("waba.applet.Applet")} + viewerPlacement +
                         QStringList{QStringLiteral("/uiStyle"), QStringLiteral("PalmOS"),
                                     QStringLiteral("/bpp"), QStringLiteral("8"), QStringLiteral("Hello")});
        ASSERT_TRUE(viewer.waitForStarted());

        QStringList lines;
        ASSERT_TRUE(waitForLine(
            viewer, lines, [](const QString&) { return true; }, 30000));
        EXPECT_EQ(lines.first(), QStringLiteral("SuperWaba applet viewer: Hello 160x160"));
        // The icon comes from the project folder on the class path.
        EXPECT_TRUE(waitForLine(
            viewer, lines, [](const QString& line) { return line == "Hello started, icon 22x22"; }, 30000))
            << lines.join(QLatin1Char('\n')).toStdString();
        EXPECT_FALSE(viewer.waitForFinished(500)) << "the viewer must stay up until killed";
        viewer.kill();
        viewer.waitForFinished();
    }
}

TEST_F(AppletViewer, RejectsBadStartsWithOneLineAndExitCodeOne) {
    struct Case {
        QStringList args;
        const char* expected;
    };
    const Case cases[] = {
        {{"/bogus", "Hello"}, "unknown option /bogus"},
        {{"/w", "wide", "Hello"}, "/w needs a whole number"},
        {{"/scale", "9", "Hello"}, "/scale must lie between 1 and 4"},
        {{"/bpp", "3", "Hello"}, "/bpp must be"},
        {{"/crid", "ABC", "Hello"}, "/crid needs four characters"},
        {{"/h"}, "/h needs a value"},
        {{"/x", "100"}, "no main class"},
        {{"Hello", "Extra"}, "unexpected argument Extra"},
        {{"Missing"}, "main class Missing not found"},
        {{"Util"}, "main class Util does not extend waba.ui.MainWindow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const ToolResult result = run(
            java(),
            QStringList{QStringLiteral("-Djava.awt.headless=true"), QStringLiteral("waba.applet.Applet")} +
                c.args,
            s_project->path(), classPathEnvironment({superwabaJar(), s_project->path()}), 30000);
        ASSERT_TRUE(result.finished) << "the viewer must end by itself";
        EXPECT_EQ(result.exitCode, 1);
        ASSERT_EQ(result.lines.size(), 1) << result.lines.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(result.lines.first().startsWith(QStringLiteral("SuperWaba applet viewer: ")));
        EXPECT_TRUE(result.lines.first().contains(QLatin1String(c.expected)))
            << result.lines.first().toStdString();
    }
}

// With a display the viewer shows a window at /x, /y of the screen size times /scale, and a click on the
// button reaches the application as a press. The driver clicks with the desktop's robot, then closes the
// window, which must end the viewer with exit code 0.
TEST_F(AppletViewer, ShowsTheExampleInAWindowAndTurnsClicksIntoPresses) {
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    if (!QFileInfo::exists(jdkHome() + QStringLiteral("/lib/libawt_xawt.so")))
        GTEST_SKIP() << "the JDK has no X11 support (a headless JDK)";
    const QString driver = testBinaryFolder() + QStringLiteral("/viewer-driver.jar");
    ASSERT_TRUE(QFileInfo::exists(driver));

    const ToolResult result =
        run(xvfbRun,
            QStringList{QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 640x480x24"),
                        java(), QStringLiteral("ViewerDriver"), QStringLiteral("2"),
                        QStringLiteral("waba.ui.Button"), QStringLiteral("--")} +
                viewerPlacement +
                QStringList{QStringLiteral("/uiStyle"), QStringLiteral("PalmOS"), QStringLiteral("/scale"),
                            QStringLiteral("2"), QStringLiteral("Hello")},
            s_project->path(), classPathEnvironment({superwabaJar(), driver, s_project->path()}), 90000);
    const std::string output = result.lines.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(result.finished) << output;
    EXPECT_EQ(result.exitCode, 0) << output;
    const QStringList expected{
        QStringLiteral("SuperWaba applet viewer: Hello 160x160"), QStringLiteral("Hello started, icon 22x22"),
        QStringLiteral("window Hello 320x320 at 100,100"), QStringLiteral("Button pressed 1 time")};
    qsizetype at = -1;
    for (const QString& line : expected) {
        const qsizetype found = result.lines.indexOf(line, at + 1);
        EXPECT_GT(found, at) << "missing or out of order: " << line.toStdString() << "\n" << output;
        at = qMax(at, found);
    }
}
