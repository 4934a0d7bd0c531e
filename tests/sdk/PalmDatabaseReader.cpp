#include "PalmDatabaseReader.h"

#include <QFile>

namespace {

constexpr int headerSize = 78;

quint32 bigEndian(const QByteArray& bytes, int at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

PalmDatabaseResult failure(const QString& error) {
    return {std::nullopt, error};
}

} // namespace

PalmDatabaseResult readPalmDatabase(const QByteArray& bytes) {
    if (bytes.size() < headerSize)
        return failure(QStringLiteral("shorter than the 78-byte header"));
    const int nameEnd = bytes.left(32).indexOf('\0');
    if (nameEnd < 0)
        return failure(QStringLiteral("name not NUL-terminated"));

    PalmDatabase database;
    database.name = QString::fromLatin1(bytes.left(nameEnd));
    database.attributes = quint16(bigEndian(bytes, 32, 2));
    database.created = bigEndian(bytes, 36, 4);
    database.modified = bigEndian(bytes, 40, 4);
    database.type = bytes.mid(60, 4);
    database.creator = bytes.mid(64, 4);
    const int count = int(bigEndian(bytes, 76, 2));
    const int entrySize = database.isResourceDatabase() ? 10 : 8;
    const qint64 listEnd = headerSize + qint64(count) * entrySize;
    if (listEnd > bytes.size())
        return failure(QStringLiteral("entry list runs past the end of the file"));

    for (int i = 0; i < count; ++i) {
        const int at = headerSize + i * entrySize;
        PalmDatabaseEntry entry;
        if (database.isResourceDatabase()) {
            entry.resourceType = bytes.mid(at, 4);
            entry.resourceId = quint16(bigEndian(bytes, at + 4, 2));
            entry.offset = bigEndian(bytes, at + 6, 4);
        } else {
            entry.offset = bigEndian(bytes, at, 4);
            entry.attributes = quint8(bytes[at + 4]);
            entry.uniqueId = bigEndian(bytes, at + 5, 3);
        }
        if (entry.offset < listEnd || entry.offset > quint32(bytes.size()))
            return failure(
                QStringLiteral("entry %1 has offset %2 outside the data area").arg(i).arg(entry.offset));
        if (!database.entries.isEmpty() && entry.offset < database.entries.last().offset)
            return failure(QStringLiteral("entry %1 has a lower offset than the one before").arg(i));
        database.entries << entry;
    }
    for (int i = 0; i < database.entries.size(); ++i) {
        PalmDatabaseEntry& entry = database.entries[i];
        const quint32 end =
            i + 1 < database.entries.size() ? database.entries[i + 1].offset : quint32(bytes.size());
        entry.data = bytes.mid(int(entry.offset), int(end - entry.offset));
    }
    return {database, {}};
}

PalmDatabaseResult readPalmDatabaseFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot open ") + path);
    return readPalmDatabase(file.readAll());
}
