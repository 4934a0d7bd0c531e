#pragma once

#include <QChar>
#include <QString>

// GCC in GNU mode predefines `linux`; the strict C++20 build does not, but keep the name usable anyway.
#ifdef linux
#undef linux
#endif

// How paths and command lines are written on one platform. The command-line builders take one of these,
// so the Windows forms of the documented command lines can be produced (and tested) beside the Linux forms
// that actually run.
struct PathConvention {
    QChar separator;
    QChar listSeparator;
    QString executableSuffix;

    // "\", ";", ".exe"
    static PathConvention windows();
    // "/", ":", no suffix
    static PathConvention linux();
    // The convention of the running system.
    static PathConvention native();

    // A relative path written with '/' ("jre/lib/rt.jar"), in this convention.
    QString relative(const QString& path) const;
    // Like relative(), with the executable suffix: "bin/java" gives "bin\java.exe" on Windows.
    QString executable(const QString& path) const;

    // A program path or file name as one word of a command line: unchanged unless the argv splitter would
    // break it up (a blank; on Linux also a quote or a backslash), then quoted.
    QString word(const QString& text) const;
    // A file name as one word that no tool can take for an option: a name starting with "-" or "@" is
    // written as ./name (javac would read "-J..." as a switch and "@..." as a file of arguments).
    QString fileWord(const QString& name) const;
    // Typed text (a creator ID, a title, the application's own command line) as one word that reaches the
    // tool exactly as typed, quotes and backslashes included; empty text is an empty word. The Windows
    // form keeps the documented lines, with the text as it is.
    QString textWord(const QString& text) const;
    // Text in double quotes as one piece of a word, as the class path of the compiler is written.
    QString quoted(const QString& text) const;

    bool operator==(const PathConvention&) const = default;
};
