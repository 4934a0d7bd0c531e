#pragma once

#include <QByteArray>
#include <QObject>
#include <vector>

class QsciScintillaBase;

// QScintilla hands every insertion and deletion to its accessibility bridge before anyone else sees it,
// and the bridge turns the byte position into a character offset by walking the text from its start: in
// a UTF-8 document of 200,000 lines that is most of a keystroke's cost. While a deferral is open the
// editor's after-change notices are held back from QScintilla (its mod-event mask) and rebuilt from the
// before-change notices, which still arrive; when the outermost deferral ends the same SCN_MODIFIED
// notices (position, type, text, length, lines added) are emitted in the same order, so textChanged,
// linesChanged and every other listener see what they always saw, only at the end of the action.
// Nothing is deferred while an assistive technology listens: it needs the bridge's own events.
class ChangeNotices : public QObject {
    Q_OBJECT
public:
    explicit ChangeNotices(QsciScintillaBase* editor);

    void begin();
    void end();

    class Deferral {
    public:
        explicit Deferral(ChangeNotices& notices) : m_notices(notices) { m_notices.begin(); }
        ~Deferral() { m_notices.end(); }
        Deferral(const Deferral&) = delete;
        Deferral& operator=(const Deferral&) = delete;

    private:
        ChangeNotices& m_notices;
    };

private slots:
    void note(int position, int type, const char* text, int length, int linesAdded, int line, int foldNow,
              int foldBefore, int token, int annotationLinesAdded);

private:
    struct Change {
        int position = 0;
        int type = 0;
        int length = 0;
        long linesBefore = 0;
        int linesAdded = 0;
        QByteArray text;
        bool complete = false;
    };
    // The previous change has happened by the time the next notice (or the end) comes.
    void completeLast();
    QByteArray bytes(long position, long length) const;
    long lineCount() const;

    QsciScintillaBase* m_editor;
    int m_depth = 0;
    bool m_deferring = false;
    long m_mask = 0;
    std::vector<Change> m_changes;
};

// A plain accessible (role and state, no text interface) for the source editor while no assistive
// technology is active: QScintilla's own one walks the whole text for the caret's offset on every repaint.
// When one becomes active the plain interface is dropped, and QScintilla's full one is made on next use.
void useLightAccessibleFor(const char* className);
