#pragma once

#include <QStringList>

// How a whole text replaced by the program reaches the editor.
enum class BufferReplace {
    Fresh,   // another file's text: a new start
    UndoStep // the same file read again: one step that Undo takes back, so the replaced text is not lost
};

// The one editor of the open-file session, as narrow as the session needs it. A text replaced through
// this interface is the program's change, never the user's: it marks no record modified.
class SessionBuffer {
public:
    virtual ~SessionBuffer() = default;

    virtual QStringList lines() const = 0;
    virtual void replaceLines(const QStringList& lines, BufferReplace how) = 0;

    // Line and column count from 0.
    virtual int caretLine() const = 0;
    virtual int caretColumn() const = 0;
    virtual int topLine() const = 0;
    virtual void setCaret(int line, int column) = 0;
    virtual void setTopLine(int line) = 0;
};
