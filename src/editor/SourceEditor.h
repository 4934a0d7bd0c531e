#pragma once

#include "ChangeNotices.h"
#include "ProfileLexer.h"
#include "TextSearch.h"

#include <QHash>
#include <QStringList>
#include <Qsci/qsciscintilla.h>
#include <functional>

// The one source editor of the main window. Its text is a list of lines joined by CR LF, so a position
// counts a line break as two characters. Line and column numbers count from 0.
class SourceEditor : public QsciScintilla {
    Q_OBJECT
public:
    explicit SourceEditor(QWidget* parent = nullptr);

    // Replaces the whole text. Emits `changed` exactly once, like a single edit would. Every character
    // survives, NUL and a leading byte-order mark included.
    void setLines(const QStringList& lines);
    // Replaces the whole text as one edit that undo takes back, keeping the caret line and the first
    // visible line where the new text has them. Emits `changed` once.
    void replaceLines(const QStringList& lines);
    QStringList lines() const;

    // Where the view stood in a document it no longer shows: selection (anchor and caret as byte
    // positions), scrolling, and how far the document's styling holds.
    struct ViewState {
        long anchor = 0;
        long caret = 0;
        int firstLine = 0;
        int xOffset = 0;
        ProfileLexer::Progress styling;
    };
    ViewState viewState() const;
    // `document` is a Scintilla document (SCI_CREATEDOCUMENT) whose references the caller holds; the view
    // holds one more while it shows it. Shows a document shown before, as `view` left it, with its own
    // undo history and styling. Emits `textReplaced` and `changed` once, as a replacement of the whole
    // text does.
    void showDocument(void* document, const ViewState& view);
    // Shows a document that was never shown, filled with `lines` as setLines does.
    void showNewDocument(void* document, const QStringList& lines);
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
    // A whole-text replacement is going on: its change notices arrive before textReplaced.
    bool replacingText() const { return m_replacing; }

    // Positions count characters from the start of the text, a line break as two. The selection is its
    // start (where it was anchored) and a signed length to the caret: negative extends backwards.
    // A position between the two characters of a line break is taken as the start of the next line.
    QString line(int index) const; // empty outside the text
    int textLength() const;
    int selectionStart() const;
    // Clamps to the text and collapses the selection, without scrolling.
    void setSelectionStart(int position);
    int selectionLength() const;
    // Moves the caret to start + length, clamped to the text.
    void setSelectionLength(int length);
    // The selected text, empty when none; a column block comes line by line.
    QString selectedText() const;
    // Replaces the selection (or inserts at the caret) with `text`, in which CR, LF or CR LF each start a
    // new line; the caret ends after it. One undo step.
    void insertText(const QString& text);
    // Runs `edits`, which may send any number of Scintilla edits, as one undo step with one change notice.
    void editAsOneStep(const std::function<void()>& edits);
    // The match selected as find text leaves it (downward the selection runs back from the match's end);
    // false and nothing changed when there is none. `endBeforeStart` keeps an upward match in front of
    // the selection start.
    bool findText(const QString& what, const SearchOptions& options, bool endBeforeStart = false);
    void deleteSelection() { removeSelectedText(); }
    // Deletes the character (or line break) before the caret, as Backspace does.
    void deleteBack();
    int position(LineColumn at) const;
    LineColumn lineColumn(int position) const;

    // A column block on the clipboard carries this format too, zero-terminated; a paste with it present
    // inserts a column block.
    static QString blockFormat() { return QStringLiteral("Borland IDE Block Type"); }

    // The markers drawn in margin 1: a breakpoint, and a line that an open bug or note names.
    static constexpr int BreakpointMarker = 1;
    static constexpr int NoteMarker = 2;

signals:
    // One notification per change of the text, whether typed or set.
    void changed();
    // The whole text was replaced (setLines, replaceLines) or another document is shown, just before the
    // change notification.
    void textReplaced();
    // A key released after the editor handled its press: its Windows virtual-key code (see TypingAids)
    // and whether it typed "}". Auto-repeat releases are not reported.
    void keyReleased(int windowsKey, bool closingBrace);
    // Ctrl+Space: the completion list is wanted at the caret.
    void completionRequested();

protected:
    QMimeData* toMimeData(const QByteArray& text, bool rectangular) const override;
    QByteArray fromMimeData(const QMimeData* source, bool& rectangular) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Alt with the mouse makes a column block as Ctrl does (many window managers take Alt+drag).
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void forwardChange();
    // The gutter as wide as the widest line number.
    void fitGutter();
    // Both ways of replacing the whole text: as one undoable edit keeping the caret and the view, or
    // as a fresh text without undo history.
    void replaceWholeText(const QStringList& lines, bool undoable);
    // Puts `document` on screen with the settings Scintilla keeps per document, not per view.
    void attach(void* document);
    // Text, paper, caret and word colours from the palette, the words' own colours made readable on it.
    void applyPalette();
    // The fixed configuration: font, gutter, caret, selection, keys.
    void configure();
    void copyIndentation(int added);
    // A Ctrl, Alt or Meta chord that no caret command takes: nothing typed, Ctrl++/-/0 zoom.
    bool handledAsChord(QKeyEvent* event);
    long bytePosition(int position) const;
    int characterPosition(long bytePosition) const;
    QString textOfBytes(const QByteArray& bytes) const;

    // Scintilla's UTF-16 line index, made on first use: loading and typing need none.
    void needCharacterIndex() const;

    // Typing and the editor's own edits hold Scintilla's change notices back until they are done.
    ChangeNotices* m_notices;

    // Keys pressed in the editor and not yet released, with what each typed.
    struct PressedKey {
        int windowsKey;
        bool closingBrace;
    };
    QHash<qint64, PressedKey> m_pressedKeys;
    mutable bool m_characterIndex = false;

    bool m_replacing = false;
    int m_gutterDigits = 1;
    int m_tabWidth = 4;
};
