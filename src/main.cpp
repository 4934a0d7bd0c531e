#include "app/BitmapViewer.h"
#include "app/ClassHelpWindow.h"
#include "app/ClassWizard.h"
#include "app/MainWindow.h"
#include "app/NewProjectWindow.h"
#include "app/SettingsWindow.h"
#include "build/OutputWindow.h"
#include "build/ShutdownSignals.h"
#include "debug/DebugInterface.h"
#include "debug/DebuggerOptions.h"
#include "editor/CompletionWindow.h"
#include "editor/SourceEditor.h"
#include "notes/BugsAndNotesWindow.h"
#include "notes/EditNoteWindow.h"
#include "settings/RegistryStore.h"
#include "ui/AboutWindow.h"
#include "ui/ApplicationTitle.h"
#include "ui/DisplayCheck.h"
#include "ui/MessageDialog.h"
#include "ui/SplashWindow.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <unistd.h>

#ifndef HW_VERSION
#define HW_VERSION "unknown"
#endif

namespace {

// Qt's own options, which QApplication takes out of the arguments itself; the ones that take a value.
constexpr std::string_view kQtOptionsWithValue[] = {
    "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
    "qwindowtitle", "qwindowicon",        "style",         "stylesheet", "session",
    "display",      "geometry",           "name",          "title"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N> bool listed(const std::string_view (&names)[N], std::string_view name) {
    for (std::string_view each : names)
        if (each == name)
            return true;
    return false;
}

void printUsage() {
    std::fputs("Usage: handwright [OPTION]... [--] [PROJECT.hwp]\n"
               "Kovrin Handwright, the development environment for SuperWaba programs.\n"
               "\n"
               "  -h, --help     show this help and exit\n"
               "  -v, --version  show the version and exit\n"
               "  --             what follows is a file name, even if it starts with '-'\n"
               "\n"
               "A project file (.hwp) given as PROJECT opens on start. Qt's own options (-platform, -style,\n"
               "...) are accepted as well.\n",
               stdout);
}

// Handles the options that end the program before any window (or display) exists. Gives the exit code
// then; otherwise fills `files` with what the main window should open and gives -1.
// `displayGiven` tells whether Qt's -platform or -display option chose where windows go.
int handleOptions(int argc, char** argv, QStringList& files, bool& displayGiven) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files << QString::fromLocal8Bit(argv[i]);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h" || arg == "-?") {
            printUsage();
            return 0;
        }
        if (arg == "--version" || arg == "-v") {
            std::printf("handwright %s\n%s\n%s\n", HW_VERSION, qPrintable(copyrightLine()),
                        qPrintable(licenceNotice()));
            return 0;
        }
        // Qt spells its options with one dash or two, the value after a space or an '='.
        std::string_view name = arg.substr(arg[1] == '-' ? 2 : 1);
        const bool inlineValue = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (listed(kQtFlags, name))
            continue;
        if (listed(kQtOptionsWithValue, name)) {
            displayGiven = displayGiven || name == "platform" || name == "display";
            if (!inlineValue)
                ++i;
            continue;
        }
        std::fprintf(
            stderr,
            "handwright: unknown option '%s'\n"
            "Try 'handwright --help'; to open a file whose name starts with '-', put '--' before it.\n",
            argv[i]);
        return 2;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    QStringList files;
    bool displayGiven = false;
    if (const int code = handleOptions(argc, argv, files, displayGiven); code >= 0)
        return code;
    if (const QString reason = missingDisplayReason(displayGiven); !reason.isEmpty()) {
        std::fprintf(stderr, "handwright: %s\n", reason.toLocal8Bit().constData());
        return 1;
    }

    // The web engine's sandbox cannot run as root, and the engine then ends the whole program, unsaved
    // edits and all, the first time a page is shown; for root the engine runs without it.
    if (geteuid() == 0)
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);

    // No GL context at start: the documentation view makes the shared one it needs on its first page.
    auto platformGuard = std::make_unique<PlatformStartGuard>();
    QApplication app(argc, argv);
    platformGuard.reset();
    // Ended by a signal, the program still goes through its shutdown, which kills the tools it started.
    ShutdownSignals::install();

    auto splash = std::make_unique<SplashWindow>();
    splash->show();
    QApplication::processEvents();

    QApplication::setApplicationName(applicationTitle());
    applyDesktopIdentity();

    // Every window exists once, for the whole run, created in this order (or, for those made on demand,
    // when first opened); each window's own creation step may read what the main window loaded.
    RegistryStore& store = RegistryStore::instance();
    MainWindow mainWindow(store);
    mainWindow.startUp(files);
    // Windows that nothing reads before they are first opened are made then.
    std::unique_ptr<AboutWindow> about;
    mainWindow.setAboutWindow(WindowOnDemand<AboutWindow>([&] {
        about = std::make_unique<AboutWindow>(&mainWindow);
        return about.get();
    }));
    NewProjectWindow newProject(mainWindow, &mainWindow);
    mainWindow.setNewProjectWindow(&newProject);
    std::unique_ptr<ClassWizard> classWizard;
    mainWindow.setClassWizard(WindowOnDemand<ClassWizard>([&] {
        classWizard = std::make_unique<ClassWizard>(mainWindow, &mainWindow);
        return classWizard.get();
    }));
    SettingsWindow settings(mainWindow, mainWindow.liveSettings(), &mainWindow);
    mainWindow.setSettingsWindow(&settings);
    std::unique_ptr<BitmapViewer> bitmapViewer;
    mainWindow.setBitmapViewer(WindowOnDemand<BitmapViewer>([&] {
        bitmapViewer = std::make_unique<BitmapViewer>(&mainWindow);
        return bitmapViewer.get();
    }));
    OutputWindow output(nullptr, &store);
    // The program ends with the main window, whatever other window is still open.
    output.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.setOutputWindow(&output);
    // Ctrl+Space in the editor opens it; made then, it answers every later request itself.
    std::unique_ptr<CompletionWindow> completion;
    QObject::connect(mainWindow.editor(), &SourceEditor::completionRequested, &mainWindow, [&] {
        if (completion)
            return;
        completion = std::make_unique<CompletionWindow>(*mainWindow.editor(), &mainWindow);
        completion->popUpAtCaret();
    });
    // Nothing opens it.
    DebugInterface debugInterface(&mainWindow);
    BugsAndNotesWindow bugsAndNotes(&mainWindow, &store);
    mainWindow.setBugsAndNotes(&bugsAndNotes);
    std::unique_ptr<EditNoteWindow> editNote;
    bugsAndNotes.setEditWindow(WindowOnDemand<EditNoteWindow>([&] {
        editNote = std::make_unique<EditNoteWindow>(bugsAndNotes, &bugsAndNotes);
        return editNote.get();
    }));
    std::unique_ptr<ClassHelpWindow> classHelp;
    mainWindow.setClassHelpWindow(WindowOnDemand<ClassHelpWindow>([&] {
        classHelp = std::make_unique<ClassHelpWindow>(&mainWindow);
        return classHelp.get();
    }));
    DebuggerOptions debuggerOptions(&mainWindow, &store);
    mainWindow.setDebuggerOptions(&debuggerOptions);

    splash.reset();
    mainWindow.show();
    // Said once, over the main window: settings read from a store that cannot be written do not stick.
    if (store.isReadOnly())
        QTimer::singleShot(0, &mainWindow,
                           [&store] { messageDialog(store.readOnlyNotice(), mtWarning, mbOK); });
    const int result = app.exec();
    output.close();
    // A register still open is written to its project's folder.
    bugsAndNotes.close();
    return result;
}
