#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The words of a command line, or why it could not be split.
struct CommandLineWords {
    QStringList words;
    QString error; // empty when the line was split
    bool ok() const { return error.isEmpty(); }
};

// Splits a command line into argv the way a POSIX shell splits words, but performs no expansion of any
// kind: blanks (space, tab, CR, LF) separate words; '...' keeps everything literally; "..." keeps
// everything except that a backslash escapes $ ` " \ and a line break; outside quotes a backslash keeps
// the next character literally; quoted and unquoted pieces that touch form one word ("a":"b" is a:b);
// an empty quoted piece gives an empty word. Shell operators (| ; & < > # and so on) are ordinary
// characters, since the line never reaches a shell. An unterminated quote is an error.
CommandLineWords splitCommandLine(const QString& line);

// Quotes a word so that splitCommandLine gives it back unchanged; a word with no blank, quote or
// backslash is returned as it is.
QString quoteCommandWord(const QString& word);

// The child's environment given as a block of NAME=value entries separated by NUL characters (a Windows
// environment block; the closing double NUL is optional). Empty entries are skipped.
QList<QByteArray> parseEnvironmentBlock(const QString& block);
