#include "RegTransfer.h"

namespace RegTransfer {

namespace {

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

RegistryStatus checkDepth(RegistryStore& store, const FoundKey& key) {
    const std::optional<int> below = store.subtreeDepth(key.id);
    if (!below)
        return RegistryStatus::failure(store.lastError());
    const qsizetype deepest = key.path.keys.size() + *below;
    if (deepest <= RegistryStore::maxKeyDepth)
        return RegistryStatus::success();
    return RegistryStatus::failure(
        QStringLiteral("Keys below %1 lie %2 levels deep, deeper than the %3 levels a key may lie, so the "
                       "tree is neither listed nor exported. Delete it with: handwright-reg delete \"%1\"")
            .arg(key.path.toString())
            .arg(deepest)
            .arg(RegistryStore::maxKeyDepth));
}

RegistryStatus walk(RegistryStore& store, const FoundKey& key, bool recursive,
                    const std::function<bool(const RegFileKey&)>& visit) {
    if (recursive) {
        if (const RegistryStatus depth = checkDepth(store, key); !depth)
            return depth;
    }
    RegFileKey section;
    section.path = key.path;
    // One frame per level below the key: the subkeys of that level and the next one to visit.
    struct Frame {
        QList<RegistryStore::SubKey> subKeys;
        qsizetype next = 0;
    };
    QList<Frame> frames;
    RegistryStore::KeyId id = key.id;
    for (;;) {
        section.values.clear();
        for (const RegistryEntry& entry : store.values(id))
            section.values << RegFileValue{entry.name, entry.value, 0};
        if (!store.lastError().isEmpty())
            return RegistryStatus::failure(store.lastError());
        if (!visit(section))
            return RegistryStatus::success();
        if (!recursive)
            return RegistryStatus::success();
        frames.append({store.subKeys(id), 0});
        if (!store.lastError().isEmpty())
            return RegistryStatus::failure(store.lastError());
        // Up to the nearest level with a subkey left, leaving the names of finished keys behind.
        while (!frames.isEmpty() && frames.last().next == frames.last().subKeys.size()) {
            frames.removeLast();
            if (!frames.isEmpty())
                section.path.keys.removeLast();
        }
        if (frames.isEmpty())
            return RegistryStatus::success();
        const RegistryStore::SubKey& sub = frames.last().subKeys[frames.last().next++];
        section.path.keys << sub.name;
        id = sub.id;
    }
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
