// The command-line splitter over any text, and quoting: every word quoted splits back to itself, alone and
// joined with others.
#include "CommandLine.h"
#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString word = QString::fromUtf8(input.ConsumeRandomLengthString(64));
    const std::string restBytes = input.ConsumeRemainingBytesAsString();
    const QString line = QString::fromUtf8(restBytes);

    const CommandLineWords quotedAlone = splitCommandLine(quoteCommandWord(word));
    FUZZ_CHECK(quotedAlone.ok());
    FUZZ_CHECK(quotedAlone.words == QStringList{word});

    const CommandLineWords split = splitCommandLine(line);
    if (split.ok()) {
        QStringList quoted;
        for (const QString& w : split.words)
            quoted << quoteCommandWord(w);
        const CommandLineWords again = splitCommandLine(quoted.join(u' '));
        FUZZ_CHECK(again.ok());
        FUZZ_CHECK(again.words == split.words);
    } else {
        FUZZ_CHECK(split.words.isEmpty() || !split.error.isEmpty());
    }
    (void)parseEnvironmentBlock(line);
    return 0;
}
