#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One entry of the class tree.
struct BrowserNode {
    QString label;
    int picture = 0;
    // 1-based declaration line; none when the parser's word was no line number.
    std::optional<int> line;
    std::vector<BrowserNode> children;
    // A remark about the parse itself (it ended abnormally): no declaration, and last in every order.
    bool note = false;
};

// The class browser without its widgets: how the outline program's lines become a two-level tree, the
// four tool-bar switches, and when a parse may start. The window mirrors the tree it holds.
class ClassBrowser {
public:
    // Picture indexes of the browser's image list.
    enum Picture {
        ClassPicture = 0,
        MethodPicture = 1,
        VariablePicture = 2,
        SortedPicture = 3,
        SourcePicture = 4
    };

    // Word n (from 1) of a line: blanks alone separate words, so two blanks delimit an empty word; a line
    // with fewer words gives its last.
    static QString word(const QString& line, int n);
    // A declaration line: a decimal number from 1 on, else none.
    static std::optional<int> lineNumber(const QString& word);
    // Writes the editor's lines as the parser's input, each followed by CR LF; the error text, or empty.
    static QString writeParserInput(const QString& path, const QStringList& lines);
    static QString parserInputName() { return QStringLiteral("temp.java"); }
    // The parser's input lies in a folder of this process's own inside the user's runtime folder
    // ($XDG_RUNTIME_DIR, or the temporary folder without a usable one): gone at log-out, never shared.
    static QString scratchParent();
    // QTemporaryDir's template for that folder: it carries this process's id.
    static QString scratchTemplate(const QString& parent);
    // Removes the scratch folders of this user's processes that no longer run (a killed program leaves
    // its copy of the source behind), never following a link; gives how many went.
    static int removeStaleScratch(const QString& parent);

    // Where a line's node went: its top-level index and, for a member under a class, its child index.
    struct Placement {
        int top = -1;
        int child = -1;
        bool operator==(const Placement&) const = default;
    };
    // Adds the node a parser line asks for (none for other lines or a member kind switched off), in
    // arrival order; while "Sorted" is down the tree is sorted once the parse has ended.
    std::optional<Placement> addLine(const QString& line);
    // Adds a note at the end of the top level.
    Placement addNote(const QString& text);

    void clear();
    const std::vector<BrowserNode>& nodes() const { return m_nodes; }
    // The node at a placement, or null.
    const BrowserNode* node(Placement at) const;

    // New order of a sort: for each new top-level position the old index, and for each node its
    // children's old indexes in their new order.
    struct SortOrder {
        std::vector<int> top;
        std::vector<std::vector<int>> children;
    };
    // Every level by label (labelLess), notes last; equal labels keep their order.
    SortOrder sort();
    // The parse has delivered everything: while "Sorted" is down the tree is sorted now, once, and the
    // new order is given.
    std::optional<SortOrder> finishTree();
    // The order of labels: the user's collation, case-insensitive first, so "alpha" comes before "Beta";
    // the C and POSIX locales, which have no collation of their own, get the language-neutral one rather
    // than the order of the character codes.
    static bool labelLess(const QString& a, const QString& b);

    // How long the outline program may work on one parse before it is stopped.
    static constexpr int kParseTimeLimitMs = 5000;
    // The note for how a parse ended: empty for a normal end (and for a program that never started,
    // which leaves the tree empty); `exitStatus` is the exit code or 128 + the signal.
    static QString endNote(std::optional<int> exitStatus, bool stopped, int limitMs = kParseTimeLimitMs);

    // The switches: "Sorted" and "Like the source file" are a pair, exactly one down.
    bool sorted() const { return m_sorted; }
    bool sourceOrder() const { return !m_sorted; }
    bool showVariables() const { return m_variables; }
    bool showMethods() const { return m_methods; }
    // "Sorted": down, its partner up, and the tree sorted at once.
    SortOrder pressSorted();
    // "Like the source file": down, its partner up; the caller refreshes.
    void pressSourceOrder() { m_sorted = false; }
    void toggleVariables() { m_variables = !m_variables; }
    void toggleMethods() { m_methods = !m_methods; }

    // Refreshes: one parse at a time, and a refresh asked for while one runs is run once it has ended,
    // however many were asked for.
    // True when a parse may start now; otherwise one is running and another is due at its end.
    bool requestRefresh();
    // The parse has ended (or could not start); true when the refresh asked for meanwhile is due now, in
    // which case the browser counts as parsing again.
    bool parseEnded();
    // No parse could be started: back to idle, nothing due.
    void parseFailed();
    bool parsing() const { return m_parsing; }
    bool refreshPending() const { return m_pending; }
    // The tree is emptied without a parse: what a running parse still says is dropped, and no refresh
    // asked for meanwhile follows it.
    void clearWithoutParse();
    // False while a running parse's output belongs to a tree cleared since.
    bool acceptsOutput() const { return !m_discard; }

private:
    std::vector<BrowserNode> m_nodes;
    int m_currentClass = -1;
    bool m_sorted = false;
    bool m_variables = true;
    bool m_methods = true;
    bool m_parsing = false;
    bool m_pending = false;
    bool m_discard = false;
};
