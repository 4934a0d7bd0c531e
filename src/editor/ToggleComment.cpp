#include "ToggleComment.h"

#include "SourceEditor.h"

#include <algorithm>

namespace {

// Uncomments a line that starts with "//" (taking one blank after it too), comments any other.
void toggleAt(QString& text, qsizetype at) {
    if (QStringView(text).sliced(at).startsWith(u"//"))
        text.remove(at, at + 2 < text.size() && text.at(at + 2) == u' ' ? 3 : 2);
    else
        text.insert(at, QStringLiteral("// "));
}

using Sci = QsciScintillaBase;

long send(SourceEditor& editor, unsigned int message, unsigned long wParam = 0, long lParam = 0) {
    return editor.SendScintilla(message, wParam, lParam);
}

// A place in a column block: its line, its byte column within the line and the virtual space past the
// line's end.
struct BlockPlace {
    long line;
    long column;
    long virtualSpace;
};

BlockPlace blockPlace(SourceEditor& editor, long position, long virtualSpace) {
    const long line = send(editor, Sci::SCI_LINEFROMPOSITION, position);
    return {line, position - send(editor, Sci::SCI_POSITIONFROMLINE, line), virtualSpace};
}

long blockPosition(SourceEditor& editor, const BlockPlace& place) {
    return send(editor, Sci::SCI_POSITIONFROMLINE, place.line) + place.column;
}

// What the toggle did to one line of the block: `delta` bytes inserted (or removed, when negative) at
// byte column `at`.
struct LineEdit {
    long line;
    long at;
    long delta;
};

void moveWithEdit(BlockPlace& place, const LineEdit& edit) {
    if (place.line != edit.line || place.column <= edit.at)
        return;
    place.column = std::max(edit.at, place.column + edit.delta);
}

struct Start {
    long position;
    long virtualSpace;
};

// The front of one line's piece of a column block, virtual space past the line's end included.
Start selectionFront(SourceEditor& editor, long index) {
    const Start anchor{send(editor, Sci::SCI_GETSELECTIONNANCHOR, index),
                       send(editor, Sci::SCI_GETSELECTIONNANCHORVIRTUALSPACE, index)};
    const Start caret{send(editor, Sci::SCI_GETSELECTIONNCARET, index),
                      send(editor, Sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, index)};
    const bool anchorFirst = anchor.position != caret.position ? anchor.position < caret.position
                                                               : anchor.virtualSpace < caret.virtualSpace;
    return anchorFirst ? anchor : caret;
}

// Each line of the block toggled at the block's left column; lines too short to reach it stay as they
// are, and the block is selected again over the same lines.
void toggleBlock(SourceEditor& editor) {
    BlockPlace anchor = blockPlace(editor, send(editor, Sci::SCI_GETRECTANGULARSELECTIONANCHOR),
                                   send(editor, Sci::SCI_GETRECTANGULARSELECTIONANCHORVIRTUALSPACE));
    BlockPlace caret = blockPlace(editor, send(editor, Sci::SCI_GETRECTANGULARSELECTIONCARET),
                                  send(editor, Sci::SCI_GETRECTANGULARSELECTIONCARETVIRTUALSPACE));
    // The block's left edge, as a display column (tabs expanded, virtual space counted).
    const auto displayColumn = [&](const BlockPlace& place) {
        return send(editor, Sci::SCI_GETCOLUMN, blockPosition(editor, place)) + place.virtualSpace;
    };
    const long leftColumn = std::min(displayColumn(anchor), displayColumn(caret));
    std::vector<Start> starts;
    for (long i = 0, n = send(editor, Sci::SCI_GETSELECTIONS); i < n; ++i)
        starts.push_back(selectionFront(editor, i));
    // From the bottom up, so that the positions still to be edited stay where they were.
    std::sort(starts.begin(), starts.end(),
              [](const Start& a, const Start& b) { return a.position > b.position; });
    std::vector<LineEdit> edits;
    editor.editAsOneStep([&] {
        for (const Start& start : starts) {
            const long line = send(editor, Sci::SCI_LINEFROMPOSITION, start.position);
            const bool atLineEnd = start.position == send(editor, Sci::SCI_GETLINEENDPOSITION, line);
            if (start.virtualSpace > 0 ||
                (atLineEnd && send(editor, Sci::SCI_GETCOLUMN, start.position) < leftColumn))
                continue;
            const long at = start.position;
            const bool commented = send(editor, Sci::SCI_GETCHARAT, at) == '/' &&
                                   send(editor, Sci::SCI_GETCHARAT, at + 1) == '/';
            long delta = 3;
            if (commented) {
                delta = send(editor, Sci::SCI_GETCHARAT, at + 2) == ' ' ? -3 : -2;
                send(editor, Sci::SCI_DELETERANGE, at, -delta);
            } else {
                editor.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(at), "// ");
            }
            edits.push_back({line, at - send(editor, Sci::SCI_POSITIONFROMLINE, line), delta});
        }
        for (const LineEdit& edit : edits) {
            moveWithEdit(anchor, edit);
            moveWithEdit(caret, edit);
        }
        send(editor, Sci::SCI_SETRECTANGULARSELECTIONANCHOR, blockPosition(editor, anchor));
        send(editor, Sci::SCI_SETRECTANGULARSELECTIONANCHORVIRTUALSPACE, anchor.virtualSpace);
        send(editor, Sci::SCI_SETRECTANGULARSELECTIONCARET, blockPosition(editor, caret));
        send(editor, Sci::SCI_SETRECTANGULARSELECTIONCARETVIRTUALSPACE, caret.virtualSpace);
    });
}

} // namespace

QString toggledComment(QString selected) {
    if (selected.isEmpty())
        return selected;
    toggleAt(selected, 0);
    // The length is read afresh each step: the edits behind the scan move what follows.
    for (qsizetype i = 0; i < selected.size(); ++i)
        if (selected.at(i) == u'\r' && i + 2 < selected.size())
            toggleAt(selected, i + 2);
    return selected;
}

void toggleComment(SourceEditor& editor) {
    if (editor.SendScintilla(Sci::SCI_SELECTIONISRECTANGLE)) {
        toggleBlock(editor);
        return;
    }
    const QString selected = editor.selectedText();
    if (selected.isEmpty())
        return;
    editor.insertText(toggledComment(selected));
}
