#include "app/BitmapViewer.h"
#include "app/MainWindow.h"
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

    auto splash = std::make_unique<TForm14>();
    splash->show();
    QApplication::processEvents();

    QApplication::setApplicationName(applicationTitle());
    QApplication::setApplicationDisplayName(applicationTitle());

    // Every window exists once, for the whole run, created in this order; each window's own creation
    // step may read what the main window loaded.
    RegistryStore& store = RegistryStore::instance();
    TForm1 mainWindow(store);
    mainWindow.FormCreate(QApplication::arguments().mid(1));
    TForm2 about(&mainWindow);
    mainWindow.setAboutWindow(&about);
    TForm6 bitmapViewer(&mainWindow);
    mainWindow.setBitmapViewer(&bitmapViewer);

    splash.reset();
    mainWindow.show();
    return app.exec();
}
