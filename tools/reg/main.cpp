// handwright-reg: query and change the settings store from the command line, like Windows' reg.exe.
#include "settings/RegCommand.h"
#include "settings/RegistryStore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#ifndef HW_VERSION
#define HW_VERSION "unknown"
#endif

int main(int argc, char** argv) {
    // Answered before anything else, so that it works without a store.
    if (argc == 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-v") == 0)) {
        std::printf("handwright-reg %s\n", HW_VERSION);
        return 0;
    }
    QCoreApplication app(argc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    RegCommand command(RegistryStore::defaultPath(), in, out, err, isatty(STDIN_FILENO) == 1);
    return command.run(app.arguments().mid(1));
}
