#include "ContextHelp.h"

#include <QUrl>

namespace ContextHelp {

namespace {

bool stopsLeftScan(QChar c) {
    switch (c.unicode()) {
    case ' ':
    case ',':
    case '.':
    case '(':
    case '[':
    case '+':
    case '*':
    case '/':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

bool stopsRightScan(QChar c) {
    switch (c.unicode()) {
    case ' ':
    case '.':
    case ';':
    case ',':
    case ')':
    case ']':
    case '+':
    case '*':
    case '/':
    case '(':
    case '\t':
        return true;
    default:
        return false;
    }
}

} // namespace

QString wordAtCaret(const QString& line, int column) {
    // Positions are 1-based: position p is line[p - 1], and position 0 lies before the line.
    qsizetype position = qBound<qsizetype>(0, qsizetype(column), line.size());
    while (position > 0 && !stopsLeftScan(line[position - 1]))
        --position;
    qsizetype end = position;
    while (end < line.size() && !stopsRightScan(line[end]))
        ++end;
    return line.mid(position, end - position);
}

std::optional<QString> findDocPage(const QStringList& docFiles, const QString& word) {
    const QString needle = QLatin1Char('/') + word + QLatin1String(".html");
    for (const QString& entry : docFiles)
        if (entry.contains(needle, Qt::CaseSensitive))
            return entry;
    return std::nullopt;
}

ClassHelpTarget classHelpTarget(const QStringList& docFiles, const QString& word,
                                const QString& programFolder,
                                const std::function<bool(const QString&)>& fileExists) {
    const std::optional<QString> page = findDocPage(docFiles, word);
    if (!page)
        return {ClassHelpTarget::ShowPage, fileUrl(programFolder + QLatin1String("/noDocHelp.html"))};
    if (!fileExists(*page))
        return {ClassHelpTarget::KeepCurrent, {}};
    return {ClassHelpTarget::ShowPage, fileUrl(*page)};
}

QString fileUrl(const QString& path) {
    // "//sdk/docs" is the local "/sdk/docs", but in an address "sdk" would be read as a host: one leading
    // slash is enough.
    qsizetype slashes = 0;
    while (slashes < path.size() && path.at(slashes) == u'/')
        ++slashes;
    const QString local = slashes > 1 ? path.mid(slashes - 1) : path;
    // The plain "file://" + path, with the characters an address would misread ('#', '?', '%') escaped.
    return QUrl::fromLocalFile(local).toString(QUrl::PrettyDecoded);
}

} // namespace ContextHelp
