#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Acts on the next modal window once it is shown. A modal window still open at the deadline is closed with
// result -1, so a broken test fails instead of hanging.
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(QWidget*)> action, int deadlineMs = 5000)
        : m_action(std::move(action)) {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            // Keys reach the focused button only once the window is active.
            if (!modal || !modal->isVisible() || QApplication::activeWindow() != modal)
                return;
            m_poll.stop();
            m_acted = true;
            m_action(modal);
        });
        m_poll.start();
        m_deadline.setSingleShot(true);
        QObject::connect(&m_deadline, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                m_timedOut = true;
                dialog->done(-1);
            }
        });
        m_deadline.start(deadlineMs);
    }

    bool acted() const { return m_acted; }
    bool timedOut() const { return m_timedOut; }

private:
    std::function<void(QWidget*)> m_action;
    QTimer m_poll;
    QTimer m_deadline;
    bool m_acted = false;
    bool m_timedOut = false;
};

// A key as the user types it: to the focused control of the window, else to the window.
inline void pressKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && window->isAncestorOf(focus) ? focus : window, key, modifiers);
}
