#include "settings/SettingsValues.h"
#include "GoldenLines.h"
#include "TempStore.h"
#include "settings/RegistryKey.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

const QString settingsKey = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\Settings");
const QString warpKey = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\Settings\\WarpExegen");
const QString pathsKey = QStringLiteral("SOFTWARE\\Kovrin\\Orrery 1.0\\Paths");

void store(RegistryStore& s, const QString& key, const QList<std::pair<QString, QString>>& values) {
    RegistryKey reg(s);
    ASSERT_TRUE(reg.openKey(key, true)) << reg.lastError().toStdString();
    for (const auto& [name, text] : values)
        ASSERT_TRUE(reg.writeString(name, text));
}

std::optional<QString> stored(RegistryStore& s, const QString& key, const QString& name) {
    RegistryKey reg(s);
    return reg.openKey(key, false) ? reg.readString(name) : std::nullopt;
}

QStringList writeOrder(RegistryStore& s, const QString& key) {
    RegistryKey reg(s);
    return reg.openKey(key, false) ? reg.valueNamesByWriteOrder() : QStringList();
}

TEST(SettingsValues, FirstRunKeepsInitialStatesAndCreatesNothing) {
    TempStore s;
    SettingsValues values;
    ASSERT_TRUE(values.readFromStore(*s).ok());

    for (const char* on : {"Debug", "Autoformat", "AutoComment", "JavaExe"})
        EXPECT_TRUE(values.flag(QString(on))) << on;
    for (const char* off : {"OldjavaExe", "Optimize", "Hotsync", "useID", "Warp", "Exegen", "Color"})
        EXPECT_FALSE(values.flag(QString(off))) << off;
    const std::pair<const char*, int> numbers[] = {{"x", 100},        {"y", 100},      {"width", 160},
                                                   {"height", 160},   {"Tabstops", 4}, {"Delay", 0},
                                                   {"PalmuserNo", -1}};
    for (const auto& [name, expected] : numbers)
        EXPECT_EQ(values.number(QString(name)), expected) << name;
    EXPECT_EQ(values.choiceText(u"ColorDepth"), "8");
    EXPECT_EQ(values.choiceText(u"Scale"), "1");
    EXPECT_EQ(values.choiceText(u"MemoryModel"), "Large");
    EXPECT_EQ(values.text(u"CmdLine"), "");

    RegistryKey reg(*s);
    EXPECT_FALSE(reg.keyExists("SOFTWARE"));
}

TEST(SettingsValues, AbsentKeyLeavesCurrentStatesPresentKeyAppliesMissingDefaults) {
    TempStore s;
    store(*s, settingsKey, {}); // Settings exists, empty; WarpExegen does not
    SettingsValues values;
    values.setFlag(u"Warp", true);
    values.setChoice(u"MemoryModel", 0);
    values.setNumber(u"x", 7);
    ASSERT_TRUE(values.readFromStore(*s).ok());

    EXPECT_TRUE(values.flag(u"Warp")); // key absent: untouched
    EXPECT_EQ(values.choiceText(u"MemoryModel"), "Small");
    EXPECT_FALSE(values.flag(u"Debug")); // missing flag: off, whatever the initial state
    EXPECT_FALSE(values.flag(u"Autoformat"));
    EXPECT_EQ(values.number(u"x"), 0);
    EXPECT_EQ(values.number(u"width"), 0);
    EXPECT_EQ(values.number(u"Tabstops"), 4);
    EXPECT_EQ(values.number(u"PalmUserNo"), 0);
    EXPECT_EQ(values.choiceText(u"ColorDepth"), "16"); // the hidden button
    EXPECT_EQ(values.choiceText(u"Scale"), "1");
    EXPECT_TRUE(values.flag(u"JavaExe"));

    store(*s, warpKey, {});
    ASSERT_TRUE(values.readFromStore(*s).ok());
    EXPECT_FALSE(values.flag(u"Warp"));
    EXPECT_EQ(values.choice(u"MemoryModel"), -1); // missing: no button
}

TEST(SettingsValues, StoredTextsReadAsTheirControlsShowThem) {
    struct Case {
        QString name;
        QString stored;
        QString expected; // text() after reading
    };
    const Case cases[] = {
        {"PalmuserNo", "2", "2"}, {"Debug", "On", "off"},      {"Optimize", "ON", "off"},
        {"Hotsync", "on", "on"},  {"Tabstops", "0", "4"},      {"Tabstops", "", "4"},
        {"Tabstops", "x", "4"},   {"Tabstops", "8", "8"},      {"Tabstops", "40", "16"},
        {"Delay", "12", "9"},     {"x", "12px", "0"},          {"width", "320", "320"},
        {"ColorDepth", "2", "2"}, {"ColorDepth", "24", "24"},  {"ColorDepth", "08", "8"},
        {"Scale", "4", "4"},      {"CmdLine", "/w 2", "/w 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.name + "=" + c.stored).toStdString());
        TempStore s;
        store(*s, settingsKey, {{c.name, c.stored}});
        SettingsValues values;
        ASSERT_TRUE(values.readFromStore(*s).ok());
        EXPECT_EQ(values.text(c.name), c.expected);
    }
}

TEST(SettingsValues, ReaderSpellingFindsWriterSpelling) {
    TempStore s;
    store(*s, settingsKey, {{"PalmuserNo", "3"}});
    SettingsValues values;
    ASSERT_TRUE(values.readFromStore(*s).ok());
    EXPECT_EQ(values.number(u"PalmUserNo"), 3);
    EXPECT_EQ(SettingsValues::readPalmUserNo(*s), 3);

    TempStore empty;
    EXPECT_EQ(SettingsValues::readPalmUserNo(*empty), 0);
}

TEST(SettingsValues, JdkFlagsSelectOneButton) {
    struct Case {
        std::optional<QString> javaExe;
        std::optional<QString> oldjavaExe;
        int expected;
    };
    const Case cases[] = {
        {"off", "off", 0}, {"on", "off", 0},        {"off", "on", 1},
        {"on", "on", 1},   {std::nullopt, "on", 1}, {"On", std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.javaExe.value_or("-").toStdString() + "/" + c.oldjavaExe.value_or("-").toStdString());
        TempStore s;
        QList<std::pair<QString, QString>> stored;
        if (c.javaExe)
            stored.append({"JavaExe", *c.javaExe});
        if (c.oldjavaExe)
            stored.append({"OldjavaExe", *c.oldjavaExe});
        store(*s, settingsKey, stored);
        SettingsValues values;
        values.setChoice(u"JavaExe", 1 - c.expected); // reading must decide, not keep
        ASSERT_TRUE(values.readFromStore(*s).ok());
        EXPECT_EQ(values.choice(u"JavaExe"), c.expected);
        EXPECT_EQ(values.flag(u"OldjavaExe"), c.expected == 1);
    }
}

TEST(SettingsValues, NumberMatchingNoButtonKeepsSelection) {
    TempStore s;
    store(*s, settingsKey, {{"ColorDepth", "5"}, {"Scale", "9"}});
    store(*s, warpKey, {{"MemoryModel", "large"}});
    SettingsValues values;
    values.setChoice(u"ColorDepth", 0);
    values.setChoice(u"Scale", 2);
    ASSERT_TRUE(values.readFromStore(*s).ok());
    EXPECT_EQ(values.choiceText(u"ColorDepth"), "2");
    EXPECT_EQ(values.choiceText(u"Scale"), "3");
    EXPECT_EQ(values.choice(u"MemoryModel"), -1); // captions compare exactly
}

TEST(SettingsValues, DamagedNumberIsReportedTheRestReadAndItIsNotWrittenBack) {
    TempStore s;
    store(*s, pathsKey, {{"PalmSim", "/opt/palmsim"}});
    store(*s, settingsKey,
          {{"x", "50"},
           {"CmdLine", "abc"},
           {"ColorDepth", "deep"},
           {"Scale", "3"},
           {"Debug", "off"},
           {"Autoformat", "on"}});
    store(*s, warpKey, {{"Warp", "on"}});
    SettingsValues values;
    values.setFlag(u"Autoformat", false);
    const RegistryStatus status = values.readFromStore(*s);
    EXPECT_TRUE(status.error.contains("ColorDepth")) << status.error.toStdString();
    EXPECT_TRUE(status.error.contains("'deep' ist kein gültiger Integerwert")) << status.error.toStdString();
    EXPECT_EQ(values.text(u"PalmSim"), "/opt/palmsim");
    EXPECT_EQ(values.number(u"x"), 50);
    EXPECT_EQ(values.text(u"CmdLine"), "abc");
    EXPECT_EQ(values.choiceText(u"ColorDepth"), "8"); // unchanged
    EXPECT_EQ(values.choiceText(u"Scale"), "3");      // everything after it is read as well
    EXPECT_FALSE(values.flag(u"Debug"));
    EXPECT_TRUE(values.flag(u"Autoformat"));
    EXPECT_TRUE(values.flag(u"Warp"));
    EXPECT_EQ(values.unreadValues(), QStringList{"ColorDepth"});

    // OK then writes what was read and leaves the damaged value alone, until it is chosen again.
    ASSERT_TRUE(values.writeToStore(*s).ok());
    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(settingsKey, false));
    EXPECT_EQ(key.readString("ColorDepth"), "deep");
    EXPECT_EQ(key.readString("Autoformat"), "on");
    EXPECT_EQ(key.readString("Scale"), "3");
    values.setChoice(u"ColorDepth", 0);
    EXPECT_TRUE(values.unreadValues().isEmpty());
    ASSERT_TRUE(values.writeToStore(*s).ok());
    EXPECT_EQ(key.readString("ColorDepth"), "2");

    store(*s, settingsKey, {{"ColorDepth", ""}, {"Scale", "x"}});
    const QString both = values.readFromStore(*s).error;
    EXPECT_TRUE(both.contains("'' ist kein gültiger Integerwert")) << both.toStdString();
    EXPECT_TRUE(both.contains("'x' ist kein gültiger Integerwert")) << both.toStdString();
    EXPECT_EQ(values.unreadValues(), (QStringList{"ColorDepth", "Scale"}));
}

TEST(SettingsValues, StoreHeldByAnotherProgramLeavesEverythingUnreadAndUnwritten) {
    TempStore s;
    store(*s, settingsKey, {{"Debug", "off"}, {"x", "5"}});
    SettingsValues values;
    ASSERT_TRUE(values.readFromStore(*s).ok());
    values.setNumber(u"x", 6);
    OtherConnection other(s.path());
    ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
    const RegistryStatus written = values.writeToStore(*s);
    EXPECT_TRUE(written.error.contains("another program holds it locked")) << written.error.toStdString();
    ASSERT_TRUE(other.exec("COMMIT"));
    ASSERT_TRUE(values.writeToStore(*s).ok());
    RegistryKey key(*s);
    ASSERT_TRUE(key.openKey(settingsKey, false));
    EXPECT_EQ(key.readString("x"), "6");
}

TEST(SettingsValues, WritesInTheOrderOfOk) {
    TempStore s;
    SettingsValues values;
    ASSERT_TRUE(values.writeToStore(*s).ok());

    QStringList written;
    for (const auto& [key, prefix] : {std::pair{pathsKey, "Paths\\"}, std::pair{settingsKey, "Settings\\"},
                                      std::pair{warpKey, "Settings\\WarpExegen\\"}})
        for (const QString& name : writeOrder(*s, key))
            written << prefix + name;
    EXPECT_TRUE(golden::matches(written, "write-order.txt"));

    const std::pair<const char*, const char*> texts[] = {
        {"x", "100"},          {"Tabstops", "4"},   {"PalmuserNo", "-1"}, {"Debug", "on"},
        {"Optimize", "off"},   {"ColorDepth", "8"}, {"Scale", "1"},       {"JavaExe", "on"},
        {"OldjavaExe", "off"}, {"CmdLine", ""},
    };
    for (const auto& [name, text] : texts)
        EXPECT_EQ(stored(*s, settingsKey, name), QString(text)) << name;
    EXPECT_EQ(stored(*s, warpKey, "MemoryModel"), "Large");
}

TEST(SettingsValues, HiddenOrUnselectedButtonsWriteAsDocumented) {
    TempStore s;
    store(*s, settingsKey, {{"ColorDepth", "2"}, {"Scale", "3"}});
    struct Case {
        int colorDepth;
        int scale;
        int memoryModel;
        QString storedDepth;
        QString storedScale;
        QString storedModel;
    };
    const Case cases[] = {
        {3, -1, -1, "2", "3", "Huge"}, // 16 and no scale: neither written, the stored values stay
        {4, 3, 3, "2", "4", "Huge"},   // 24
        {1, 0, 0, "4", "1", "Small"},
        {-1, 1, 2, "4", "2", "Large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colorDepth);
        SettingsValues values;
        ASSERT_TRUE(values.setChoice(u"ColorDepth", c.colorDepth));
        ASSERT_TRUE(values.setChoice(u"Scale", c.scale));
        ASSERT_TRUE(values.setChoice(u"MemoryModel", c.memoryModel));
        ASSERT_TRUE(values.writeToStore(*s).ok());
        EXPECT_EQ(stored(*s, settingsKey, "ColorDepth"), c.storedDepth);
        EXPECT_EQ(stored(*s, settingsKey, "Scale"), c.storedScale);
        EXPECT_EQ(stored(*s, warpKey, "MemoryModel"), c.storedModel);
    }
}

TEST(SettingsValues, WrittenValuesReadBackUnchanged) {
    TempStore s;
    SettingsValues written;
    written.setToolPaths({"/opt/superwaba", "/usr/lib/jvm/java-17", "/opt/lib:/opt/more", "/opt/pose/pose"});
    written.setText(u"PalmSim", "/opt/palmsim/sim");
    written.setFlag(u"Debug", false);
    written.setFlag(u"Hotsync", true);
    written.setFlag(u"16bpp", true);
    written.setFlag(u"OldjavaExe", true);
    written.setNumber(u"x", 20);
    written.setNumber(u"Tabstops", 8);
    written.setNumber(u"Delay", 3);
    written.setNumber(u"PalmUserNo", 1);
    written.setText(u"VersionText", "1.2 \"beta\"");
    written.setChoice(u"ColorDepth", 0);
    written.setChoice(u"Scale", 3);
    written.setChoice(u"MemoryModel", 1);
    ASSERT_TRUE(written.writeToStore(*s).ok());
    s.reopen();

    SettingsValues read;
    ASSERT_TRUE(read.readFromStore(*s).ok());
    for (const SettingDecl& d : settingsTable()) {
        if (d.key != SettingKey::Product && d.readOnShow) {
            EXPECT_EQ(read.text(d.name), written.text(d.name)) << d.name.toStdString();
        }
    }
    // The folders go into the store with their trailing separator; the Settings window does not read them
    // back, the start-up does.
    EXPECT_EQ(ToolPaths::readFromStore(*s), (ToolPaths{"/opt/superwaba/", "/usr/lib/jvm/java-17/",
                                                       "/opt/lib:/opt/more", "/opt/pose/pose"}));
    EXPECT_EQ(read.text(u"SuperWabaPath"), ""); // not read on showing
}

TEST(SettingsValues, ButtonFlagsAndChoicesStayConsistent) {
    SettingsValues values;
    values.setFlag(u"OldjavaExe", true);
    EXPECT_FALSE(values.flag(u"JavaExe"));
    EXPECT_EQ(values.text(u"OLDJAVAEXE"), "on");
    values.setFlag(u"OldjavaExe", false);
    EXPECT_EQ(values.choice(u"JavaExe"), -1);
    values.setText(u"ColorDepth", "4");
    EXPECT_EQ(values.number(u"colordepth"), 4);
    EXPECT_FALSE(values.setChoice(u"Scale", 4));
    EXPECT_FALSE(values.setChoice(u"NoSuchGroup", 0));
    EXPECT_EQ(values.choiceText(u"Scale"), "1");
}

TEST(SettingsTable, DeclarationsAreConsistent) {
    QSet<QString> names;
    QSet<QString> controls;
    QList<int> orders;
    SettingKey lastWrittenKey = SettingKey::Paths;
    for (const SettingDecl* d : settingsWriteOrder()) {
        orders << d->writeOrder;
        EXPECT_GE(int(d->key), int(lastWrittenKey)) << d->name.toStdString(); // Paths, Settings, WarpExegen
        lastWrittenKey = d->key;
    }
    for (qsizetype i = 0; i < orders.size(); ++i)
        EXPECT_EQ(orders[i], i);
    for (const SettingDecl& d : settingsTable()) {
        EXPECT_FALSE(names.contains(d.name.toCaseFolded())) << d.name.toStdString();
        names << d.name.toCaseFolded();
        if (d.key != SettingKey::Product) {
            EXPECT_GE(d.writeOrder, 0) << d.name.toStdString();
        }
        if (!d.control.isEmpty()) {
            EXPECT_FALSE(controls.contains(d.control)) << d.control.toStdString();
            controls << d.control;
        }
        if (!d.choice.isEmpty()) {
            const SettingChoice* choice = findChoice(d.choice);
            ASSERT_NE(choice, nullptr) << d.name.toStdString();
            if (d.button < 0) {
                EXPECT_GE(choice->indexOfCaption(d.initial), 0) << d.name.toStdString();
            }
        }
    }
    EXPECT_EQ(orders.size(), 57);
    for (const SettingChoice& choice : settingChoices()) {
        for (const SettingChoiceButton& button : choice.buttons) {
            if (button.control == u"RadioButton14" || button.control == u"RadioButton15")
                continue; // bound through JavaExe and OldjavaExe
            EXPECT_FALSE(controls.contains(button.control)) << button.control.toStdString();
            controls << button.control;
        }
    }
}

} // namespace
