#include "LiveSettings.h"

#include "SettingsTable.h"

namespace {

// The values the Settings window shows: everything but the product key's own values.
const QList<const SettingDecl*>& liveDecls() {
    static const QList<const SettingDecl*> decls = [] {
        QList<const SettingDecl*> list;
        for (const SettingDecl& decl : settingsTable()) {
            if (decl.key != SettingKey::Product)
                list << &decl;
        }
        return list;
    }();
    return decls;
}

} // namespace

LiveSettings::LiveSettings(QObject* parent) : QObject(parent) {}

QStringList LiveSettings::snapshot() const {
    QStringList state;
    state.reserve(liveDecls().size());
    for (const SettingDecl* decl : liveDecls())
        state << m_values.text(decl->name);
    return state;
}

// Comparing the whole visible state before and after keeps the announcement right for values that move
// together (a radio group, the two compiler flags) without knowing their rules here.
template <typename Change> void LiveSettings::announce(Change&& change) {
    const QStringList before = snapshot();
    change();
    const QStringList after = snapshot();
    const QList<const SettingDecl*>& decls = liveDecls();
    for (qsizetype i = 0; i < decls.size(); ++i) {
        if (before[i] != after[i])
            emit changed(decls[i]->name);
    }
}

void LiveSettings::setFlag(QStringView name, bool on) {
    announce([&] { m_values.setFlag(name, on); });
}

void LiveSettings::setText(QStringView name, const QString& text) {
    announce([&] { m_values.setText(name, text); });
}

void LiveSettings::setNumber(QStringView name, int number) {
    announce([&] { m_values.setNumber(name, number); });
}

bool LiveSettings::setChoice(QStringView group, int index) {
    bool accepted = false;
    announce([&] { accepted = m_values.setChoice(group, index); });
    return accepted;
}

void LiveSettings::setToolPaths(const ToolPaths& paths) {
    announce([&] { m_values.setToolPaths(paths); });
}

RegistryStatus LiveSettings::readFromStore(RegistryStore& store) {
    RegistryStatus status;
    announce([&] { status = m_values.readFromStore(store); });
    return status;
}

void LiveSettings::setCreatorId(const QString& id) {
    if (id == m_creatorId)
        return;
    m_creatorId = id;
    emit changed(creatorIdName());
}
