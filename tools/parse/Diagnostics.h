// Messages for standard error. Standard output and standard error may share one pipe (the browser's
// runner reads both), so every message is written whole, in one write, and starts with "parse: " so that
// it can never be taken for an outline line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace parse {

class Diagnostics {
public:
    explicit Diagnostics(std::string fileName) : fileName_(std::move(fileName)) {}

    // A problem in the source at a line; the outline goes on. Repeats beyond a limit are counted only,
    // so a binary file cannot flood the pipe.
    void warn(std::uint32_t line, std::string_view text);
    // Reported once however often it happens.
    void warnOnce(std::uint32_t line, std::string_view text, bool& flag);
    void trace(std::string_view text);
    void setTracing(bool on) { tracing_ = on; }
    bool tracing() const { return tracing_; }
    // Says how many warnings were left out.
    void finish();
    int warnings() const { return warnings_; }

    static void writeLine(std::string line);

private:
    std::string fileName_;
    bool tracing_ = false;
    int warnings_ = 0;
};

} // namespace parse
