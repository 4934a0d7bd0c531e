#include "settings/LiveSettings.h"
#include "TempStore.h"
#include "settings/RegistryKey.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QStringList announced(QSignalSpy& spy) {
    QStringList names;
    for (const QList<QVariant>& call : spy)
        names << call.at(0).toString();
    spy.clear();
    return names;
}

} // namespace

TEST(LiveSettings, AnnouncesExactlyTheValuesThatChanged) {
    LiveSettings live;
    QSignalSpy spy(&live, &LiveSettings::changed);
    live.setFlag(u"Exegen", true);
    live.setFlag(u"Exegen", true);            // no change
    live.setNumber(u"x", 100);                // the initial value already
    live.setFlag(u"openoutputwindow", false); // case-blind name, already off
    live.setText(u"CmdLine", "-x");
    EXPECT_EQ(announced(spy), (QStringList{"Exegen", "CmdLine"}));

    // A radio group is announced under its value names; choosing oldjava moves both compiler flags.
    EXPECT_TRUE(live.setChoice(u"JavaExe", 1));
    EXPECT_EQ(announced(spy), (QStringList{"JavaExe", "OldjavaExe"}));
    EXPECT_TRUE(live.setChoice(u"ColorDepth", 3));
    EXPECT_EQ(announced(spy), QStringList{"ColorDepth"});
    EXPECT_FALSE(live.setChoice(u"Scale", 9));
    live.setCreatorId("HeLo");
    live.setCreatorId("HeLo");
    EXPECT_EQ(announced(spy), QStringList{LiveSettings::creatorIdName()});
}

TEST(LiveSettings, ReadingTheStoreAnnouncesWhatItChangedPastADamagedValue) {
    TempStore store;
    RegistryKey key(*store);
    ASSERT_TRUE(key.openKey(settingKeyPath(SettingKey::Settings), true));
    ASSERT_TRUE(key.writeString("Debug", "on")); // as initially
    ASSERT_TRUE(key.writeString("Optimize", "on"));
    ASSERT_TRUE(key.writeString("PalmUserNo", "2"));
    ASSERT_TRUE(key.writeString("x", "100"));

    LiveSettings live;
    QSignalSpy spy(&live, &LiveSettings::changed);
    ASSERT_TRUE(live.readFromStore(*store));
    QStringList names = announced(spy);
    for (const char* name : {"Optimize", "PalmuserNo", "y"}) // y: key present, value absent
        EXPECT_TRUE(names.contains(name)) << name;
    EXPECT_FALSE(names.contains("Debug"));
    EXPECT_FALSE(names.contains("x"));

    ASSERT_TRUE(key.writeString("Scale", "oops"));
    ASSERT_TRUE(key.writeString("x", "7"));
    ASSERT_TRUE(key.writeString("Optimize", "off")); // read after Scale all the same
    const QString error = live.readFromStore(*store).error;
    EXPECT_TRUE(error.contains("Scale")) << error.toStdString();
    EXPECT_TRUE(error.contains("'oops' ist kein gültiger Integerwert")) << error.toStdString();
    names = announced(spy);
    EXPECT_TRUE(names.contains("x"));
    EXPECT_TRUE(names.contains("Optimize"));
    EXPECT_FALSE(names.contains("Scale"));
    EXPECT_FALSE(live.flag(u"Optimize"));
    EXPECT_EQ(live.unreadValues(), QStringList{"Scale"});
}
