#pragma once

#include "RegFile.h"
#include "RegistryStatus.h"
#include "RegistryStore.h"

#include <functional>

// Moving keys between the store and .reg text.
namespace RegTransfer {

// The key's path with the stored spelling of every name, e.g. "HKEY_LOCAL_MACHINE\SOFTWARE\Kovrin"; nullopt
// when the key does not exist.
struct FoundKey {
    RegistryStore::KeyId id = 0;
    RegistryPath path;
};
std::optional<FoundKey> findKey(RegistryStore& store, const RegistryPath& path);

// Fails, naming the key, when keys below it lie deeper than RegistryStore::maxKeyDepth: such a tree is
// refused whole rather than listed with paths that grow with every level.
RegistryStatus checkDepth(RegistryStore& store, const FoundKey& key);

// Hands the key with its values and, when recursive, every key below it to `visit`: depth first, subkeys
// in name order. The walk keeps one list of subkeys per level instead of recursing, so its memory grows
// with the depth and its time with the number of keys. `visit` returns false to stop the walk.
RegistryStatus walk(RegistryStore& store, const FoundKey& key, bool recursive,
                    const std::function<bool(const RegFileKey&)>& visit);

// Applies parsed sections in one transaction: everything or, on the first failure, nothing. Removing a
// key or value that does not exist is no failure.
RegistryStatus apply(RegistryStore& store, const QList<RegFileKey>& keys);

} // namespace RegTransfer
