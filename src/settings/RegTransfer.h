#pragma once

#include "RegFile.h"
#include "RegistryStatus.h"
#include "RegistryStore.h"

// Moving keys between the store and .reg text.
namespace RegTransfer {

// The key's path with the stored spelling of every name, e.g. "HKEY_LOCAL_MACHINE\SOFTWARE\Kovrin"; nullopt
// when the key does not exist.
struct FoundKey {
    RegistryStore::KeyId id = 0;
    RegistryPath path;
};
std::optional<FoundKey> findKey(RegistryStore& store, const RegistryPath& path);

// The key with its values and, when recursive, all its subkeys: depth first, subkeys in name order.
QList<RegFileKey> collect(RegistryStore& store, const FoundKey& key, bool recursive);

// Applies parsed sections in one transaction: everything or, on the first failure, nothing. Removing a
// key or value that does not exist is no failure.
RegistryStatus apply(RegistryStore& store, const QList<RegFileKey>& keys);

} // namespace RegTransfer
