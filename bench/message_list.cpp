// How fast the message list takes a running application's output: the applet viewer's runner of the main
// window hands the lines of a child (60 characters each) to the window, which lists each one and selects
// the last, as it does for a running application. Timed from the start of the child until every line is
// listed, the last one selected and the list painted, in a shown window.
//   FIGURE message_list_100k <seconds> s         (100,000 lines; the median of three runs)
// usage: message_list [line-count]   (another count prints FIGURE message_list_<count>, one run)
#include "app/MainWindow.h"
#include "app/MainWindowUi.h"
#include "build/CommandLine.h"
#include "build/ConsoleRunner.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int LineWidth = 60;

// Seconds until the window shows every line; negative on failure.
double listRound(MainWindow& window, const QString& helper, int count) {
    ConsoleRunner* viewer = window.runner(RunnerRole::AppletViewer);
    auto* list = window.ui().messageList;
    list->clear();
    QCoreApplication::processEvents();
    viewer->setCommand(quoteCommandWord(helper) + QStringLiteral(" lines %1 %2").arg(count).arg(LineWidth));
    QElapsedTimer timer;
    timer.start();
    viewer->start();
    while (viewer->isRunning() || list->count() < count || list->currentRow() != count - 1)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    list->viewport()->repaint();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const QScrollBar* bar = list->verticalScrollBar();
    if (window.messages().size() != count || window.messages().last().size() != LineWidth ||
        bar->value() != bar->maximum()) {
        std::fprintf(stderr, "message_list: %lld lines listed, the last one %s\n",
                     qlonglong(window.messages().size()),
                     bar->value() == bar->maximum() ? "in view" : "out of view");
        return -1;
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 1 ? 1 : 3;
    QTemporaryDir dir;
    RegistryStore store(dir.filePath("registry.sqlite"));
    MainWindow window(store);
    window.startUp({});
    window.resize(1000, 700);
    window.show();
    QCoreApplication::processEvents();

    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        times.push_back(listRound(window, QStringLiteral(HW_RUNNER_HELPER), count));
        if (times.back() < 0)
            return 1;
    }
    std::sort(times.begin(), times.end());
    const QByteArray name = count == 100000 ? QByteArray("100k") : QByteArray::number(count);
    std::printf("FIGURE message_list_%s %.3f s\n", name.constData(), times[times.size() / 2]);
    return 0;
}
