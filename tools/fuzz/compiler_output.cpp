// The compiler's lines: only a line naming a source is an error or a warning, and a location found names
// a ".java" file that the line starts with and a line number the line holds right after it.
#include "CompilerOutput.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& line : text.split(u'\n')) {
        const CompilerLine kind = judgeCompilerLine(line);
        FUZZ_CHECK(isErrorLine(line) == (kind == CompilerLine::Error));
        FUZZ_CHECK(kind == CompilerLine::Other || line.contains(QLatin1String(".java:")));
        const std::optional<ErrorLocation> location = parseErrorLine(line);
        if (!location)
            continue;
        FUZZ_CHECK(kind != CompilerLine::Other);
        FUZZ_CHECK(location->fileName.endsWith(QLatin1String(".java")));
        FUZZ_CHECK(line.startsWith(location->fileName + u':'));
        FUZZ_CHECK(location->lineNumber >= 1);
        const QString after = line.mid(location->fileName.size() + 1);
        FUZZ_CHECK(after.startsWith(QString::number(location->lineNumber) + u':') ||
                   after.section(u':', 0, 0).toInt() == location->lineNumber);
        FUZZ_CHECK(!line.contains(QLatin1String(" at ")));
    }
    return 0;
}
