#pragma once

#include <QStringView>

// Java's identifier characters: letters and digits of every script, `_` and other connectors, `$` and
// other currency signs, combining marks and letter numbers, as Character.isJavaIdentifierPart has them
// (the ignorable control characters aside).
bool isJavaIdentifierPart(char32_t codePoint);

// Whether the character that ends just before `at` (a whole surrogate pair counts as one), or the one
// that begins at `at`, is an identifier character; false outside the text.
bool identifierPartBefore(QStringView text, qsizetype at);
bool identifierPartAt(QStringView text, qsizetype at);
