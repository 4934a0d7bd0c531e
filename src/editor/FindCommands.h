#pragma once

#include "TextSearch.h"

#include <QPoint>
#include <QRect>
#include <QString>

class SourceEditor;

// The steps of the find and replace commands on the editor. Each returns what happened; the caller
// sounds the beep.

// Find Next: downward it first steps over the search text's length (past a match a previous Find Next
// left selected); a match ends up selected from its start, with the editor focused and the caret in
// view. Not found: false, and the step stays.
bool findNext(SourceEditor& editor, const QString& what, const SearchOptions& options);

// Replace: the selection, whatever it holds, gives way to `replacement`; no search follows.
void replaceSelection(SourceEditor& editor, const QString& replacement);

// Replace all: a replacement per match until a search finds nothing; returns the number of replacements.
// Downward it starts at the selection's front (the caret without one) and goes on right behind each
// replacement; upward it takes Find Next's steps and the next search ends in front of the match just
// replaced. Every match is replaced once and no search runs over text just inserted. One undo step.
int replaceAll(SourceEditor& editor, const QString& what, const QString& replacement,
               const SearchOptions& options);

// The status bar's word on a Replace All: "3 occurrences replaced".
QString replacedMessage(int count);

// The find dialog's top-left corner: the main window's horizontal centre, 50 pixels below its top.
QPoint findDialogPlace(const QRect& mainWindowFrame);
