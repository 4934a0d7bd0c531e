#pragma once

#include <QString>

class SourceEditor;

// Toggles "// " on each line of `selected` (lines joined by CR LF): a line beginning with "//" loses it,
// with one blank after it if there is one; any other line gains "// ". Only a line break followed by at
// least one more character starts a line, so a text ending with a break leaves the line after it alone.
QString toggledComment(QString selected);

// The "Toggle Comment" command: the selection replaced by its toggled text; nothing without a selection.
// A column block toggles each of its lines at the block's left column and stays selected.
void toggleComment(SourceEditor& editor);
