#pragma once

#include "BuildInputs.h"
#include "RunnerRole.h"

#include <QEventLoop>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>

class BuildChainHost;
class LiveSettings;
class ConsoleRunner;
class WarmCompiler;
class ViewerArchiveMaker;
class RunningApplication;

// The build chain: compile, package with Warp and Exegen, launch on the run target, queue the packages
// for HotSync. It is event-driven through the runners' callbacks and keeps the state that ties the steps
// together; the window that drives it supplies the values and shows the results (BuildChainHost).
//
// Runners by role (RunnerRole): Compiler for the applet viewer, PalmCompiler for a Palm target,
// CompileOnly alone; Warp, Exegen, AppletViewer. SparePackagingTool's lines are read as a packaging tool's.
class BuildChain : public QObject {
    Q_OBJECT
public:
    // `runners` holds GUI2Console1 onwards (at least BuildChainRunnerCount); the chain sets the callbacks
    // of the first seven.
    BuildChain(BuildChainHost& host, LiveSettings& settings, const QList<ConsoleRunner*>& runners,
               QObject* parent = nullptr);
    ~BuildChain() override;

    // Compile and start application: the settings summary, the compile, and after a clean compile the
    // packaging and the launch.
    void compileAndStart();
    // Compile alone; "Successful." after a clean compile.
    void compile();
    // Start application: packaging and the launch without compiling.
    void startApplication();
    // The step after a clean compile (and of Start application once its folders are checked).
    void packageAndLaunch();
    // The program is closing: a Palm target waiting for its start, or waited for later, is not started.
    void cancelLaunch();

    // Clears the compile-error flag (as a new build does).
    void clearCompileError() { m_compileError = false; }
    bool compileError() const { return m_compileError; }
    // The error and warning lines the last compile listed, as the status bar counts them.
    QString compileCounts() const;
    // The compiler could not start or ended with a failure status.
    bool compilerFailed() const { return m_compilerFailed; }
    bool packagingProblem() const { return m_packagingProblem; }
    // CLASSPATH as it was before packaging set it; put back when the applet viewer ends.
    QString savedClasspath() const { return m_savedClasspath; }
    // A Palm target is waiting for its delay to pass.
    bool launchWaiting() const { return m_launchWait != nullptr; }

    // Starts the warm compiler in the background for the project and JDK of the moment (when switched on),
    // so the next compile finds it ready.
    void prepareWarmCompiler();
    WarmCompiler& warmCompiler() { return *m_warm; }
    // Makes the applet viewer's class-data archive from the class list of an earlier start, in the
    // background (when switched on and not made yet).
    void makeViewerArchive();
    ViewerArchiveMaker& viewerArchiveMaker() { return *m_archiveMaker; }
    // The viewer's command with the class-data archive's options, as they are to run (the Output window is
    // told which archive or class list it uses).
    QString withViewerArchive(const BuildInputs& in, const QString& command);
    // The application the chain started (the viewer, or a Palm target): whether it runs, and its stop.
    RunningApplication& application() { return *m_application; }

    // The inputs of the command lines, with the JDK's version.
    BuildInputs inputs() const;
    QString compilerCommand() const;

    // The folder problem that keeps a build from starting (a JDK without its compiler, a SuperWaba
    // folder without lib/superwaba.jar), as the text that names the folder; empty when there is none.
    QString toolFolderProblem(bool compiling) const;

private:
    ConsoleRunner* runner(RunnerRole role) const { return m_runners.value(runnerIndex(role)); }
    void setupRunners();
    // Names the wrong folder and offers the Settings at its page; false when the build must not start.
    bool checkToolFolders(bool compiling);
    void startCompiler(ConsoleRunner* compiler, const QString& command);
    // Hands the compile to the warm compiler when it is ready for it; false when the runner must run javac.
    bool startWarmCompile(ConsoleRunner* compiler, const QString& command);
    void warmCompileDone(ConsoleRunner* compiler, const QByteArray& output, int exitCode);
    void compilerLine(const QString& line, bool prefixed);
    // After the compiler's done event: true when the chain may go on.
    bool compilerSucceeded(ConsoleRunner* compiler);
    void toolLine(ConsoleRunner* sender, const QString& line);
    void toolEnded(ConsoleRunner* sender);
    void queueForHotSync(ConsoleRunner* sender, const QString& extension);
    // A tool's done: its package is queued once no packaging tool of the build is still running, so a
    // problem either tool reports holds back both packages, whichever tool ends first.
    void packageReady(ConsoleRunner* sender, const QString& extension);
    QString toolName(ConsoleRunner* tool) const;
    void reportStartFailure(const QString& what, const QString& error);
    void launchApplication();
    void launchPalmTarget(bool simulator);
    // Waits the seconds with the user interface live; false when the launch was cancelled meanwhile.
    bool waitForLaunch(int seconds);
    void switchPackagingOff();

    BuildChainHost& m_host;
    LiveSettings& m_settings;
    QList<ConsoleRunner*> m_runners;
    bool m_compileError = false;
    int m_errorLines = 0;
    int m_warningLines = 0;
    bool m_compilerFailed = false;
    // javac's lines that were not error lines, shown when it fails without any.
    QStringList m_compilerLines;
    bool m_packagingProblem = false;
    QSet<ConsoleRunner*> m_failedTools;
    QSet<ConsoleRunner*> m_packagingRunning;
    QList<std::pair<ConsoleRunner*, QString>> m_packagesReady;
    QString m_savedClasspath;
    std::unique_ptr<WarmCompiler> m_warm;
    std::unique_ptr<ViewerArchiveMaker> m_archiveMaker;
    std::unique_ptr<RunningApplication> m_application;
    // While the warm compiler's answer drives the runner's handlers: its exit code.
    std::optional<std::optional<int>> m_warmExit;
    QPointer<QEventLoop> m_launchWait;
    bool m_launchCancelled = false;
};
