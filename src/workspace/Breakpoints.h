#pragma once

#include "FileResult.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The project's breakpoints: for each source, by its name in the project folder ("sub/Foo.java", always
// with "/"), the lines (from 1, as javac counts them) the debugger is to stop at. They are kept in
// Breakpoints.txt in the project folder, one "sub/Foo.java:12" a line. Lines of that file this version
// cannot read are kept as they are and written back after the ones it can.
class BreakpointSet {
public:
    QList<int> lines(const QString& file) const { return m_lines.value(file); }
    // Sorted, each line once; lines below 1 are dropped. No lines removes the file.
    void setLines(const QString& file, QList<int> lines);
    // Sets or clears the breakpoint on `line`; true when it is set afterwards.
    bool toggle(const QString& file, int line);
    QStringList files() const { return m_lines.keys(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    void clear();

    // The file's text: the breakpoints sorted by file and line, then the kept lines, each ended by CR LF.
    QByteArray text() const;
    // Reads the file's text; `problems` gets one sentence per line that could not be read (kept as it is).
    // Text that is not UTF-8 (or holds NUL) gives no breakpoints and a problem, and `text` then refuses
    // to be written over it (see readOnly).
    static BreakpointSet parse(const QByteArray& bytes, QStringList& problems);

    // None, from a file that must not be replaced (see readOnly).
    static BreakpointSet unreadable();
    // The file it was read from is not text, or could not be read: it is never replaced.
    bool readOnly() const { return m_readOnly; }

    bool operator==(const BreakpointSet&) const = default;

private:
    QMap<QString, QList<int>> m_lines;
    QStringList m_kept;
    bool m_readOnly = false;
};

namespace Breakpoints {

inline constexpr char kFileName[] = "Breakpoints.txt";
// The most that is read: far more than any number of breakpoints a person sets.
inline constexpr qint64 kReadLimit = 1024 * 1024;

// Why `name` cannot stand for a source in the file (absolute, "..", a line break, not ".java"); empty when
// it can.
QString nameProblem(const QString& name);

// The project's breakpoints from `projectDir` (ending with "/"). No file gives none and no note; a file
// that cannot be read, leads out of the project folder or holds lines that cannot be read gives the
// breakpoints it could read and a note saying what was left out, for a message box.
struct ReadResult {
    BreakpointSet breakpoints;
    QString note;
};
ReadResult read(const QString& projectDir);

// Writes them atomically where the file may be written (inside the project folder, links resolved);
// nothing at all leaves no file, and a file that was not text is left alone.
FileResult write(const QString& projectDir, const BreakpointSet& breakpoints);

} // namespace Breakpoints
