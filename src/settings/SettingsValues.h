#pragma once

#include "RegistryStatus.h"
#include "RegistryStore.h"
#include "SettingsTable.h"
#include "ToolPaths.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>

// The live values of the Paths, Settings and Settings\WarpExegen keys, without widgets: what the Settings
// window's controls hold and what the build chain reads. Names are the registry value names of the settings
// table, looked up case-blind ("PalmUserNo" finds "PalmuserNo"). Radio groups are held as the index of the
// selected button (-1: none); their stored value and flags (ColorDepth, Scale, MemoryModel, JavaExe and
// OldjavaExe) read through the same accessors.
class SettingsValues {
public:
    // Every value in its initial state (before the store was ever written).
    SettingsValues();

    bool flag(QStringView name) const;
    QString text(QStringView name) const;
    // Lenient decimal reading of text(name).
    int number(QStringView name) const;
    int choice(QStringView group) const;
    // Caption of the selected button, empty when none is selected.
    QString choiceText(QStringView group) const;

    void setFlag(QStringView name, bool on);
    void setText(QStringView name, const QString& text);
    void setNumber(QStringView name, int number);
    // False (and nothing changes) for an unknown group or an index outside -1..buttons-1.
    bool setChoice(QStringView group, int index);

    // SuperWaba and JDK folders with the trailing separator, as OK puts them into memory.
    ToolPaths toolPaths() const;
    // Fills the four path values from memory, as the Settings window does on showing.
    void setToolPaths(const ToolPaths& paths);

    // Reads every value the Settings window shows from the store; keys are opened without creating them and
    // an absent key leaves its values as they are. A damaged ColorDepth or Scale (not a number) is reported
    // and keeps its state; every other value is still read. When the store cannot be read (held by another
    // program), the values not read keep their state. Either way the values not read are left out of
    // writeToStore() until they are set, so a stale state never replaces a stored one.
    RegistryStatus readFromStore(RegistryStore& store);
    // Writes every value in the order of OK, creating keys as needed, all in one transaction. A key that
    // cannot be written is skipped; the status then names what failed.
    RegistryStatus writeToStore(RegistryStore& store) const;
    // Names of the values the last readFromStore() could not read and nothing has set since.
    QStringList unreadValues() const;

    // PalmUserNo, read again when HotSync installing is ticked: 0 when the key cannot be opened.
    static int readPalmUserNo(RegistryStore& store);

private:
    const SettingDecl* decl(QStringView name) const;
    std::optional<QString> storedForm(const SettingDecl& decl) const;
    RegistryStatus readDecl(const SettingDecl& decl, const std::optional<QString>& stored);

    QHash<QString, QString> m_texts; // case-folded value name -> stored form
    QHash<QString, int> m_choices;   // case-folded group name -> selected button
    QSet<QString> m_unread;          // case-folded value names read last time without success
};
