#pragma once

#include "RegistryPath.h"
#include "RegistryValue.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// One [key] section of a .reg file. A section written "[-HKEY_...\Key]" removes the key; a value written
// "name"=- removes the value.
struct RegFileValue {
    QString name; // empty for the default value, written @
    std::optional<RegistryValue> value;
    int line = 0;

    bool operator==(const RegFileValue& other) const { return name == other.name && value == other.value; }
};

struct RegFileKey {
    RegistryPath path;
    bool remove = false;
    QList<RegFileValue> values;
    int line = 0;
};

struct RegFileParse {
    QList<RegFileKey> keys;
    QString error;        // "Line N: ..." for the first bad line; empty when the whole text is good
    QStringList warnings; // "Line N: ..." for each value left out

    bool ok() const { return error.isEmpty(); }
};

struct RegFileFormat {
    QByteArray bytes;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// The Windows Registry Editor text format, limited to the value types of the store: REG_SZ as "text" with
// \\ and \" escapes, REG_DWORD as dword:xxxxxxxx. Reading also takes text and DWORDs written as bytes
// (hex(1), hex(2), hex(4)); values of other types are left out with a warning.
namespace RegFile {

// UTF-16 with byte-order mark (as regedit writes), UTF-8 (with or without mark), else Windows-1252.
QString decode(const QByteArray& bytes);

// Accepts "Windows Registry Editor Version 5.00" and "REGEDIT4" files, CR LF or LF line ends, ; comments.
// Names holding NUL or a lone surrogate are refused with their line.
RegFileParse parse(const QByteArray& bytes);
RegFileParse parseText(const QString& text);

// What reg.exe writes: UTF-16LE with a byte-order mark and CR LF line ends, sections in the given order,
// each followed by a blank line. A text value holding a line break goes as hex(1) bytes (UTF-16LE), as
// reg.exe writes it; a key or value name holding one cannot be written and is reported.
RegFileFormat format(const QList<RegFileKey>& keys);

// The pieces of format(), for writing a file section by section: the first line with its blank line, one
// section as text (error set instead when it cannot be written), and text as file bytes.
QString header();
QString formatSection(const RegFileKey& key, QString& error);
QByteArray encode(const QString& text);
inline constexpr char byteOrderMark[] = "\xFF\xFE";

} // namespace RegFile
