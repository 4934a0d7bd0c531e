#include "ChangeNotices.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QWidget>
#include <Qsci/qsciscintillabase.h>
#include <algorithm>
#include <utility>

namespace {

using Sci = QsciScintillaBase;

// Bits that describe how a change was made rather than what changed. Scintilla passes a notice when any
// of its bits is in the mask, so these must go too, or an insertion would pass on its "performed by the
// user" bit alone.
constexpr long kHowBits = Sci::SC_PERFORMED_USER | Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO |
                          Sci::SC_MULTISTEPUNDOREDO | Sci::SC_LASTSTEPINUNDOREDO | Sci::SC_MULTILINEUNDOREDO |
                          Sci::SC_STARTACTION;

} // namespace

ChangeNotices::ChangeNotices(QsciScintillaBase* editor) : QObject(editor), m_editor(editor) {
    connect(editor, &QsciScintillaBase::SCN_MODIFIED, this, &ChangeNotices::note);
}

long ChangeNotices::lineCount() const {
    return m_editor->SendScintilla(Sci::SCI_GETLINECOUNT);
}

QByteArray ChangeNotices::bytes(long position, long length) const {
    if (length <= 0)
        return {};
    // A copy of the range, without the gap move that SCI_GETRANGEPOINTER may cost.
    QByteArray result(length + 1, Qt::Uninitialized);
    m_editor->SendScintilla(Sci::SCI_GETTEXTRANGE, position, position + length, result.data());
    result.chop(1);
    return result;
}

void ChangeNotices::begin() {
    if (m_depth++ > 0)
        return;
    m_mask = m_editor->SendScintilla(Sci::SCI_GETMODEVENTMASK);
    // An assistive technology needs the bridge's text events; and with nothing to hold back there is
    // nothing to do.
    m_deferring = !QAccessible::isActive() && (m_mask & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT));
    if (!m_deferring)
        return;
    const long held = Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT | kHowBits;
    m_editor->SendScintilla(Sci::SCI_SETMODEVENTMASK,
                            (m_mask | Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE) & ~held);
}

void ChangeNotices::note(int position, int type, const char*, int length, int, int, int, int, int, int) {
    if (!m_deferring)
        return;
    const bool inserting = type & Sci::SC_MOD_BEFOREINSERT;
    const bool deleting = type & Sci::SC_MOD_BEFOREDELETE;
    if (!inserting && !deleting)
        return;
    completeLast();
    const int what = inserting ? Sci::SC_MOD_INSERTTEXT : Sci::SC_MOD_DELETETEXT;
    if (!(m_mask & what))
        return;
    Change change;
    change.position = position;
    change.type = what | (type & int(kHowBits));
    change.length = length;
    change.linesBefore = lineCount();
    // Deleted text is gone afterwards; inserted text is read once it is there.
    if (deleting)
        change.text = bytes(position, length);
    m_changes.push_back(std::move(change));
}

void ChangeNotices::completeLast() {
    if (m_changes.empty() || m_changes.back().complete)
        return;
    Change& last = m_changes.back();
    last.linesAdded = int(lineCount() - last.linesBefore);
    if (last.type & Sci::SC_MOD_INSERTTEXT)
        last.text = bytes(last.position, last.length);
    last.complete = true;
}

void ChangeNotices::end() {
    if (m_depth == 0 || --m_depth > 0)
        return;
    if (!m_deferring)
        return;
    m_deferring = false;
    completeLast();
    m_editor->SendScintilla(Sci::SCI_SETMODEVENTMASK, m_mask);
    // Listeners may change the text again; those changes are notified as they happen.
    const std::vector<Change> changes = std::exchange(m_changes, {});
    for (const Change& change : changes)
        emit m_editor->SCN_MODIFIED(change.position, change.type, change.text.constData(), change.length,
                                    change.linesAdded, 0, 0, 0, 0, 0);
}

namespace {

class LightAccessible : public QAccessibleWidget {
public:
    explicit LightAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::EditableText) {}
};

QList<QByteArray>& lightClasses() {
    static QList<QByteArray> classes;
    return classes;
}

QAccessibleInterface* lightFactory(const QString& className, QObject* object) {
    // Classes are asked from the most derived up, so this answers before QScintilla's factory does.
    if (QAccessible::isActive() || !lightClasses().contains(className.toLatin1()))
        return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    return widget ? new LightAccessible(widget) : nullptr;
}

class ActivationWatch : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override {
        if (!active)
            return;
        for (QWidget* widget : QApplication::allWidgets()) {
            if (!std::any_of(lightClasses().cbegin(), lightClasses().cend(),
                             [widget](const QByteArray& name) { return widget->inherits(name.constData()); }))
                continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
            if (dynamic_cast<LightAccessible*>(iface))
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
        }
    }
};

} // namespace

void useLightAccessibleFor(const char* className) {
    if (lightClasses().contains(className))
        return;
    if (lightClasses().isEmpty()) {
        QAccessible::installFactory(lightFactory);
        static ActivationWatch watch;
        QAccessible::installActivationObserver(&watch);
    }
    lightClasses().append(className);
}
