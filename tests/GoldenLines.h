#pragma once

// A fixed table checked against a text file of one entry a line (UTF-8, LF; lines starting with '#' are
// comments), so the table has one copy in the code and its expected contents read as a plain list.

#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace golden {

// HW_GOLDEN_DIR is the golden folder of the test program's own folder.
inline QString path(const QString& name) {
    return QStringLiteral(HW_GOLDEN_DIR "/") + name;
}

// The entries of the file, or nothing when it cannot be read.
inline std::optional<QStringList> read(const QString& name) {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QStringList entries;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty())
            break; // after the last line break
        if (!lines[i].startsWith('#'))
            entries << QString::fromUtf8(lines[i]);
    }
    return entries;
}

// Succeeds when `actual` holds the file's entries in its order; otherwise names the first entry that
// differs.
inline testing::AssertionResult matches(const QStringList& actual, const QString& name) {
    const std::optional<QStringList> expected = read(name);
    if (!expected)
        return testing::AssertionFailure() << "cannot read " << path(name).toStdString();
    const qsizetype common = std::min(actual.size(), expected->size());
    for (qsizetype i = 0; i < common; ++i) {
        if (actual[i] != expected->at(i))
            return testing::AssertionFailure() << "entry " << i + 1 << " of " << name.toStdString()
                                               << ": expected \"" << expected->at(i).toStdString()
                                               << "\", the code has \"" << actual[i].toStdString() << '"';
    }
    if (actual.size() != expected->size())
        return testing::AssertionFailure()
               << name.toStdString() << " lists " << expected->size() << " entries, the code has "
               << actual.size() << "; the first unmatched is \""
               << (actual.size() > common ? actual[common] : expected->at(common)).toStdString() << '"';
    return testing::AssertionSuccess();
}

} // namespace golden
