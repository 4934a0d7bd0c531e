#pragma once

#include <QHash>
#include <QObject>
#include <QStringList>

class LiveSettings;
class QButtonGroup;
class QWidget;
struct SettingChoice;
struct SettingDecl;

// Ties the controls of a form to the live settings through the settings table: every value's control is
// found by its objectName, a change of the control goes into the live settings at once, and a change of
// the live settings (made by anyone) is shown by the control. Check boxes carry flags, line edits texts and
// numbers, sliders and combo boxes numbers, and each radio group one choice.
class SettingsBinder : public QObject {
    Q_OBJECT
public:
    SettingsBinder(QWidget* form, LiveSettings& live);

    // Shows every live value in its control.
    void pushAll();

    // objectNames the table names that the form lacks or that have no supported type; empty when every
    // value is bound.
    QStringList unboundControls() const { return m_unbound; }

    QButtonGroup* buttonGroup(const QString& choice) const { return m_groups.value(choice); }

private:
    void bindDecl(const SettingDecl& decl);
    void bindChoice(const SettingChoice& choice);
    void show(const QString& name);
    void showDecl(const SettingDecl& decl);
    void showChoice(const SettingChoice& choice);

    QWidget* m_form;
    LiveSettings& m_live;
    QHash<QString, QButtonGroup*> m_groups;
    QStringList m_unbound;
};
