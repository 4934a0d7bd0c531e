#pragma once

#include <QObject>

class FindReplace;
class LiveSettings;
class QWidget;
class SourceEditor;

// The Edit menu's commands on the one source editor, the find and replace dialogs and the typing aids
// that act as a key comes up.
class EditCommands : public QObject {
    Q_OBJECT
public:
    // The dialogs belong to `window`, whose status bar tells how many replacements were made.
    EditCommands(SourceEditor& editor, LiveSettings& settings, QWidget* window);

    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    void findText();
    void findAndReplace();
    void toggleCommentLines();
    // Each aid reads its Settings check box as the key comes up.
    void keyReleased(int key, bool closingBrace);

signals:
    void replacedAll(int count);

private:
    SourceEditor& m_editor;
    LiveSettings& m_settings;
    QWidget* m_window;
    FindReplace* m_findReplace;
};
