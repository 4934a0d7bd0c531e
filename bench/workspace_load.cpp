// Loading a project of 2,000 files into the main window, and switching between two 50,000-line buffers.
//   FIGURE project_2000_files_load <seconds> s
//   FIGURE switch_50k_line_buffers <milliseconds> ms   (median of 20 switches)
#include "app/MainWindow.h"
#include "editor/SourceEditor.h"
#include "settings/RegistryStore.h"
#include "workspace/WorkspaceSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void writeLines(const QString& path, int count, const QString& pattern) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::exit(1);
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += pattern.arg(i).toUtf8() + "\r\n";
    file.write(bytes);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    RegistryStore store(folder + "registry.sqlite");

    QStringList project{"Big", "", "", ""};
    for (int i = 0; i < 2000; ++i) {
        const QString name = QString("Class%1.java").arg(i, 4, 10, QChar('0'));
        writeLines(folder + name, 60, "    int field%1 = 0; // a line of an ordinary source file");
        project << name;
    }
    writeLines(folder + "Big.hwp", 0, "");
    {
        QFile file(folder + "Big.hwp");
        file.open(QIODevice::WriteOnly);
        file.write((project.join("\r\n") + "\r\n").toUtf8());
    }
    MainWindow window(store);
    window.startUp({});
    QElapsedTimer timer;
    timer.start();
    window.session().loadProject(folder + "Big.hwp");
    window.refreshFileLists();
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    if (window.files().count() != 2000)
        return 1;

    writeLines(folder + "Huge1.java", 50000, "    int value%1 = compute(%1); // fifty thousand lines");
    writeLines(folder + "Huge2.java", 50000, "    double other%1 = measure(%1) * 2.0;");
    writeLines(folder + "Huge.hwp", 0, "");
    {
        QFile file(folder + "Huge.hwp");
        file.open(QIODevice::WriteOnly);
        file.write("Huge\r\n\r\n\r\n\r\nHuge1.java\r\nHuge2.java\r\n");
    }
    window.session().loadProject(folder + "Huge.hwp");
    window.refreshFileLists();
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    std::vector<double> switches;
    for (int i = 0; i < 20; ++i) {
        timer.restart();
        window.ui().sourceList->setCurrentRow(i % 2);
        QApplication::processEvents();
        switches.push_back(timer.nsecsElapsed() / 1e6);
    }
    if (window.editor()->lineCount() != 50000)
        return 1;
    std::sort(switches.begin(), switches.end());
    std::printf("FIGURE project_2000_files_load %.3f s\n", loadSeconds);
    std::printf("FIGURE switch_50k_line_buffers %.1f ms\n", switches[switches.size() / 2]);
    return 0;
}
