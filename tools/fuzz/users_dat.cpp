// Palm Desktop's users.dat, and the users read written back in its layout and read again.
#include "FuzzCheck.h"
#include "UsersDat.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QByteArray field(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return char(bytes.size()) + bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const QString lastUser = QString::fromStdString(input.ConsumeRandomLengthString(40));
    const std::vector<char> rest = input.ConsumeRemainingBytes<char>();
    const QByteArray bytes(rest.data(), qsizetype(rest.size()));

    const UsersDat read = readUsersDat(bytes, lastUser, QStringLiteral("users.dat"));
    if (!read.ok()) {
        FUZZ_CHECK(read.users.isEmpty() && read.lastUserIndex == 0);
        return 0;
    }
    FUZZ_CHECK(!bytes.isEmpty() && read.users.size() == quint8(bytes[0]));
    FUZZ_CHECK(read.lastUserIndex >= 0 && read.lastUserIndex < qMax<qsizetype>(1, read.users.size()));
    for (const PalmUser& user : read.users) {
        FUZZ_CHECK(user.name.size() <= palmNameLength && user.folder.size() <= palmNameLength);
        // A name is whole characters: a cut through a pair would make a folder no one can find.
        for (const QString& text : {user.name, user.folder})
            FUZZ_CHECK(text.isEmpty() || !text.back().isHighSurrogate());
    }

    QByteArray again(1, char(read.users.size()));
    again += QByteArray(12, '\0');
    for (qsizetype i = 0; i < read.users.size(); ++i) {
        const PalmUser& user = read.users[i];
        if (i > 0)
            again += QByteArray("\x01\x80", 2);
        again += char(user.id & 0xff);
        again += char(user.id >> 8);
        again += QByteArray(2, '\0');
        again += field(user.name) + field(user.folder) + '\0';
    }
    const UsersDat reread = readUsersDat(again, lastUser, QStringLiteral("users.dat"));
    FUZZ_CHECK(reread.ok());
    FUZZ_CHECK(reread.users == read.users);
    FUZZ_CHECK(reread.lastUserIndex == read.lastUserIndex);
    return 0;
}
