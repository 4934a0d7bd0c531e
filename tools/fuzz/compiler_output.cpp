// The compiler-error line: a location found names a ".java" file that the line starts with and a line
// number the line holds right after it.
#include "CompilerOutput.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& line : text.split(u'\n')) {
        const std::optional<ErrorLocation> location = parseErrorLine(line);
        if (!location)
            continue;
        FUZZ_CHECK(isErrorLine(line));
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
