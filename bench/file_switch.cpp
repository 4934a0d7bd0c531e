// Switching between 50 open files of 10,000 lines each in the main window (offscreen), each file in an
// editor document of its own; beside it, on the same files in the same run, the whole-text replacement
// every switch used to be (the editor's text read back, then setLines with the other file's lines).
//   FIGURE switch_ms <median> ms             (a click on a Source entry until the window has settled)
//   FIGURE switch_ms_max <slowest> ms
//   FIGURE switch_rss_mb <resident size after every file was shown once> MB
//   FIGURE switch_rss_loaded_mb <resident size with the project loaded, one file shown> MB
//   FIGURE switch_setlines_ms <median> ms      (the baseline)
//   FIGURE switch_setlines_ms_max <slowest> ms
#include "app/MainWindow.h"
#include "app/MainWindowAdapters.h"
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

constexpr int kFiles = 50;
constexpr int kLines = 10000;
constexpr int kSwitches = 200;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

QByteArray javaSource(int file) {
    QByteArray bytes = QStringLiteral("class File%1 {\r\n").arg(file).toUtf8();
    for (int i = 1; i + 1 < kLines; ++i)
        bytes += QStringLiteral("    int value%1 = compute(%1, \"file %2\"); /* line %1 */\r\n")
                     .arg(i)
                     .arg(file)
                     .toUtf8();
    return bytes + "}\r\n";
}

double residentMb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

struct Times {
    double median;
    double slowest;
};

Times summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

// A sequence that visits every file and jumps about, as a user going back and forth does.
int rowAt(int step) {
    return (step * 17) % kFiles;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    RegistryStore store(folder + "registry.sqlite");

    QStringList project{"Many", "", "", ""};
    for (int i = 0; i < kFiles; ++i) {
        const QString name = QString("File%1.java").arg(i, 2, 10, QChar('0'));
        writeFile(folder + name, javaSource(i));
        project << name;
    }
    writeFile(folder + "Many.hwp", (project.join("\r\n") + "\r\n").toUtf8());

    MainWindow window(store);
    window.startUp({});
    window.resize(1000, 700);
    window.show();
    if (!window.session().loadProject(folder + "Many.hwp").ok() || window.files().count() != kFiles)
        return 1;
    window.refreshFileLists();
    QApplication::processEvents();
    const double loadedMb = residentMb();

    QListWidget* sources = window.ui().sourceList;
    SourceEditor* editor = window.editor();
    for (int row = 0; row < kFiles; ++row) {
        sources->setCurrentRow(row);
        QApplication::processEvents();
    }
    const double openMb = residentMb();
    if (window.editorBuffer().documents().count() != kFiles)
        return 1;

    std::vector<double> switches;
    QElapsedTimer timer;
    for (int step = 0; step < kSwitches; ++step) {
        const int row = rowAt(step) == sources->currentRow() ? (rowAt(step) + 1) % kFiles : rowAt(step);
        timer.restart();
        sources->setCurrentRow(row);
        QApplication::processEvents();
        switches.push_back(timer.nsecsElapsed() / 1e6);
        if (editor->lineCount() != kLines ||
            window.files().currentFile() != window.files().nthOfKind(FileKind::Java, row))
            return 1;
    }
    for (const ProjectRecord& record : window.files().records())
        if (record.Modified)
            return 1; // a switch must never mark a file edited

    // The old way on the same files: the text read back into the record, the other file's lines set.
    std::vector<double> replacements;
    for (int step = 0; step < kSwitches; ++step) {
        const ProjectRecord* target = window.files().nthOfKind(FileKind::Java, rowAt(step));
        timer.restart();
        const QStringList captured = editor->lines();
        editor->setLines(target->Lines);
        editor->setCaretLine(target->CaretLine);
        editor->setFirstVisibleLine(target->TopLine);
        QApplication::processEvents();
        replacements.push_back(timer.nsecsElapsed() / 1e6);
        if (captured.size() != kLines || editor->lineCount() != kLines)
            return 1;
    }

    const Times shown = summary(switches);
    const Times replaced = summary(replacements);
    std::printf("FIGURE switch_ms %.2f ms\n", shown.median);
    std::printf("FIGURE switch_ms_max %.2f ms\n", shown.slowest);
    std::printf("FIGURE switch_rss_mb %.1f MB\n", openMb);
    std::printf("FIGURE switch_rss_loaded_mb %.1f MB\n", loadedMb);
    std::printf("FIGURE switch_setlines_ms %.2f ms\n", replaced.median);
    std::printf("FIGURE switch_setlines_ms_max %.2f ms\n", replaced.slowest);
    return 0;
}
