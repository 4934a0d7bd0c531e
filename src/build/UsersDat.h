#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One Palm handheld user known to Palm Desktop.
struct PalmUser {
    quint16 id = 0;
    QString name;   // at most 31 characters
    QString folder; // the user's subfolder of the Palm Desktop folder, at most 31 characters

    bool operator==(const PalmUser&) const = default;
};

// What Palm Desktop's users.dat holds, or why it could not be read (then there are no users).
struct UsersDat {
    QList<PalmUser> users;
    int lastUserIndex = 0; // the user named like the last HotSync user; 0 when none is
    QString error;         // empty when the file was read

    bool ok() const { return error.isEmpty(); }
};

// Longer names and folders are cut to this many characters, as Palm Desktop's fields hold no more.
constexpr int palmNameLength = 31;

// Reads users.dat: a count byte, 12 bytes not interpreted, then the records. A record is the user id
// (16-bit little-endian), 2 bytes, the name and the folder each as a length byte and that many bytes, and
// one more byte. Between records lie bytes of any length ending with the marker 0x01 0x80; nothing after
// the last record is read. `fileName` only names the file in the error text.
UsersDat readUsersDat(const QByteArray& bytes, const QString& lastUserName, const QString& fileName);
