#include "PalmUserData.h"

#include "settings/RegistryKey.h"
#include "workspace/AtomicWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString preferencesKey = QStringLiteral("\\Pilot Desktop\\Preferences");
const QString coreKey = QStringLiteral("\\Pilot Desktop\\Core");
const QString hotSyncKey = QStringLiteral("\\Pilot Desktop\\HotSync Manager");
constexpr int maxPathLength = 255; // Palm Desktop's 256-byte field with its NUL

PalmDataError desktopMissing() {
    return {PalmDataError::DesktopMissing, PalmUserData::desktopMissingText(),
            PalmUserData::desktopMissingCaption()};
}

// Replaces the target in one step, so a failed copy never leaves half a package in the install folder.
QString copyReplacing(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot read %1: %2").arg(source, in.errorString());
    AtomicFile out(target);
    if (const FileResult opened = out.open(); !opened)
        return opened.error;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return QStringLiteral("Cannot read %1: %2").arg(source, in.errorString());
        if (const FileResult written = out.write(chunk); !written)
            return written.error;
    }
    if (const FileResult committed = out.commit(); !committed)
        return committed.error;
    return QString();
}

} // namespace

QString PalmUserData::desktopMissingText() {
    return QStringLiteral("The Palm Desktop software is not correctly installed.");
}

QString PalmUserData::desktopMissingCaption() {
    return QStringLiteral("Install");
}

std::optional<QString> PalmUserData::rootKeyPath() const {
    RegistryKey key(m_store, RegistryHive::CurrentUser);
    for (const QString& root :
         {QStringLiteral("Software\\U.S. Robotics"), QStringLiteral("Software\\Palm Computing")}) {
        if (key.openKey(root, false))
            return root;
    }
    return std::nullopt;
}

PalmUserData::PalmUserData(RegistryStore& store) : m_store(store) {
    const std::optional<QString> root = rootKeyPath();
    if (!root) {
        m_loadError = desktopMissing();
        return;
    }
    RegistryKey key(m_store, RegistryHive::CurrentUser);
    if (key.openKey(*root + preferencesKey, false))
        m_lastUserName =
            key.readString(QStringLiteral("LastUserName")).value_or(QString()).left(palmNameLength);
    if (!key.openKey(*root + coreKey, false))
        return;
    const std::optional<QString> path = key.readString(QStringLiteral("Path"));
    if (!path)
        return;
    m_desktopPath = path->left(maxPathLength);

    const QString fileName = m_desktopPath + QStringLiteral("/users.dat");
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_loadError = {
            PalmDataError::UsersFile,
            QStringLiteral("Cannot read the Palm user file %1: %2").arg(fileName, file.errorString()),
            QString()};
        return;
    }
    const UsersDat dat = readUsersDat(file.readAll(), m_lastUserName, fileName);
    if (!dat.ok()) {
        m_loadError = {PalmDataError::UsersFile, dat.error, QString()};
        return;
    }
    m_users = dat.users;
    m_lastUserIndex = dat.lastUserIndex;
}

quint16 PalmUserData::userId(int i) const {
    return i >= 0 && i < m_users.size() ? m_users[i].id : 0;
}

QString PalmUserData::userName(int i) const {
    return i >= 0 && i < m_users.size() ? m_users[i].name : QString();
}

QString PalmUserData::userFolder(int i) const {
    return i >= 0 && i < m_users.size() ? m_users[i].folder : QString();
}

bool PalmUserData::failInstall(PalmDataError::Kind kind, const QString& text) {
    m_installError = {kind, text, QString()};
    return false;
}

bool PalmUserData::installFile(int i, const QString& filePath) {
    m_installError = {};
    if (m_users.isEmpty())
        return failInstall(PalmDataError::Install,
                           QStringLiteral("No Palm user is known to install %1 for.").arg(filePath));
    // Outside the table there is no user whose HotSync would ever take the file.
    if (i < 0 || i >= m_users.size())
        return failInstall(PalmDataError::Install,
                           QStringLiteral("No Palm user is chosen for HotSync in the Settings."));
    // users.dat is not ours: a folder field such as "../.." must not lead the copy out of Palm Desktop's.
    const QString userFolderName = m_users[i].folder;
    if (!isPlainFolderName(userFolderName))
        return failInstall(PalmDataError::Install,
                           QStringLiteral("The folder \"%1\" of the Palm user %2 in users.dat is not a plain "
                                          "folder name; nothing is queued for HotSync.")
                               .arg(userFolderName, m_users[i].name));

    // The flag's key first, so that a file is copied only when it can also be flagged.
    const std::optional<QString> root = rootKeyPath();
    if (!root) {
        m_installError = desktopMissing();
        return false;
    }
    RegistryKey key(m_store, RegistryHive::CurrentUser);
    if (!key.openKey(*root + hotSyncKey, true))
        return failInstall(PalmDataError::Install, key.lastError());

    const QString folder = m_desktopPath + u'/' + userFolderName + QStringLiteral("/Install");
    QDir().mkdir(folder); // one level; an existing folder is fine and a failure shows in the copy
    const QString target = folder + u'/' + QFileInfo(filePath).fileName();
    const QString error = copyReplacing(filePath, target);
    if (!error.isEmpty())
        return failInstall(PalmDataError::Install, error);
    if (!key.writeInteger(QStringLiteral("Install%1").arg(userId(i)), 1))
        return failInstall(PalmDataError::Install,
                           QStringLiteral("%1 was copied, but its HotSync flag could not be set: %2")
                               .arg(target, key.lastError()));
    return true;
}

bool PalmUserData::isPlainFolderName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && !name.contains(QLatin1String("..")) &&
           !name.contains(u'/') && !name.contains(u'\\') && !name.contains(QChar(u'\0'));
}
