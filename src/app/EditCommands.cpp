// The Edit menu's commands, find and replace, and the typing aids of the source editor.
#include "EditCommands.h"

#include "editor/FindReplaceDialogs.h"
#include "editor/SourceEditor.h"
#include "editor/ToggleComment.h"
#include "editor/TypingAids.h"
#include "settings/LiveSettings.h"

#include <QWidget>

EditCommands::EditCommands(SourceEditor& editor, LiveSettings& settings, QWidget* window)
    : QObject(window), m_editor(editor), m_settings(settings), m_window(window),
      m_findReplace(new FindReplace(editor, window)) {
    connect(m_findReplace, &FindReplace::replacedAll, this, &EditCommands::replacedAll);
    connect(&m_editor, &SourceEditor::keyReleased, this, &EditCommands::keyReleased);
}

void EditCommands::undo() {
    m_editor.undo();
}
void EditCommands::redo() {
    m_editor.redo();
}
void EditCommands::cut() {
    m_editor.cut();
}
void EditCommands::copy() {
    m_editor.copy();
}
void EditCommands::paste() {
    m_editor.paste();
}
void EditCommands::deleteSelection() {
    m_editor.deleteSelection();
}
void EditCommands::selectAll() {
    m_editor.selectAll();
}
void EditCommands::findText() {
    m_findReplace->showFind(m_window->frameGeometry());
}
void EditCommands::findAndReplace() {
    m_findReplace->showReplace();
}
void EditCommands::toggleCommentLines() {
    toggleComment(m_editor);
}

void EditCommands::keyReleased(int key, bool closingBrace) {
    TypingAids::keyUp(m_editor, key, closingBrace,
                      {m_settings.flag(u"Autoformat"), m_settings.flag(u"AutoComment")});
}
