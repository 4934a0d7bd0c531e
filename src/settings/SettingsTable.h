#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <climits>

// Where a setting lives below HKEY_LOCAL_MACHINE.
enum class SettingKey { Product, Paths, Settings, WarpExegen };

// "SOFTWARE\Kovrin\Orrery 1.0\" and its subkeys "...\Paths", "...\Settings", "...\Settings\WarpExegen".
QString settingKeyPath(SettingKey key);

enum class SettingEncoding {
    Text,         // REG_SZ as typed
    Flag,         // "on" / "off"
    Number,       // decimal text, read leniently
    StrictNumber, // decimal text, a value that is not a number is an error
};

// A radio group: one stored value selects one button by caption.
struct SettingChoiceButton {
    QString control;
    QString caption;
    bool hidden = false;
};

struct SettingChoice {
    QString name;
    QList<SettingChoiceButton> buttons;
    // OK writes the caption of the selected button when it is one of the first `writable` buttons, else
    // `fallback` (nothing when the fallback is empty).
    int writable = 0;
    QString fallback;

    int indexOfCaption(const QString& caption) const;
};

// One setting: value name (as written), key, encoding, the Settings window control it binds to, the state
// before the key was ever written (`initial`), the state when the key exists without the value (`missing`),
// and its place among the writes on OK (-1: not written there).
struct SettingDecl {
    QString name;
    SettingKey key = SettingKey::Settings;
    SettingEncoding encoding = SettingEncoding::Text;
    QString control;   // objectName; for a flag bound to a radio button, that button
    QString companion; // the up-down beside an edit
    QString initial;
    QString missing;
    int writeOrder = -1;
    QString choice;         // radio group the value selects in
    int button = -1;        // for a flag: the button of `choice` it stands for
    bool readOnShow = true; // false: the Settings window takes it from the in-memory tool paths
    bool folder = false;    // written with a trailing separator when not empty
    int minimum = INT_MIN;  // control range a read value is clamped to
    int maximum = INT_MAX;
    bool zeroReadsAsMissing = false;
};

// Every value of the product key and its subkeys Paths, Settings and Settings\WarpExegen, in reading order.
const QList<SettingDecl>& settingsTable();
const QList<SettingChoice>& settingChoices();

// Case-blind lookups, like the registry's own names; nullptr when unknown.
const SettingDecl* findSetting(QStringView name);
const SettingChoice* findChoice(QStringView name);

// The declarations written on OK, in writing order.
QList<const SettingDecl*> settingsWriteOrder();
