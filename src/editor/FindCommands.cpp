#include "FindCommands.h"

#include "SourceEditor.h"

#include <algorithm>

namespace {

// Steps 1 to 2 of Find Next and the selection of step 3, without focus or scrolling.
bool selectNext(SourceEditor& editor, const QString& what, const SearchOptions& options,
                bool endBeforeStart) {
    const int size = int(what.size());
    if (options.down)
        editor.setSelectionStart(editor.selectionStart() + size);
    if (!editor.findText(what, options, endBeforeStart))
        return false;
    if (options.down)
        editor.setSelectionStart(editor.selectionStart() - size);
    editor.setSelectionLength(size);
    return true;
}

} // namespace

bool findNext(SourceEditor& editor, const QString& what, const SearchOptions& options) {
    if (!selectNext(editor, what, options, false))
        return false;
    editor.setFocus();
    editor.bringCaretIntoView();
    return true;
}

void replaceSelection(SourceEditor& editor, const QString& replacement) {
    editor.insertText(replacement);
}

int replaceAll(SourceEditor& editor, const QString& what, const QString& replacement,
               const SearchOptions& options) {
    int count = 0;
    editor.beginUndoAction();
    if (options.down) {
        // From the selection's front (a selected match is the first one replaced), and on right behind
        // each inserted replacement, so that neither a match nor inserted text is passed over twice.
        editor.setSelectionStart(
            std::min(editor.selectionStart(), editor.selectionStart() + editor.selectionLength()));
        for (; editor.findText(what, options); ++count)
            editor.insertText(replacement);
    } else {
        for (; selectNext(editor, what, options, count > 0); ++count) {
            const int matchStart = editor.selectionStart();
            editor.insertText(replacement);
            // The next search ends in front of the replacement, or one holding the search text would be
            // found again and again.
            editor.setSelectionStart(matchStart);
        }
    }
    editor.endUndoAction();
    if (count > 0) {
        editor.setFocus();
        editor.bringCaretIntoView();
    }
    return count;
}

QString replacedMessage(int count) {
    return count == 1 ? QStringLiteral("1 occurrence replaced")
                      : QStringLiteral("%1 occurrences replaced").arg(count);
}

QPoint findDialogPlace(const QRect& mainWindowFrame) {
    return {mainWindowFrame.left() + mainWindowFrame.width() / 2, mainWindowFrame.top() + 50};
}
