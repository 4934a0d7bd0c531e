#include "SourceLinks.h"

#include "CompilerOutput.h"

#include <QRegularExpression>

namespace {

std::optional<int> lineNumberOf(const QString& digits) {
    bool ok = false;
    const int number = digits.toInt(&ok);
    if (!ok || number < 1)
        return std::nullopt;
    return number;
}

// "pkg.sub.Class.method" gives "pkg/sub"; inner classes and lambdas keep their class part.
QString packageFolderOf(const QString& qualifiedMethod) {
    QStringList parts = qualifiedMethod.split(u'.');
    if (parts.size() < 3)
        return {};
    parts.removeLast(); // the method
    parts.removeLast(); // the class
    return parts.join(u'/');
}

} // namespace

std::optional<SourceLink> parseSourceLink(const QString& line) {
    static const QRegularExpression frame(
        QStringLiteral(R"(^\s*at\s+(?:[^\s/()]*/)*([^\s/()]+)\(([^():/\\]+\.java):(\d+)\)\s*$)"));
    if (const QRegularExpressionMatch match = frame.match(line); match.hasMatch()) {
        const std::optional<int> number = lineNumberOf(match.captured(3));
        if (!number)
            return std::nullopt;
        return SourceLink{match.captured(2), *number, packageFolderOf(match.captured(1))};
    }
    if (const std::optional<ErrorLocation> compiler = parseErrorLine(line))
        return SourceLink{compiler->fileName, compiler->lineNumber, {}};
    // Elsewhere a name of identifier characters: an exception's message, "Caused by: ... (Util.java:7)".
    static const QRegularExpression mention(QStringLiteral(R"((?<![\w$])([\w$]+\.java):(\d+)(?!\d))"),
                                            QRegularExpression::UseUnicodePropertiesOption);
    if (const QRegularExpressionMatch match = mention.match(line); match.hasMatch())
        if (const std::optional<int> number = lineNumberOf(match.captured(2)))
            return SourceLink{match.captured(1), *number, {}};
    return std::nullopt;
}
