// parse: prints the outline of a Java source file, one line per named class and member:
//   class <Name> <line>
//   method <access-or-type> <name(parameter types)> <line>
//   variable <access-or-type> <name> <line>
// Usage: parse -in FILE [-trace]. Exit code 1 only when FILE cannot be read; damaged sources still give
// the outline of what could be read, with the problems on standard error.
#include "Diagnostics.h"
#include "Outline.h"
#include "Reader.h"
#include "Scanner.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kUsageError = 2;
constexpr int kUnreadable = 1;
// Far beyond any source file; stops a device or a runaway file from eating the memory.
constexpr std::size_t kMaxBytes = 64u << 20;

bool readWhole(const char* path, std::string& text, std::string& error) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            ::close(fd);
            error = "it is a folder";
            return false;
        }
        if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= kMaxBytes)
            text.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        if (text.size() + static_cast<std::size_t>(n) > kMaxBytes) {
            error = "larger than " + std::to_string(kMaxBytes >> 20) + " MB, not a source file";
            ::close(fd);
            return false;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

void writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

int usage(std::string_view problem) {
    parse::Diagnostics::writeLine("parse: " + std::string(problem));
    parse::Diagnostics::writeLine("usage: parse -in FILE [-trace]");
    return kUsageError;
}

} // namespace

int main(int argc, char** argv) {
    const char* path = nullptr;
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-in") {
            if (i + 1 >= argc)
                return usage("-in needs a file name");
            path = argv[++i];
        } else if (arg == "-trace") {
            trace = true;
        } else {
            return usage("unknown argument: " + std::string(arg));
        }
    }
    if (!path)
        return usage("no input file");

    const auto started = std::chrono::steady_clock::now();
    std::string source;
    std::string error;
    if (!readWhole(path, source, error)) {
        parse::Diagnostics::writeLine("parse: cannot read " + std::string(path) + ": " + error);
        return kUnreadable;
    }

    parse::Diagnostics diagnostics(path);
    diagnostics.setTracing(trace);
    parse::Scanner scanner(source, diagnostics);
    parse::TokenStream tokens(scanner);
    parse::Outline outline;
    parse::Reader reader(tokens, diagnostics, outline);
    reader.compilationUnit();

    writeAll(STDOUT_FILENO, outline.text());
    if (trace) {
        const auto micros =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
        diagnostics.trace(std::string(path) + ": " + std::to_string(source.size()) + " bytes, " +
                          std::to_string(scanner.line()) + " lines, " + std::to_string(outline.types()) +
                          " types, " + std::to_string(diagnostics.warnings()) + " problems, " +
                          std::to_string(micros.count()) + " us");
    }
    diagnostics.finish();
    return 0;
}
