#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Context help: the word at the editor's caret and the documentation page that names it. No widgets here;
// the Class Help window only shows what these decide.
namespace ContextHelp {

// The word for the caret at `column` (0-based) of `line`. A left scan from the character before the caret
// finds where the word starts, a right scan from there collects it. The two scans stop at different
// characters: the left one runs past ';', ')' and ']', the right one past '[' and CR, so the word may carry
// them. A column past the line's end counts as its end.
QString wordAtCaret(const QString& line, int column);

// The first entry of the documentation file list that contains "/" + word + ".html", compared case by case.
std::optional<QString> findDocPage(const QStringList& docFiles, const QString& word);

// What the Class Help view is to do for a word.
struct ClassHelpTarget {
    enum Kind {
        ShowPage,   // navigate to url
        KeepCurrent // the matching page has gone since the list was built: the view stays as it is
    };
    Kind kind = ShowPage;
    QString url;
};

// The page for `word`: the matching documentation file when it still exists, our own "noDocHelp.html" in
// `programFolder` (held without a trailing separator) when no entry matches.
ClassHelpTarget classHelpTarget(const QStringList& docFiles, const QString& word,
                                const QString& programFolder,
                                const std::function<bool(const QString&)>& fileExists);

// "file://" + a full path, the form every documentation address takes; characters an address would misread
// are escaped.
QString fileUrl(const QString& path);

} // namespace ContextHelp
