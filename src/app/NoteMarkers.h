#pragma once

#include "notes/NoteLocation.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <vector>

class MainWindow;

// Bugs and notes tied to the source: the editor's symbol margin marks each line that an open entry of
// the project's register names, with the entries' text as its tooltip, and a double click on an entry in
// the register leads to its line. The entries are kept here, never only in the editor: the marks are
// drawn again whenever the editor shows another text and whenever the register changes.
class NoteMarkers : public QObject {
    Q_OBJECT
public:
    explicit NoteMarkers(MainWindow& window);

    // The register of this project folder is the one marked: read from its Notes.ini when the folder is
    // another one than before.
    void followProject(const QString& projectDir);
    // The register's entries as the Bugs and Notes window holds them now.
    void setEntries(const QList<NoteEntry>& entries);
    const QList<NoteEntry>& entries() const { return m_entries; }
    // The marks of the source on screen, as drawn.
    const std::vector<NoteMark>& marks() const { return m_marks; }
    // The tooltip of a line (from 0) of the source on screen, where its mark is now; empty without one.
    QString textAt(int line) const;
    // The tooltip at a point of the editor's viewport: a mark's text over margin 1, else empty.
    QString tipAt(const QPoint& at) const;
    // Leads to the source line a "File and line" text names; the reason it cannot, else empty.
    QString openSource(const QString& fileAndLine);
    // Draws the marks of the source on screen.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the editor has a mark now (from 0), or -1.
    int markedLine(std::size_t mark) const;

    MainWindow& m_window;
    QString m_projectDir;
    bool m_following = false;
    QList<NoteEntry> m_entries;
    std::vector<NoteMark> m_marks;
    std::vector<int> m_handles; // the editor's marker of each mark, -1 past the text's end
};
