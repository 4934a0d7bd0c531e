#pragma once

#include <QStringList>
#include <Qsci/qsciscintilla.h>

// The one source editor of the main window. Its text is a list of lines joined by CR LF, so a position
// counts a line break as two characters. Line and column numbers count from 0.
class SourceEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit SourceEditor(QWidget* parent = nullptr);

    // Replaces the whole text. Emits `changed` exactly once, like a single edit would. Every character
    // survives, NUL and a leading byte-order mark included.
    void setLines(const QStringList& lines);
    QStringList lines() const;
    // The whole text, every character included (text() stops at a NUL).
    QString wholeText() const;
    int lineCount() const;

    int caretLine() const;
    // Moves the caret to the start of the line, clamped to the text.
    void setCaretLine(int line);
    int caretColumn() const;
    // Moves the caret within its line, clamped to the line's length.
    void setCaretColumn(int column);

    int firstVisibleLine() const { return QsciScintilla::firstVisibleLine(); }
    void setFirstVisibleLine(int line) { QsciScintilla::setFirstVisibleLine(line); }
    void bringCaretIntoView() { ensureCursorVisible(); }

    void setTabStops(int width);

signals:
    // One notification per change of the text, whether typed or set.
    void changed();

private:
    void forwardChange();

    bool m_replacing = false;
};
