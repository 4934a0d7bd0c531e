// handwright-reg: query and change the settings store from the command line, like Windows' reg.exe.
#include "settings/RegCommand.h"
#include "settings/RegistryStore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    RegCommand command(RegistryStore::defaultPath(), in, out, err, isatty(STDIN_FILENO) == 1);
    return command.run(app.arguments().mid(1));
}
