#include "build/UsersDat.h"
#include "QtPrinters.h"
#include "UsersDatBytes.h"

#include <gtest/gtest.h>

namespace {

const QString file = QStringLiteral("/palm/users.dat");

QList<UsersDatUser> threeUsers() {
    return {{3, "Ann", "AnnF", {}},
            {0x1234, "Bob Smith", "SmithB", QByteArray("\x00\x01\x02\xff\x80", 5)},
            {7, "Cy", "CyC", QByteArray(40, '\x55')}};
}

TEST(UsersDat, ReadsEveryRecordAndFindsTheLastUser) {
    const UsersDat dat = readUsersDat(usersDatBytes(threeUsers()), "Bob Smith", file);
    ASSERT_TRUE(dat.ok()) << dat.error.toStdString();
    EXPECT_EQ(dat.users,
              (QList<PalmUser>{{3, "Ann", "AnnF"}, {0x1234, "Bob Smith", "SmithB"}, {7, "Cy", "CyC"}}));
    EXPECT_EQ(dat.lastUserIndex, 1);
    EXPECT_EQ(readUsersDat(usersDatBytes(threeUsers()), "Nobody", file).lastUserIndex, 0);
    EXPECT_EQ(readUsersDat(usersDatBytes(threeUsers()), "bob smith", file).lastUserIndex, 0);
}

TEST(UsersDat, CountZeroAndASingleUserNeedNothingAfterTheirRecords) {
    const UsersDat none = readUsersDat(QByteArray(1, '\0'), "", file);
    EXPECT_TRUE(none.ok());
    EXPECT_TRUE(none.users.isEmpty());

    const UsersDat one = readUsersDat(usersDatBytes({{9, "Solo", "SoloF", {}}}), "", file);
    ASSERT_TRUE(one.ok()) << one.error.toStdString();
    EXPECT_EQ(one.users, (QList<PalmUser>{{9, "Solo", "SoloF"}}));
}

TEST(UsersDat, AOneAfterAOneHidesTheMarker) {
    // After 0x01 the next byte is always taken as the marker's second one, so 0x01 0x01 0x80 is no marker:
    // the record behind it is passed over up to the next 0x01 0x80.
    const QByteArray bytes = usersDatBytes({{1, "A", "a", {}}, {5, "X", "x", "\x01"}, {6, "B", "b", {}}}, 2);
    const UsersDat dat = readUsersDat(bytes, "", file);
    EXPECT_TRUE(dat.ok()) << dat.error.toStdString();
    EXPECT_EQ(dat.users, (QList<PalmUser>{{1, "A", "a"}, {6, "B", "b"}}));
}

TEST(UsersDat, LongNamesAreCutTo31Characters) {
    const QByteArray longName(40, 'n');
    const QByteArray longFolder(33, 'f');
    const UsersDat dat = readUsersDat(
        usersDatBytes({{1, longName, longFolder, {}}, {2, "Next", "NextF", "xy"}}), longName, file);
    ASSERT_TRUE(dat.ok()) << dat.error.toStdString();
    EXPECT_EQ(dat.users[0].name, QString(31, u'n'));
    EXPECT_EQ(dat.users[0].folder, QString(31, u'f'));
    EXPECT_EQ(dat.users[1], (PalmUser{2, "Next", "NextF"}));
    EXPECT_EQ(dat.lastUserIndex, 0);
}

TEST(UsersDat, TheCutNeverSplitsACharacter) {
    // U+1F600 takes two UTF-16 units; the 31st unit would be the first of them.
    const QString wide = QString(30, u'a') + QStringLiteral("\U0001F600b");
    const QString folder = QStringLiteral("f\U0001F600") + QString(30, u'g');
    const UsersDat dat = readUsersDat(
        usersDatBytes({{1, "First", "F", {}}, {2, wide.toUtf8(), folder.toUtf8(), "z"}}), wide, file);
    ASSERT_TRUE(dat.ok()) << dat.error.toStdString();
    EXPECT_EQ(dat.users[1].name, QString(30, u'a'));
    EXPECT_EQ(dat.users[1].folder, folder.left(31));
    // The last user's name is cut the same way, so it is still found.
    EXPECT_EQ(dat.lastUserIndex, 1);
}

TEST(UsersDat, EveryTruncationIsAnErrorNamingTheFile) {
    const QByteArray whole = usersDatBytes(threeUsers());
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        const UsersDat dat = readUsersDat(whole.left(cut), "Ann", file);
        EXPECT_FALSE(dat.ok()) << "cut at " << cut;
        EXPECT_TRUE(dat.users.isEmpty()) << "cut at " << cut;
        EXPECT_TRUE(dat.error.contains(file)) << dat.error.toStdString();
    }
    // A count larger than the records present.
    EXPECT_FALSE(readUsersDat(usersDatBytes(threeUsers(), 4), "", file).ok());
    // Bytes after the last record are never looked at.
    EXPECT_TRUE(readUsersDat(usersDatBytes(threeUsers(), 2), "", file).ok());
}

} // namespace
