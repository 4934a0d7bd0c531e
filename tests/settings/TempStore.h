#pragma once

#include "settings/RegistryStore.h"

#include <QTemporaryDir>
#include <memory>

// A store in its own temporary folder, removed with the fixture.
struct TempStore {
    QTemporaryDir dir;
    std::unique_ptr<RegistryStore> store = std::make_unique<RegistryStore>(path());

    QString path() const { return dir.filePath(QStringLiteral("registry.sqlite")); }
    RegistryStore& operator*() { return *store; }
    RegistryStore* operator->() { return store.get(); }
    // Closes and opens the file again, so a test sees only what reached the disk.
    void reopen() {
        store.reset();
        store = std::make_unique<RegistryStore>(path());
    }
};
