#include "FindCommands.h"

#include "SourceEditor.h"

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
    while (selectNext(editor, what, options, !options.down && count > 0)) {
        const int matchStart = editor.selectionStart();
        editor.insertText(replacement);
        // Downward the next search starts behind the inserted text anyway; upward it must start in
        // front of it, or a replacement holding the search text would be found again and again.
        if (!options.down)
            editor.setSelectionStart(matchStart);
        ++count;
    }
    editor.endUndoAction();
    if (count > 0) {
        editor.setFocus();
        editor.bringCaretIntoView();
    }
    return count;
}

QPoint findDialogPlace(const QRect& mainWindowFrame) {
    return {mainWindowFrame.left() + mainWindowFrame.width() / 2, mainWindowFrame.top() + 50};
}
