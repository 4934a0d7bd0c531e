#include "Breakpoints.h"

#include "AtomicWrite.h"
#include "WriteTarget.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

namespace {

// A source line is at most this: a larger number is a damaged entry, not a line.
constexpr int kMaxLine = 99999999;
// Problems named one by one in a note; the rest are counted.
constexpr int kNamedProblems = 5;

// The line quoted in a problem, cut short so that a hostile file cannot fill the screen.
QString quoted(const QString& line) {
    constexpr int shown = 60;
    return line.size() <= shown ? line : line.left(shown) + QStringLiteral("...");
}

} // namespace

void BreakpointSet::setLines(const QString& file, QList<int> lines) {
    lines.removeIf([](int line) { return line < 1; });
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    if (lines.isEmpty())
        m_lines.remove(file);
    else
        m_lines.insert(file, lines);
}

bool BreakpointSet::toggle(const QString& file, int line) {
    QList<int> lines = m_lines.value(file);
    const bool set = !lines.contains(line);
    if (set)
        lines << line;
    else
        lines.removeAll(line);
    setLines(file, lines);
    return set && line >= 1;
}

void BreakpointSet::clear() {
    m_lines.clear();
}

QByteArray BreakpointSet::text() const {
    QByteArray out;
    for (auto it = m_lines.cbegin(); it != m_lines.cend(); ++it)
        for (int line : it.value())
            out += (it.key() + u':' + QString::number(line)).toUtf8() + "\r\n";
    for (const QString& kept : m_kept)
        out += kept.toUtf8() + "\r\n";
    return out;
}

BreakpointSet BreakpointSet::unreadable() {
    BreakpointSet set;
    set.m_readOnly = true;
    return set;
}

BreakpointSet BreakpointSet::parse(const QByteArray& bytes, QStringList& problems) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    BreakpointSet set;
    if (decoder.hasError() || bytes.contains('\0')) {
        problems << QStringLiteral("It is not UTF-8 text.");
        return unreadable();
    }
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString entry = line.trimmed();
        if (entry.isEmpty())
            continue;
        const qsizetype colon = entry.lastIndexOf(u':');
        const QString name = colon < 0 ? entry : entry.left(colon).trimmed();
        const QString number = colon < 0 ? QString() : entry.mid(colon + 1).trimmed();
        QString why;
        bool digits =
            !number.isEmpty() && number.size() <= 8 &&
            std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const int lineNumber = digits ? number.toInt() : 0;
        if (colon < 0)
            why = QStringLiteral("no \":line\"");
        else if (!digits || lineNumber < 1 || lineNumber > kMaxLine)
            why = QStringLiteral("\"%1\" is not a line number").arg(quoted(number));
        else
            why = Breakpoints::nameProblem(QString(name).replace(u'\\', u'/'));
        if (!why.isEmpty()) {
            problems << QStringLiteral("Line %1 (\"%2\"): %3.").arg(i + 1).arg(quoted(entry), why);
            set.m_kept << line;
            continue;
        }
        const QString file = QString(name).replace(u'\\', u'/');
        set.setLines(file, set.m_lines.value(file) << lineNumber);
    }
    return set;
}

namespace Breakpoints {

QString nameProblem(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("no file is named");
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("the name holds a control character");
    if (name.startsWith(u'/') || (name.size() > 1 && name.at(1) == u':'))
        return QStringLiteral("the name is not one in the project folder");
    for (const QString& part : name.split(u'/'))
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return QStringLiteral("the name is not one in the project folder");
    if (!name.endsWith(QLatin1String(".java")) || name.endsWith(QLatin1String("/.java")) ||
        name == QLatin1String(".java"))
        return QStringLiteral("the file is not a Java source");
    return QString();
}

ReadResult read(const QString& projectDir) {
    ReadResult result;
    const QString path = projectDir + QLatin1String(kFileName);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return result;
    const auto note = [&](const QString& why) {
        result.note = QStringLiteral("The breakpoints in %1 %2").arg(path, why);
    };
    // Only what really lies in the project folder is read, and so later replaced.
    if (const FileResult target = checkWriteTarget(projectDir, path); !target) {
        note(QStringLiteral("are not read: %1").arg(target.error));
        result.breakpoints = BreakpointSet::unreadable();
        return result;
    }
    QByteArray bytes;
    if (const FileResult readResult = readWholeFile(path, bytes, kReadLimit); !readResult) {
        note(QStringLiteral("are not read: %1").arg(readResult.error));
        result.breakpoints = BreakpointSet::unreadable();
        return result;
    }
    QStringList problems;
    result.breakpoints = BreakpointSet::parse(bytes, problems);
    if (problems.isEmpty())
        return result;
    QStringList named = problems.mid(0, kNamedProblems);
    if (problems.size() > kNamedProblems)
        named << QStringLiteral("and %1 more.").arg(problems.size() - kNamedProblems);
    if (result.breakpoints.readOnly())
        note(QStringLiteral("are not read, and the file is left as it is: %1").arg(named.join(u' ')));
    else
        note(QStringLiteral("could not all be read; what could not is kept in the file as it is. %1")
                 .arg(named.join(u' ')));
    return result;
}

FileResult write(const QString& projectDir, const BreakpointSet& breakpoints) {
    if (breakpoints.readOnly())
        return FileResult::success();
    const QString path = projectDir + QLatin1String(kFileName);
    const QByteArray text = breakpoints.text();
    if (text.isEmpty() && !QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        return FileResult::success();
    if (const FileResult target = checkWriteTarget(projectDir, path); !target)
        return target;
    return writeFileAtomically(path, text);
}

} // namespace Breakpoints
