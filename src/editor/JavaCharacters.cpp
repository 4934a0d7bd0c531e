#include "JavaCharacters.h"

#include <QChar>

bool isJavaIdentifierPart(char32_t codePoint) {
    if (QChar::isLetterOrNumber(codePoint))
        return true;
    switch (QChar::category(codePoint)) {
    case QChar::Punctuation_Connector:
    case QChar::Symbol_Currency:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Number_Letter:
        return true;
    default:
        return false;
    }
}

bool identifierPartBefore(QStringView text, qsizetype at) {
    if (at <= 0 || at > text.size())
        return false;
    const QChar last = text[at - 1];
    if (last.isLowSurrogate() && at >= 2 && text[at - 2].isHighSurrogate())
        return isJavaIdentifierPart(QChar::surrogateToUcs4(text[at - 2], last));
    return isJavaIdentifierPart(last.unicode());
}

bool identifierPartAt(QStringView text, qsizetype at) {
    if (at < 0 || at >= text.size())
        return false;
    const QChar first = text[at];
    if (first.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        return isJavaIdentifierPart(QChar::surrogateToUcs4(first, text[at + 1]));
    return isJavaIdentifierPart(first.unicode());
}
