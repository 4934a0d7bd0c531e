#include "UsersDat.h"

#include <QStringDecoder>

namespace {

// Cut to the length of Palm Desktop's fields, but never through a character that takes two UTF-16
// units: half of one would name a folder that does not exist.
QString cutName(const QString& text) {
    if (text.size() <= palmNameLength)
        return text;
    return text.left(text.at(palmNameLength - 1).isHighSurrogate() ? palmNameLength - 1 : palmNameLength);
}

// Palm Desktop writes the names in the system's 8-bit code page; take UTF-8 when the bytes are UTF-8.
QString decodeName(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return cutName(text);
}

// Reads forward through the file and records the first place where it ends too soon.
class Reader {
public:
    Reader(const QByteArray& bytes, qsizetype position) : m_bytes(bytes), m_position(position) {}

    bool atEnd() const { return m_position >= m_bytes.size(); }
    bool has(qsizetype count) const { return count <= m_bytes.size() - m_position; }

    quint8 byte() { return static_cast<quint8>(m_bytes[m_position++]); }
    quint16 word() {
        const quint16 low = byte();
        return low | quint16(byte() << 8);
    }
    QByteArrayView take(qsizetype count) {
        const QByteArrayView view = QByteArrayView(m_bytes).sliced(m_position, count);
        m_position += count;
        return view;
    }
    void skip(qsizetype count) { m_position += count; }

    // Moves past the next 0x01 0x80. The byte after a 0x01 is always taken as its partner, so the 0x80 of
    // 0x01 0x01 0x80 is not seen as part of a marker.
    bool skipToMarker() {
        while (has(2)) {
            if (byte() == 0x01 && byte() == 0x80)
                return true;
        }
        m_position = m_bytes.size();
        return false;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_position;
};

UsersDat damaged(const QString& fileName, const QString& what) {
    UsersDat result;
    result.error = QStringLiteral("The Palm user file %1 is damaged: %2.").arg(fileName, what);
    return result;
}

} // namespace

UsersDat readUsersDat(const QByteArray& bytes, const QString& lastUserName, const QString& fileName) {
    if (bytes.isEmpty())
        return damaged(fileName, QStringLiteral("it is empty"));
    const int count = static_cast<quint8>(bytes[0]);
    UsersDat result;
    if (count == 0)
        return result;

    const QString lastName = cutName(lastUserName);
    Reader reader(bytes, 13);
    if (!reader.has(0))
        return damaged(fileName, QStringLiteral("it ends before the first user"));
    result.users.reserve(count);
    for (int k = 0; k < count; ++k) {
        const QString endsInside =
            QStringLiteral("it ends inside the record of user %1 of %2").arg(k + 1).arg(count);
        PalmUser user;
        if (!reader.has(5))
            return damaged(fileName, endsInside);
        user.id = reader.word();
        reader.skip(2);
        const quint8 nameLength = reader.byte();
        if (!reader.has(nameLength + 1))
            return damaged(fileName, endsInside);
        user.name = decodeName(reader.take(nameLength));
        const quint8 folderLength = reader.byte();
        if (!reader.has(folderLength + 1))
            return damaged(fileName, endsInside);
        user.folder = decodeName(reader.take(folderLength));
        reader.skip(1);
        if (user.name == lastName)
            result.lastUserIndex = k;
        result.users << user;
        if (k < count - 1 && !reader.skipToMarker())
            return damaged(fileName, QStringLiteral("user %1 of %2 is missing").arg(k + 2).arg(count));
    }
    return result;
}
