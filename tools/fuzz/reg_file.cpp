// .reg text as import reads it, and export of what was read read back the same.
#include "FuzzCheck.h"
#include "settings/RegFile.h"

namespace {

bool sameKeys(const QList<RegFileKey>& a, const QList<RegFileKey>& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].path.hive != b[i].path.hive || a[i].path.keys != b[i].path.keys ||
            a[i].remove != b[i].remove || a[i].values != b[i].values)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegFileParse parsed = RegFile::parse(bytes);
    if (!parsed.ok())
        return 0;
    for (const RegFileKey& key : parsed.keys) {
        FUZZ_CHECK(key.line >= 1);
        FUZZ_CHECK(!key.path.keys.contains(QString()));
    }
    const RegFileFormat exported = RegFile::format(parsed.keys);
    if (!exported.ok())
        return 0; // a key or value name with a line break, reported
    FUZZ_CHECK(exported.bytes.startsWith(RegFile::byteOrderMark));
    const RegFileParse again = RegFile::parse(exported.bytes);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.warnings.isEmpty());
    FUZZ_CHECK(sameKeys(again.keys, parsed.keys));
    return 0;
}
