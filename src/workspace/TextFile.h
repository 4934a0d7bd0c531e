#pragma once

#include "FileResult.h"
#include "TextCodec.h"

#include <QStringList>

// Splits at CR, LF or CR LF. A line end closes a line, so "a\nb\n" and "a\nb" both give {"a", "b"}: a
// last line without a line end is still a line, and a final line end adds no empty line. "" gives {}.
QStringList splitTextLines(const QString& text);

// CR LF after every line, the last one included.
QString joinTextLines(const QStringList& lines);
// The format's line break after every line, and after the last one when the format has a final line
// break or the last line is empty (which only a line break keeps).
QString joinTextLines(const QStringList& lines, const TextFormat& format);
bool endsWithLineBreak(const QStringList& lines, const TextFormat& format);

// The format with the line breaks of the text: the most frequent of CR LF, LF and CR (CR LF, then LF
// on a tie; CR LF when there is none), and whether the text ends with one (an empty text counts as
// ending with one, so that lines added to it get a final break).
TextFormat withLineBreaksOf(TextFormat format, const QString& text);

struct TextReadResult;

// A text file as lines plus the encoding and line breaks it was read in, so that writing it back
// changes no byte (a file mixing line breaks gets its most frequent one throughout).
struct TextFile {
    QStringList lines;
    TextFormat format;

    static TextReadResult read(const QString& path);

    // Replaces the file atomically. A Windows-1252 file whose lines gained a character that
    // Windows-1252 cannot store, or whose bytes would read back as UTF-8 or UTF-16, is written as UTF-8
    // instead; `format` says afterwards what was written.
    FileResult write(const QString& path);
};

struct TextReadResult {
    TextFile file;
    QString error;

    bool ok() const { return error.isEmpty(); }
};
