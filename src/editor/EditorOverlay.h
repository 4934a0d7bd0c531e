#pragma once

#include <QApplication>
#include <QPalette>
#include <QWidget>

class SourceEditor;

// Drawn over the editor's text area: the gutter's line numbers, centred in its 30 pixels, and the blue
// end-of-text mark under the last line. It takes no input and reads the editor's state as it paints.
class EditorOverlay : public QWidget {
public:
    explicit EditorOverlay(SourceEditor* editor);

    // Blue, made lighter on a dark paper so the mark stays visible.
    static QColor endOfTextColor(const QColor& paper = QApplication::palette().color(QPalette::Base));
    // The vertical place of the end-of-text mark in the text area, or -1 when it is out of sight.
    int endOfTextY() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Repaints only when what it draws has moved: a keystroke within a line leaves the text area's
    // own partial repaint alone.
    void refreshIfMoved();

    SourceEditor* m_editor;
    int m_firstLine = -1;
    int m_lines = -1;
};
