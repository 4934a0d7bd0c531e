#include "FileCopy.h"

#include "AtomicWrite.h"
#include "SzddExpander.h"

FileResult copyFile(const QString& source, const QString& target) {
    if (source == target)
        return FileResult::success();
    QByteArray bytes;
    if (FileResult r = readWholeFile(source, bytes); !r)
        return r;
    if (isSzdd(bytes)) {
        std::optional<QByteArray> expanded = expandSzdd(bytes);
        if (!expanded)
            return FileResult::cannotRead(source, QStringLiteral("damaged compressed data"));
        bytes = std::move(*expanded);
    }
    return writeFileAtomically(target, bytes);
}
