#pragma once

#include <QString>
#include <optional>

// A compiler output line reports an error (or a warning, which counts the same) when it names a Java
// source followed by a colon.
bool isErrorLine(const QString& line);

// Where an error line of the message list points.
struct ErrorLocation {
    QString fileName;   // as the compiler printed it, up to and including ".java"
    int lineNumber = 0; // 1-based

    bool operator==(const ErrorLocation&) const = default;
};

// Reads "<file>.java:<line>:..." from a message-list line. Nothing for "Compiling...", for lines holding
// " at " (a running application's stack trace), for lines without ".java:", and when the text between
// ".java:" and the next ":" is not a line number (or no ":" follows).
std::optional<ErrorLocation> parseErrorLine(const QString& line);
