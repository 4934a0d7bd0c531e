#pragma once

#include "ConsoleTypes.h"

#include <QObject>
#include <QString>
#include <optional>

class TConsoleThread;

// Runs one console program at a time with its standard output and error captured through one pipe, and
// hands that output to this object's thread as whole lines. The program starts on a worker thread; every
// event is raised on this object's thread, in order, while the worker waits for the handler to return.
// A run raises OnStart, OnLine for each non-empty line, then OnPreTerminate and OnStatus, or OnError after
// a failure, and always OnDone last. The runner stays busy until OnDone has returned.
//
// Environment, when set, is the child's whole environment as NAME=value entries separated by NUL
// characters; empty, the child gets the program's environment as it was at Start. HomeDirectory empty
// means the program's current folder at Start. When Application is set, it is the program and Command
// holds only its arguments.
// The events (OnStart, OnLine, OnDone, ...) are the public members of TConsoleEvents.
class TGUI2Console : public QObject, public TConsoleEvents {
    Q_OBJECT
public:
    explicit TGUI2Console(QObject* parent = nullptr);
    // Stops a running child; its events end here.
    ~TGUI2Console() override;

    QString Application() const { return m_properties.Application; }
    void setApplication(const QString& value) { m_properties.Application = value; }
    TAppType AppType() const { return m_properties.AppType; }
    void setAppType(TAppType value) { m_properties.AppType = value; }
    QString Environment() const { return m_properties.Environment; }
    void setEnvironment(const QString& value) { m_properties.Environment = value; }
    QString Command() const { return m_properties.Command; }
    void setCommand(const QString& value) { m_properties.Command = value; }
    QString HomeDirectory() const { return m_properties.HomeDirectory; }
    void setHomeDirectory(const QString& value) { m_properties.HomeDirectory = value; }
    QString LogFile() const { return m_properties.LogFile; }
    void setLogFile(const QString& value) { m_properties.LogFile = value; }
    QString Prompt() const { return m_properties.Prompt; }
    void setPrompt(const QString& value) { m_properties.Prompt = value; }
    bool AutoTerminate() const { return m_properties.AutoTerminate; }
    void setAutoTerminate(bool value) { m_properties.AutoTerminate = value; }
    TPipeSize PipeSize() const { return m_properties.PipeSize; }
    void setPipeSize(TPipeSize value) { m_properties.PipeSize = value; }
    TBufferSize BufferSize() const { return m_properties.BufferSize; }
    void setBufferSize(TBufferSize value) { m_properties.BufferSize = value; }
    int TimeOutDelay() const { return m_properties.TimeOutDelay; }
    // Milliseconds, clamped to 10..10000.
    void setTimeOutDelay(int value);
    // The worker runs at normal priority whatever this says: a lowered thread would pass its lower
    // priority on to the program it starts.
    TThreadPriority Priority() const { return m_properties.Priority; }
    void setPriority(TThreadPriority value) { m_properties.Priority = value; }

    // Starts a run with the current properties and returns at once; while a run is going on it only
    // raises OnError "Process Already Running".
    void Start();
    // Ends the current run early: its program is killed, lines not yet handed over are dropped, and
    // OnDone follows as after every run. Nothing while no run is going on.
    void Stop();

    bool isRunning() const { return m_worker != nullptr; }

    // Read in OnDone: how the last run's program ended by itself, its exit code or 128 + the signal that
    // ended it; nothing when it did not start or the run stopped it.
    std::optional<int> ExitStatus() const { return m_exitStatus; }

private:
    friend class TConsoleThread;
    void workerEnded(TConsoleThread* worker);

    TConsoleProperties m_properties;
    TConsoleThread* m_worker = nullptr;
    std::optional<int> m_exitStatus;
};
