// Breakpoints.txt as a project brings it, and the jdb commands made of what was read.
#include "FuzzCheck.h"
#include "debug/DebuggerBreakpoints.h"
#include "workspace/Breakpoints.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList problems;
    const BreakpointSet set = BreakpointSet::parse(bytes, problems);
    if (set.readOnly()) {
        FUZZ_CHECK(set.isEmpty() && !problems.isEmpty());
        return 0;
    }
    for (const QString& file : set.files()) {
        FUZZ_CHECK(Breakpoints::nameProblem(file).isEmpty());
        FUZZ_CHECK(!set.lines(file).isEmpty() && set.lines(file).first() >= 1);
    }
    // Written and read again: the same breakpoints, and the lines that could not be read kept as they were.
    QStringList again;
    FUZZ_CHECK(BreakpointSet::parse(set.text(), again) == set);
    FUZZ_CHECK(again.size() == problems.size());

    // Whatever the file names, each becomes one "stop at Class:line" line or nothing.
    const QStringList source = QString::fromUtf8(bytes).split(u'\n');
    for (const QString& command : stopCommands(set, [&](const QString&) { return std::optional(source); })) {
        FUZZ_CHECK(command.startsWith(QLatin1String("stop at ")));
        const QString rest = command.mid(8);
        FUZZ_CHECK(!rest.contains(u' ') && !rest.contains(u'\n') && !rest.contains(u'\r') &&
                   !rest.startsWith(u'-'));
    }
    return 0;
}
