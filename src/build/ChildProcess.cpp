#include "ChildProcess.h"

#include "ProcessGroups.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/close_range.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

QString pipeError(int error) {
    return QStringLiteral("Error Opening Pipe Error Code :%1").arg(error);
}

QString createError(int error) {
    return QStringLiteral("%1  Error Code :%2").arg(QStringLiteral("Error Creating Process")).arg(error);
}

void closeFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// A pipe end that landed on 0, 1 or 2 (the program's own standard streams were closed) would be
// overwritten by the child's redirections before it is used.
void moveAboveStandardStreams(int& fd) {
    if (fd > STDERR_FILENO)
        return;
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    if (moved >= 0) {
        ::close(fd);
        fd = moved;
    }
}

std::vector<char*> cStrings(const QList<QByteArray>& list) {
    std::vector<char*> out;
    out.reserve(list.size() + 1);
    for (const QByteArray& s : list)
        out.push_back(const_cast<char*>(s.constData()));
    out.push_back(nullptr);
    return out;
}

// Everything the child needs, made before it exists: between vfork and exec it may not allocate.
struct SpawnPlan {
    const char* path;
    char* const* argv;
    char* const* envp;
    const char* workingDirectory; // null: the caller's
    int input;                    // becomes stdin
    int output;                   // becomes stdout and stderr
    pid_t parent;
    int maxDescriptor;
};

// The child's side of a start, from vfork to exec. Only system calls here: the child shares the
// caller's memory until it execs. A failure goes back as an errno through `report`, which the exec
// closes.
[[noreturn]] __attribute__((noinline)) void execChild(const SpawnPlan& plan, int report) {
    const auto fail = [report](int error) {
        [[maybe_unused]] const ssize_t written = ::write(report, &error, sizeof error);
        ::_exit(127);
    };
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    for (int signal = 1; signal < NSIG; ++signal)
        if (signal != SIGKILL && signal != SIGSTOP)
            ::sigaction(signal, &standard, nullptr); // the ones the C library keeps for itself refuse
    // The child dies with the thread that starts it: the runner's worker, which outlives every child
    // it starts, or the whole program, however that ends (even by SIGKILL).
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
        fail(errno);
    if (::getppid() != plan.parent)
        ::_exit(127); // the program died before the line above took effect
    if (::setpgid(0, 0) != 0)
        fail(errno);
    if (::dup2(plan.input, STDIN_FILENO) < 0 || ::dup2(plan.output, STDOUT_FILENO) < 0 ||
        ::dup2(plan.output, STDERR_FILENO) < 0)
        fail(errno);
    if (plan.workingDirectory && ::chdir(plan.workingDirectory) != 0)
        fail(errno);
    // Whatever a library may have opened without O_CLOEXEC stays ours too.
    if (::syscall(SYS_close_range, STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) != 0)
        for (int fd = STDERR_FILENO + 1; fd < plan.maxDescriptor; ++fd)
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(plan.path, plan.argv, plan.envp);
    fail(errno);
    ::_exit(127); // not reached
}

// Starts plan's program as a child of the calling thread; its pid, or -1 with error set.
pid_t spawnChild(const SpawnPlan& plan, int& error) {
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        error = errno;
        return -1;
    }
    for (int* fd : {&report[0], &report[1]})
        moveAboveStandardStreams(*fd);
    // No handler of ours may run in the child before it has put every signal back to its default.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t pid = ::vfork();
    if (pid == 0)
        execChild(plan, report[1]);
    const int forkError = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(report[1]);
    if (pid < 0) {
        ::close(report[0]);
        error = forkError;
        return -1;
    }
    int childError = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got != sizeof childError)
        return pid; // the exec closed the pipe: the program runs
    int status;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    error = childError;
    return -1;
}

} // namespace

ProgramLookup findProgram(const QByteArray& program, const QByteArray& searchPath) {
    if (program.isEmpty())
        return {{}, ENOENT};
    if (program.contains('/'))
        return {program, 0};
    const QByteArray path = searchPath.isNull() ? QByteArray("/bin:/usr/bin") : searchPath;
    int error = ENOENT;
    for (const QByteArray& dir : path.split(':')) {
        const QByteArray candidate = (dir.isEmpty() ? QByteArray(".") : dir) + '/' + program;
        struct stat info;
        if (::stat(candidate.constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        if (::access(candidate.constData(), X_OK) == 0)
            return {candidate, 0};
        error = EACCES; // like execvp: keep looking, but report this if nothing better turns up
    }
    return {{}, error};
}

ChildProcess::~ChildProcess() {
    terminate();
}

QString ChildProcess::start(const ChildRequest& request) {
    int output[2];
    int input[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return pipeError(errno);
    if (::pipe2(input, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(output[0]);
        ::close(output[1]);
        return pipeError(error);
    }
    for (int* fd : {&output[0], &output[1], &input[0], &input[1]})
        moveAboveStandardStreams(*fd);
    if (request.pipeSize > 0) {
        ::fcntl(output[0], F_SETPIPE_SZ, request.pipeSize);
        ::fcntl(input[0], F_SETPIPE_SZ, request.pipeSize);
    }
    ::fcntl(output[0], F_SETFL, ::fcntl(output[0], F_GETFL) | O_NONBLOCK);

    const ProgramLookup program = findProgram(request.argv.value(0), request.searchPath);
    int error = program.error;
    pid_t pid = -1;
    if (error == 0) {
        const std::vector<char*> argv = cStrings(request.argv);
        const std::vector<char*> envp = cStrings(request.environment);
        const SpawnPlan plan{program.path.constData(),
                             argv.data(),
                             envp.data(),
                             request.workingDirectory.isEmpty() ? nullptr
                                                                : request.workingDirectory.constData(),
                             input[0],
                             output[1],
                             ::getpid(),
                             int(std::min<long>(::sysconf(_SC_OPEN_MAX), 1 << 20))};
        pid = spawnChild(plan, error);
    }
    // The child holds its own copies of these.
    ::close(output[1]);
    ::close(input[0]);
    if (error != 0) {
        ::close(output[0]);
        ::close(input[1]);
        return createError(error);
    }
    m_pid = pid;
    m_output = output[0];
    m_input = input[1];
    m_outputEnded = false;
    m_exitStatus.reset();
    ProcessGroups::add(pid);
    return {};
}

ChildProcess::WaitResult ChildProcess::wait(int timeoutMs) {
    WaitResult result;
    pollfd output{m_output, POLLIN, 0};
    // Once every writer has gone the pipe would report at once, again and again: just wait instead.
    const bool watching = !m_outputEnded && m_output >= 0;
    const int ready = ::poll(watching ? &output : nullptr, watching ? 1 : 0, timeoutMs);
    if (ready < 0 && errno != EINTR)
        result.error = errno;
    if (ready > 0)
        result.what = Wait::Output;
    return result;
}

qsizetype ChildProcess::read(char* buffer, qsizetype size) {
    if (m_output < 0 || m_outputEnded)
        return 0;
    for (;;) {
        const ssize_t n = ::read(m_output, buffer, static_cast<size_t>(size));
        if (n > 0)
            return n;
        if (n == 0) {
            m_outputEnded = true; // every writer has gone; polling the pipe would only spin now
            return 0;
        }
        if (errno != EINTR)
            return 0;
    }
}

ChildProcess::EndCheck ChildProcess::checkEnded() const {
    if (m_pid <= 0)
        return {true, 0};
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return {false, errno};
    return {info.si_pid != 0, 0};
}

void ChildProcess::terminate() {
    if (m_pid > 0) {
        siginfo_t ended{};
        if (::waitid(P_PID, static_cast<id_t>(m_pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
            ended.si_pid != 0)
            m_exitStatus = ended.si_code == CLD_EXITED ? ended.si_status : 128 + ended.si_status;
        ::kill(-m_pid, SIGKILL);
        ::kill(m_pid, SIGKILL); // in case it left the group
        ProcessGroups::remove(m_pid);
        int status;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
    }
    closeDescriptors();
}

void ChildProcess::closeDescriptors() {
    closeFd(m_output);
    closeFd(m_input);
}
