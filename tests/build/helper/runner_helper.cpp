// A console program for the runner's tests and benchmark. Its arguments are a script of actions run in
// order:
//   out TEXT / err TEXT   write TEXT to stdout / stderr at once (escapes: \r \n \t \0 \\ \xHH)
//   sleep MS              pause
//   exit CODE             end with that exit code
//   lines COUNT WIDTH     COUNT lines of WIDTH characters, LF-terminated, written in large blocks
//   grandchild MS         fork a child that sleeps MS in our group; print "grandchild PID"
//   chatty                fork a child in our group that, once we have ended, writes lines without pause
//                         for up to a minute; print "grandchild PID"
//   block SIZE            one write of SIZE bytes: SIZE - 1 letters and an LF
//   raw SIZE              SIZE letters and no line break, in large writes
//   stamped COUNT MS      COUNT lines "stamp NANOSECONDS", the monotonic clock at writing, MS apart
//   ignoreterm / obeyterm ignore SIGTERM from now on (children forked later too) / no longer
//   pid                   print "pid PID pgid PGID"
//   env NAME              print "NAME=value" or "NAME unset"
//   cwd                   print "cwd PATH"
//   fds                   print "fds" and every open descriptor number
//   stdin MS              print whether stdin stays quiet for MS: "stdin quiet", "stdin eof" or "stdin data"
//   args ...              print every remaining argument as [arg], one per line
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            std::_Exit(3);
        }
        done += size_t(n);
    }
}

std::string unescape(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p != '\\' || !p[1]) {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '0':
            out += '\0';
            break;
        case 'x': {
            char hex[3] = {p[1], p[1] ? p[2] : '\0', '\0'};
            out += char(std::strtol(hex, nullptr, 16));
            p += 2;
            break;
        }
        default:
            out += *p;
        }
    }
    return out;
}

void sleepMs(long ms) {
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

void printLines(long count, long width) {
    std::string block;
    block.reserve(1 << 16);
    std::string line(size_t(width), 'x');
    for (long i = 0; i < count; ++i) {
        // Each line differs so a mixed-up order would show.
        const std::string number = std::to_string(i);
        line.replace(0, number.size(), number);
        block += line;
        block += '\n';
        if (block.size() >= (1 << 16) - size_t(width) - 1) {
            writeAll(1, block);
            block.clear();
        }
    }
    writeAll(1, block);
}

long long monotonicNs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

void chatter() {
    // Up to PIPE_BUF bytes a write is atomic, so the parent's lines never land inside a chatter line.
    const std::string line = "chatter from the grandchild\n";
    std::string block;
    while (block.size() + line.size() <= 4096)
        block += line;
    const long long end = monotonicNs() + 60000000000LL;
    while (monotonicNs() < end)
        if (::write(1, block.data(), block.size()) < 0 && errno != EINTR)
            break;
}

void writeRaw(long size) {
    const std::string block(1 << 16, 'r');
    for (long left = size; left > 0; left -= long(block.size()))
        writeAll(1, block.substr(0, size_t(std::min<long>(left, long(block.size())))));
}

std::string openDescriptors() {
    std::string out = "fds";
    DIR* dir = opendir("/proc/self/fd");
    if (!dir)
        return out + " unknown\n";
    const int own = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own)
            continue;
        out += ' ';
        out += entry->d_name;
    }
    closedir(dir);
    return out + '\n';
}

std::string stdinState(int ms) {
    pollfd p{0, POLLIN, 0};
    if (poll(&p, 1, ms) == 0)
        return "stdin quiet\n";
    char c;
    return ::read(0, &c, 1) == 0 ? "stdin eof\n" : "stdin data\n";
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string action = argv[i];
        const char* arg = i + 1 < argc ? argv[i + 1] : "";
        if (action == "out" || action == "err") {
            writeAll(action == "out" ? 1 : 2, unescape(arg));
            ++i;
        } else if (action == "sleep") {
            sleepMs(std::atol(arg));
            ++i;
        } else if (action == "exit") {
            return std::atoi(arg);
        } else if (action == "lines") {
            printLines(std::atol(arg), i + 2 < argc ? std::atol(argv[i + 2]) : 60);
            i += 2;
        } else if (action == "grandchild") {
            const long ms = std::atol(arg);
            const pid_t pid = fork();
            if (pid == 0) {
                sleepMs(ms);
                std::_Exit(0);
            }
            writeAll(1, "grandchild " + std::to_string(pid) + "\n");
            ++i;
        } else if (action == "chatty") {
            std::fflush(stdout);
            // The grandchild starts once this process has ended (the gate's write end closes with it), so
            // every line of ours is in the pipe ahead of the chatter however slowly the reader drains it.
            int gate[2];
            if (::pipe(gate) != 0)
                return 1;
            const pid_t pid = fork();
            if (pid == 0) {
                ::close(gate[1]);
                char byte;
                while (::read(gate[0], &byte, 1) < 0 && errno == EINTR) {
                }
                chatter();
                std::_Exit(0);
            }
            ::close(gate[0]);
            writeAll(1, "grandchild " + std::to_string(pid) + "\n");
        } else if (action == "block") {
            const long size = std::atol(arg);
            writeAll(1, std::string(size_t(std::max(size - 1, 0L)), 'b') + "\n");
            ++i;
        } else if (action == "raw") {
            writeRaw(std::atol(arg));
            ++i;
        } else if (action == "stamped") {
            const long count = std::atol(arg);
            const long ms = i + 2 < argc ? std::atol(argv[i + 2]) : 10;
            for (long n = 0; n < count; ++n) {
                if (n > 0)
                    sleepMs(ms);
                writeAll(1, "stamp " + std::to_string(monotonicNs()) + "\n");
            }
            i += 2;
        } else if (action == "ignoreterm") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (action == "obeyterm") {
            std::signal(SIGTERM, SIG_DFL);
        } else if (action == "pid") {
            writeAll(1, "pid " + std::to_string(getpid()) + " pgid " + std::to_string(getpgrp()) + "\n");
        } else if (action == "env") {
            const char* value = std::getenv(arg);
            writeAll(1, std::string(arg) + (value ? "=" + std::string(value) : " unset") + "\n");
            ++i;
        } else if (action == "cwd") {
            char path[PATH_MAX];
            writeAll(1, std::string("cwd ") + (getcwd(path, sizeof path) ? path : "?") + "\n");
        } else if (action == "fds") {
            writeAll(1, openDescriptors());
        } else if (action == "stdin") {
            writeAll(1, stdinState(std::atoi(arg)));
            ++i;
        } else if (action == "args") {
            for (++i; i < argc; ++i)
                writeAll(1, std::string("[") + argv[i] + "]\n");
        } else {
            writeAll(2, "unknown action " + action + "\n");
            return 64;
        }
    }
    return 0;
}
