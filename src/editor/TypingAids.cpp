#include "TypingAids.h"

#include "SourceEditor.h"

#include <QKeyEvent>

namespace typingAids {

namespace {

// X11 and Wayland report the evdev code plus 8; 11 is the key right of 9 on every PC keyboard.
constexpr quint32 kZeroKeyScanCode = 19;

QString trimmedControls(QStringView text) {
    qsizetype start = 0, end = text.size();
    while (start < end && text[start].unicode() <= 32)
        ++start;
    while (end > start && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(start, end - start).toString();
}

// Starts "odd" and flips at every blank that follows a non-blank: odd for an odd number of words.
bool oddWordCount(QStringView head) {
    bool odd = true;
    for (qsizetype p = 1; p < head.size(); ++p)
        if (head[p - 1] != u' ' && head[p] == u' ')
            odd = !odd;
    return odd;
}

bool declaresReturn(QStringView declaration) {
    const qsizetype paren = declaration.indexOf(u'(');
    const QString head = paren < 0 ? QString() : trimmedControls(declaration.left(paren));
    const bool odd = oddWordCount(head);
    bool returns = odd;
    if (head.toUpper().contains(QStringLiteral("STATIC")))
        returns = !odd;
    if (declaration.contains(QStringLiteral("void")))
        returns = false;
    return returns;
}

void closeBrace(SourceEditor& editor) {
    if (!onlyBlanksAndClosingBraces(editor.line(editor.caretLine())))
        return;
    const int column = editor.caretColumn();
    if (column < 2)
        return;
    editor.setCaretColumn(column - 2);
    editor.setSelectionLength(1);
    editor.insertText(QString());
    editor.setCaretColumn(editor.caretColumn() + 2);
}

void addComment(SourceEditor& editor) {
    const int caretLine = editor.caretLine();
    const std::optional<QString> skeleton =
        commentSkeleton(editor.line(caretLine - 1), editor.line(caretLine + 1));
    if (!skeleton)
        return;
    editor.insertText(*skeleton);
    editor.setCaretLine(caretLine);
    editor.setCaretColumn(int(editor.line(caretLine).size()));
}

} // namespace

int windowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return kEnterKey;
    if (modifiers & Qt::KeypadModifier)
        return 0;
    if (qtKey == Qt::Key_0 || nativeScanCode == kZeroKeyScanCode)
        return kZeroKey;
    return 0;
}

int windowsKeyCode(const QKeyEvent& event) {
    return windowsKeyCode(event.key(), event.modifiers(), event.nativeScanCode());
}

bool typesClosingBrace(const QKeyEvent& event) {
    return event.key() == Qt::Key_BraceRight || event.text() == QLatin1String("}");
}

bool opensBlock(QStringView lineAbove) {
    return !lineAbove.isEmpty() && lineAbove.back() == u'{';
}

bool onlyBlanksAndClosingBraces(QStringView line) {
    for (QChar c : line)
        if (c != u' ' && c != u'\t' && c != u'}')
            return false;
    return true;
}

std::optional<QString> commentSkeleton(QStringView lineAbove, QStringView declaration) {
    const qsizetype opening = lineAbove.indexOf(QStringLiteral("/**"));
    if (opening < 0)
        return std::nullopt;
    const QString indent = lineAbove.left(opening).toString();
    const QString next = QStringLiteral("\r") + indent;

    if (declaration.toString().toUpper().contains(QStringLiteral("CLASS")))
        return QStringLiteral("* ") + next + QStringLiteral("* @version 1.0 ") + next +
               QStringLiteral("* @author ") + next + QStringLiteral("**/");

    const bool noParentheses = !declaration.contains(u'(') && !declaration.contains(u')');
    const qsizetype commas = declaration.count(u',');
    const qsizetype parameterLines =
        commas == 0 && declaration.contains(QStringLiteral("()")) ? 0 : commas + 1;
    QString skeleton = QStringLiteral("* ") + next;
    if (!noParentheses) {
        for (qsizetype i = 0; i < parameterLines; ++i)
            skeleton += QStringLiteral("* @param ") + next;
        if (declaresReturn(declaration))
            skeleton += QStringLiteral("* @return ") + next;
    }
    return skeleton + QStringLiteral("**/");
}

void keyUp(SourceEditor& editor, int windowsKey, bool closingBrace, const Switches& switches) {
    if (switches.autoFormat) {
        if (windowsKey == kEnterKey && opensBlock(editor.line(editor.caretLine() - 1)))
            editor.insertText(QStringLiteral("\t"));
        if (windowsKey == kZeroKey || closingBrace)
            closeBrace(editor);
    }
    if (switches.autoComments && windowsKey == kEnterKey)
        addComment(editor);
}

} // namespace typingAids
