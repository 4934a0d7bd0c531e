#pragma once

#include <QList>
#include <QStringList>

// A run of lines that differs between two texts: `oldCount` lines from `oldStart` of the first text are
// `newCount` lines from `newStart` of the second (lines count from 0; a count may be 0).
struct DiffHunk {
    int oldStart = 0;
    int oldCount = 0;
    int newStart = 0;
    int newCount = 0;

    bool operator==(const DiffHunk&) const = default;
};

// The runs that differ, in order, along a longest common subsequence of lines. Beyond a few million
// line pairs between the first and the last difference, that middle counts as one run.
QList<DiffHunk> diffLines(const QStringList& before, const QStringList& after);

// How many lines differ: a changed line counts once, as does an added or a removed one (per run, the
// larger of its two sides).
int differingLineCount(const QStringList& before, const QStringList& after);

// The difference in the unified style of diff -u, `context` lines around each run; empty when the texts
// are equal.
QString unifiedDiff(const QStringList& before, const QStringList& after, const QString& beforeName,
                    const QString& afterName, int context = 3);
