#include "RegistryPath.h"

QString registryHiveName(RegistryHive hive) {
    return hive == RegistryHive::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER")
                                             : QStringLiteral("HKEY_LOCAL_MACHINE");
}

std::optional<RegistryHive> parseRegistryHive(QStringView name) {
    const auto is = [&](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    };
    if (is("HKLM") || is("HKEY_LOCAL_MACHINE"))
        return RegistryHive::LocalMachine;
    if (is("HKCU") || is("HKEY_CURRENT_USER"))
        return RegistryHive::CurrentUser;
    return std::nullopt;
}

QStringList splitRegistryKey(QStringView path) {
    QStringList keys;
    for (QStringView part : path.split(u'\\', Qt::SkipEmptyParts))
        keys << part.toString();
    return keys;
}

std::optional<RegistryPath> RegistryPath::parse(QStringView text) {
    const qsizetype slash = text.indexOf(u'\\');
    const QStringView hiveText = slash < 0 ? text : text.left(slash);
    const std::optional<RegistryHive> hive = parseRegistryHive(hiveText.trimmed());
    if (!hive)
        return std::nullopt;
    return RegistryPath{*hive, slash < 0 ? QStringList() : splitRegistryKey(text.mid(slash + 1))};
}

QString RegistryPath::toString() const {
    QStringList parts{registryHiveName(hive)};
    parts += keys;
    return parts.join(u'\\');
}

RegistryPath RegistryPath::child(const QString& name) const {
    RegistryPath path = *this;
    path.keys << name;
    return path;
}
