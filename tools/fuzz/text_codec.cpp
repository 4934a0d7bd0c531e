// The text decoder: decoding then encoding in the format found gives the bytes back; lines split and
// joined again give the same lines; any text read goes through UTF-16 with either mark and back; a text
// file read and written again keeps its lines and its encoding (UTF-16 stays UTF-16), and its bytes when
// it has one kind of line break throughout.
#include "FuzzCheck.h"
#include "TextCodec.h"
#include "TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DecodedText decoded = decodeText(bytes);
    const std::optional<QByteArray> encoded = encodeText(decoded.text, decoded.format);
    FUZZ_CHECK(encoded.has_value());
    FUZZ_CHECK(*encoded == bytes);
    const bool utf16 =
        decoded.format.encoding == TextEncoding::Utf16LE || decoded.format.encoding == TextEncoding::Utf16BE;
    if (utf16)
        FUZZ_CHECK(decoded.format.byteOrderMark && bytes.size() % 2 == 0);
    else
        FUZZ_CHECK((decoded.format.encoding == TextEncoding::Utf8) ==
                   isValidUtf8(bytes.sliced(decoded.format.byteOrderMark ? 3 : 0)));

    // Every text that can be read can be written as UTF-16, which reads back as the same text.
    for (const TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const std::optional<QByteArray> utf16 = encodeText(decoded.text, TextFormat{encoding, true});
        FUZZ_CHECK(utf16.has_value());
        const DecodedText reread = decodeText(*utf16);
        FUZZ_CHECK(reread.format.encoding == encoding && reread.format.byteOrderMark);
        FUZZ_CHECK(reread.text == decoded.text);
    }

    // Windows-1252 holds every byte.
    const std::optional<QByteArray> back = toWindows1252(fromWindows1252(bytes));
    FUZZ_CHECK(back && *back == bytes);

    const QStringList lines = splitTextLines(decoded.text);
    for (const QString& line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    FUZZ_CHECK(splitTextLines(joinTextLines(lines)) == lines);
    // The lines joined with the text's own line breaks split into the same lines, and a text with one
    // kind of line break throughout comes back as it was.
    const TextFormat format = withLineBreaksOf(decoded.format, decoded.text);
    const QString joined = joinTextLines(lines, format);
    FUZZ_CHECK(splitTextLines(joined) == lines);
    FUZZ_CHECK(withLineBreaksOf(format, joined) == format || lines.isEmpty());
    FUZZ_CHECK(joinTextLines(splitTextLines(joined), format) == joined);
    // Saving the lines writes text that reads back as the same lines.
    if (const std::optional<QByteArray> saved = encodeText(joined, format)) {
        const DecodedText reread = decodeText(*saved);
        if (reread.format.encoding == decoded.format.encoding)
            FUZZ_CHECK(splitTextLines(reread.text) == lines);
    }

    // The same through a file: read, written back in place, read again.
    const QString path = fuzz::writeScratch(QStringLiteral("Text.java"), bytes.toByteArray());
    TextReadResult read = TextFile::read(path);
    FUZZ_CHECK(read.ok());
    FUZZ_CHECK(read.file.lines == lines && read.file.format == format);
    FUZZ_CHECK(bool(read.file.write(path)));
    const TextFormat written = read.file.format;
    if (written.encoding != format.encoding) {
        // Only Windows-1252 gives way, to UTF-8, when its bytes would read as something else.
        FUZZ_CHECK(format.encoding == TextEncoding::Windows1252 && written.encoding == TextEncoding::Utf8);
    } else if (joined == decoded.text) {
        FUZZ_CHECK(fuzz::readScratch(path) == bytes);
    }
    const TextReadResult again = TextFile::read(path);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.file.lines == lines && again.file.format == written);
    return 0;
}
