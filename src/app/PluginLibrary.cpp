#include "PluginLibrary.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

void* resolvePluginSymbol(const QString& relativePath, const QString& builtPath, const char* symbol,
                          QString& error) {
    QStringList candidates{QCoreApplication::applicationDirPath() + u'/' + relativePath};
    if (!builtPath.isEmpty())
        candidates << builtPath;
    error.clear();
    for (const QString& path : candidates) {
        QLibrary library(path);
        // Unloading would pull code from under windows and threads the library made.
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (QFunctionPointer entry = library.resolve(symbol)) {
            error.clear();
            return reinterpret_cast<void*>(entry);
        }
        if (error.isEmpty())
            error = library.errorString();
    }
    return nullptr;
}
