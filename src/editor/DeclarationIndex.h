#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// "Go to Declaration" without its widgets: the outline program's lines of every source, kept per file
// under the stamp they were read for, and the declarations a name may lead to.

enum class DeclarationKind { Class, Method, Field };

struct Declaration {
    QString fileName; // as the project names the source
    int line = 0;     // 1-based
    DeclarationKind kind = DeclarationKind::Class;
    QString name;  // the simple name: "Inner", "move", "count"
    QString owner; // the class it is declared in ("Outer" for Outer.Inner); empty at the top
    QString label; // what a list of candidates shows: "class Outer.Inner", "move(int,int)  in Point"

    bool operator==(const Declaration&) const = default;
};

// One source to index: the file on disk, or an open buffer's unsaved text.
struct DeclarationSource {
    QString fileName;
    QString path;
    std::optional<QStringList> lines;
};

// The name under the caret, whether it is called (a "(" follows, blanks aside), and the name it is
// qualified with ("Util" in "Util.text(1)"), if any.
struct NameAtCaret {
    QString name;
    bool call = false;
    QString qualifier;
};
// The Java identifier that the column touches (inside it, or just after its end); empty when none.
NameAtCaret nameAt(const QString& line, int column);

class DeclarationIndex {
public:
    // What a source's outline is valid for: an unsaved text by its content, a file by its time and size
    // (empty for a path that is no regular file: nothing to read).
    static QString stampOf(const DeclarationSource& source);
    // The declarations of one source's outline lines ("class Outer.Inner 12", "method void run() 14",
    // "variable int count 3"); other lines (the program's remarks) give none.
    static std::vector<Declaration> readOutline(const QString& fileName, const QStringList& lines);

    // Whether the outline held for the source was read for this stamp.
    bool isCurrent(const QString& fileName, const QString& stamp) const;
    // The outline read for a stamp replaces what was held for the file; `problem` (empty for none) says
    // why it may be incomplete.
    void store(const QString& fileName, const QString& stamp, const QStringList& outline,
               const QString& problem = {});
    // Forgets every file not named.
    void retainOnly(const QStringList& fileNames);
    int fileCount() const { return int(m_files.size()); }

    // The declarations of a name, by file name then line. A call prefers methods and constructors, any
    // other use classes and fields; when the preferred kinds have none, every declaration of the name.
    // A qualifier that names a class keeps the declarations of that class, when it has any.
    std::vector<Declaration> find(const QString& name, bool call, const QString& qualifier = {}) const;
    // "<file>: <problem>" for every file whose outline may be incomplete, by file name.
    QStringList problems() const;

private:
    struct FileOutline {
        QString stamp;
        std::vector<Declaration> declarations;
        QString problem;
    };
    QHash<QString, FileOutline> m_files;
};
