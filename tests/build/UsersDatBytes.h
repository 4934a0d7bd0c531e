#pragma once

#include <QByteArray>
#include <QList>

// Builds a users.dat as Palm Desktop lays it out: count, 12 bytes, then records separated by filler that
// ends with the marker 0x01 0x80.
struct UsersDatUser {
    quint16 id;
    QByteArray name;
    QByteArray folder;
    QByteArray fillerBefore; // bytes before the marker that precedes this record (not for the first)
};

inline QByteArray usersDatBytes(const QList<UsersDatUser>& users, int count = -1) {
    QByteArray bytes(1, char(count < 0 ? users.size() : count));
    bytes += QByteArray(12, '\x7f');
    for (qsizetype i = 0; i < users.size(); ++i) {
        const UsersDatUser& u = users[i];
        if (i > 0)
            bytes += u.fillerBefore + QByteArray("\x01\x80", 2);
        bytes += char(u.id & 0xff);
        bytes += char(u.id >> 8);
        bytes += QByteArray(2, '\0'); // not interpreted
        bytes += char(u.name.size()) + u.name;
        bytes += char(u.folder.size()) + u.folder;
        bytes += '\0'; // not interpreted
    }
    return bytes;
}
