#include "CommandLine.h"

#include <algorithm>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Inside double quotes a backslash only escapes these; before anything else it stays.
bool escapableInDoubleQuotes(QChar c) {
    return c == u'$' || c == u'`' || c == u'"' || c == u'\\' || c == u'\n';
}

} // namespace

CommandLineWords splitCommandLine(const QString& line) {
    CommandLineWords result;
    QString word;
    bool inWord = false; // a quoted empty piece also starts a word
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = line[i];
        if (isBlank(c)) {
            if (inWord) {
                result.words << word;
                word.clear();
                inWord = false;
            }
            ++i;
        } else if (c == u'\'') {
            const qsizetype close = line.indexOf(u'\'', i + 1);
            if (close < 0) {
                result.error = QStringLiteral("unterminated ' in the command line");
                return result;
            }
            word += QStringView(line).mid(i + 1, close - i - 1);
            inWord = true;
            i = close + 1;
        } else if (c == u'"') {
            qsizetype j = i + 1;
            for (;;) {
                if (j >= n) {
                    result.error = QStringLiteral("unterminated \" in the command line");
                    return result;
                }
                const QChar d = line[j];
                if (d == u'"')
                    break;
                if (d == u'\\' && j + 1 < n && escapableInDoubleQuotes(line[j + 1])) {
                    if (line[j + 1] != u'\n') // backslash-newline joins lines
                        word += line[j + 1];
                    j += 2;
                    continue;
                }
                word += d;
                ++j;
            }
            inWord = true;
            i = j + 1;
        } else if (c == u'\\') {
            if (i + 1 >= n) { // a trailing backslash has nothing to escape: keep it
                word += c;
                inWord = true;
                ++i;
            } else if (line[i + 1] == u'\n') {
                i += 2;
            } else {
                word += line[i + 1];
                inWord = true;
                i += 2;
            }
        } else {
            word += c;
            inWord = true;
            ++i;
        }
    }
    if (inWord)
        result.words << word;
    return result;
}

QString quoteCommandWord(const QString& word) {
    const bool plain = !word.isEmpty() && std::none_of(word.begin(), word.end(), [](QChar c) {
        return isBlank(c) || c == u'"' || c == u'\'' || c == u'\\';
    });
    if (plain)
        return word;
    QString quoted = QStringLiteral("\"");
    for (QChar c : word) {
        if (escapableInDoubleQuotes(c) && c != u'\n')
            quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

QList<QByteArray> parseEnvironmentBlock(const QString& block) {
    QList<QByteArray> entries;
    for (const QString& entry : block.split(QChar(u'\0'), Qt::SkipEmptyParts))
        entries << entry.toLocal8Bit();
    return entries;
}
