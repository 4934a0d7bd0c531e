#include "ClassTemplate.h"

#include "workspace/PathHelpers.h"

#include <QDir>
#include <algorithm>

namespace ClassTemplate {

QStringList substituteTemplate(const QStringList& lines, const QString& className) {
    QStringList result;
    result.reserve(lines.size());
    for (const QString& line : lines) {
        QString out;
        qsizetype from = 0;
        for (qsizetype at = line.indexOf(kPlaceholder); at >= 0; at = line.indexOf(kPlaceholder, from)) {
            out += QStringView(line).mid(from, at - from);
            out += className;
            from = at + kPlaceholder.size();
        }
        out += QStringView(line).mid(from);
        result << out;
    }
    return result;
}

QStringList templateDisplayNames(const QString& folder) {
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Readable, QDir::Unsorted)) {
        const QString file = info.fileName();
        if (file.size() > kExtension.size() && file.endsWith(kExtension, Qt::CaseSensitive))
            names << file.left(file.size() - kExtension.size());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int blind = a.compare(b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
    return names;
}

QString templatePath(const QString& folder, const QString& displayName) {
    return withBackslash(folder) + displayName + kExtension;
}

TextReadResult generateFromTemplate(const QString& path, const QString& className) {
    TextReadResult read = TextFile::read(path);
    if (read.ok()) {
        read.file.lines = substituteTemplate(read.file.lines, className);
        // A new file gets the program's own line breaks, whatever the template was saved with.
        const TextFormat own;
        read.file.format.lineBreak = own.lineBreak;
        read.file.format.finalLineBreak = own.finalLineBreak;
    }
    return read;
}

} // namespace ClassTemplate

bool MainWindowOK(const FileList& files, const QString& projectName) {
    const QString name = projectName + QStringLiteral(".java");
    return std::ranges::any_of(files.records(),
                               [&](const ProjectRecord& record) { return record.Name == name; });
}

QString javaClassNameProblem(const QString& name) {
    static const QStringList reserved = {
        "abstract", "assert",       "boolean",  "break",     "byte",   "case",      "catch",    "char",
        "class",    "const",        "continue", "default",   "do",     "double",    "else",     "enum",
        "extends",  "final",        "finally",  "float",     "for",    "goto",      "if",       "implements",
        "import",   "instanceof",   "int",      "interface", "long",   "native",    "new",      "package",
        "private",  "protected",    "public",   "return",    "short",  "static",    "strictfp", "super",
        "switch",   "synchronized", "this",     "throw",     "throws", "transient", "try",      "void",
        "volatile", "while",        "true",     "false",     "null",   "_"};
    if (name.isEmpty())
        return QStringLiteral("Please enter a name.");
    const auto javaPart = [](QChar c, bool first) {
        return c.isLetter() || c == u'_' || c == u'$' || (!first && c.isDigit());
    };
    bool first = true;
    for (const QChar c : name) {
        if (!javaPart(c, first))
            return QStringLiteral("\"%1\" is not a Java class name: it must start with a letter, \"_\" or "
                                  "\"$\" and hold only letters, digits, \"_\" and \"$\".")
                .arg(name);
        first = false;
    }
    if (reserved.contains(name))
        return QStringLiteral("\"%1\" is a Java keyword and cannot name a class.").arg(name);
    return {};
}

QString newProjectDir(const QString& path, const QString& name, QChar separator) {
    return withBackslash(withBackslash(path, separator) + name, separator);
}
