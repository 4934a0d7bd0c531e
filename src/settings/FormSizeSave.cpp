#include "FormSizeSave.h"

#include "RegistryKey.h"
#include "RegistryStore.h"

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

RegistryStatus FormSizeSave::restore() {
    if (!m_window || m_window->objectName().isEmpty())
        return RegistryStatus::failure(
            QStringLiteral("The window placement needs a window with an object name."));
    RegistryKey key(store());
    if (!key.openKey(keyPath(), true))
        return RegistryStatus::failure(key.lastError());
    const QString name = m_window->objectName();
    const auto read = [&](const char* suffix) { return key.readInteger(name + QLatin1String(suffix)); };

    if (positionSaved()) {
        QPoint position = m_window->pos();
        if (const auto left = read(".Left"))
            position.setX(*left);
        if (const auto top = read(".Top"))
            position.setY(*top);
        m_window->move(position);
    }
    if (sizeSaved()) {
        QSize size = m_window->size();
        if (const auto width = read(".Width"))
            size.setWidth(*width);
        if (const auto height = read(".Height"))
            size.setHeight(*height);
        m_window->resize(size);
    }
    if (const auto state = read(".State"))
        m_window->setWindowState(withStateNumber(m_window->windowState(), *state));
    return RegistryStatus::success();
}

RegistryStatus FormSizeSave::save() {
    if (!m_window || m_window->objectName().isEmpty())
        return RegistryStatus::failure(
            QStringLiteral("The window placement needs a window with an object name."));
    RegistryTransaction transaction(store());
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
    if (transaction.isActive() && !transaction.commit())
        return RegistryStatus::failure(store().lastError());
    return RegistryStatus::success();
}
