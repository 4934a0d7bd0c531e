#include "CompilerOutput.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr QLatin1String javaMarker(".java:");
constexpr QLatin1String warningMarker(": warning:");

} // namespace

CompilerLine judgeCompilerLine(const QString& line) {
    const qsizetype marker = line.indexOf(javaMarker);
    if (marker < 0)
        return CompilerLine::Other;
    // javac writes a warning as "<file>.java:<line>: warning: ..."; everything else naming a source
    // stays an error, so a line of unknown form never lets a broken build go on.
    qsizetype at = marker + javaMarker.size();
    const qsizetype digits = at;
    while (at < line.size() && line[at] >= u'0' && line[at] <= u'9')
        ++at;
    if (at > digits && QStringView(line).sliced(at).startsWith(warningMarker))
        return CompilerLine::Warning;
    return CompilerLine::Error;
}

bool isErrorLine(const QString& line) {
    return judgeCompilerLine(line) == CompilerLine::Error;
}

QString compileCountText(int errors, int warnings) {
    QStringList parts;
    if (errors > 0)
        parts << (errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors));
    if (warnings > 0)
        parts << (warnings == 1 ? QStringLiteral("1 warning") : QStringLiteral("%1 warnings").arg(warnings));
    return parts.join(QStringLiteral(", "));
}

std::optional<ErrorLocation> parseErrorLine(const QString& line) {
    if (line == QStringLiteral("Compiling...") || line.contains(QStringLiteral(" at ")))
        return std::nullopt;
    const qsizetype marker = line.indexOf(javaMarker);
    if (marker < 0)
        return std::nullopt;
    const qsizetype numberStart = marker + javaMarker.size();
    const qsizetype numberEnd = line.indexOf(u':', numberStart);
    if (numberEnd < 0)
        return std::nullopt;
    const QStringView digits = QStringView(line).sliced(numberStart, numberEnd - numberStart);
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const int number = digits.toInt(&ok);
    // Line numbers start at 1; a 0 or an overflowing number cannot be a source line.
    if (!ok || number < 1)
        return std::nullopt;
    return ErrorLocation{line.left(marker + 5), number};
}
