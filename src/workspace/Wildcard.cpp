#include "Wildcard.h"

#include <QChar>

namespace {

bool sameLetter(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// The set starting at mask[at] == '[': whether it holds `c`, and where the mask goes on after it.
// False in `closed` when there is no closing bracket.
bool setHolds(QStringView mask, qsizetype at, QChar c, qsizetype& next, bool& closed) {
    qsizetype i = at + 1;
    const bool negated = i < mask.size() && mask[i] == u'!';
    if (negated)
        ++i;
    const qsizetype first = i;
    bool holds = false;
    const QChar folded = c.toCaseFolded();
    // A ']' right after the opening (or after '!') belongs to the set.
    for (; i < mask.size() && (mask[i] != u']' || i == first); ++i) {
        if (i + 2 < mask.size() && mask[i + 1] == u'-' && mask[i + 2] != u']') {
            const QChar low = mask[i], high = mask[i + 2];
            holds = holds || (c >= low && c <= high) ||
                    (folded >= low.toCaseFolded() && folded <= high.toCaseFolded());
            i += 2;
        } else {
            holds = holds || sameLetter(mask[i], c);
        }
    }
    closed = i < mask.size();
    next = i + 1;
    return holds != negated;
}

} // namespace

bool wildcardMatches(QStringView mask, QStringView name) {
    qsizetype m = 0, n = 0;
    // Where the last '*' was, to retry it one character further on a mismatch.
    qsizetype starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size()) {
            const QChar c = mask[m];
            if (c == u'*') {
                starMask = m++;
                starName = n;
                continue;
            }
            if (c == u'?') {
                ++m;
                ++n;
                continue;
            }
            if (c == u'[') {
                qsizetype next = 0;
                bool closed = false;
                const bool holds = setHolds(mask, m, name[n], next, closed);
                // A mask with an unclosed set matches nothing (it is no valid wildcard).
                if (!closed)
                    return false;
                if (holds) {
                    m = next;
                    ++n;
                    continue;
                }
            } else if (sameLetter(c, name[n])) {
                ++m;
                ++n;
                continue;
            }
        }
        if (starMask < 0)
            return false;
        m = starMask + 1;
        n = ++starName;
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}
