// Context help as the user meets it: from the editor's "Help" entry until the Class Help window has loaded
// the class page of the word at the caret, in a shown main window over the built stand-in SDK's
// documentation. The first time pays for the web engine's start; later times only for the page.
//   FIGURE class_help_first <seconds> s    (one run: the engine starts once per process)
//   FIGURE class_help_again <ms> ms        (the median of nine, alternating between two classes)
// usage: class_help [sdk-folder]   (default: the build folder's sdk/)
#include "app/ClassHelpWindow.h"
#include "app/LazyWebView.h"
#include "app/MainWindow.h"
#include "app/MainWindowUi.h"
#include "editor/SourceEditor.h"
#include "settings/RegistryKey.h"
#include "settings/RegistryStore.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// Seconds from the "Help" entry until the window has loaded a page ending in `tail`; negative on failure.
double helpRound(MainWindow& window, ClassHelpWindow& help, int column, const QString& tail) {
    window.editor()->setCaretLine(0);
    window.editor()->setCaretColumn(column);
    bool loaded = false;
    const QMetaObject::Connection connection =
        QObject::connect(help.WebBrowser1, &LazyWebView::loadFinished, [&](bool ok) {
            loaded = ok && help.WebBrowser1->pendingOrCurrentUrl().endsWith(tail);
        });
    QElapsedTimer timer;
    timer.start();
    window.ui().editorMenuActions.value("Help1")->trigger();
    while (!loaded && timer.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    const double seconds = timer.nsecsElapsed() / 1e9;
    QObject::disconnect(connection);
    if (!loaded || !help.isVisible()) {
        std::fprintf(stderr, "class_help: %s not shown\n", qPrintable(tail));
        return -1;
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir dir;
    // The engine keeps caches and a profile: none of them lands in the user's folders.
    for (const char* name : {"XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        qputenv(name, dir.filePath(name).toLocal8Bit());
    QDir().mkpath(dir.filePath("runtime"));
    QFile::setPermissions(dir.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", dir.filePath("runtime").toLocal8Bit());
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && qgetenv("QTWEBENGINE_DISABLE_SANDBOX").isEmpty())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // As in the program: nothing of the web engine before the first page (its library is loaded then).
    QApplication app(argc, argv);

    const QString sdk =
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../sdk")
            .canonicalPath() +
        "/";
    if (!QFileInfo::exists(sdk + "docs/html/waba/ui/Button.html")) {
        std::fprintf(stderr, "class_help: no documentation in %s (build hw_sdk_docs first)\n",
                     qPrintable(sdk));
        return 2;
    }
    RegistryStore store(dir.filePath("registry.sqlite"));
    {
        RegistryKey key(store);
        if (!key.openKey("SOFTWARE\\Kovrin\\Orrery 1.0\\Paths", true) ||
            !key.writeString("SuperWabaPath", sdk))
            return 2;
    }
    MainWindow window(store);
    window.startUp({});
    ClassHelpWindow help(&window);
    window.setClassHelpWindow(&help);
    window.resize(1000, 700);
    window.show();
    window.editor()->setEnabled(true);
    window.editor()->setLines({"Button b = new Button(); Label l = new Label();"});
    QCoreApplication::processEvents();

    const double first = helpRound(window, help, 21, "/waba/ui/Button.html");
    if (first < 0)
        return 1;
    std::vector<double> again;
    for (int i = 0; i < 9; ++i) {
        const bool label = i % 2 == 0;
        const double t = helpRound(window, help, label ? 44 : 21, label ? "/Label.html" : "/Button.html");
        if (t < 0)
            return 1;
        again.push_back(t);
    }
    std::sort(again.begin(), again.end());
    std::printf("FIGURE class_help_first %.3f s\n", first);
    std::printf("FIGURE class_help_again %.1f ms\n", again[again.size() / 2] * 1000);
    return 0;
}
