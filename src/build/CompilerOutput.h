#pragma once

#include <QString>
#include <optional>

// What a line of the compiler's output is to the build.
enum class CompilerLine {
    Other,   // javac's notes, counts and quoted source lines: the output window alone
    Warning, // "<file>.java:<line>: warning: ...": listed, and the build goes on
    Error,   // any other line naming a Java source followed by a colon: listed, and the build stops
};
CompilerLine judgeCompilerLine(const QString& line);

// The line stops the build (judgeCompilerLine gives Error).
bool isErrorLine(const QString& line);

// The status bar's count of a compile's listed lines: "2 errors, 3 warnings", "1 error", "1 warning";
// a part that is zero is left out, and nothing at all is empty.
QString compileCountText(int errors, int warnings);

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
