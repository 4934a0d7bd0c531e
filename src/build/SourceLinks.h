#pragma once

#include <QString>
#include <optional>

// A place in a Java source that a line of the message list names.
struct SourceLink {
    QString fileName;      // as printed: a path for javac's lines, a bare file name in a stack trace
    int lineNumber = 0;    // 1-based
    QString packageFolder; // "com/example" for a frame of com.example.Hello; empty when unknown

    bool operator==(const SourceLink&) const = default;
};

// Reads the place from a compiler line ("<file>.java:<line>: ..."), a stack frame of a running application
// ("\tat pkg.Class.method(File.java:42)", a module or loader prefix before "/" allowed) or any other line
// holding "<name>.java:<line>" (an exception's message). Nothing for a frame without a source line
// ("Native Method", "Unknown Source") or a line number that is 0 or does not fit.
std::optional<SourceLink> parseSourceLink(const QString& line);
