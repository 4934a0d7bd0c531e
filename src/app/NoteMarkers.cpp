// The editor's marks of open bugs and notes, and the way from an entry to its line.
#include "NoteMarkers.h"

#include "MainWindow.h"
#include "SourceLine.h"

#include "editor/SourceEditor.h"
#include "workspace/WorkspaceSession.h"
#include "workspace/WriteTarget.h"

#include <QHelpEvent>
#include <QToolTip>

NoteMarkers::NoteMarkers(MainWindow& window) : QObject(&window), m_window(window) {
    SourceEditor* editor = window.editor();
    // The session makes the new record current around the replacement: the marks are drawn after it.
    connect(editor, &SourceEditor::textReplaced, this,
            [this] { QMetaObject::invokeMethod(this, &NoteMarkers::apply, Qt::QueuedConnection); });
    editor->viewport()->installEventFilter(this);
}

void NoteMarkers::followProject(const QString& projectDir) {
    if (m_following && projectDir == m_projectDir)
        return;
    m_following = true;
    m_projectDir = projectDir;
    NotesRegister notes;
    // A register that cannot be read, or whose name leads out of the project, marks nothing; the Bugs
    // and Notes window says why when it opens.
    const QString path = NotesRegister::fileName(projectDir);
    if (!projectDir.isEmpty() && checkWriteTarget(projectDir, path))
        notes.load(path);
    m_entries = notes.entries();
    apply();
}

void NoteMarkers::setEntries(const QList<NoteEntry>& entries) {
    m_entries = entries;
    apply();
}

void NoteMarkers::apply() {
    const WorkspaceSession& session = m_window.session();
    m_marks = noteMarks(m_entries, session.files(), m_projectDir, session.files().currentFile());
    SourceEditor* editor = m_window.editor();
    editor->markerDeleteAll(SourceEditor::NoteMarker);
    m_handles.clear();
    for (const NoteMark& mark : m_marks)
        m_handles.push_back(mark.line <= editor->lineCount()
                                ? editor->markerAdd(mark.line - 1, SourceEditor::NoteMarker)
                                : -1);
}

int NoteMarkers::markedLine(std::size_t mark) const {
    // A mark moves with the lines typed above it: the editor knows where it is now.
    const int handle = mark < m_handles.size() ? m_handles[mark] : -1;
    return handle < 0 ? -1 : m_window.editor()->markerLine(handle);
}

QString NoteMarkers::textAt(int line) const {
    for (std::size_t i = 0; i < m_marks.size(); ++i)
        if (markedLine(i) == line)
            return m_marks[i].text;
    return {};
}

QString NoteMarkers::openSource(const QString& fileAndLine) {
    const std::optional<NoteLocation> at = parseNoteLocation(fileAndLine);
    if (!at)
        return QStringLiteral("The entry names no file and line.");
    ProjectRecord* source = noteSource(m_window.session().files(), m_projectDir, *at);
    if (!source)
        return QStringLiteral("%1 is no source of this project.").arg(at->file);
    int line = at->line - 1;
    // On screen, the mark may have moved with the lines typed above it.
    if (source == m_window.session().files().currentFile())
        for (std::size_t i = 0; i < m_marks.size(); ++i)
            if (m_marks[i].line == at->line && markedLine(i) >= 0)
                line = markedLine(i);
    if (!showSourceLine(m_window, *source, line))
        return QStringLiteral("%1 could not be shown.").arg(at->file);
    m_window.raise();
    m_window.activateWindow();
    return {};
}

QString NoteMarkers::tipAt(const QPoint& at) const {
    SourceEditor* editor = m_window.editor();
    const int left = editor->marginWidth(0);
    const int textLeft = left + editor->marginWidth(1);
    if (at.x() < left || at.x() >= textLeft)
        return {};
    // The line beside the point: the position at the text's left edge.
    const long position =
        editor->SendScintilla(QsciScintilla::SCI_POSITIONFROMPOINT, static_cast<unsigned long>(textLeft),
                              static_cast<long>(at.y()));
    return textAt(int(
        editor->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position))));
}

bool NoteMarkers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = tipAt(help->pos());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, m_window.editor()->viewport());
    }
    return true;
}
