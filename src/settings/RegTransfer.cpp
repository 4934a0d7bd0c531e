#include "RegTransfer.h"

namespace RegTransfer {

namespace {

void collectInto(RegistryStore& store, const FoundKey& key, bool recursive, QList<RegFileKey>& out) {
    RegFileKey section;
    section.path = key.path;
    for (const RegistryEntry& entry : store.values(key.id))
        section.values << RegFileValue{entry.name, entry.value, 0};
    out << section;
    if (!recursive)
        return;
    for (const RegistryStore::SubKey& sub : store.subKeys(key.id))
        collectInto(store, {sub.id, key.path.child(sub.name)}, true, out);
}

RegistryStatus failure(const RegFileKey& key, int line, const QString& error) {
    return RegistryStatus::failure(
        QStringLiteral("Line %1 (%2): %3").arg(line).arg(key.path.toString(), error));
}

} // namespace

std::optional<FoundKey> findKey(RegistryStore& store, const RegistryPath& path) {
    FoundKey found{store.hiveKey(path.hive), RegistryPath{path.hive, {}}};
    for (const QString& name : path.keys) {
        const std::optional<RegistryStore::KeyId> child = store.findSubKey(found.id, name);
        if (!child)
            return std::nullopt;
        found.id = *child;
        found.path.keys << store.keyName(*child);
    }
    return found;
}

QList<RegFileKey> collect(RegistryStore& store, const FoundKey& key, bool recursive) {
    QList<RegFileKey> keys;
    collectInto(store, key, recursive, keys);
    return keys;
}

RegistryStatus apply(RegistryStore& store, const QList<RegFileKey>& keys) {
    RegistryTransaction transaction(store);
    if (!transaction.isActive())
        return RegistryStatus::failure(store.lastError());
    for (const RegFileKey& key : keys) {
        if (key.remove) {
            const std::optional<RegistryStore::KeyId> id = store.findKey(key.path.hive, key.path.keys);
            if (id && !store.deleteKey(*id))
                return failure(key, key.line, store.lastError());
            continue;
        }
        const std::optional<RegistryStore::KeyId> id = store.createKey(key.path.hive, key.path.keys);
        if (!id)
            return failure(key, key.line, store.lastError());
        for (const RegFileValue& value : key.values) {
            const bool done = value.value
                                  ? store.setValue(*id, value.name, *value.value)
                                  : (!store.value(*id, value.name) || store.deleteValue(*id, value.name));
            if (!done)
                return failure(key, value.line, store.lastError());
        }
    }
    if (!transaction.commit())
        return RegistryStatus::failure(store.lastError());
    return RegistryStatus::success();
}

} // namespace RegTransfer
