#include "EditorOverlay.h"

#include "SourceEditor.h"
#include "ui/Readability.h"

#include <QEvent>
#include <QPainter>

EditorOverlay::EditorOverlay(SourceEditor* editor) : QWidget(editor->viewport()), m_editor(editor) {
    setObjectName(QStringLiteral("PlusGutter1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    editor->viewport()->installEventFilter(this);
    setGeometry(editor->viewport()->rect());
    // Whatever the text area repaints, the overlay repaints over it; scrolling and a changed line count
    // also move what it draws elsewhere.
    connect(editor, &QsciScintillaBase::SCN_UPDATEUI, this, &EditorOverlay::refreshIfMoved);
    show();
}

bool EditorOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget*>(watched)->rect());
    return false;
}

void EditorOverlay::refreshIfMoved() {
    const int first = m_editor->firstVisibleLine();
    const int lines = m_editor->QsciScintilla::lines();
    if (pos() != QPoint(0, 0))
        move(0, 0);
    if (first == m_firstLine && lines == m_lines)
        return;
    m_firstLine = first;
    m_lines = lines;
    update();
}

QColor EditorOverlay::endOfTextColor(const QColor& paper) {
    return Readability::readableOn(QColor(0, 0, 255), paper);
}

int EditorOverlay::endOfTextY() const {
    const long end = m_editor->length();
    const int lineHeight = int(m_editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0ul));
    const int y =
        int(m_editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0ul, end)) + lineHeight;
    return y < 0 || y >= height() ? -1 : y;
}

void EditorOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int gutter = m_editor->marginWidth(0);
    const int lineHeight = int(m_editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0ul));
    if (gutter > 0 && lineHeight > 0) {
        painter.setFont(m_editor->font());
        painter.setPen(palette().color(QPalette::WindowText));
        const int first = m_editor->firstVisibleLine();
        const int last = std::min(m_editor->QsciScintilla::lines(), first + height() / lineHeight + 1);
        for (int line = first; line < last; ++line) {
            const QRect box(0, (line - first) * lineHeight, gutter, lineHeight);
            painter.drawText(box, Qt::AlignCenter, QString::number(line + 1));
        }
    }
    if (const int y = endOfTextY(); y >= 0) {
        painter.setPen(endOfTextColor(m_editor->palette().color(QPalette::Base)));
        painter.drawLine(gutter, y, width(), y);
    }
}
