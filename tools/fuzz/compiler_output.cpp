// The compiler's lines: only a line naming a source is an error or a warning, and a location found names
// a ".java" file that the line starts with and a line number the line holds right after it. javac's
// warning form is never taken for an error (that would stop a build whose classes were written), and its
// error form never for a warning, whatever the path and the message hold.
#include "CompilerOutput.h"
#include "FuzzCheck.h"

namespace {

void checkLine(const QString& line) {
    const CompilerLine kind = judgeCompilerLine(line);
    FUZZ_CHECK(isErrorLine(line) == (kind == CompilerLine::Error));
    FUZZ_CHECK((kind == CompilerLine::Other) == !line.contains(QLatin1String(".java:")));
    const std::optional<ErrorLocation> location = parseErrorLine(line);
    if (!location)
        return;
    FUZZ_CHECK(kind != CompilerLine::Other);
    FUZZ_CHECK(location->fileName.endsWith(QLatin1String(".java")));
    FUZZ_CHECK(line.startsWith(location->fileName + u':'));
    FUZZ_CHECK(location->lineNumber >= 1);
    const QString after = line.mid(location->fileName.size() + 1);
    FUZZ_CHECK(after.startsWith(QString::number(location->lineNumber) + u':') ||
               after.section(u':', 0, 0).toInt() == location->lineNumber);
    FUZZ_CHECK(!line.contains(QLatin1String(" at ")));
}

// "<path>.java:<number>: warning: <message>" and the same with "error:", built from a line of the
// input: the path is what comes before the line's first ".java:" (so the line's own marker is the
// first one), the message is the whole line.
void checkJavacForms(const QString& line) {
    const QString path = line.left(line.indexOf(QLatin1String(".java:")));
    const int number = 1 + int(line.size() % 100000);
    const QString source = path + QLatin1String(".java");
    const QString head = source + u':' + QString::number(number) + u':';
    const QString warning = head + QLatin1String(" warning: ") + line;
    const QString error = head + QLatin1String(" error: ") + line;
    FUZZ_CHECK(judgeCompilerLine(warning) == CompilerLine::Warning);
    FUZZ_CHECK(!isErrorLine(warning));
    FUZZ_CHECK(judgeCompilerLine(error) == CompilerLine::Error);
    // Both point at the source and the line, unless the text reads as a stack trace.
    for (const QString& judged : {warning, error}) {
        const std::optional<ErrorLocation> location = parseErrorLine(judged);
        FUZZ_CHECK(bool(location) == !judged.contains(QLatin1String(" at ")));
        if (location)
            FUZZ_CHECK(*location == (ErrorLocation{source, number}));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& line : text.split(u'\n')) {
        checkLine(line);
        checkJavacForms(line);
    }
    return 0;
}
