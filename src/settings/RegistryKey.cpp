#include "RegistryKey.h"

RegistryKey::RegistryKey(RegistryStore& store, RegistryHive rootKey) : m_store(&store), m_root(rootKey) {}

void RegistryKey::setRootKey(RegistryHive hive) {
    closeKey();
    m_root = hive;
}

bool RegistryKey::openKey(const QString& path, bool canCreate) {
    closeKey();
    const QStringList keys = splitRegistryKey(path);
    m_current = canCreate ? m_store->createKey(m_root, keys) : m_store->findKey(m_root, keys);
    if (!m_current) {
        m_error = m_store->lastError();
        if (m_error.isEmpty())
            m_error = QStringLiteral("The key %1 does not exist.").arg(RegistryPath{m_root, keys}.toString());
        return false;
    }
    m_currentKeys = keys;
    m_error.clear();
    return true;
}

void RegistryKey::closeKey() {
    m_current.reset();
    m_currentKeys.clear();
}

QString RegistryKey::currentPath() const {
    return m_current ? RegistryPath{m_root, m_currentKeys}.toString() : QString();
}

bool RegistryKey::keyExists(const QString& path) const {
    return m_store->findKey(m_root, splitRegistryKey(path)).has_value();
}

bool RegistryKey::deleteKey(const QString& path) {
    const QStringList keys = splitRegistryKey(path);
    const std::optional<RegistryStore::KeyId> key = m_store->findKey(m_root, keys);
    if (!key) {
        m_error = m_store->lastError();
        if (m_error.isEmpty())
            m_error = QStringLiteral("The key %1 does not exist.").arg(RegistryPath{m_root, keys}.toString());
        return false;
    }
    if (!m_store->deleteKey(*key)) {
        m_error = m_store->lastError();
        return false;
    }
    if (m_current && !m_store->keyExists(*m_current))
        closeKey();
    return true;
}

bool RegistryKey::noKey(const QString& what) {
    m_error = QStringLiteral("Cannot %1: no key is open.").arg(what);
    return false;
}

bool RegistryKey::valueExists(const QString& name) const {
    return readValue(name).has_value();
}

std::optional<RegistryType> RegistryKey::valueType(const QString& name) const {
    const std::optional<RegistryValue> value = readValue(name);
    return value ? std::optional(value->type) : std::nullopt;
}

std::optional<RegistryValue> RegistryKey::readValue(const QString& name) const {
    return m_current ? m_store->value(*m_current, name) : std::nullopt;
}

std::optional<QString> RegistryKey::readString(const QString& name) const {
    const std::optional<RegistryValue> value = readValue(name);
    if (!value || value->type != RegistryType::String)
        return std::nullopt;
    return value->text;
}

std::optional<qint32> RegistryKey::readInteger(const QString& name) const {
    const std::optional<RegistryValue> value = readValue(name);
    if (!value || value->type != RegistryType::DWord)
        return std::nullopt;
    return qint32(value->number);
}

bool RegistryKey::writeValue(const QString& name, const RegistryValue& value) {
    if (!m_current)
        return noKey(QStringLiteral("write the value \"%1\"").arg(name));
    if (!m_store->setValue(*m_current, name, value)) {
        m_error = m_store->lastError();
        return false;
    }
    return true;
}

bool RegistryKey::writeString(const QString& name, const QString& text) {
    return writeValue(name, RegistryValue::string(text));
}

bool RegistryKey::writeInteger(const QString& name, qint32 number) {
    return writeValue(name, RegistryValue::dword(quint32(number)));
}

bool RegistryKey::deleteValue(const QString& name) {
    if (!m_current)
        return noKey(QStringLiteral("delete the value \"%1\"").arg(name));
    if (!m_store->deleteValue(*m_current, name)) {
        m_error = m_store->lastError();
        return false;
    }
    return true;
}

QStringList RegistryKey::valueNames() const {
    QStringList names;
    if (m_current) {
        for (const RegistryEntry& entry : m_store->values(*m_current))
            names << entry.name;
    }
    return names;
}

QStringList RegistryKey::keyNames() const {
    QStringList names;
    if (m_current) {
        for (const RegistryStore::SubKey& key : m_store->subKeys(*m_current))
            names << key.name;
    }
    return names;
}

QStringList RegistryKey::valueNamesByWriteOrder() const {
    return m_current ? m_store->valueNamesByWriteOrder(*m_current) : QStringList();
}
