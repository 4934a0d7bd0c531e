#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <functional>

// The warm compiler: one JVM of the JDK, started in the background and kept alive, that runs javac's own
// entry point for each compile (tools/warmjavac, warm-javac.jar in the program folder), so a compile
// costs no JVM start and no cold compiler. It runs in the project folder and in the IDE's environment as
// they were at its start, so relative source names and class-path entries mean what they mean to the
// javac program; another folder, another JDK (or the same JDK updated) or another locale starts it
// afresh. It stays in the IDE's process group, ends when its input closes and is killed with this object.
//
// Whenever it cannot answer (it does not start, dies, writes garbage, takes longer than the timeout, or
// reports that the compile cannot run inside it) the caller runs the javac program instead.
class WarmCompiler : public QObject {
    Q_OBJECT
public:
    struct Result {
        bool ran = false;  // false: run the javac program instead, `failure` says why
        int exitCode = 0;  // javac's exit code
        QByteArray output; // everything javac wrote, standard output and error in one stream
        QString failure;
    };
    using Done = std::function<void(const Result&)>;

    // `jar` holds the server (empty: there is none, every compile runs the javac program).
    explicit WarmCompiler(const QString& jar, QObject* parent = nullptr);
    ~WarmCompiler() override;

    // warm-javac.jar beside the program, or in the build folder's bin/ for a test or benchmark program.
    static QString defaultJar();

    void setAnswerTimeout(int milliseconds) { m_answerTimeoutMs = milliseconds; }
    void setStartTimeout(int milliseconds) { m_startTimeoutMs = milliseconds; }

    // Starts the server for this JDK folder (ending with the separator) and working folder unless one runs
    // or starts for them; one that runs for others is ended first. Returns at once.
    void prepare(const QString& jdkPath, const QString& workingDirectory);
    // The server has said it is ready and still serves this JDK and folder unchanged.
    bool readyFor(const QString& jdkPath, const QString& workingDirectory) const;
    bool busy() const { return bool(m_done); }

    // Sends the compile; `done` is called exactly once, later, on this object's thread (also when the
    // server goes meanwhile). False, and no call, when no server is ready or one compile is pending.
    bool compile(const QList<QByteArray>& arguments, Done done);

    // Ends the server (and fails a pending compile).
    void stop();

    // The server's process id while it runs, else 0.
    qint64 serverPid() const;

private:
    enum class State { Stopped, Starting, Ready, Failed };
    // What decides whether a running server still fits: the JDK's files as they are now, the folder and
    // the locale.
    static QString identity(const QString& jdkPath, const QString& workingDirectory);
    void readAnswer();
    void serverEnded(const QString& why);
    void finish(Result result);
    void fail(const QString& why);

    QString m_jar;
    QProcess* m_process = nullptr;
    State m_state = State::Stopped;
    QString m_identity;
    int m_startsForIdentity = 0;
    QByteArray m_input;
    qint32 m_nextId = 1;
    qint32 m_pendingId = 0;
    Done m_done;
    QTimer m_timer;
    int m_answerTimeoutMs = 20000;
    int m_startTimeoutMs = 15000;
};
