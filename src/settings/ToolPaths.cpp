#include "ToolPaths.h"

#include "RegistryKey.h"
#include "SettingsTable.h"

QString withTrailingSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

ToolPaths ToolPaths::readFromStore(RegistryStore& store) {
    ToolPaths paths;
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Paths), false))
        return paths;
    paths.superWabaPath =
        withTrailingSeparator(key.readString(QStringLiteral("SuperWabaPath")).value_or(QString()));
    paths.jdkPath = key.readString(QStringLiteral("JDKPath")).value_or(QString());
    paths.classpath = key.readString(QStringLiteral("Classpath")).value_or(QString());
    paths.emulatorPath = key.readString(QStringLiteral("PalmEmulatorPath")).value_or(QString());
    return paths;
}

ToolPaths ToolPaths::fromControls(const QString& superWabaPath, const QString& jdkPath,
                                  const QString& classpath, const QString& emulatorPath) {
    return {withTrailingSeparator(superWabaPath), withTrailingSeparator(jdkPath), classpath, emulatorPath};
}
