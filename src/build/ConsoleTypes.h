#pragma once

#include <QString>
#include <functional>

class ConsoleRunner;

// Size of one read from the child's output, in bytes.
enum class ReadBufferSize : int {
    Bytes256 = 256,
    Bytes512 = 512,
    Kilobytes1 = 1024,
    Kilobytes2 = 2048,
    Kilobytes4 = 4096,
    Kilobytes8 = 8192
};

// Pipe buffer size requested from the system, in bytes.
enum class PipeBufferSize : int {
    Kilobytes1 = 1024,
    Kilobytes2 = 2048,
    Kilobytes4 = 4096,
    Kilobytes8 = 8192,
    Kilobytes16 = 16384,
    Kilobytes32 = 32768,
    Kilobytes64 = 65536,
    Kilobytes96 = 98304,
    Kilobytes128 = 131072,
    Kilobytes256 = 262144
};

constexpr int MinIdleTimeoutMs = 10;
constexpr int MaxIdleTimeoutMs = 10000;

// What a worker copies from its runner when a run starts; later changes to the runner do not reach it.
struct ConsoleRunSettings {
    int idleTimeoutMs = 50;
    PipeBufferSize pipeBufferSize = PipeBufferSize::Kilobytes128;
    ReadBufferSize readBufferSize = ReadBufferSize::Kilobytes1;
    bool autoTerminate = false;
    QString logFileName;
    QString environment;
    QString program;
    QString command;
    QString prompt;
    QString workingDirectory;
};

// The callbacks of a run, each raised on the runner's (the user-interface) thread while the worker waits
// until it returns. An unset callback is not called.
struct ConsoleRunHandlers {
    using Handler = std::function<void(ConsoleRunner* runner)>;
    using TextHandler = std::function<void(ConsoleRunner* runner, const QString& text)>;
    // Returns true to end the run.
    using IdleTimeoutHandler = std::function<bool(ConsoleRunner* runner)>;

    TextHandler started; // the command line
    TextHandler line;    // one non-empty output line
    TextHandler error;   // a failure's message
    IdleTimeoutHandler idleTimeout;
    TextHandler status;    // "Normal Thread Termination"
    TextHandler prompt;    // the unfinished line that ends with the prompt
    Handler aboutToFinish; // the output has ended, the child is about to be ended
    Handler finished;      // always last
};
