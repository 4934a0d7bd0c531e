#pragma once

#include <QStringList>

// How a whole text replaced by the program reaches the editor.
enum class BufferReplace {
    Fresh,   // a new start: the text on screen replaced without undo history
    UndoStep // the same file read again: one step that Undo takes back, so the replaced text is not lost
};

// The one editor of the open-file session, as narrow as the session needs it. A text replaced through
// this interface is the program's change, never the user's: it marks no record modified.
class SessionBuffer {
public:
    virtual ~SessionBuffer() = default;

    virtual QStringList lines() const = 0;
    // Replaces the text on screen, whichever record's it is (a forgotten record's leaves an empty text of
    // no record on screen).
    virtual void replaceLines(const QStringList& lines, BufferReplace how) = 0;

    // Shows the text the editor keeps for the record `id` (ProjectRecord::Id) with its own undo history,
    // caret and view, or a new one made from `lines` when it keeps none. With `reread`, `lines` then
    // replace a kept text as one step that Undo takes back. True when a kept text came back with its own
    // caret and view; otherwise the caller places the caret.
    virtual bool showRecord(quint64 id, const QStringList& lines, bool reread) = 0;
    // The record is gone: what the editor kept of it goes too.
    virtual void forgetRecord(quint64 id) = 0;
    virtual void forgetAllRecords() = 0;

    // Line and column count from 0.
    virtual int caretLine() const = 0;
    virtual int caretColumn() const = 0;
    virtual int topLine() const = 0;
    virtual void setCaret(int line, int column) = 0;
    virtual void setTopLine(int line) = 0;
};
