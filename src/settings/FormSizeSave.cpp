#include "FormSizeSave.h"

#include "RegistryKey.h"
#include "RegistryStore.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace {

int stateNumber(Qt::WindowStates state) {
    if (state & Qt::WindowMinimized)
        return 1;
    // Full screen counts as maximised so that its screen-sized geometry never replaces the normal one.
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

Qt::WindowStates withStateNumber(Qt::WindowStates state, int number) {
    state &= ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (number == 1)
        state |= Qt::WindowMinimized;
    else if (number == 2)
        state |= Qt::WindowMaximized;
    return state;
}

} // namespace

FormSizeSave::FormSizeSave(QWidget* window, RegistryStore* store)
    : QObject(window), m_window(window), m_store(store) {}

RegistryStore& FormSizeSave::store() const {
    return m_store ? *m_store : RegistryStore::instance();
}

QString FormSizeSave::keyPath() const {
    QString path = QStringLiteral("\\SOFTWARE\\");
    for (const QString& part : {m_company, m_productName, m_subKey}) {
        if (!part.trimmed().isEmpty())
            path += part + u'\\';
    }
    return path;
}

QList<QRect> FormSizeSave::screenAreas() {
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    return areas;
}

// The window a dialog belongs to: its parent's window, else the main window (Form1).
std::optional<QRect> FormSizeSave::anchor() const {
    QWidget* owner = m_window->parentWidget() ? m_window->parentWidget()->window() : nullptr;
    if (!owner) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top != m_window && top->objectName() == QLatin1String("Form1"))
                owner = top;
        }
    }
    if (!owner || owner == m_window)
        return std::nullopt;
    return owner->frameGeometry();
}

RegistryStatus FormSizeSave::restore() {
    if (!m_window || m_window->objectName().isEmpty())
        return RegistryStatus::failure(
            QStringLiteral("The window placement needs a window with an object name."));
    // Reading needs no key of its own: a missing key means nothing was stored.
    RegistryKey key(store());
    const bool open = key.openKey(keyPath(), false);
    const RegistryStatus status = open || store().lastError().isEmpty()
                                      ? RegistryStatus::success()
                                      : RegistryStatus::failure(key.lastError());
    const QString name = m_window->objectName();
    const auto read = [&](const char* suffix) {
        return open ? key.readInteger(name + QLatin1String(suffix)) : std::nullopt;
    };

    QPoint position = m_window->pos();
    bool positionStored = false;
    if (positionSaved()) {
        const auto left = read(".Left");
        const auto top = read(".Top");
        positionStored = left || top;
        position = QPoint(left.value_or(position.x()), top.value_or(position.y()));
    }
    QSize size = m_window->size();
    if (sizeSaved()) {
        if (const auto width = read(".Width"))
            size.setWidth(*width);
        if (const auto height = read(".Height"))
            size.setHeight(*height);
    }
    // The frame (title bar, borders) counts towards what must stay on the screen once the window has one.
    const QSize frameExtra = m_window->frameGeometry().size() - m_window->geometry().size();
    // A window its owner has already placed keeps that place (within the screen) when none is stored.
    const bool positioned = positionStored || m_window->testAttribute(Qt::WA_Moved);
    const QRect placed =
        WindowPlacement::place(QRect(position, size + frameExtra), positioned, anchor(), screenAreas());
    m_window->resize(placed.size() - frameExtra);
    m_window->move(placed.topLeft());
    if (const auto state = read(".State"))
        m_window->setWindowState(withStateNumber(m_window->windowState(), *state));
    return status;
}

RegistryStatus FormSizeSave::save() {
    if (!m_window || m_window->objectName().isEmpty())
        return RegistryStatus::failure(
            QStringLiteral("The window placement needs a window with an object name."));
    RegistryTransaction transaction(store());
    if (!transaction.isActive())
        return RegistryStatus::failure(store().lastError());
    RegistryKey key(store());
    if (!key.openKey(keyPath(), true))
        return RegistryStatus::failure(key.lastError());
    const QString name = m_window->objectName();
    const auto write = [&](const char* suffix, int number) {
        return key.writeInteger(name + QLatin1String(suffix), number);
    };

    const int state = stateNumber(m_window->windowState());
    bool ok = true;
    if (state == 0 && positionSaved())
        ok = write(".Left", m_window->x()) && write(".Top", m_window->y());
    if (ok && state == 0 && sizeSaved())
        ok = write(".Width", m_window->width()) && write(".Height", m_window->height());
    ok = ok && key.writeString(name + QStringLiteral(".Caption"), m_window->windowTitle()) &&
         write(".State", state);
    if (!ok)
        return RegistryStatus::failure(key.lastError());
    if (!transaction.commit())
        return RegistryStatus::failure(store().lastError());
    return RegistryStatus::success();
}
