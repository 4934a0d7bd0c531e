#pragma once

#include "UsersDat.h"
#include "settings/RegistryStore.h"

#include <QList>
#include <QString>
#include <optional>

// A failure of the Palm user data for the caller to show. DesktopMissing gets a message box with
// `caption`, an error icon and OK; the others are shown like any unexpected failure (or ignored, for an
// install, as the build chain does).
struct PalmDataError {
    enum Kind { None, DesktopMissing, UsersFile, Install };
    Kind kind = None;
    QString text;
    QString caption;

    bool isError() const { return kind != None; }
};

// The Palm handheld users that Palm Desktop knows, from its keys under HKEY_CURRENT_USER of the store and
// its users.dat, and the queueing of files for a user's next HotSync.
class PalmUserData {
public:
    // Reads the keys and users.dat at once. Never shows anything: a problem is left in loadError().
    explicit PalmUserData(RegistryStore& store = RegistryStore::instance());

    int userCount() const { return m_users.size(); }
    int lastUserIndex() const { return m_lastUserIndex; }
    QString lastUserName() const { return m_lastUserName; }
    QString desktopPath() const { return m_desktopPath; }
    // 0 or empty for an index outside 0..userCount()-1.
    quint16 userId(int i) const;
    QString userName(int i) const;
    QString userFolder(int i) const;

    // Why construction found no users: the desktop keys are missing or users.dat cannot be read. None also
    // when Palm Desktop has no "Path" value, which simply means no users.
    const PalmDataError& loadError() const { return m_loadError; }

    // Copies the file into <desktop folder>/<user folder>/Install (creating that last folder), replacing
    // an earlier copy, and sets the DWORD "Install<user id>" to 1 in the HotSync Manager key (made when
    // missing). True only when both happened; otherwise installError() says why. An index outside the
    // table, or a user folder that is not a plain name, copies nothing.
    bool installFile(int i, const QString& filePath);
    const PalmDataError& installError() const { return m_installError; }

    // A user folder is one folder below Palm Desktop's: not empty, no "/", "\" or "..".
    static bool isPlainFolderName(const QString& name);

    static QString desktopMissingText();    // "The Palm Desktop software is not correctly installed."
    static QString desktopMissingCaption(); // "Install"

private:
    std::optional<QString> rootKeyPath() const;
    bool failInstall(PalmDataError::Kind kind, const QString& text);

    RegistryStore& m_store;
    QList<PalmUser> m_users;
    int m_lastUserIndex = 0;
    QString m_desktopPath;
    QString m_lastUserName;
    PalmDataError m_loadError;
    PalmDataError m_installError;
};
