// A program that runs one console child through a runner and then ends, to show that its children die
// with it. usage: hw_runner_host quit|exit COMMAND
// Every line of the child is printed. On the line "grandchild PID" the host leaves:
//   quit  quits the event loop and then ends with _Exit, so only the aboutToQuit hook could kill;
//   exit  calls exit(0) from inside the line handler, so only the exit hook could kill.
// The runner is never destroyed: its destructor would kill the child too.
#include "build/TGUI2Console.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3 || (std::strcmp(argv[1], "quit") != 0 && std::strcmp(argv[1], "exit") != 0)) {
        std::fprintf(stderr, "usage: hw_runner_host quit|exit COMMAND\n");
        return 64;
    }
    const bool viaExit = std::strcmp(argv[1], "exit") == 0;
    auto* runner = new TGUI2Console;
    runner->setCommand(QString::fromLocal8Bit(argv[2]));
    runner->OnLine = [&](TGUI2Console*, const QString& line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        if (!line.startsWith(QLatin1String("grandchild ")))
            return;
        if (viaExit)
            std::exit(0);
        app.quit();
    };
    runner->OnError = [](TGUI2Console*, const QString& error) {
        std::printf("error %s\n", qPrintable(error));
        std::fflush(stdout);
    };
    QTimer::singleShot(0, runner, &TGUI2Console::Start);
    app.exec();
    std::fflush(stdout);
    std::_Exit(0);
}
