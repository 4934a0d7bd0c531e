#include "LineDiff.h"

#include <vector>

namespace {

// Past this many cells the table would take more memory than a difference is worth.
constexpr qint64 kMaxTable = qint64(4) * 1024 * 1024;

} // namespace

QList<DiffHunk> diffLines(const QStringList& before, const QStringList& after) {
    // Equal heads and tails are common to every longest subsequence: only the middle needs the table.
    int head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    int tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const int n = int(before.size()) - head - tail;
    const int m = int(after.size()) - head - tail;
    if (n == 0 && m == 0)
        return {};
    if (n == 0 || m == 0 || qint64(n + 1) * (m + 1) > kMaxTable)
        return {{head, n, head, m}};

    // common[i][j]: the longest common subsequence of before[head+i..] and after[head+j..].
    const int width = m + 1;
    std::vector<int> common(std::size_t(n + 1) * width, 0);
    for (int i = n - 1; i >= 0; --i)
        for (int j = m - 1; j >= 0; --j)
            common[i * width + j] = before[head + i] == after[head + j]
                                        ? common[(i + 1) * width + j + 1] + 1
                                        : std::max(common[(i + 1) * width + j], common[i * width + j + 1]);

    QList<DiffHunk> hunks;
    DiffHunk open{-1, 0, -1, 0};
    const auto close = [&] {
        if (open.oldCount || open.newCount)
            hunks.append(open);
        open = {-1, 0, -1, 0};
    };
    int i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && before[head + i] == after[head + j]) {
            close();
            ++i;
            ++j;
            continue;
        }
        if (open.oldStart < 0)
            open = {head + i, 0, head + j, 0};
        if (j >= m || (i < n && common[(i + 1) * width + j] >= common[i * width + j + 1])) {
            ++open.oldCount;
            ++i;
        } else {
            ++open.newCount;
            ++j;
        }
    }
    close();
    return hunks;
}

int differingLineCount(const QStringList& before, const QStringList& after) {
    int count = 0;
    for (const DiffHunk& hunk : diffLines(before, after))
        count += std::max(hunk.oldCount, hunk.newCount);
    return count;
}

namespace {

// diff -u numbers a range from 1, and an empty range by the line before it.
QString range(int start, int count) {
    const int first = count == 0 ? start : start + 1;
    return count == 1 ? QString::number(first) : QStringLiteral("%1,%2").arg(first).arg(count);
}

} // namespace

QString unifiedDiff(const QStringList& before, const QStringList& after, const QString& beforeName,
                    const QString& afterName, int context) {
    const QList<DiffHunk> hunks = diffLines(before, after);
    if (hunks.isEmpty())
        return {};
    QString out = QStringLiteral("--- %1\n+++ %2\n").arg(beforeName, afterName);
    int k = 0;
    while (k < hunks.size()) {
        // Runs closer than twice the context share one block, as diff -u prints them.
        int last = k;
        while (last + 1 < hunks.size() &&
               hunks[last + 1].oldStart - (hunks[last].oldStart + hunks[last].oldCount) <= 2 * context)
            ++last;
        const int oldFrom = std::max(0, hunks[k].oldStart - context);
        const int oldTo = std::min(int(before.size()), hunks[last].oldStart + hunks[last].oldCount + context);
        const int newFrom = hunks[k].newStart - (hunks[k].oldStart - oldFrom);
        const int newTo = hunks[last].newStart + hunks[last].newCount +
                          (oldTo - hunks[last].oldStart - hunks[last].oldCount);
        out += QStringLiteral("@@ -%1 +%2 @@\n")
                   .arg(range(oldFrom, oldTo - oldFrom), range(newFrom, newTo - newFrom));
        int line = oldFrom;
        for (int h = k; h <= last; ++h) {
            for (; line < hunks[h].oldStart; ++line)
                out += u' ' + before[line] + u'\n';
            for (int r = 0; r < hunks[h].oldCount; ++r)
                out += u'-' + before[hunks[h].oldStart + r] + u'\n';
            for (int a = 0; a < hunks[h].newCount; ++a)
                out += u'+' + after[hunks[h].newStart + a] + u'\n';
            line = hunks[h].oldStart + hunks[h].oldCount;
        }
        for (; line < oldTo; ++line)
            out += u' ' + before[line] + u'\n';
        k = last + 1;
    }
    return out;
}
