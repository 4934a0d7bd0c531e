#include "Diagnostics.h"

#include <cerrno>
#include <unistd.h>

namespace parse {

namespace {
constexpr int kMaxWarnings = 20;
}

void Diagnostics::writeLine(std::string line) {
    line += '\n';
    const char* data = line.data();
    std::size_t left = line.size();
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, data, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        left -= static_cast<std::size_t>(n);
    }
}

void Diagnostics::warn(std::uint32_t line, std::string_view text) {
    if (++warnings_ > kMaxWarnings)
        return;
    writeLine("parse: " + fileName_ + ":" + std::to_string(line) + ": " + std::string(text));
}

void Diagnostics::warnOnce(std::uint32_t line, std::string_view text, bool& flag) {
    if (flag)
        return;
    flag = true;
    warn(line, text);
}

void Diagnostics::trace(std::string_view text) {
    if (tracing_)
        writeLine("parse: trace: " + std::string(text));
}

void Diagnostics::finish() {
    if (warnings_ > kMaxWarnings)
        writeLine("parse: " + fileName_ + ": " + std::to_string(warnings_ - kMaxWarnings) +
                  " more problems not shown");
}

} // namespace parse
