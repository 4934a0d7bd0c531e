#include "ToggleComment.h"

#include "SourceEditor.h"

namespace {

void toggleAt(QString& text, qsizetype at) {
    if (text.at(at) == u'/')
        text.remove(at, 3);
    else
        text.insert(at, QStringLiteral("// "));
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
    const QString selected = editor.selectedText();
    if (selected.isEmpty())
        return;
    editor.insertText(toggledComment(selected));
}
