#include "EditorOverlay.h"

#include "SourceEditor.h"

#include <QEvent>
#include <QPainter>

EditorOverlay::EditorOverlay(SourceEditor* editor) : QWidget(editor->viewport()), m_editor(editor) {
    setObjectName(QStringLiteral("PlusGutter1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    editor->viewport()->installEventFilter(this);
    setGeometry(editor->viewport()->rect());
    // Scrolling and edits repaint the text area; the overlay repaints with it, but a scroll that only
    // moves pixels would leave it behind.
    connect(editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this] { update(); });
    show();
}

bool EditorOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget*>(watched)->rect());
    return false;
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
        painter.setPen(endOfTextColor());
        painter.drawLine(gutter, y, width(), y);
    }
}
