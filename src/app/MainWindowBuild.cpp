// The build chain: compile, package with Warp and Exegen, launch, queue for HotSync.
#include "MainWindow.h"

#include "build/BuildInputs.h"
#include "build/CommandLine.h"
#include "build/CompilerCommand.h"
#include "build/CompilerOutput.h"
#include "build/JdkLevel.h"
#include "build/LaunchCommands.h"
#include "build/OutputWindow.h"
#include "build/PackagingCommands.h"
#include "build/PackagingOutput.h"
#include "build/PalmUserData.h"
#include "build/TGUI2Console.h"
#include "build/WaitSeconds.h"
#include "editor/SourceEditor.h"
#include "ui/MessageDialog.h"
#include "workspace/ClassTemplate.h"
#include "workspace/Environment.h"
#include "workspace/FileCopy.h"
#include "workspace/PathHelpers.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QToolButton>

namespace {

const QString kClasspath = QStringLiteral("CLASSPATH");
const QString kAlreadyRunning = QStringLiteral("Process Already Running");
const QString kSettingsBanner = QStringLiteral("===== Settings ") + QString(45, '=');

} // namespace

void TForm1::setupRunners() {
    for (int i = 1; i <= 9; ++i) {
        auto* runner = new TGUI2Console(this);
        runner->setObjectName(QString("GUI2Console%1").arg(i));
        runner->setPipeSize(ps128k);
        runner->setBufferSize(bs1k);
        m_runners << runner;
    }
    TGUI2Console* compiler = runner(1);
    TGUI2Console* palmCompiler = runner(4);
    TGUI2Console* compileOnly = runner(7);
    for (TGUI2Console* c : {compiler, palmCompiler})
        c->OnLine = [this](TGUI2Console* sender, const QString& line) { compilerLine(sender, line, true); };
    compileOnly->OnLine = [this](TGUI2Console* sender, const QString& line) {
        compilerLine(sender, line, false);
    };
    // A compiler that cannot be started must not pass for a clean compile. A second start while one runs
    // is refused without a word and leaves the running chain alone.
    for (TGUI2Console* c : {compiler, palmCompiler, compileOnly})
        c->OnError = [this](TGUI2Console*, const QString& error) {
            if (error == kAlreadyRunning)
                return;
            m_compilerFailed = true;
            reportStartFailure("the compiler", error);
        };
    compiler->OnDone = [this](TGUI2Console*) {
        if (!m_compileError && !m_compilerFailed)
            StartJava1Click();
    };
    palmCompiler->OnDone = [this](TGUI2Console*) {
        if (m_compileError || m_compilerFailed)
            return;
        const bool palm = m_ui.ToolButton14->isChecked();
        m_liveSettings.setFlag(u"Exegen", palm);
        m_liveSettings.setFlag(u"Warp", palm);
        StartJava1Click();
    };
    compileOnly->OnDone = [this](TGUI2Console*) {
        if (!m_compileError && !m_compilerFailed)
            addMessage("Successful.");
    };

    for (int number : {2, 3, 5}) {
        runner(number)->OnLine = [this](TGUI2Console* sender, const QString& line) {
            toolLine(sender, line);
        };
        runner(number)->OnError = [this](TGUI2Console* sender, const QString& error) {
            if (error == kAlreadyRunning)
                return;
            m_failedTools.insert(sender);
            reportStartFailure(sender == runner(2) ? "Warp" : "Exegen", error);
        };
    }
    runner(2)->OnDone = [this](TGUI2Console* sender) {
        waitSeconds(1);
        toolDone(sender, ".pdb");
    };
    runner(3)->OnDone = [this](TGUI2Console* sender) {
        toolDone(sender, ".prc");
        waitSeconds(1);
    };

    TGUI2Console* viewer = runner(6);
    viewer->setPipeSize(ps256k);
    viewer->setBufferSize(bs4k);
    viewer->OnStart = [this](TGUI2Console*, const QString&) {
        AppRunning = true;
        m_ui.toolActions.value("ToolButton19")->setEnabled(false);
        m_ui.menus.value("Compile1")->menuAction()->setEnabled(false);
    };
    viewer->OnLine = [this](TGUI2Console*, const QString& line) {
        addMessage(line);
        appendOutput(line);
    };
    viewer->OnError = [this](TGUI2Console*, const QString& error) {
        reportStartFailure("the applet viewer", error);
    };
    viewer->OnDone = [this](TGUI2Console*) {
        AppRunning = false;
        m_ui.toolActions.value("ToolButton19")->setEnabled(true);
        m_ui.menus.value("Compile1")->menuAction()->setEnabled(true);
        setEnvironmentValue(kClasspath, m_savedClasspath);
    };

    runner(8)->setAppType(atDontCare);
    runner(8)->setAutoTerminate(true);
    runner(8)->setBufferSize(bs8k);

    m_ui.ListBox3->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu4");
    QAction* clear = menu->addAction("Clear output");
    clear->setObjectName("Clearoutput1");
    QAction* copy = menu->addAction("Copy to clipboard");
    copy->setObjectName("Copytoclipboard1");
    connect(clear, &QAction::triggered, this, &TForm1::Clearoutput1Click);
    connect(copy, &QAction::triggered, this, &TForm1::Copytoclipboard1Click);
    connect(m_ui.ListBox3, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint& at) { menu->popup(m_ui.ListBox3->viewport()->mapToGlobal(at)); });
    connect(m_ui.ListBox3, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox3DblClick);
}

void TForm1::setOutputWindow(OutputWindow* output) {
    m_output = output;
    if (m_output)
        connect(m_output, &OutputWindow::dontOpenAgain, this,
                [this] { m_liveSettings.setFlag(u"OpenOutputWindow", false); });
}

void TForm1::addMessage(const QString& line) {
    m_ui.ListBox3->addItem(line);
    m_ui.ListBox3->setCurrentRow(m_ui.ListBox3->count() - 1);
}

QStringList TForm1::messages() const {
    QStringList lines;
    for (int i = 0; i < m_ui.ListBox3->count(); ++i)
        lines << m_ui.ListBox3->item(i)->text();
    return lines;
}

void TForm1::appendOutput(const QString& line) {
    if (m_output)
        m_output->append(line);
}

void TForm1::reportStartFailure(const QString& what, const QString& error) {
    const QString line = QString("Cannot start %1: %2").arg(what, error);
    addMessage(line);
    appendOutput(line);
}

BuildInputs TForm1::buildInputs() const {
    BuildInputs inputs;
    inputs.paths = m_toolPaths;
    inputs.projectDir = m_project.ProjectDir;
    inputs.projectName = m_project.ProjectName;
    inputs.creatorId = m_liveSettings.creatorId();
    for (const TProjectFile& record : m_files.records())
        (record.Kind == FileKind::Java ? inputs.javaSources : inputs.otherFiles) << record.Name;
    inputs.jdkMajor = jdkMajorVersion(m_toolPaths.jdkPath);
    return inputs;
}

QString TForm1::compilerCommand() const {
    return compilerCommandLine(buildInputs(), CompilerSwitches::fromSettings(m_liveSettings.values()));
}

void TForm1::compilerLine(TGUI2Console*, const QString& line, bool prefixed) {
    if (isErrorLine(line)) {
        addMessage(line);
        m_compileError = true;
    }
    appendOutput(prefixed ? "> java.exe: " + line : line);
}

bool TForm1::mainClassPresent() {
    if (MainWindowOK(m_files, m_project.ProjectName))
        return true;
    messageDialog("MainWindow not found. The MainWindow class name and the project name must be the same.",
                  mtConfirmation, mbOK);
    return false;
}

void TForm1::ToolButton19Click() {
    if (!mainClassPresent())
        return;
    m_ui.toolActions.value("ToolButton19")->setEnabled(false);
    m_compileError = false;
    // Compiling what could not be saved would build something other than what the user sees.
    if (!saveAll())
        return;
    Start1Click();
}

void TForm1::Start1Click() {
    if (!mainClassPresent())
        return;
    for (const QString& line :
         {kSettingsBanner, "SuperWaba Path: " + m_toolPaths.superWabaPath, QString(),
          "JDK Path: " + m_toolPaths.jdkPath, QString(), "Additional Classpath: " + m_toolPaths.classpath,
          QString(), "Palm Emulator: " + m_toolPaths.emulatorPath, kSettingsBanner, QString()})
        appendOutput(line);
    QDir::setCurrent(m_project.ProjectDir);
    m_ui.ListBox3->clear();
    const QString command = compilerCommand();
    addMessage("Compiling...");
    appendOutput("Starting javac.exe");
    appendOutput(command);
    appendOutput(QString());
    runner(1)->setCommand(command);
    runner(4)->setCommand(command);
    m_compileError = false;
    m_compilerFailed = false;
    if (m_liveSettings.flag(u"OpenOutputWindow") && m_output)
        m_output->show();
    (m_ui.ToolButton14->isChecked() ? runner(4) : runner(1))->Start();
    waitSeconds(1);
}

void TForm1::Compile2Click() {
    if (!saveAll())
        return;
    m_ui.ListBox3->clear();
    QDir::setCurrent(m_project.ProjectDir);
    addMessage("Compiling...");
    const QString command = compilerCommand();
    appendOutput("Starting javac.exe");
    appendOutput(command);
    runner(7)->setCommand(command);
    m_compileError = false;
    m_compilerFailed = false;
    if (m_liveSettings.flag(u"OpenOutputWindow") && m_output)
        m_output->show();
    runner(7)->Start();
}

void TForm1::StartJava1Click() {
    m_packagingProblem = false;
    m_failedTools.clear();
    m_savedClasspath = getEnvironmentValue(kClasspath);
    const BuildInputs inputs = buildInputs();
    setEnvironmentValue(kClasspath, toolClasspath(inputs));
    appendOutput(QString());
    appendOutput("Old Classpath: " + m_savedClasspath);
    appendOutput("New Classpath: " + getEnvironmentValue(kClasspath));
    appendOutput(QString());
    if (!QDir::setCurrent(m_project.ProjectDir)) {
        showError(QString("Cannot change to the project folder %1").arg(m_project.ProjectDir));
        return;
    }
    const SettingsValues& settings = m_liveSettings.values();
    const bool warp = settings.flag(u"Warp");
    const bool exegen = settings.flag(u"Exegen");
    if (warp) {
        addMessage("Creating pdb file");
        const QString command = warpCommandLine(inputs, settings);
        appendOutput("======== Warp =========");
        appendOutput("Warp: " + command);
        appendOutput(QString());
        runner(2)->setCommand(command);
        runner(2)->Start();
    }
    if (exegen) {
        appendOutput("======== Exegen =========");
        addMessage("Creating prc file");
        const QString command = exegenCommandLine(inputs, settings);
        appendOutput("Exegen: " + command);
        appendOutput(QString());
        runner(3)->setCommand(command);
        runner(3)->Start();
    }
    launchApplication();
}

void TForm1::toolLine(TGUI2Console* sender, const QString& line) {
    appendOutput((sender == runner(2) ? "> Warp: " : "> Exegen: ") + line);
    for (const QString& problem : toolProblemMessages(line)) {
        messageDialog(problem, mtError, mbOK);
        m_packagingProblem = true;
    }
}

TPalmUserData& TForm1::palmUsers() {
    if (!m_palmUsers)
        m_palmUsers = std::make_unique<TPalmUserData>(m_store);
    return *m_palmUsers;
}

void TForm1::toolDone(TGUI2Console* sender, const QString& extension) {
    // A tool that could not run or reported a problem leaves nothing worth installing.
    if (!m_liveSettings.flag(u"Hotsync") || m_packagingProblem || m_failedTools.contains(sender))
        return;
    const QString file = m_project.ProjectName + extension;
    // Only a file really queued is announced as ready; a failed install says why instead.
    if (palmUsers().installFile(m_liveSettings.number(u"PalmUserNo"), m_project.ProjectDir + file))
        addMessage(file + " is ready for HotSync");
    else
        addMessage(
            QString("%1 could not be queued for HotSync: %2").arg(file, palmUsers().installError().text));
}

void TForm1::launchApplication() {
    const QString target = m_ui.ComboBox1->currentText();
    if (target == QLatin1String("Java")) {
        const QString command = appletViewerCommandLine(
            buildInputs(), m_liveSettings.values(), RemoteDebugging{remoteDebugging, remoteDebuggingAddress});
        appendOutput("Start: " + command);
        runner(6)->setCommand(command);
        runner(6)->Start();
    } else if (target == QLatin1String("Palm Emulator")) {
        launchPalmTarget(false);
    } else if (target == QLatin1String("Palm Simulator")) {
        launchPalmTarget(true);
    }
}

void TForm1::launchPalmTarget(bool simulator) {
    const QString base = m_project.ProjectDir + m_project.ProjectName;
    QString program;
    QStringList arguments;
    if (simulator) {
        program = m_liveSettings.text(u"PalmSim");
        // Without a simulator there is no folder of its own to prepare (and the file system's root is none).
        if (program.isEmpty())
            return;
        const QString folder = QFileInfo(program).absolutePath();
        QDir(folder + "/autorun").removeRecursively();
        waitSeconds(1);
        if (const FileResult made = forceDirectories(folder + "/autorun/"); !made) {
            showError(made.error);
            return;
        }
        for (const char* extension : {".prc", ".pdb"})
            copyFile(base + extension, folder + "/autorun/" + m_project.ProjectName + extension);
    } else {
        program = m_toolPaths.emulatorPath;
        arguments = splitCommandLine(palmEmulatorParameters(buildInputs())).words;
    }
    const int seconds = palmWaitSeconds(m_liveSettings.number(u"Delay"));
    addMessage(palmWaitingText(simulator ? PalmTarget::Simulator : PalmTarget::Emulator, seconds));
    waitSeconds(seconds);
    if (QCoreApplication::closingDown())
        return;
    if (!QProcess::startDetached(program, arguments))
        addMessage(QString("Cannot start %1").arg(program));
    if (m_ui.ToolButton14->isChecked()) {
        m_liveSettings.setFlag(u"Exegen", false);
        m_liveSettings.setFlag(u"Warp", false);
    }
}

void TForm1::ListBox3DblClick() {
    QListWidgetItem* item = m_ui.ListBox3->currentItem();
    if (!item)
        return;
    const std::optional<ErrorLocation> at = parseErrorLine(item->text());
    if (!at)
        return;
    captureEditor(false);
    TProjectFile* record = m_files.findByPath(m_project.ProjectDir + at->fileName);
    if (!record)
        return;
    showFile(record);
    SourceEditor* editor = m_ui.RichEdit1;
    editor->setCaretLine(at->lineNumber);
    editor->bringCaretIntoView();
    editor->setFocus();
    const int line = at->lineNumber - 1;
    editor->setCaretLine(line);
    editor->setSelection(line, 0, line, editor->lines().value(line).size());
}

void TForm1::Clearoutput1Click() {
    m_ui.ListBox3->clear();
}

void TForm1::Copytoclipboard1Click() {
    QString text;
    for (const QString& line : messages())
        text += line + '\r';
    QApplication::clipboard()->setText(text);
}
