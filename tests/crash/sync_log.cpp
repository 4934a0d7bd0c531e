// Preloaded into the crash helper: logs every sync and rename the process makes, in order, to the file
// $HW_SYNC_LOG, then makes the real call. The tests read the log to see that data reaches the disk
// before a save or a settings write reports success.
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

void logLine(const char* verb, const char* first, const char* second) {
    const char* log = getenv("HW_SYNC_LOG");
    if (!log)
        return;
    char line[8192];
    const int n =
        snprintf(line, sizeof line, "%s %s%s%s\n", verb, first, second ? " " : "", second ? second : "");
    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (n > 0 && write(fd, line, size_t(n)) != n)
        perror("sync log");
    close(fd);
}

void logDescriptor(const char* verb, int fd) {
    char link[64], target[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    target[n < 0 ? 0 : n] = 0;
    logLine(verb, target, nullptr);
}

template <typename F> F real(const char* name, F) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int fsync(int fd) {
    logDescriptor("fsync", fd);
    return real("fsync", &fsync)(fd);
}

int fdatasync(int fd) {
    logDescriptor("fsync", fd);
    return real("fdatasync", &fdatasync)(fd);
}

int rename(const char* from, const char* to) noexcept {
    logLine("rename", from, to);
    return real("rename", &rename)(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) noexcept {
    logLine("rename", from, to);
    return real("renameat", &renameat)(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) noexcept {
    logLine("rename", from, to);
    return real("renameat2", &renameat2)(fromDir, from, toDir, to, flags);
}

} // extern "C"
