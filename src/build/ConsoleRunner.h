#pragma once

#include "ConsoleTypes.h"

#include <QObject>
#include <QString>
#include <optional>

class ConsoleRunWorker;

// Runs one console program at a time with its standard output and error captured through one pipe, and
// hands that output to this object's thread as whole lines. The program starts on a worker thread; every
// callback is raised on this object's thread, in order, while the worker waits for it to return.
// A run raises started, line for each non-empty line, then aboutToFinish and status, or error after a
// failure, and always finished last. The runner stays busy until finished has returned. A run keeps the
// settings and callbacks it started with.
//
// environment, when set, is the child's whole environment as NAME=value entries separated by NUL
// characters; empty, the child gets the program's environment as it was at start(). An empty working
// directory means the program's current folder at start(). When program is set, command holds only its
// arguments.
class ConsoleRunner : public QObject {
    Q_OBJECT
public:
    explicit ConsoleRunner(QObject* parent = nullptr);
    // Stops a running child; its callbacks end here.
    ~ConsoleRunner() override;

    QString program() const { return m_settings.program; }
    void setProgram(const QString& value) { m_settings.program = value; }
    QString environment() const { return m_settings.environment; }
    void setEnvironment(const QString& value) { m_settings.environment = value; }
    QString command() const { return m_settings.command; }
    void setCommand(const QString& value) { m_settings.command = value; }
    QString workingDirectory() const { return m_settings.workingDirectory; }
    void setWorkingDirectory(const QString& value) { m_settings.workingDirectory = value; }
    // Every delivered line is written there too, with CR LF.
    QString logFileName() const { return m_settings.logFileName; }
    void setLogFileName(const QString& value) { m_settings.logFileName = value; }
    // Output that ends with this text and then falls silent raises prompt instead of idleTimeout.
    QString prompt() const { return m_settings.prompt; }
    void setPrompt(const QString& value) { m_settings.prompt = value; }
    // Ends the run at the first idle timeout instead of asking the idleTimeout callback.
    bool autoTerminate() const { return m_settings.autoTerminate; }
    void setAutoTerminate(bool value) { m_settings.autoTerminate = value; }
    PipeBufferSize pipeBufferSize() const { return m_settings.pipeBufferSize; }
    void setPipeBufferSize(PipeBufferSize value) { m_settings.pipeBufferSize = value; }
    ReadBufferSize readBufferSize() const { return m_settings.readBufferSize; }
    void setReadBufferSize(ReadBufferSize value) { m_settings.readBufferSize = value; }
    // How long the output may stay silent before idleTimeout (or prompt); milliseconds, clamped to
    // MinIdleTimeoutMs..MaxIdleTimeoutMs.
    int idleTimeout() const { return m_settings.idleTimeoutMs; }
    void setIdleTimeout(int milliseconds);

    const ConsoleRunHandlers& handlers() const { return m_handlers; }
    void setStartedHandler(ConsoleRunHandlers::TextHandler handler) {
        m_handlers.started = std::move(handler);
    }
    void setLineHandler(ConsoleRunHandlers::TextHandler handler) { m_handlers.line = std::move(handler); }
    void setErrorHandler(ConsoleRunHandlers::TextHandler handler) { m_handlers.error = std::move(handler); }
    void setIdleTimeoutHandler(ConsoleRunHandlers::IdleTimeoutHandler handler) {
        m_handlers.idleTimeout = std::move(handler);
    }
    void setStatusHandler(ConsoleRunHandlers::TextHandler handler) { m_handlers.status = std::move(handler); }
    void setPromptHandler(ConsoleRunHandlers::TextHandler handler) { m_handlers.prompt = std::move(handler); }
    void setAboutToFinishHandler(ConsoleRunHandlers::Handler handler) {
        m_handlers.aboutToFinish = std::move(handler);
    }
    void setFinishedHandler(ConsoleRunHandlers::Handler handler) { m_handlers.finished = std::move(handler); }

    // Starts a run with the current settings and returns at once; while a run is going on it only raises
    // error "Process Already Running".
    void start();
    // Ends the current run early: its program is killed, lines not yet handed over are dropped, and
    // finished follows as after every run. Nothing while no run is going on.
    void stop();
    // Sends the signal (SIGTERM) to the running program's whole process group, which may end it by itself;
    // nothing while no program runs.
    void signalRun(int signal);

    bool isRunning() const { return m_worker != nullptr; }

    // Read in finished: how the last run's program ended by itself, its exit code or 128 + the signal that
    // ended it; nothing when it did not start or the run stopped it.
    std::optional<int> exitStatus() const { return m_exitStatus; }

private:
    friend class ConsoleRunWorker;
    void workerEnded(ConsoleRunWorker* worker);

    ConsoleRunSettings m_settings;
    ConsoleRunHandlers m_handlers;
    ConsoleRunWorker* m_worker = nullptr;
    std::optional<int> m_exitStatus;
};
