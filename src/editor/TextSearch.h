#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

// What the find and replace dialogs ask for.
struct SearchOptions {
    bool down = true;
    bool wholeWord = false;
    bool matchCase = false;
};

struct LineColumn {
    int line = 0;
    int column = 0;

    bool operator==(const LineColumn&) const = default;
};

// Finds `what` in a text read line by line, the way the editor's find text does.
//
// Downward the first match that begins at or after `from` wins. Upward the last match in `from`'s line
// that begins before `from` wins, else the last match of the nearest earlier line that has one; with
// `endBeforeFrom` an upward match must also end at or before `from`, so a search never runs over text
// that lies after it. A match never spans a line break; `from.column` may lie past its line's end.
// Without match case both sides are compared upper-cased, character by character, so columns stay
// those of the line as typed. A whole-word match is neither preceded nor followed by a Java identifier
// character. An empty search text is never found.
std::optional<LineColumn> findInLines(const std::function<QString(int)>& line, int lineCount, LineColumn from,
                                      const QString& what, const SearchOptions& options,
                                      bool endBeforeFrom = false);

// Finds `what` within one line: without match case both sides compared upper-cased character by
// character (columns stay those of the line as typed); a whole word neither preceded nor followed by a
// Java identifier character. An empty search text matches nothing.
class LineMatcher {
public:
    LineMatcher(const QString& what, const SearchOptions& options);

    // The earliest match beginning at or after `first`, or -1.
    int firstFrom(const QString& text, int first) const;
    // The last match beginning at or before `last`, or -1.
    int lastUpTo(const QString& text, int last) const;
    int length() const { return int(m_what.size()); }

private:
    QString prepared(const QString& text) const;
    bool accepted(const QString& text, int at) const;

    QString m_what;
    SearchOptions m_options;
};

// Upper-cases each character by itself, keeping the length.
QString upperCharacters(QStringView text);
