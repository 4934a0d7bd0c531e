#include "FindFiles.h"

#include "PathHelpers.h"
#include "Wildcard.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

bool search(const QString& folder, const QString& mask, QStringList& target,
            const std::function<bool()>& goOn, QSet<QString>& visited) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical))
        return true;
    visited.insert(canonical);

    const QDir dir(folder);
    const QDir::Filters any = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& name : dir.entryList(any, QDir::Name))
        if (wildcardMatches(mask, name))
            target.append(folder + name);
    if (goOn && !goOn())
        return false;
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!search(folder + name + u'/', mask, target, goOn, visited))
            return false;
    }
    return true;
}

} // namespace

bool findFiles(const QString& folder, const QString& mask, QStringList& target,
               const std::function<bool()>& goOn) {
    // Windows reads "*.*" as every name, with or without a dot.
    const QString pattern = mask == QLatin1String("*.*") ? QStringLiteral("*") : mask;
    QSet<QString> visited;
    return search(withBackslash(folder), pattern, target, goOn, visited);
}
