#pragma once

#include "RegistryStatus.h"
#include "SettingsValues.h"
#include "ToolPaths.h"

#include <QObject>
#include <QString>
#include <QStringList>

class RegistryStore;

// The settings as they are in effect now: what the Settings window's controls show and what the build
// chain, the editor and the debugger read at the moment of use. Every change made through this object,
// whoever makes it, is announced with changed() once per value that really changed, so the Settings
// window's controls and any other reader stay in step.
//
// Besides the stored settings it holds the creator ID as the Settings window shows and edits it (project
// data, copied into the project on OK) and the creator-ID indicator derived from it.
class LiveSettings : public QObject {
    Q_OBJECT
public:
    explicit LiveSettings(QObject* parent = nullptr);

    const SettingsValues& values() const { return m_values; }

    bool flag(QStringView name) const { return m_values.flag(name); }
    QString text(QStringView name) const { return m_values.text(name); }
    int number(QStringView name) const { return m_values.number(name); }
    int choice(QStringView group) const { return m_values.choice(group); }
    QString choiceText(QStringView group) const { return m_values.choiceText(group); }

    void setFlag(QStringView name, bool on);
    void setText(QStringView name, const QString& text);
    void setNumber(QStringView name, int number);
    bool setChoice(QStringView group, int index);

    ToolPaths toolPaths() const { return m_values.toolPaths(); }
    void setToolPaths(const ToolPaths& paths);

    // Reads the store over the current values (see SettingsValues::readFromStore); what was read is
    // announced also when some value could not be read.
    RegistryStatus readFromStore(RegistryStore& store);
    QStringList unreadValues() const { return m_values.unreadValues(); }
    RegistryStatus writeToStore(RegistryStore& store) const { return m_values.writeToStore(store); }

    QString creatorId() const { return m_creatorId; }
    void setCreatorId(const QString& id);
    // Warp and Exegen get the creator ID only when it has exactly four characters.
    bool creatorIdTicked() const { return creatorIdComplete(m_creatorId); }
    static bool creatorIdComplete(const QString& id) { return id.size() == 4; }

    // The name changed() uses for the creator ID.
    static QString creatorIdName() { return QStringLiteral("CreatorID"); }

signals:
    // `name` is the value name as the settings table spells it ("PalmuserNo"), or creatorIdName(). A radio
    // group is announced under the names of its values: "ColorDepth", "Scale", "MemoryModel", and both
    // "JavaExe" and "OldjavaExe" when the compiler choice moves.
    void changed(const QString& name);

private:
    template <typename Change> void announce(Change&& change);
    QStringList snapshot() const;

    SettingsValues m_values;
    QString m_creatorId;
};
