#include "UpDown.h"

#include "ui/FontScale.h"
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(FontScale::px(QSize(16, 11)));
        layout->addWidget(button);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
}

void UpDown::associate(QLineEdit* edit) {
    if (m_edit)
        m_edit->removeEventFilter(this);
    m_edit = edit;
    if (m_edit)
        m_edit->installEventFilter(this);
}

int UpDown::position() const {
    bool ok = false;
    const int n = m_edit ? m_edit->text().trimmed().toInt(&ok) : 0;
    return std::clamp(ok ? n : m_minimum, m_minimum, m_maximum);
}

void UpDown::step(int delta) {
    if (!m_edit)
        return;
    const qint64 next = std::clamp<qint64>(qint64(position()) + delta, m_minimum, m_maximum);
    m_edit->setText(QString::number(next));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    // Type first: while the edit is being destroyed its events still pass here, and the pointer must not
    // be turned into a QLineEdit then.
    if (event->type() == QEvent::KeyPress && watched == m_edit) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? m_increment : -m_increment);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QValidator::State DigitsOnlyValidator::validate(QString& input, int&) const {
    const bool digitsOnly =
        std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digitsOnly ? Acceptable : Invalid;
}
