#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <sys/types.h>

// What to start: argv[0] names the program, looked up on searchPath like execvp when it holds no '/'.
struct ChildRequest {
    QList<QByteArray> argv;
    QList<QByteArray> environment; // the child's whole environment
    QByteArray searchPath;         // the PATH for the lookup; null means /bin:/usr/bin
    QByteArray workingDirectory;   // empty: the caller's
    int pipeSize = 0;              // requested pipe buffer; refused sizes are ignored
};

// One console child: stdout and stderr share one pipe, stdin is a pipe that is never written, and the
// child leads a new process group. Nothing else of ours is inherited. The child is killed when the thread
// that started it ends, so it cannot outlive the program, whatever ends the program; start a child only
// from a thread that outlives it. Destruction kills the group and reaps the child.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Empty on success, else the message for the failure.
    QString start(const ChildRequest& request);

    pid_t pid() const { return m_pid; }

    enum class Wait { Output, TimedOut };
    struct WaitResult {
        Wait what = Wait::TimedOut;
        int error = 0; // errno when waiting failed
    };
    // Waits up to timeoutMs for output (or its end).
    WaitResult wait(int timeoutMs);

    // Reads what is there without blocking; 0 when nothing is (or the output has ended).
    qsizetype read(char* buffer, qsizetype size);

    struct EndCheck {
        bool ended = false;
        int error = 0;
    };
    // Whether the child has ended. It is left unreaped so its group id stays ours until terminate().
    EndCheck checkEnded() const;

    // Kills the child's whole group (a child that has already ended is unaffected, its leftovers are not),
    // reaps the child and closes every descriptor. Safe to call more than once.
    void terminate();

    // How the child ended by itself, taken by terminate(): its exit code, or 128 + the signal that ended
    // it. Nothing when it was still running then (or never started).
    std::optional<int> exitStatus() const { return m_exitStatus; }

private:
    void closeDescriptors();

    pid_t m_pid = -1;
    int m_output = -1; // read end of stdout and stderr
    int m_input = -1;  // write end of stdin, never written
    bool m_outputEnded = false;
    std::optional<int> m_exitStatus;
};

// The file execvp would run for program, or an errno (ENOENT, EACCES) when there is none.
struct ProgramLookup {
    QByteArray path;
    int error = 0;
};
ProgramLookup findProgram(const QByteArray& program, const QByteArray& searchPath);
