#pragma once

class MainWindow;
struct ProjectRecord;

// Shows a line of an open Java source in the editor, with the keyboard focus there: another source
// becomes current as a click on its Source entry makes it (the one on screen keeps its text and its undo
// history). Line and column count from 0 and are clamped to the text. False when the source could not
// be shown.
bool showSourceLine(MainWindow& window, ProjectRecord& source, int line, int column = 0);
