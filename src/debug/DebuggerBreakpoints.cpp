#include "DebuggerBreakpoints.h"

#include "workspace/AtomicWrite.h"
#include "workspace/Breakpoints.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {

bool isJavaIdentifier(QStringView word) {
    if (word.isEmpty())
        return false;
    const auto start = [](QChar c) { return c.isLetter() || c == u'_' || c == u'$'; };
    const auto part = [&](QChar c) { return start(c) || c.isDigit(); };
    return start(word.front()) && std::all_of(word.begin() + 1, word.end(), part);
}

bool isQualifiedName(const QString& name) {
    const QStringList parts = name.split(u'.');
    return std::all_of(parts.begin(), parts.end(), [](const QString& p) { return isJavaIdentifier(p); });
}

// The source with its comments as blanks, so that words are only split by them.
QString withoutComments(const QStringList& lines) {
    const QString text = lines.join(u'\n');
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'/' && i + 1 < text.size() && text.at(i + 1) == u'/') {
            while (i < text.size() && text.at(i) != u'\n')
                ++i;
            out += u' ';
        } else if (text.at(i) == u'/' && i + 1 < text.size() && text.at(i + 1) == u'*') {
            const qsizetype end = text.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? text.size() : end + 1;
            out += u' ';
        } else {
            out += text.at(i);
        }
    }
    return out;
}

} // namespace

QString javaPackage(const QStringList& lines) {
    // Only the head of the file can hold the declaration; a long file need not be copied whole.
    const QString text = withoutComments(lines.mid(0, 200)).trimmed();
    if (!text.startsWith(QLatin1String("package")) || text.size() < 8 || !text.at(7).isSpace())
        return QString();
    const qsizetype end = text.indexOf(u';');
    if (end < 0)
        return QString();
    QString name = text.mid(8, end - 8);
    name.remove(QChar(u' ')).remove(u'\t').remove(u'\n').remove(u'\r');
    return isQualifiedName(name) ? name : QString();
}

QString javaClassName(const QString& fileName, const QString& package) {
    const QString base = QFileInfo(fileName).fileName();
    if (!base.endsWith(QLatin1String(".java")))
        return QString();
    const QString simple = base.chopped(5);
    if (!isJavaIdentifier(simple) || (!package.isEmpty() && !isQualifiedName(package)))
        return QString();
    return package.isEmpty() ? simple : package + u'.' + simple;
}

QStringList stopCommands(const BreakpointSet& breakpoints, const SourceLinesLookup& sourceLines) {
    QList<std::pair<QString, int>> stops;
    for (const QString& file : breakpoints.files()) {
        const std::optional<QStringList> lines = sourceLines(file);
        if (!lines)
            continue;
        const QString name = javaClassName(file, javaPackage(*lines));
        if (name.isEmpty())
            continue;
        for (int line : breakpoints.lines(file))
            stops.append({name, line});
    }
    std::sort(stops.begin(), stops.end());
    QStringList commands;
    for (const auto& [name, line] : stops)
        commands << QStringLiteral("stop at %1:%2").arg(name).arg(line);
    return commands;
}

JdbStartup writeJdbStartup(const QStringList& commands, const QString& folder, const QString& userHome) {
    JdbStartup startup;
    if (!QDir().mkpath(folder) ||
        !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        startup.error =
            QStringLiteral("Cannot make the folder %1 for the debugger's start commands.").arg(folder);
        return startup;
    }
    QByteArray text = commands.join(u'\n').toUtf8() + '\n';
    // jdb reads no jdb.ini from the real home once user.home is ours: the user's own is read from ours.
    // Its "read" takes one word, so a name with a blank cannot be handed on.
    for (const char* name : {"jdb.ini", ".jdbrc"}) {
        const QString own = QDir(userHome).filePath(QString::fromLatin1(name));
        if (!userHome.isEmpty() && QFileInfo(own).isFile()) {
            if (!own.contains(u' ') && !own.contains(u'\t') && !own.contains(u'\n'))
                text += "read " + QFile::encodeName(own) + '\n';
            break;
        }
    }
    const QString file = QDir(folder).filePath(QStringLiteral("jdb.ini"));
    if (const FileResult written = writeFileAtomically(file, text, Durability::Scratch); !written) {
        startup.error = written.error;
        return startup;
    }
    startup.options << QStringLiteral("-J-Duser.home=") + QDir(folder).absolutePath();
    return startup;
}

QString jdbStartupFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(runtime).filePath(QStringLiteral("kovrin/jdb-%1").arg(QCoreApplication::applicationPid()));
}
