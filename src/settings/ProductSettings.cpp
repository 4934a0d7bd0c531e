#include "ProductSettings.h"

#include "RegistryKey.h"
#include "SettingsEncoding.h"
#include "SettingsTable.h"

namespace ProductSettings {

namespace {

QString splitterName(int index) {
    return QStringLiteral("Splitter%1").arg(index + 1);
}

std::optional<QString> readText(RegistryStore& store, const QString& name) {
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Product), false))
        return std::nullopt;
    return key.readString(name);
}

RegistryStatus writeText(RegistryStore& store, const QString& name, const QString& text) {
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Product), true) || !key.writeString(name, text))
        return RegistryStatus::failure(key.lastError());
    return RegistryStatus::success();
}

} // namespace

PaneSizesRead readPaneSizes(RegistryStore& store) {
    PaneSizesRead result;
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Product), false))
        return result;
    for (int i = 0; i < 4; ++i) {
        const std::optional<QString> stored = key.readString(splitterName(i));
        if (!stored || stored->isEmpty())
            continue;
        const SettingsEncoding::StrictNumber n = SettingsEncoding::strictNumber(*stored);
        if (n.value)
            result.sizes[i] = *n.value;
        else
            result.errors << n.error;
    }
    return result;
}

RegistryStatus saveScreenSettings(RegistryStore& store, const PaneSizes& sizes) {
    RegistryTransaction transaction(store);
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Product), true))
        return RegistryStatus::failure(key.lastError());
    for (int index : {1, 0, 2, 3}) {
        if (!key.writeString(splitterName(index), QString::number(sizes[index])))
            return RegistryStatus::failure(key.lastError());
    }
    if (transaction.isActive() && !transaction.commit())
        return RegistryStatus::failure(store.lastError());
    return RegistryStatus::success();
}

QString readLastProject(RegistryStore& store) {
    return readText(store, QStringLiteral("LastProject")).value_or(QString());
}

RegistryStatus writeLastProject(RegistryStore& store, const QString& projectFile) {
    return writeText(store, QStringLiteral("LastProject"), projectFile);
}

std::optional<QString> readProjects(RegistryStore& store) {
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Product), false))
        return std::nullopt;
    return key.readString(QStringLiteral("Projects")).value_or(QString());
}

RegistryStatus writeProjects(RegistryStore& store, const QString& folder) {
    return writeText(store, QStringLiteral("Projects"), folder);
}

} // namespace ProductSettings
