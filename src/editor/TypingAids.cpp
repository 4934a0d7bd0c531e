#include "TypingAids.h"

#include "JavaCharacters.h"
#include "SourceEditor.h"

#include <QKeyEvent>

namespace TypingAids {

namespace {

// X11 and Wayland report the evdev code plus 8; 11 is the key right of 9 on every PC keyboard.
constexpr quint32 kZeroKeyScanCode = 19;

// Index after the parenthesis that closes the one at `open`, or the text's end; string and character
// literals may hold parentheses.
qsizetype afterParentheses(QStringView text, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'') {
            for (++i; i < text.size() && text[i] != c; ++i)
                if (text[i] == u'\\')
                    ++i;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && --depth == 0) {
            return i + 1;
        }
    }
    return text.size();
}

// The declaration without its annotations and their arguments ("@interface" stays: it declares a type).
QString withoutAnnotations(QStringView text) {
    QString result;
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != u'@') {
            result += text[i++];
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && text[end].isSpace())
            ++end;
        const qsizetype nameStart = end;
        while (end < text.size() && (identifierPartAt(text, end) || text[end] == u'.'))
            ++end;
        const QStringView name = text.mid(nameStart, end - nameStart);
        if (name.isEmpty() || name == u"interface") {
            result += text[i++];
            continue;
        }
        qsizetype next = end;
        while (next < text.size() && text[next].isSpace())
            ++next;
        if (next < text.size() && text[next] == u'(')
            end = afterParentheses(text, next);
        result += u' ';
        i = end;
    }
    return result;
}

// Balanced type parameters and arguments left out: "<K, V> Map<K, V> zip" becomes " Map zip".
QString withoutTypeArguments(QStringView text) {
    QString result;
    int depth = 0;
    for (QChar c : text) {
        if (c == u'<')
            ++depth;
        else if (c == u'>' && depth > 0)
            --depth;
        else if (depth == 0)
            result += c;
    }
    return result;
}

bool containsWord(QStringView text, QStringView word) {
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
        const qsizetype end = at + word.size();
        if (!identifierPartBefore(text, at) && !identifierPartAt(text, end))
            return true;
    }
    return false;
}

bool isModifier(QStringView word) {
    static const QStringList modifiers = {"public",   "protected", "private",      "static",    "final",
                                          "abstract", "native",    "synchronized", "transient", "volatile",
                                          "strictfp", "default",   "sealed",       "non-sealed"};
    return modifiers.contains(word);
}

// What is left of the head (the part before the parameter list) once modifiers and type arguments are
// gone: the return type's words and the name, or the name alone for a constructor.
QStringList typeAndName(QStringView head) {
    QStringList words = withoutTypeArguments(head).split(u' ', Qt::SkipEmptyParts);
    words.removeIf([](const QString& word) { return isModifier(word); });
    return words;
}

bool declaresReturn(QStringView head) {
    const QStringList words = typeAndName(head);
    return words.size() >= 2 && !(words.size() == 2 && words.first() == u"void");
}

// Parameter lines: one per parameter of the list that starts after the first "(" (the text's start when
// there is none), commas inside type arguments not counted; none for a closed empty list.
qsizetype parameterCount(QStringView declaration) {
    const qsizetype open = declaration.indexOf(u'(');
    qsizetype commas = 0;
    int parens = 0;
    int angles = 0;
    bool blank = true;
    for (qsizetype i = open + 1; i < declaration.size(); ++i) {
        const QChar c = declaration[i];
        if (c == u'(') {
            ++parens;
        } else if (c == u')') {
            if (parens-- == 0)
                return blank ? 0 : commas + 1;
        } else if (c == u'<') {
            ++angles;
        } else if (c == u'>') {
            if (angles > 0)
                --angles;
        } else if (c == u',' && parens == 0 && angles == 0) {
            ++commas;
        }
        if (!c.isSpace())
            blank = false;
    }
    return commas + 1;
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

    // Annotations first: their arguments hold parentheses, commas and any word.
    const QString plain = withoutAnnotations(declaration);
    const qsizetype paren = plain.indexOf(u'(');
    const QString head = plain.left(paren < 0 ? plain.size() : paren).simplified();
    const QStringView typeHead =
        QStringView(head).left(head.indexOf(u'=') < 0 ? head.size() : head.indexOf(u'='));
    if (containsWord(typeHead, u"class") || containsWord(typeHead, u"interface") ||
        containsWord(typeHead, u"enum"))
        return QStringLiteral("* ") + next + QStringLiteral("* @version 1.0 ") + next +
               QStringLiteral("* @author ") + next + QStringLiteral("**/");

    const bool noParentheses = !plain.contains(u'(') && !plain.contains(u')');
    QString skeleton = QStringLiteral("* ") + next;
    if (!noParentheses) {
        for (qsizetype i = parameterCount(plain); i > 0; --i)
            skeleton += QStringLiteral("* @param ") + next;
        if (paren >= 0 && declaresReturn(head))
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

} // namespace TypingAids
