#pragma once

#include "FileResult.h"
#include "TextCodec.h"

#include <QStringList>

// Splits at CR, LF or CR LF. A line end closes a line, so "a\nb\n" and "a\nb" both give {"a", "b"}: a
// last line without a line end is still a line, and a final line end adds no empty line. "" gives {}.
QStringList splitTextLines(const QString& text);

// CR LF after every line, the last one included.
QString joinTextLines(const QStringList& lines);

struct TextReadResult;

// A text file as lines plus the encoding it was read in, so that writing it back changes no byte but
// the line ends.
struct TextFile {
    QStringList lines;
    TextFormat format;

    static TextReadResult read(const QString& path);

    // Replaces the file atomically. A Windows-1252 file whose lines gained a character that
    // Windows-1252 cannot store is written as UTF-8 instead, and `format` says so afterwards.
    FileResult write(const QString& path);
};

struct TextReadResult {
    TextFile file;
    QString error;

    bool ok() const { return error.isEmpty(); }
};
