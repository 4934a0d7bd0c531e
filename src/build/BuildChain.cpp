#include "BuildChain.h"

#include "BuildChainHost.h"
#include "CommandLine.h"
#include "CompilerCommand.h"
#include "CompilerOutput.h"
#include "ConsoleRunner.h"
#include "JdkLevel.h"
#include "LaunchCommands.h"
#include "LineSplitter.h"
#include "PackagingCommands.h"
#include "PackagingOutput.h"
#include "PalmUserData.h"
#include "RunningApplication.h"
#include "SimulatorAutorun.h"
#include "ViewerArchive.h"
#include "WaitSeconds.h"
#include "WarmCompiler.h"
#include "WarmCompilerProtocol.h"
#include "settings/LiveSettings.h"
#include "workspace/Environment.h"
#include "workspace/PathHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTimer>

namespace {

const QString kClasspath = QStringLiteral("CLASSPATH");
const QString kAlreadyRunning = QStringLiteral("Process Already Running");
const QString kSettingsBanner = QStringLiteral("===== Settings ") + QString(45, '=');
// javac's own lines kept for a failure without error lines; a runaway compiler is cut short.
constexpr int kMaxCompilerLines = 200;

QString targetName(bool simulator) {
    return simulator ? QStringLiteral("Palm Simulator") : QStringLiteral("Palm Emulator");
}

// javac reads every source of a run in one encoding: a project mixing UTF-16 and 8-bit sources is
// refused with the reason before anything is written or started.
bool sourceEncodingsAgree(BuildChainHost& host) {
    BuildInputs in = host.buildInputs();
    in.utf16Sources = utf16SourcesIn(in.projectDir, in.javaSources);
    const QString problem = sourceEncodingProblem(in);
    if (!problem.isEmpty())
        host.showError(problem);
    return problem.isEmpty();
}

// The caption of the Paths page's field that names the program of a Palm target.
QString targetSetting(bool simulator) {
    return simulator ? QStringLiteral("PalmSim.exe from PalmSimulator")
                     : QStringLiteral("Emulator.exe from POSE");
}

} // namespace

BuildChain::BuildChain(BuildChainHost& host, LiveSettings& settings, const QList<ConsoleRunner*>& runners,
                       QObject* parent)
    : QObject(parent), m_host(host), m_settings(settings), m_runners(runners),
      m_warm(std::make_unique<WarmCompiler>(WarmCompiler::defaultJar())),
      m_archiveMaker(std::make_unique<ViewerArchiveMaker>()) {
    Q_ASSERT(m_runners.size() >= BuildChainRunnerCount);
    m_application = std::make_unique<RunningApplication>(*runner(RunnerRole::AppletViewer));
    setupRunners();
}

BuildChain::~BuildChain() {
    cancelLaunch();
}

void BuildChain::setupRunners() {
    ConsoleRunner* compiler = runner(RunnerRole::Compiler);
    ConsoleRunner* palmCompiler = runner(RunnerRole::PalmCompiler);
    ConsoleRunner* compileOnly = runner(RunnerRole::CompileOnly);
    for (ConsoleRunner* c : {compiler, palmCompiler})
        c->setLineHandler([this](ConsoleRunner*, const QString& line) { compilerLine(line, true); });
    compileOnly->setLineHandler([this](ConsoleRunner*, const QString& line) { compilerLine(line, false); });
    // A compiler that cannot be started must not pass for a clean compile. A second start while one runs
    // is refused without a word and leaves the running chain alone.
    for (ConsoleRunner* c : {compiler, palmCompiler, compileOnly})
        c->setErrorHandler([this](ConsoleRunner*, const QString& error) {
            if (error == kAlreadyRunning)
                return;
            m_compilerFailed = true;
            reportStartFailure(QStringLiteral("the compiler"), error);
        });
    compiler->setFinishedHandler([this](ConsoleRunner* sender) {
        if (compilerSucceeded(sender))
            packageAndLaunch();
    });
    palmCompiler->setFinishedHandler([this](ConsoleRunner* sender) {
        if (!compilerSucceeded(sender))
            return;
        const bool palm = m_host.palmTargetChosen();
        m_settings.setFlag(u"Exegen", palm);
        m_settings.setFlag(u"Warp", palm);
        packageAndLaunch();
    });
    compileOnly->setFinishedHandler([this](ConsoleRunner* sender) {
        if (compilerSucceeded(sender))
            m_host.addMessage(QStringLiteral("Successful."), false);
    });

    for (RunnerRole role : {RunnerRole::Warp, RunnerRole::Exegen, RunnerRole::SparePackagingTool}) {
        runner(role)->setLineHandler(
            [this](ConsoleRunner* sender, const QString& line) { toolLine(sender, line); });
        runner(role)->setErrorHandler([this](ConsoleRunner* sender, const QString& error) {
            if (error == kAlreadyRunning)
                return;
            m_failedTools.insert(sender);
            reportStartFailure(toolName(sender), error);
        });
    }
    // A failure counts at once: a Palm target waiting meanwhile must not start on it.
    runner(RunnerRole::Warp)->setFinishedHandler([this](ConsoleRunner* sender) {
        toolEnded(sender);
        waitSeconds(1);
        packageReady(sender, QStringLiteral(".pdb"));
    });
    runner(RunnerRole::Exegen)->setFinishedHandler([this](ConsoleRunner* sender) {
        toolEnded(sender);
        packageReady(sender, QStringLiteral(".prc"));
        waitSeconds(1);
    });

    ConsoleRunner* viewer = runner(RunnerRole::AppletViewer);
    viewer->setStartedHandler([this](ConsoleRunner*, const QString&) {
        m_application->viewerRunning(true);
        m_host.applicationRunning(true);
    });
    viewer->setLineHandler([this](ConsoleRunner*, const QString& line) {
        m_host.addMessage(line, true);
        m_host.appendOutput(line);
    });
    viewer->setErrorHandler([this](ConsoleRunner*, const QString& error) {
        reportStartFailure(QStringLiteral("the applet viewer"), error);
    });
    viewer->setFinishedHandler([this](ConsoleRunner*) {
        m_application->viewerRunning(false);
        m_host.applicationRunning(false);
        setEnvironmentValue(kClasspath, m_savedClasspath);
        makeViewerArchive();
    });
}

BuildInputs BuildChain::inputs() const {
    BuildInputs in = m_host.buildInputs();
    in.jdkMajor = jdkMajorVersion(in.paths.jdkPath);
    in.utf16Sources = utf16SourcesIn(in.projectDir, in.javaSources);
    return in;
}

QString BuildChain::compilerCommand() const {
    return compilerCommandLine(inputs(), CompilerSwitches::fromSettings(m_settings.values()));
}

QString BuildChain::toolFolderProblem(bool compiling) const {
    const ToolPaths paths = m_host.buildInputs().paths;
    const QString program = compiling ? (m_settings.flag(u"OldjavaExe") ? QStringLiteral("bin/oldjavac")
                                                                        : QStringLiteral("bin/javac"))
                                      : QStringLiteral("bin/java");
    // The same concatenation the command lines make, so the check sees what would run.
    if (paths.jdkPath.isEmpty())
        return QStringLiteral("No JDK folder is set.");
    if (!QFileInfo(paths.jdkPath + program).isFile())
        return QStringLiteral("The JDK folder \"%1\" holds no %2.").arg(paths.jdkPath, program);
    if (paths.superWabaPath.isEmpty())
        return QStringLiteral("No SuperWaba folder is set.");
    if (!QFileInfo(paths.superWabaPath + QStringLiteral("lib/superwaba.jar")).isFile())
        return QStringLiteral("The SuperWaba folder \"%1\" holds no lib/superwaba.jar.")
            .arg(paths.superWabaPath);
    return QString();
}

bool BuildChain::checkToolFolders(bool compiling) {
    const QString problem = toolFolderProblem(compiling);
    if (problem.isEmpty())
        return true;
    if (m_host.confirm(problem + QStringLiteral(" Set it on the \"Paths\" page of the Settings.\n\nOpen the "
                                                "Settings now?")))
        m_host.openSettings(QStringLiteral("Paths"));
    return false;
}

void BuildChain::compileAndStart() {
    if (!checkToolFolders(true) || !sourceEncodingsAgree(m_host))
        return;
    const ToolPaths paths = m_host.buildInputs().paths;
    for (const QString& line :
         {kSettingsBanner, "SuperWaba Path: " + paths.superWabaPath, QString(), "JDK Path: " + paths.jdkPath,
          QString(), "Additional Classpath: " + paths.classpath, QString(),
          "Palm Emulator: " + paths.emulatorPath, kSettingsBanner, QString()})
        m_host.appendOutput(line);
    QDir::setCurrent(m_host.buildInputs().projectDir);
    m_host.clearMessages();
    const QString command = compilerCommand();
    m_host.addMessage(QStringLiteral("Compiling..."), false);
    m_host.appendOutput(QStringLiteral("Starting javac.exe"));
    m_host.appendOutput(command);
    m_host.appendOutput(QString());
    runner(RunnerRole::Compiler)->setCommand(command);
    runner(RunnerRole::PalmCompiler)->setCommand(command);
    startCompiler(m_host.palmTargetChosen() ? runner(RunnerRole::PalmCompiler) : runner(RunnerRole::Compiler),
                  command);
    waitSeconds(1);
}

void BuildChain::compile() {
    if (!checkToolFolders(true) || !sourceEncodingsAgree(m_host))
        return;
    m_host.clearMessages();
    QDir::setCurrent(m_host.buildInputs().projectDir);
    m_host.addMessage(QStringLiteral("Compiling..."), false);
    const QString command = compilerCommand();
    m_host.appendOutput(QStringLiteral("Starting javac.exe"));
    m_host.appendOutput(command);
    runner(RunnerRole::CompileOnly)->setCommand(command);
    startCompiler(runner(RunnerRole::CompileOnly), command);
}

void BuildChain::startCompiler(ConsoleRunner* compiler, const QString& command) {
    // A compile still in the warm compiler refuses the next one, as a busy runner does.
    if (m_warm->busy())
        return;
    m_compileError = false;
    m_compilerFailed = false;
    m_errorLines = 0;
    m_warningLines = 0;
    m_compilerLines.clear();
    if (m_settings.flag(u"OpenOutputWindow"))
        m_host.showOutputWindow();
    if (!compiler->isRunning() && startWarmCompile(compiler, command))
        return;
    compiler->start();
}

void BuildChain::makeViewerArchive() {
    if (!m_settings.flag(u"ViewerClassArchive"))
        return;
    const BuildInputs in = inputs();
    if (const std::optional<ViewerArchive> files =
            ViewerArchive::forTools(in.paths.jdkPath, in.paths.superWabaPath, in.jdkMajor))
        m_archiveMaker->make(*files, in.paths.jdkPath);
}

void BuildChain::prepareWarmCompiler() {
    if (!m_settings.flag(u"WarmCompiler"))
        return m_warm->stop();
    const BuildInputs in = m_host.buildInputs();
    if (!in.projectDir.isEmpty() && QFileInfo(in.projectDir).isDir())
        m_warm->prepare(in.paths.jdkPath, QDir(in.projectDir).absolutePath());
}

bool BuildChain::startWarmCompile(ConsoleRunner* compiler, const QString& command) {
    if (!m_settings.flag(u"WarmCompiler")) {
        m_warm->stop();
        return false;
    }
    const QString jdk = m_host.buildInputs().paths.jdkPath;
    const WarmArguments arguments =
        warmArguments(command, jdk, QProcessEnvironment::systemEnvironment().toStringList());
    if (!arguments.ok())
        return false;
    // The server runs where the javac program would: in the current folder, the project's.
    const QString folder = QDir::currentPath();
    m_warm->prepare(jdk, folder);
    // Still starting (or it cannot): this compile runs the javac program meanwhile.
    if (!m_warm->readyFor(jdk, folder))
        return false;
    QPointer<ConsoleRunner> target(compiler);
    QPointer<BuildChain> self(this);
    return m_warm->compile(arguments.arguments, [self, target](const WarmCompiler::Result& result) {
        if (!self || !target)
            return;
        if (result.ran)
            return self->warmCompileDone(target, result.output, result.exitCode);
        self->m_host.appendOutput(QStringLiteral("The warm compiler could not compile (%1): javac runs as a "
                                                 "program.")
                                      .arg(result.failure));
        target->start();
    });
}

void BuildChain::warmCompileDone(ConsoleRunner* compiler, const QByteArray& output, int exitCode) {
    m_host.appendOutput(QStringLiteral("Run by the warm compiler."));
    // The lines and the end reach the chain through the runner's own handlers, cut and decoded as the
    // runner cuts and decodes a program's output.
    LineSplitter splitter;
    QList<QByteArray> lines = splitter.feed(output);
    if (const std::optional<QByteArray> last = splitter.finish())
        lines << *last;
    const ConsoleRunHandlers handlers = compiler->handlers();
    for (const QByteArray& line : std::as_const(lines)) {
        if (handlers.line)
            handlers.line(compiler, decodeOutputLine(line));
    }
    m_warmExit = std::optional<int>(exitCode);
    if (handlers.finished)
        handlers.finished(compiler);
    m_warmExit.reset();
}

void BuildChain::compilerLine(const QString& line, bool prefixed) {
    switch (judgeCompilerLine(line)) {
    case CompilerLine::Error:
        m_compileError = true;
        ++m_errorLines;
        m_host.addMessage(line, false);
        break;
    case CompilerLine::Warning:
        ++m_warningLines;
        m_host.addMessage(line, false);
        break;
    case CompilerLine::Other:
        if (m_compilerLines.size() < kMaxCompilerLines)
            m_compilerLines << line;
        break;
    }
    m_host.appendOutput(prefixed ? "> java.exe: " + line : line);
}

QString BuildChain::compileCounts() const {
    return compileCountText(m_errorLines, m_warningLines);
}

bool BuildChain::compilerSucceeded(ConsoleRunner* compiler) {
    if (m_compileError || m_compilerFailed)
        return false;
    const std::optional<int> status = m_warmExit ? *m_warmExit : compiler->exitStatus();
    if (status == 0)
        return true;
    // javac refused (options it does not take, a file it cannot read) without naming a source: its own
    // lines are all the user gets to see why.
    m_compilerFailed = true;
    for (const QString& line : std::as_const(m_compilerLines))
        m_host.addMessage(line, false);
    const QString verdict = status ? QStringLiteral("The compiler failed with exit status %1.").arg(*status)
                                   : QStringLiteral("The compiler did not finish.");
    m_host.addMessage(verdict, false);
    m_host.appendOutput(verdict);
    return false;
}

void BuildChain::startApplication() {
    if (checkToolFolders(false))
        packageAndLaunch();
}

void BuildChain::packageAndLaunch() {
    m_packagingProblem = false;
    m_failedTools.clear();
    m_savedClasspath = getEnvironmentValue(kClasspath);
    const BuildInputs in = inputs();
    setEnvironmentValue(kClasspath, toolClasspath(in));
    m_host.appendOutput(QString());
    m_host.appendOutput("Old Classpath: " + m_savedClasspath);
    m_host.appendOutput("New Classpath: " + getEnvironmentValue(kClasspath));
    m_host.appendOutput(QString());
    if (!QDir::setCurrent(in.projectDir)) {
        m_host.showError(QStringLiteral("Cannot change to the project folder %1").arg(in.projectDir));
        return;
    }
    const SettingsValues& settings = m_settings.values();
    if (settings.flag(u"Warp")) {
        m_host.addMessage(QStringLiteral("Creating pdb file"), false);
        const QString command = warpCommandLine(in, settings);
        m_host.appendOutput(QStringLiteral("======== Warp ========="));
        m_host.appendOutput("Warp: " + command);
        m_host.appendOutput(QString());
        runner(RunnerRole::Warp)->setCommand(command);
        // A runner still busy refuses the start and raises no done for this build.
        if (!runner(RunnerRole::Warp)->isRunning())
            m_packagingRunning.insert(runner(RunnerRole::Warp));
        runner(RunnerRole::Warp)->start();
    }
    if (settings.flag(u"Exegen")) {
        m_host.appendOutput(QStringLiteral("======== Exegen ========="));
        m_host.addMessage(QStringLiteral("Creating prc file"), false);
        const QString command = exegenCommandLine(in, settings);
        m_host.appendOutput("Exegen: " + command);
        m_host.appendOutput(QString());
        runner(RunnerRole::Exegen)->setCommand(command);
        // A runner still busy refuses the start and raises no done for this build.
        if (!runner(RunnerRole::Exegen)->isRunning())
            m_packagingRunning.insert(runner(RunnerRole::Exegen));
        runner(RunnerRole::Exegen)->start();
    }
    launchApplication();
}

QString BuildChain::toolName(ConsoleRunner* tool) const {
    return tool == runner(RunnerRole::Warp) ? QStringLiteral("Warp") : QStringLiteral("Exegen");
}

void BuildChain::toolLine(ConsoleRunner* sender, const QString& line) {
    m_host.appendOutput("> " + toolName(sender) + ": " + line);
    for (const QString& problem : toolProblemMessages(line)) {
        // Set before the dialog: the other tool may finish while it is on screen.
        m_packagingProblem = true;
        m_host.showError(problem);
    }
}

void BuildChain::toolEnded(ConsoleRunner* sender) {
    if (m_failedTools.contains(sender))
        return; // its start failure has been reported
    const std::optional<int> status = sender->exitStatus();
    if (status == 0)
        return;
    m_failedTools.insert(sender);
    const QString line =
        status ? QStringLiteral("%1 failed with exit status %2.").arg(toolName(sender)).arg(*status)
               : QStringLiteral("%1 did not finish.").arg(toolName(sender));
    m_host.addMessage(line, false);
    m_host.appendOutput(line);
}

void BuildChain::packageReady(ConsoleRunner* sender, const QString& extension) {
    m_packagingRunning.remove(sender);
    m_packagesReady.append({sender, extension});
    if (!m_packagingRunning.isEmpty())
        return;
    // Taken first: queueing may show a message box, and a tool started meanwhile queues its own.
    const QList<std::pair<ConsoleRunner*, QString>> ready = std::exchange(m_packagesReady, {});
    for (const auto& [tool, ext] : ready)
        queueForHotSync(tool, ext);
}

void BuildChain::queueForHotSync(ConsoleRunner* sender, const QString& extension) {
    if (!m_settings.flag(u"Hotsync"))
        return;
    const BuildInputs in = m_host.buildInputs();
    const QString file = in.projectName + extension;
    QString why;
    if (m_failedTools.contains(sender))
        why = QStringLiteral("%1 failed").arg(toolName(sender));
    else if (m_packagingProblem)
        why = QStringLiteral("Warp or Exegen reported a problem");
    else if (PalmUserData& users = m_host.palmUsers();
             !users.installFile(m_settings.number(u"PalmuserNo"), in.projectDir + file))
        why = users.installError().text;
    if (why.isEmpty())
        m_host.addMessage(file + QStringLiteral(" is ready for HotSync"), true);
    else
        m_host.addMessage(QStringLiteral("%1 is not queued for HotSync: %2").arg(file, why), true);
}

void BuildChain::reportStartFailure(const QString& what, const QString& error) {
    const QString line = QStringLiteral("Cannot start %1: %2").arg(what, error);
    m_host.addMessage(line, false);
    m_host.appendOutput(line);
}

void BuildChain::launchApplication() {
    const QString target = m_host.runTarget();
    if (target == QLatin1String("Java")) {
        const RemoteDebugging debugging = m_host.remoteDebugging();
        // A blank would split the debugging option, and the viewer would fail for a reason of its own.
        if (const QString problem = remoteDebuggingProblem(debugging); !problem.isEmpty()) {
            m_host.addMessage(problem, false);
            setEnvironmentValue(kClasspath, m_savedClasspath);
            return;
        }
        const BuildInputs in = inputs();
        const QString command = appletViewerCommandLine(in, m_settings.values(), debugging);
        m_host.appendOutput("Start: " + command);
        runner(RunnerRole::AppletViewer)->setCommand(withViewerArchive(in, command));
        runner(RunnerRole::AppletViewer)->start();
    } else if (target == QLatin1String("Palm Emulator")) {
        launchPalmTarget(false);
    } else if (target == QLatin1String("Palm Simulator")) {
        launchPalmTarget(true);
    }
}

QString BuildChain::withViewerArchive(const BuildInputs& in, const QString& command) {
    if (!m_settings.flag(u"ViewerClassArchive") || m_settings.flag(u"OldjavaExe"))
        return command;
    const std::optional<ViewerArchive> files =
        ViewerArchive::forTools(in.paths.jdkPath, in.paths.superWabaPath, in.jdkMajor);
    if (!files)
        return command;
    const QString options = files->options();
    if (options.isEmpty())
        return command;
    m_host.appendOutput(files->archiveReady()
                            ? QStringLiteral("With the class-data archive ") + files->archive
                            : QStringLiteral("Writing the class list ") + files->list);
    return withLauncherOptions(command, in.convention.word(in.paths.jdkPath + QStringLiteral("bin/java")),
                               options);
}

void BuildChain::launchPalmTarget(bool simulator) {
    const BuildInputs in = inputs();
    const QString target = targetName(simulator);
    const QString program = simulator ? m_settings.text(u"PalmSim") : in.paths.emulatorPath;
    if (program.isEmpty()) {
        m_host.addMessage(
            QStringLiteral("Cannot start the %1: no program is set under \"%2\" on the \"Paths\" "
                           "page of the Settings.")
                .arg(target, targetSetting(simulator)),
            false);
        switchPackagingOff();
        return;
    }
    // Cancelled (the program is closing), the switches still go back as the launch would have set them.
    QPointer<BuildChain> self(this);
    const auto cancelled = [&] {
        if (self)
            switchPackagingOff();
    };
    QStringList arguments;
    if (simulator) {
        const QString folder = QFileInfo(program).absolutePath();
        QStringList names, packages;
        for (const char* extension : {".prc", ".pdb"}) {
            names << in.projectName + extension;
            packages << in.projectDir + names.last();
        }
        clearSimulatorAutorun(folder, names);
        if (!waitForLaunch(1))
            return cancelled();
        if (const FileResult filled = fillSimulatorAutorun(folder, packages); !filled) {
            m_host.showError(filled.error);
            switchPackagingOff();
            return;
        }
    } else {
        arguments = splitCommandLine(palmEmulatorParameters(in)).words;
    }
    const int seconds = palmWaitSeconds(m_settings.number(u"Delay"));
    m_host.addMessage(palmWaitingText(simulator ? PalmTarget::Simulator : PalmTarget::Emulator, seconds),
                      false);
    if (!waitForLaunch(seconds))
        return cancelled();
    if (!m_failedTools.isEmpty()) {
        QStringList failed;
        for (ConsoleRunner* tool :
             {runner(RunnerRole::Warp), runner(RunnerRole::Exegen), runner(RunnerRole::SparePackagingTool)})
            if (m_failedTools.contains(tool))
                failed << toolName(tool);
        m_host.addMessage(QStringLiteral("The %1 is not started: %2 failed.")
                              .arg(target, failed.join(QStringLiteral(" and "))),
                          false);
    } else {
        // In a group of its own, so that Stop application ends it with whatever it starts.
        if (const QString why = m_application->startProgram(program, arguments); !why.isEmpty())
            m_host.addMessage(
                QStringLiteral("Cannot start the %1 %2: %3. Check \"%4\" on the \"Paths\" page of "
                               "the Settings.")
                    .arg(target, program, why, targetSetting(simulator)),
                false);
    }
    switchPackagingOff();
}

void BuildChain::switchPackagingOff() {
    if (!m_host.palmTargetChosen())
        return;
    m_settings.setFlag(u"Exegen", false);
    m_settings.setFlag(u"Warp", false);
}

bool BuildChain::waitForLaunch(int seconds) {
    QPointer<BuildChain> self(this);
    QEventLoop loop;
    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    m_launchWait = &loop;
    timer.start(qMax(seconds, 0) * 1000 + 1);
    loop.exec();
    if (!self)
        return false; // the chain went with its window
    m_launchWait = nullptr;
    // A loop ended early is the program quitting (every loop is told to end), or a cancel.
    return timedOut && !m_launchCancelled && !QCoreApplication::closingDown();
}

void BuildChain::cancelLaunch() {
    m_launchCancelled = true;
    if (m_launchWait)
        m_launchWait->quit();
}
