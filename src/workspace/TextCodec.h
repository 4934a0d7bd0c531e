#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Text on disk is UTF-16 when it starts with a UTF-16 byte-order mark (FF FE little-endian, FE FF
// big-endian) and the rest is whole, paired UTF-16; else UTF-8 when the bytes are valid UTF-8, else
// Windows-1252. Writing back in the encoding a file was read in gives the same bytes.
enum class TextEncoding { Utf8, Windows1252, Utf16LE, Utf16BE };

// How lines end in a file.
enum class LineBreak { CrLf, Lf, Cr };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    // A UTF-8 file that started with EF BB BF, or a UTF-16 file (always marked); kept out of the text.
    bool byteOrderMark = false;
    // Left alone by the codec: the text file sets them from the text it reads. The defaults are the
    // program's own files: CR LF after every line.
    LineBreak lineBreak = LineBreak::CrLf;
    bool finalLineBreak = true; // false when the last line had no line end

    bool operator==(const TextFormat&) const = default;
};

struct DecodedText {
    QString text;
    TextFormat format;
};

// Strict: rejects overlong forms, surrogates and code points above U+10FFFF, so that decoding and
// encoding again reproduces the bytes.
bool isValidUtf8(QByteArrayView bytes);

DecodedText decodeText(QByteArrayView bytes);

// Empty when the text holds a character that the encoding cannot store. UTF-16 gets its mark always.
std::optional<QByteArray> encodeText(const QString& text, TextFormat format);

// Windows-1252 with the five unassigned bytes (81, 8D, 8F, 90, 9D) read as Latin-1.
QString fromWindows1252(QByteArrayView bytes);
std::optional<QByteArray> toWindows1252(const QString& text);
