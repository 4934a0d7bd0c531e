// F10 and F11 on the bundled example beside a shell doing the same: the build chain (warm compiler and
// the viewer's class-data archive on, as shipped) against a javac process and then the viewer's JVM,
// typed one after the other. F10 ends when the example's first line from its running window arrives
// ("Hello started"), F11 when "Successful." does; both from the second build on, medians of a few runs.
// With Warp and Exegen on, the chain starts them beside the viewer; the shell runs javac, Warp, Exegen
// and the viewer in turn.
// Usage: f10_bench <example folder> <SDK folder> <JDK folder> [runs]; needs a display (xvfb-run).
#include "build/BuildChain.h"
#include "build/BuildChainHost.h"
#include "build/CommandLine.h"
#include "build/ConsoleRunner.h"
#include "build/LaunchCommands.h"
#include "build/PackagingCommands.h"
#include "build/PalmUserData.h"
#include "build/ViewerArchive.h"
#include "build/WarmCompiler.h"
#include "settings/LiveSettings.h"
#include "workspace/Environment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString kStarted = QStringLiteral("Hello started");

class BenchHost : public BuildChainHost {
public:
    BuildInputs inputs;
    std::function<void(const QString&)> onMessage;
    void addMessage(const QString& line, bool) override {
        if (onMessage)
            onMessage(line);
    }
    void clearMessages() override {}
    int served = 0;
    void appendOutput(const QString& line) override {
        if (line == QLatin1String("Run by the warm compiler."))
            ++served;
        else if (line.startsWith(QLatin1String("The warm compiler")))
            std::fprintf(stderr, "%s\n", qPrintable(line));
    }
    void showOutputWindow() override {}
    void showError(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    bool confirm(const QString& text) override {
        std::fprintf(stderr, "question: %s\n", qPrintable(text));
        return false;
    }
    void openSettings(const QString&) override {}
    BuildInputs buildInputs() const override { return inputs; }
    QString runTarget() const override { return QStringLiteral("Java"); }
    bool palmTargetChosen() const override { return false; }
    RemoteDebugging remoteDebugging() const override { return {}; }
    void applicationRunning(bool) override {}
    PalmUserData& palmUsers() override { std::abort(); }
};

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

void spin(const std::function<bool()>& done, int timeoutMs = 60000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A command line run as a shell runs it; with `until`, up to its first output line starting with it
// (then killed), else to its end. Seconds.
double shellRun(const QString& command, const QString& folder, const QString& until = QString()) {
    const QStringList words = splitCommandLine(command).words;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer t;
    t.start();
    process.start(words.first(), words.mid(1));
    if (until.isEmpty()) {
        process.waitForFinished(60000);
        return t.nsecsElapsed() / 1e9;
    }
    QByteArray seen;
    while (process.state() != QProcess::NotRunning && t.elapsed() < 60000) {
        process.waitForReadyRead(50);
        seen += process.readAllStandardOutput();
        if (seen.contains("\n" + until.toUtf8()) || seen.startsWith(until.toUtf8()))
            break;
    }
    const double seconds = t.nsecsElapsed() / 1e9;
    process.kill();
    process.waitForFinished(5000);
    return seconds;
}

void figure(const char* name, double value, const char* unit) {
    std::printf("FIGURE %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: f10_bench <example folder> <SDK folder> <JDK folder> [runs]\n");
        return 2;
    }
    const QString project = QDir(argv[1]).absolutePath() + "/";
    const int runs = argc > 4 ? std::max(1, atoi(argv[4])) : 5;

    BenchHost host;
    host.inputs.paths = {QDir(argv[2]).absolutePath() + "/", QDir(argv[3]).absolutePath() + "/", QString(),
                         QString()};
    host.inputs.projectDir = project;
    host.inputs.projectName = QStringLiteral("Hello");
    for (const QFileInfo& file : QDir(project).entryInfoList(QDir::Files, QDir::Name)) {
        if (file.suffix() == "java")
            host.inputs.javaSources << file.fileName();
        else if (file.suffix() != "hwp" && file.suffix() != "class")
            host.inputs.otherFiles << file.fileName();
    }
    LiveSettings settings;
    settings.setFlag(u"OpenOutputWindow", false);
    QObject owner;
    QList<ConsoleRunner*> runners;
    for (int number = 1; number <= RunnerCount; ++number) {
        runners << new ConsoleRunner(&owner);
        runners.last()->setObjectName(QString("GUI2Console%1").arg(number));
    }
    BuildChain chain(host, settings, runners);
    ConsoleRunner* viewer = runners[runnerIndex(RunnerRole::AppletViewer)];
    const auto idle = [&] {
        return std::none_of(runners.begin(), runners.end(),
                            [](ConsoleRunner* r) { return r->isRunning(); }) &&
               !chain.warmCompiler().busy();
    };

    QElapsedTimer clock;
    double mark = -1;
    host.onMessage = [&](const QString& line) {
        if (mark < 0 && (line.startsWith(kStarted) || line == QLatin1String("Successful.")))
            mark = clock.nsecsElapsed() / 1e9;
        else if (line.contains(QLatin1String(".java:")) || line.startsWith(QLatin1String("Cannot")))
            std::fprintf(stderr, "%s\n", qPrintable(line));
    };
    const auto f10 = [&] {
        mark = -1;
        clock.start();
        chain.compileAndStart(); // returns after its one-second wait; the mark falls inside it
        spin([&] { return mark >= 0; });
        viewer->stop();
        spin(idle);
        return mark;
    };
    const auto f11 = [&] {
        mark = -1;
        clock.start();
        chain.compile();
        spin([&] { return mark >= 0 && idle(); });
        return mark;
    };
    const auto shellCommands = [&] {
        QDir::setCurrent(project);
        const QString saved = getEnvironmentValue("CLASSPATH");
        const BuildInputs in = chain.inputs();
        setEnvironmentValue("CLASSPATH", toolClasspath(in));
        struct Commands {
            QString javac, warp, exegen, viewer, savedClasspath;
        };
        return Commands{chain.compilerCommand(), warpCommandLine(in, settings.values()),
                        exegenCommandLine(in, settings.values()),
                        appletViewerCommandLine(in, settings.values(), {}), saved};
    };

    for (const bool packaging : {false, true}) {
        settings.setFlag(u"Warp", packaging);
        settings.setFlag(u"Exegen", packaging);
        // The first build of a session starts the warm compiler and, the very first time, writes the
        // viewer's class list; the archive is made from it before the builds that count.
        f10();
        chain.makeViewerArchive();
        chain.viewerArchiveMaker().waitForArchive(60000);
        spin(
            [&] {
                return chain.warmCompiler().readyFor(host.inputs.paths.jdkPath, QDir(project).absolutePath());
            },
            30000);
        if (!chain.warmCompiler().readyFor(host.inputs.paths.jdkPath, QDir(project).absolutePath()))
            std::fprintf(stderr, "f10_bench: the warm compiler is not ready (server %lld, jar %s)\n",
                         chain.warmCompiler().serverPid(), qPrintable(WarmCompiler::defaultJar()));
        f10();
        QList<double> ours, shell, compileOurs, compileShell;
        for (int i = 0; i < runs; ++i) {
            ours << f10();
            if (!packaging)
                compileOurs << f11();
            const auto commands = shellCommands();
            double seconds = shellRun(commands.javac, project);
            if (!packaging)
                compileShell << seconds;
            if (packaging) {
                seconds += shellRun(commands.warp, project);
                seconds += shellRun(commands.exegen, project);
            }
            seconds += shellRun(commands.viewer, project, kStarted);
            setEnvironmentValue("CLASSPATH", commands.savedClasspath);
            shell << seconds;
        }
        // The viewer alone, from its command to the example's first line: as the chain starts it (with
        // the archive) and as the shell does (without).
        if (!packaging) {
            const auto commands = shellCommands();
            const QString archived = chain.withViewerArchive(chain.inputs(), commands.viewer);
            QList<double> withArchive, without;
            for (int i = 0; i < runs; ++i) {
                withArchive << shellRun(archived, project, kStarted);
                without << shellRun(commands.viewer, project, kStarted);
            }
            setEnvironmentValue("CLASSPATH", commands.savedClasspath);
            if (!archived.contains(QLatin1String("-XX:SharedArchiveFile")))
                std::fprintf(stderr, "f10_bench: the viewer's archive was not made\n");
            figure("viewer_archive", median(withArchive), "s");
            figure("viewer_plain", median(without), "s");
        }
        const QByteArray tag = packaging ? "f10_packaging" : "f10";
        figure(tag + "_handwright", median(ours), "s");
        figure(tag + "_shell", median(shell), "s");
        figure(tag + "_ratio", median(ours) / median(shell), "x");
        if (!packaging) {
            figure("f11_handwright", median(compileOurs), "s");
            figure("f11_javac", median(compileShell), "s");
            figure("f11_ratio", median(compileOurs) / median(compileShell), "x");
        }
    }
    // Figures of the javac program would pass for the warm compiler's.
    if (host.served == 0) {
        std::fprintf(stderr, "f10_bench: the warm compiler never answered\n");
        return 1;
    }
    return 0;
}
