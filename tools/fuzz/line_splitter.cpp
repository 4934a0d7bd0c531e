// The runner's line splitter over output arriving in reads of any size: no byte but line breaks and NUL
// is lost or added, no line is empty or longer than the limit, and the cut never splits a UTF-8 character
// of valid output.
#include "FuzzCheck.h"
#include "LineSplitter.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const qsizetype maxLine = input.ConsumeIntegralInRange<qsizetype>(1, 64);
    const std::vector<uint8_t> readSizes = input.ConsumeBytes<uint8_t>(8);
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray output(rest.data(), qsizetype(rest.size()));

    LineSplitter splitter(maxLine);
    const qsizetype limit = qMax<qsizetype>(maxLine, 4);
    QList<QByteArray> lines;
    qsizetype at = 0;
    size_t turn = 0;
    while (at < output.size()) {
        const qsizetype n =
            readSizes.empty() ? output.size() : qMax<qsizetype>(1, readSizes[turn++ % readSizes.size()]);
        const qsizetype take = qMin(n, output.size() - at);
        lines += splitter.feed(QByteArrayView(output).sliced(at, take));
        FUZZ_CHECK(splitter.pending().size() < limit);
        at += take;
    }
    if (const std::optional<QByteArray> last = splitter.finish())
        lines << *last;
    FUZZ_CHECK(splitter.pending().isEmpty());

    QByteArray joined;
    for (const QByteArray& line : lines) {
        FUZZ_CHECK(!line.isEmpty());
        FUZZ_CHECK(line.size() <= limit);
        FUZZ_CHECK(!line.contains('\r') && !line.contains('\n') && !line.contains('\0'));
        joined += line;
        const QString shown = decodeOutputLine(line);
        FUZZ_CHECK(shown.toUtf8() == line || shown.toLatin1() == line);
    }
    QByteArray expected = output;
    expected.removeIf([](char c) { return c == '\r' || c == '\n' || c == '\0'; });
    FUZZ_CHECK(joined == expected);
    return 0;
}
