#include "SettingsBinder.h"

#include "settings/LiveSettings.h"
#include "settings/SettingsTable.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace {

bool isBoundOnItsOwn(const SettingDecl& decl) {
    return decl.key != SettingKey::Product && decl.choice.isEmpty() && !decl.control.isEmpty();
}

} // namespace

SettingsBinder::SettingsBinder(QWidget* form, LiveSettings& live)
    : QObject(form), m_form(form), m_live(live) {
    for (const SettingDecl& decl : settingsTable()) {
        if (isBoundOnItsOwn(decl))
            bindDecl(decl);
    }
    for (const SettingChoice& choice : settingChoices())
        bindChoice(choice);
    connect(&m_live, &LiveSettings::changed, this, &SettingsBinder::show);
}

void SettingsBinder::bindDecl(const SettingDecl& decl) {
    QWidget* control = m_form->findChild<QWidget*>(decl.control);
    const QString name = decl.name;
    if (auto* box = qobject_cast<QCheckBox*>(control); box && decl.encoding == SettingEncoding::Flag) {
        connect(box, &QCheckBox::toggled, this, [this, name](bool on) { m_live.setFlag(name, on); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control);
               edit && decl.encoding != SettingEncoding::Flag) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, name](const QString& text) { m_live.setText(name, text); });
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        connect(slider, &QAbstractSlider::valueChanged, this,
                [this, name](int value) { m_live.setNumber(name, value); });
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // An empty list says nothing about the chosen entry: the value stays until there is a list.
        connect(combo, &QComboBox::currentIndexChanged, this, [this, name, combo](int index) {
            if (combo->count() > 0)
                m_live.setNumber(name, index);
        });
    } else {
        m_unbound << decl.control;
    }
}

void SettingsBinder::bindChoice(const SettingChoice& choice) {
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < choice.buttons.size(); ++i) {
        auto* button = m_form->findChild<QAbstractButton*>(choice.buttons[i].control);
        if (!button) {
            m_unbound << choice.buttons[i].control;
            continue;
        }
        group->addButton(button, i);
    }
    const QString name = choice.name;
    connect(group, &QButtonGroup::idToggled, this, [this, name](int id, bool on) {
        if (on)
            m_live.setChoice(name, id);
    });
    m_groups.insert(choice.name, group);
}

void SettingsBinder::pushAll() {
    for (const SettingDecl& decl : settingsTable()) {
        if (isBoundOnItsOwn(decl))
            showDecl(decl);
    }
    for (const SettingChoice& choice : settingChoices())
        showChoice(choice);
}

void SettingsBinder::show(const QString& name) {
    const SettingDecl* decl = findSetting(name);
    if (!decl)
        return;
    if (!decl->choice.isEmpty()) {
        if (const SettingChoice* choice = findChoice(decl->choice))
            showChoice(*choice);
    } else if (isBoundOnItsOwn(*decl)) {
        showDecl(*decl);
    }
}

void SettingsBinder::showDecl(const SettingDecl& decl) {
    QWidget* control = m_form->findChild<QWidget*>(decl.control);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        box->setChecked(m_live.flag(decl.name));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const QString text = m_live.text(decl.name);
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        slider->setValue(m_live.number(decl.name));
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const int index = m_live.number(decl.name);
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

void SettingsBinder::showChoice(const SettingChoice& choice) {
    QButtonGroup* group = m_groups.value(choice.name);
    if (!group)
        return;
    const int index = m_live.choice(choice.name);
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
        return;
    }
    // No button selected: an exclusive group cannot show that, so it is released for the moment.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}
