// Notes.ini: the profile reader over any bytes, its text as a fixed point of reading, a written value read
// back unchanged, and the register of bugs and notes saved and loaded again, each write in the encoding
// and with the mark the file was read in (UTF-16 as Notepad writes it stays UTF-16).
#include "FuzzCheck.h"
#include "notes/IniFile.h"
#include "notes/NotesRegister.h"
#include "workspace/TextCodec.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

bool ambiguous(const IniFile::Format& format, const QByteArray& written) {
    // Windows-1252 text that came out as valid UTF-8, or as a UTF-16 mark with whole UTF-16 after it,
    // reads back in that encoding: the file has no mark of its own.
    return format.text.encoding == TextEncoding::Windows1252 &&
           decodeText(written).format.encoding != TextEncoding::Windows1252;
}

// The written bytes read in the format the file was read in.
bool keptFormat(const IniFile::Format& format, const QByteArray& written) {
    const TextFormat reread = decodeText(written).format;
    return reread.encoding == format.text.encoding && reread.byteOrderMark == format.text.byteOrderMark;
}

// A name that writeString can store: its own line, no "=" in a key, no "]" closing a section early.
bool usableKey(const QString& key) {
    return !key.trimmed().isEmpty() && !key.contains(u'=') && !key.contains(u'\r') && !key.contains(u'\n') &&
           !key.trimmed().startsWith(u'[');
}

bool usableSection(const QString& section) {
    return !section.contains(u']') && !section.contains(u'\r') && !section.contains(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString section = QString::fromUtf8(input.ConsumeRandomLengthString(24));
    const QString key = QString::fromUtf8(input.ConsumeRandomLengthString(24));
    const QString value = QString::fromUtf8(input.ConsumeRandomLengthString(64));
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const QString path = fuzz::writeScratch(QStringLiteral("Notes.ini"), bytes);
    IniFile ini(path);
    FUZZ_CHECK(ini.readError().isEmpty());
    for (const QString& name : ini.readSections())
        FUZZ_CHECK(ini.sectionExists(name));
    for (qsizetype i = 0; i < ini.sectionCount(); ++i)
        FUZZ_CHECK(ini.sectionExists(ini.sectionName(i)));

    // What updateFile writes reads back as the same text.
    const QString text = ini.text();
    FUZZ_CHECK(bool(ini.updateFile()));
    if (const QByteArray written = fuzz::readScratch(path); !ambiguous(ini.format(), written)) {
        FUZZ_CHECK(IniFile(path).text() == text);
        FUZZ_CHECK(keptFormat(ini.format(), written));
    }

    // A value written through writeString reads back as it was given.
    if (usableKey(key) && usableSection(section)) {
        IniFile writer(path);
        writer.writeString(section, key, value);
        QString expected = value;
        expected.replace(u'\r', u' ').replace(u'\n', u' ');
        FUZZ_CHECK(writer.readString(section, key, QString()) == expected);
        if (expected.trimmed().isEmpty())
            expected.clear(); // blanks alone are written as they are and read as empty
        FUZZ_CHECK(bool(writer.updateFile()));
        const QByteArray written = fuzz::readScratch(path);
        if (!ambiguous(writer.format(), written)) {
            const IniFile reader(path);
            FUZZ_CHECK(reader.readString(section, key, QString()) == expected);
        }
    }

    // The register: saved and loaded again, the same entries.
    fuzz::writeScratch(QStringLiteral("Notes.ini"), bytes);
    NotesRegister notes;
    if (!notes.load(path)) {
        // Only a file with text but no entry is refused, and it is never replaced.
        FUZZ_CHECK(ini.sectionCount() == 0 && notes.count() == 0);
        FUZZ_CHECK(!notes.save());
        FUZZ_CHECK(fuzz::readScratch(path) == bytes);
        return 0;
    }
    FUZZ_CHECK(notes.count() == ini.sectionCount());
    FUZZ_CHECK(!notes.hasId(QString::number(notes.nextId())));
    FUZZ_CHECK(bool(notes.save()));
    const QByteArray saved = fuzz::readScratch(path);
    NotesRegister loaded;
    FUZZ_CHECK(bool(loaded.load(path)));
    if (!ambiguous(ini.format(), saved)) {
        FUZZ_CHECK(keptFormat(ini.format(), saved));
        FUZZ_CHECK(loaded.count() == notes.count());
        for (int i = 0; i < notes.count(); ++i) {
            const NoteEntry& a = notes.entries()[i];
            const NoteEntry& b = loaded.entries()[i];
            FUZZ_CHECK(a.id == b.id);
            for (auto field : {&NoteEntry::date, &NoteEntry::description, &NoteEntry::priority,
                               &NoteEntry::status, &NoteEntry::fileAndLine})
                FUZZ_CHECK(a.*field == b.*field ||
                           (a.*field).trimmed().isEmpty() == true && (b.*field).isEmpty());
        }
    }
    return 0;
}
