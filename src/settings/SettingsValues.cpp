#include "SettingsValues.h"

#include "RegistryKey.h"
#include "SettingsEncoding.h"

#include <QStringList>
#include <QtDebug>
#include <algorithm>

using namespace SettingsEncoding;

namespace {

QString fold(QStringView name) {
    return name.toString().toCaseFolded();
}

bool isLive(const SettingDecl& decl) {
    return decl.key != SettingKey::Product;
}

// A flag that stands for one radio button (JavaExe, OldjavaExe) rather than the group's stored value.
bool standsForButton(const SettingDecl& decl) {
    return decl.button >= 0;
}

bool isLastFlagOfGroup(const QList<SettingDecl>& table, qsizetype index) {
    for (qsizetype i = index + 1; i < table.size(); ++i) {
        if (standsForButton(table[i]) && table[i].choice == table[index].choice)
            return false;
    }
    return true;
}

// A DWORD where text is expected (a value set by hand) reads as its decimal text.
std::optional<QString> storedText(const RegistryKey& key, const QString& name) {
    const std::optional<RegistryValue> value = key.readValue(name);
    if (!value)
        return std::nullopt;
    return value->type == RegistryType::DWord ? QString::number(qint32(value->number)) : value->text;
}

QString damagedValue(const SettingDecl& decl, const QString& error) {
    return QStringLiteral(
               "The stored setting %1 in HKEY_LOCAL_MACHINE\\%2 is damaged: %3. It keeps the state "
               "shown and stays as it is in the store until you set it again; the other settings "
               "were read.")
        .arg(decl.name, settingKeyPath(decl.key), error);
}

} // namespace

SettingsValues::SettingsValues() {
    for (const SettingDecl& d : settingsTable()) {
        if (!isLive(d))
            continue;
        if (d.choice.isEmpty())
            m_texts.insert(fold(d.name), d.initial);
        else if (standsForButton(d) && readFlag(d.initial))
            m_choices.insert(fold(d.choice), d.button);
        else if (!standsForButton(d))
            m_choices.insert(fold(d.choice), findChoice(d.choice)->indexOfCaption(d.initial));
    }
}

const SettingDecl* SettingsValues::decl(QStringView name) const {
    const SettingDecl* d = findSetting(name);
    if (!d || !isLive(*d)) {
        qWarning() << "Unknown setting" << name;
        return nullptr;
    }
    return d;
}

bool SettingsValues::flag(QStringView name) const {
    const SettingDecl* d = decl(name);
    if (!d)
        return false;
    if (standsForButton(*d))
        return choice(d->choice) == d->button;
    return readFlag(m_texts.value(fold(d->name)));
}

QString SettingsValues::text(QStringView name) const {
    const SettingDecl* d = decl(name);
    if (!d)
        return QString();
    if (standsForButton(*d))
        return flagText(flag(name));
    if (!d->choice.isEmpty())
        return choiceText(d->choice);
    return m_texts.value(fold(d->name));
}

int SettingsValues::number(QStringView name) const {
    return lenientNumber(text(name));
}

int SettingsValues::choice(QStringView group) const {
    return m_choices.value(fold(group), -1);
}

QString SettingsValues::choiceText(QStringView group) const {
    const SettingChoice* c = findChoice(group);
    const int index = choice(group);
    return c && index >= 0 ? c->buttons[index].caption : QString();
}

void SettingsValues::setFlag(QStringView name, bool on) {
    const SettingDecl* d = decl(name);
    if (!d)
        return;
    if (!standsForButton(*d)) {
        m_unread.remove(fold(d->name));
        m_texts.insert(fold(d->name), flagText(on));
        return;
    }
    if (on)
        setChoice(d->choice, d->button);
    else if (choice(d->choice) == d->button)
        setChoice(d->choice, -1);
}

void SettingsValues::setText(QStringView name, const QString& text) {
    const SettingDecl* d = decl(name);
    if (!d)
        return;
    if (standsForButton(*d)) {
        setFlag(name, readFlag(text));
    } else if (!d->choice.isEmpty()) {
        setChoice(d->choice, findChoice(d->choice)->indexOfCaption(text));
    } else {
        m_unread.remove(fold(d->name));
        m_texts.insert(fold(d->name), text);
    }
}

void SettingsValues::setNumber(QStringView name, int number) {
    setText(name, QString::number(number));
}

bool SettingsValues::setChoice(QStringView group, int index) {
    const SettingChoice* c = findChoice(group);
    if (!c || index < -1 || index >= c->buttons.size())
        return false;
    m_choices.insert(fold(c->name), index);
    for (const SettingDecl& d : settingsTable()) {
        if (d.choice.compare(c->name, Qt::CaseInsensitive) == 0)
            m_unread.remove(fold(d.name));
    }
    return true;
}

QStringList SettingsValues::unreadValues() const {
    QStringList names;
    for (const SettingDecl& d : settingsTable()) {
        if (m_unread.contains(fold(d.name)))
            names << d.name;
    }
    return names;
}

ToolPaths SettingsValues::toolPaths() const {
    return ToolPaths::fromControls(text(u"SuperWabaPath"), text(u"JDKPath"), text(u"Classpath"),
                                   text(u"PalmEmulatorPath"));
}

void SettingsValues::setToolPaths(const ToolPaths& paths) {
    setText(u"SuperWabaPath", paths.superWabaPath);
    setText(u"JDKPath", paths.jdkPath);
    setText(u"Classpath", paths.classpath);
    setText(u"PalmEmulatorPath", paths.emulatorPath);
}

RegistryStatus SettingsValues::readDecl(const SettingDecl& d, const std::optional<QString>& stored) {
    const QString present = stored.value_or(d.missing);
    if (!d.choice.isEmpty()) {
        const SettingChoice* c = findChoice(d.choice);
        if (d.encoding == SettingEncoding::StrictNumber) {
            const StrictNumber n = strictNumber(present);
            if (!n.value)
                return RegistryStatus::failure(n.error);
            // A number that names no button leaves the selection as it was.
            const int index = c->indexOfCaption(QString::number(*n.value));
            if (index >= 0)
                m_choices.insert(fold(c->name), index);
        } else {
            m_choices.insert(fold(c->name), c->indexOfCaption(present));
        }
        return RegistryStatus::success();
    }
    switch (d.encoding) {
    case SettingEncoding::Flag:
        m_texts.insert(fold(d.name), flagText(readFlag(present)));
        break;
    case SettingEncoding::Number:
    case SettingEncoding::StrictNumber: {
        int n = lenientNumber(present);
        if (n == 0 && d.zeroReadsAsMissing)
            n = lenientNumber(d.missing);
        m_texts.insert(fold(d.name), QString::number(std::clamp(n, d.minimum, d.maximum)));
        break;
    }
    case SettingEncoding::Text:
        m_texts.insert(fold(d.name), present);
        break;
    }
    return RegistryStatus::success();
}

RegistryStatus SettingsValues::readFromStore(RegistryStore& store) {
    const QList<SettingDecl>& table = settingsTable();
    RegistryKey key(store);
    std::optional<SettingKey> openedFor;
    bool open = false;
    QString storeError; // the store itself failed: nothing more is asked of it
    QStringList errors;
    QHash<QString, int> buttonFlags; // group -> last button whose flag reads "on"
    m_unread.clear();
    for (qsizetype i = 0; i < table.size(); ++i) {
        const SettingDecl& d = table[i];
        if (!isLive(d) || !d.readOnShow)
            continue;
        if (storeError.isEmpty() && openedFor != d.key) {
            openedFor = d.key;
            open = key.openKey(settingKeyPath(d.key), false);
            // An absent key leaves its values alone; a key that could not be read leaves them unread.
            if (!open && !store.lastError().isEmpty())
                storeError = store.lastError();
        }
        std::optional<QString> stored;
        if (storeError.isEmpty() && open) {
            stored = storedText(key, d.name);
            if (!store.lastError().isEmpty())
                storeError = store.lastError();
        }
        if (!storeError.isEmpty()) {
            m_unread.insert(fold(d.name));
            continue;
        }
        if (!open)
            continue;
        if (standsForButton(d)) {
            const QString group = fold(d.choice);
            if (readFlag(stored))
                buttonFlags.insert(group, d.button);
            // Neither flag "on" selects the first button (java.exe).
            if (isLastFlagOfGroup(table, i))
                m_choices.insert(group, buttonFlags.value(group, 0));
            continue;
        }
        if (const RegistryStatus status = readDecl(d, stored); !status) {
            m_unread.insert(fold(d.name));
            errors << damagedValue(d, status.error);
        }
    }
    if (!storeError.isEmpty())
        errors << storeError +
                      QStringLiteral(
                          " Settings that could not be read keep the state shown and are not written.");
    return errors.isEmpty() ? RegistryStatus::success() : RegistryStatus::failure(errors.join(u'\n'));
}

std::optional<QString> SettingsValues::storedForm(const SettingDecl& d) const {
    if (standsForButton(d))
        return flagText(choice(d.choice) == d.button);
    if (!d.choice.isEmpty()) {
        const SettingChoice* c = findChoice(d.choice);
        const int index = choice(d.choice);
        if (index >= 0 && index < c->writable)
            return c->buttons[index].caption;
        if (!c->fallback.isEmpty())
            return c->fallback;
        return std::nullopt;
    }
    const QString value = m_texts.value(fold(d.name));
    return d.folder ? withTrailingSeparator(value) : value;
}

RegistryStatus SettingsValues::writeToStore(RegistryStore& store) const {
    // One transaction, so a crash midway leaves the previous settings whole.
    RegistryTransaction transaction(store);
    if (!transaction.isActive())
        return RegistryStatus::failure(store.lastError());
    RegistryKey key(store);
    std::optional<SettingKey> openedFor;
    bool open = false;
    QStringList errors;
    for (const SettingDecl* d : settingsWriteOrder()) {
        if (openedFor != d->key) {
            openedFor = d->key;
            open = key.openKey(settingKeyPath(d->key), true);
            if (!open)
                errors << key.lastError();
        }
        if (!open || m_unread.contains(fold(d->name)))
            continue;
        const std::optional<QString> form = storedForm(*d);
        if (form && !key.writeString(d->name, *form))
            errors << key.lastError();
    }
    if (!transaction.commit())
        errors << store.lastError();
    errors.removeDuplicates();
    return errors.isEmpty() ? RegistryStatus::success() : RegistryStatus::failure(errors.join(u'\n'));
}

int SettingsValues::readPalmUserNo(RegistryStore& store) {
    RegistryKey key(store);
    if (!key.openKey(settingKeyPath(SettingKey::Settings), false))
        return 0;
    return lenientNumber(storedText(key, QStringLiteral("PalmUserNo")));
}
