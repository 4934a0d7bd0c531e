// The context-help word scan: the word at any caret is a piece of the line around the caret, and the
// address made of a path leads back to that path.
#include "ContextHelp.h"
#include "FuzzCheck.h"

#include <QUrl>
#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const int column = input.ConsumeIntegralInRange<int>(-4, 300);
    const QString line = QString::fromUtf8(input.ConsumeRemainingBytesAsString());

    const QString word = ContextHelp::wordAtCaret(line, column);
    FUZZ_CHECK(line.contains(word));
    FUZZ_CHECK(!word.contains(u' ') && !word.contains(u'\t') && !word.contains(u'.'));
    const int caret = qBound(0, column, int(line.size()));
    if (!word.isEmpty()) {
        // The word starts at or before the caret, and the right scan's stops end it.
        bool found = false;
        for (qsizetype from = line.indexOf(word); from >= 0 && !found; from = line.indexOf(word, from + 1))
            found = from <= caret;
        FUZZ_CHECK(found);
        for (QChar stop : QStringLiteral(" .;,)]+*/(\t"))
            FUZZ_CHECK(!word.contains(stop));
    }

    const QStringList pages{QStringLiteral("/sdk/docs/html/waba/ui/Button.html"), u'/' + line + ".html"};
    if (const std::optional<QString> page = ContextHelp::findDocPage(pages, word))
        FUZZ_CHECK(page->contains(u'/' + word + QLatin1String(".html")));

    if (!line.contains(u'\0')) {
        // Any absolute path, extra leading slashes included, comes back from its address.
        const QString path = u'/' + line;
        const QString url = ContextHelp::fileUrl(path);
        FUZZ_CHECK(url.startsWith(QLatin1String("file:///")));
        QString local = path;
        while (local.startsWith(QLatin1String("//")))
            local.remove(0, 1);
        FUZZ_CHECK(QUrl(url).toLocalFile() == local);
    }
    return 0;
}
