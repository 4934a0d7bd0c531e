// A program that runs one console child through a runner and then ends, to show that its children die
// with it. usage: hw_runner_host quit|exit|signal COMMAND
// Every line of the child is printed. On the line "grandchild PID" the host leaves:
//   quit    quits the event loop and then ends with _Exit, so only the aboutToQuit hook could kill;
//   exit    calls exit(0) from inside the line handler, so only the exit hook could kill.
// With signal it prints "host PID" and stays, watching for termination signals as the IDE does; a signal
// ends its event loop, and it then ends with _Exit.
// The runner is never destroyed: its destructor would kill the child too.
#include "build/ConsoleRunner.h"
#include "build/ShutdownSignals.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "quit" && mode != "exit" && mode != "signal") {
        std::fprintf(stderr, "usage: hw_runner_host quit|exit|signal COMMAND\n");
        return 64;
    }
    const bool viaExit = mode == "exit";
    if (mode == "signal") {
        ShutdownSignals::install();
        std::printf("host %d\n", int(getpid()));
        std::fflush(stdout);
    }
    auto* runner = new ConsoleRunner;
    runner->setCommand(QString::fromLocal8Bit(argv[2]));
    runner->setLineHandler([&](ConsoleRunner*, const QString& line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        if (mode == "signal" || !line.startsWith(QLatin1String("grandchild ")))
            return;
        if (viaExit)
            std::exit(0);
        app.quit();
    });
    runner->setErrorHandler([](ConsoleRunner*, const QString& error) {
        std::printf("error %s\n", qPrintable(error));
        std::fflush(stdout);
    });
    QTimer::singleShot(0, runner, &ConsoleRunner::start);
    app.exec();
    std::fflush(stdout);
    std::_Exit(0);
}
