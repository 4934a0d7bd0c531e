#pragma once

#include <QStringList>
#include <QStringView>
#include <QWidget>

class QLineEdit;
class QListWidget;
class SourceEditor;

// The fixed words of the completion list, in the list's (case-blind) order.
const QStringList& completionWords();
// The first of `words` that begins with `typed`, compared without regard to case; -1 for none and for
// an empty text.
int completionIndex(const QStringList& words, QStringView typed);

// The borderless completion list. Ctrl+Space in the editor opens it under the caret; a chosen word goes
// into the editor at the caret. Escape closes it, as do the keys that hand control back to the editor.
class CompletionWindow : public QWidget {
    Q_OBJECT
public:
    explicit CompletionWindow(SourceEditor& editor, QWidget* parent = nullptr);

    // Shows the window under the editor's caret with the typing field focused.
    void popUpAtCaret();
    // Where the window goes: under the caret's line, in screen coordinates.
    QPoint placeUnderCaret() const;

    QLineEdit* m_typed;
    QListWidget* m_wordList;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void typedTextChanged(const QString& text);
    bool typedKeyDown(int key);
    bool listKeyDown(int key);
    void listClicked();
    void listDoubleClicked();
    void insertSelected();
    void clearAndClose();
    QString selectedWord() const;

    SourceEditor& m_editor;
};
