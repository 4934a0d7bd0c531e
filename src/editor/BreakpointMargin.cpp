#include "BreakpointMargin.h"

#include "SourceEditor.h"
#include "workspace/Breakpoints.h"

#include <QTimer>

BreakpointMargin::BreakpointMargin(SourceEditor& editor, BreakpointSet& breakpoints,
                                   std::function<QString()> shownFile, QObject* parent)
    : QObject(parent), m_editor(editor), m_breakpoints(breakpoints), m_shownFile(std::move(shownFile)) {
    connect(&editor, &QsciScintilla::marginClicked, this,
            [this](int margin, int line, Qt::KeyboardModifiers) {
                if (margin == Margin)
                    toggleLine(line);
            });
    // A new text has no markers of ours, and the file it belongs to may be made current only after it
    // arrived: drawn once the switch is done.
    connect(&editor, &SourceEditor::textReplaced, this, [this] {
        m_file.clear();
        QTimer::singleShot(0, this, &BreakpointMargin::showFile);
    });
    connect(&editor, &QsciScintilla::linesChanged, this, [this] {
        // Inside a replacement the markers are gone with the old text, and the set keeps them; a text of
        // another file than the one drawn is not read into that one's.
        if (!m_file.isEmpty() && !m_editor.replacingText() && m_file == m_shownFile() && readBack())
            emit changed();
    });
}

// Margin 1 is set up for this marker with the editor.
static_assert(BreakpointMargin::Marker == SourceEditor::BreakpointMarker);

void BreakpointMargin::toggleLine(int line) {
    if (m_file.isEmpty())
        showFile();
    if (m_file.isEmpty() || line < 0 || line >= m_editor.lineCount())
        return;
    readBack();
    if (m_breakpoints.toggle(m_file, line + 1))
        m_editor.markerAdd(line, Marker);
    else
        m_editor.markerDelete(line, Marker);
    emit changed();
}

void BreakpointMargin::toggleAtCaret() {
    toggleLine(m_editor.caretLine());
}

void BreakpointMargin::showFile() {
    m_file = m_shownFile();
    m_editor.markerDeleteAll(Marker);
    if (m_file.isEmpty())
        return;
    const int count = m_editor.lineCount();
    for (int line : m_breakpoints.lines(m_file))
        if (line <= count)
            m_editor.markerAdd(line - 1, Marker);
}

bool BreakpointMargin::readBack() {
    if (m_file.isEmpty())
        return false;
    const int count = m_editor.lineCount();
    QList<int> lines;
    // Lines past the text's end were never drawn: they stay as they were.
    for (int line : m_breakpoints.lines(m_file))
        if (line > count)
            lines << line;
    for (int line = m_editor.markerFindNext(0, 1 << Marker); line >= 0;
         line = m_editor.markerFindNext(line + 1, 1 << Marker))
        lines << line + 1;
    const QList<int> before = m_breakpoints.lines(m_file);
    m_breakpoints.setLines(m_file, lines);
    return m_breakpoints.lines(m_file) != before;
}
