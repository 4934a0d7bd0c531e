#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Reads the header and entry list of a Palm OS database (.pdb or .prc) and checks that the layout holds
// together: every offset inside the file, after the entry list, and ascending.
struct PalmDatabaseEntry {
    QByteArray resourceType; // resource databases only
    quint16 resourceId = 0;
    quint8 attributes = 0; // record databases only
    quint32 uniqueId = 0;  // record databases only
    quint32 offset = 0;
    QByteArray data;
};

struct PalmDatabase {
    QString name;
    quint16 attributes = 0;
    quint32 created = 0; // seconds since 1904-01-01
    quint32 modified = 0;
    QByteArray type;
    QByteArray creator;
    QList<PalmDatabaseEntry> entries;

    bool isResourceDatabase() const { return attributes & 0x0001; }
};

struct PalmDatabaseResult {
    std::optional<PalmDatabase> database;
    QString error;
};

PalmDatabaseResult readPalmDatabase(const QByteArray& bytes);
PalmDatabaseResult readPalmDatabaseFile(const QString& path);
