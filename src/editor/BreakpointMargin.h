#pragma once

#include <QObject>
#include <QString>
#include <functional>

class BreakpointSet;
class SourceEditor;

// The breakpoints of the file the editor shows, drawn as markers in its symbol margin: a click there (or
// toggleAtCaret) sets or clears one. Scintilla moves the markers with the edits; after every edit that
// changes the line count their lines are read back into the set, which stays the one record (markers go
// with a replaced text). Whenever the editor shows a text anew they are drawn again from the set.
class BreakpointMargin : public QObject {
    Q_OBJECT
public:
    static constexpr int Margin = 1;
    static constexpr int Marker = 1;

    // `shownFile` names the file the editor shows as the set knows it, empty when none takes breakpoints.
    BreakpointMargin(SourceEditor& editor, BreakpointSet& breakpoints, std::function<QString()> shownFile,
                     QObject* parent = nullptr);

    // Editor lines count from 0.
    void toggleLine(int line);
    void toggleAtCaret();
    // Draws the set's breakpoints of the file shown now (after a file switch, a load of the set).
    void showFile();
    // Takes the markers' lines into the set; true when that changed it.
    bool readBack();

signals:
    // The set changed: by a toggle, or by edits that moved breakpoints.
    void changed();

private:
    SourceEditor& m_editor;
    BreakpointSet& m_breakpoints;
    std::function<QString()> m_shownFile;
    QString m_file; // whose breakpoints are drawn; empty until the editor's text is known to be its
};
