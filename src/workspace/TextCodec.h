#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Text is 8-bit on disk: UTF-8 when the bytes are valid UTF-8, else Windows-1252. Writing back in the
// encoding a file was read in gives the same bytes.
enum class TextEncoding { Utf8, Windows1252 };

struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false; // a UTF-8 file that started with EF BB BF; kept out of the text

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

// Empty when the text holds a character that the encoding cannot store.
std::optional<QByteArray> encodeText(const QString& text, TextFormat format);

// Windows-1252 with the five unassigned bytes (81, 8D, 8F, 90, 9D) read as Latin-1.
QString fromWindows1252(QByteArrayView bytes);
std::optional<QByteArray> toWindows1252(const QString& text);
