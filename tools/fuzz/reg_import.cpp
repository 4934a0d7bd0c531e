// .reg import into a real store and export of it: importing the export into a fresh store and exporting
// that gives the same file.
#include "FuzzCheck.h"
#include "settings/RegFile.h"
#include "settings/RegTransfer.h"

#include <QFile>
#include <memory>

namespace {

// Everything under both hives, as export writes it.
QByteArray exportAll(RegistryStore& store) {
    QList<RegFileKey> keys;
    for (RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser}) {
        const std::optional<RegTransfer::FoundKey> root = RegTransfer::findKey(store, RegistryPath{hive, {}});
        if (!root)
            continue;
        const RegistryStatus status = RegTransfer::walk(store, *root, true, [&](const RegFileKey& key) {
            keys << key;
            return true;
        });
        FUZZ_CHECK(status.ok());
    }
    const RegFileFormat file = RegFile::format(keys);
    FUZZ_CHECK(file.ok());
    return file.bytes;
}

std::unique_ptr<RegistryStore> freshStore(const QString& name) {
    const QString path = fuzz::scratchDir() + u'/' + name;
    QFile::remove(path);
    auto store = std::make_unique<RegistryStore>(path);
    FUZZ_CHECK(store->openError().isEmpty());
    return store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RegFileParse parsed = RegFile::parse(bytes);
    if (!parsed.ok() || parsed.keys.size() > 64)
        return 0;
    // Names with line breaks cannot be exported; such an import is still applied and must not crash.
    std::unique_ptr<RegistryStore> first = freshStore(QStringLiteral("first.sqlite"));
    if (!RegTransfer::apply(*first, parsed.keys).ok())
        return 0;
    QList<RegFileKey> keys;
    for (RegistryHive hive : {RegistryHive::LocalMachine, RegistryHive::CurrentUser}) {
        if (const auto root = RegTransfer::findKey(*first, RegistryPath{hive, {}}))
            RegTransfer::walk(*first, *root, true, [&](const RegFileKey& key) {
                keys << key;
                return true;
            });
    }
    if (!RegFile::format(keys).ok())
        return 0;
    const QByteArray exported = exportAll(*first);
    const RegFileParse reread = RegFile::parse(exported);
    FUZZ_CHECK(reread.ok());
    std::unique_ptr<RegistryStore> second = freshStore(QStringLiteral("second.sqlite"));
    FUZZ_CHECK(RegTransfer::apply(*second, reread.keys).ok());
    FUZZ_CHECK(exportAll(*second) == exported);
    return 0;
}
