#include "ChildProcess.h"

#include "ProcessGroups.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
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

// Owns the spawn attribute objects for the span of one spawn.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
};

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
        SpawnSetup setup;
        posix_spawn_file_actions_adddup2(&setup.actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&setup.actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&setup.actions, output[1], STDERR_FILENO);
        if (!request.workingDirectory.isEmpty())
            posix_spawn_file_actions_addchdir_np(&setup.actions, request.workingDirectory.constData());
        // Whatever a library may have opened without O_CLOEXEC stays ours too.
        posix_spawn_file_actions_addclosefrom_np(&setup.actions, STDERR_FILENO + 1);

        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        sigdelset(&all, SIGKILL);
        sigdelset(&all, SIGSTOP);
        posix_spawnattr_setpgroup(&setup.attributes, 0);
        posix_spawnattr_setsigmask(&setup.attributes, &none);
        posix_spawnattr_setsigdefault(&setup.attributes, &all);
        posix_spawnattr_setflags(&setup.attributes,
                                 POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        std::vector<char*> argv = cStrings(request.argv);
        std::vector<char*> envp = cStrings(request.environment);
        error = ::posix_spawn(&pid, program.path.constData(), &setup.actions, &setup.attributes, argv.data(),
                              envp.data());
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
