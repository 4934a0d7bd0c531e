#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// The Windows SZDD compressed format (COMPRESS.EXE, expanded by LZCopy): a 14-byte header with the
// expanded length, then LZSS over a 4096-byte window that starts filled with blanks.
bool isSzdd(QByteArrayView bytes);

// Empty when the data is damaged: unknown method, or the stream ends before the stated length.
std::optional<QByteArray> expandSzdd(QByteArrayView bytes);
