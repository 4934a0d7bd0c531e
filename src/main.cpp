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
#include "notes/BugsAndNotesWindow.h"
#include "notes/EditNoteWindow.h"
#include "settings/RegistryStore.h"
#include "ui/About.h"
#include "ui/ApplicationTitle.h"
#include "ui/Splash.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv) {
    // The documentation view needs shared GL contexts set before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Ended by a signal, the program still goes through its shutdown, which kills the tools it started.
    ShutdownSignals::install();

    auto splash = std::make_unique<TForm14>();
    splash->show();
    QApplication::processEvents();

    QApplication::setApplicationName(applicationTitle());

    // Every window exists once, for the whole run, created in this order; each window's own creation
    // step may read what the main window loaded.
    RegistryStore& store = RegistryStore::instance();
    TForm1 mainWindow(store);
    mainWindow.FormCreate(QApplication::arguments().mid(1));
    TForm2 about(&mainWindow);
    mainWindow.setAboutWindow(&about);
    TForm3 newProject(mainWindow, &mainWindow);
    mainWindow.setNewProjectWindow(&newProject);
    TForm4 classWizard(mainWindow, &mainWindow);
    mainWindow.setClassWizard(&classWizard);
    TForm5 settings(mainWindow, mainWindow.liveSettings(), &mainWindow);
    mainWindow.setSettingsWindow(&settings);
    TForm6 bitmapViewer(&mainWindow);
    mainWindow.setBitmapViewer(&bitmapViewer);
    TForm7 output(nullptr, &store);
    // The program ends with the main window, whatever other window is still open.
    output.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.setOutputWindow(&output);
    // Ctrl+Space in the editor opens it.
    TForm9 completion(*mainWindow.editor(), &mainWindow);
    // Nothing opens it.
    TForm10 debugInterface(&mainWindow);
    TForm11 bugsAndNotes(&mainWindow, &store);
    mainWindow.setBugsAndNotes(&bugsAndNotes);
    TForm12 editNote(bugsAndNotes, &bugsAndNotes);
    bugsAndNotes.setEditWindow(&editNote);
    TForm13 classHelp(&mainWindow);
    mainWindow.setClassHelpWindow(&classHelp);
    TForm15 debuggerOptions(&mainWindow, &store);
    mainWindow.setDebuggerOptions(&debuggerOptions);

    splash.reset();
    mainWindow.show();
    const int result = app.exec();
    output.close();
    // A register still open is written to its project's folder.
    bugsAndNotes.close();
    return result;
}
