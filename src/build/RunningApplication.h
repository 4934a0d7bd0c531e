#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <functional>
#include <sys/types.h>

class ConsoleRunner;

// The application a build started: the applet viewer's run (through its console runner) and the Palm
// targets, which run on their own in a process group each. It says whether one runs, asks before a new
// build replaces it, and stops it: SIGTERM to each whole group, then SIGKILL to what is left after the
// grace time. A Palm target outlives the IDE, as a program the desktop started would.
class RunningApplication : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultGrace{2000};

    explicit RunningApplication(ConsoleRunner& viewer, QObject* parent = nullptr);
    ~RunningApplication() override;

    // The viewer's runner started or finished its run (its finished handler runs while it is still busy).
    void viewerRunning(bool running);

    // Starts program with these arguments, without a shell, in a process group of its own, with no input
    // and our output; empty when it started, else why not.
    QString startProgram(const QString& program, const QStringList& arguments);

    bool isRunning() const { return m_viewerRunning || !m_targets.isEmpty(); }
    bool isStopping() const { return m_killTimer.isActive(); }
    // The status bar's permanent field: empty while nothing runs.
    QString stateText() const;

    // Ends everything running; what has not ended after `grace` is killed with its group.
    void stop(std::chrono::milliseconds grace = DefaultGrace);
    // Stops and waits, with events handled, until nothing runs; false when something still does after
    // the grace time and a little more.
    bool stopAndWait(std::chrono::milliseconds grace = DefaultGrace);

    // "Save all, Compile and Start" while the application runs: asks `confirm` the question, and on Yes
    // stops it and waits. True when the build may start: nothing ran, or it has been stopped.
    static QString restartQuestion();
    bool clearForRestart(const std::function<bool(const QString&)>& confirm,
                         std::chrono::milliseconds grace = DefaultGrace);

    // The groups of the Palm targets still running, leaders first (for tests).
    QList<pid_t> targetGroups() const { return m_targets; }

signals:
    // isRunning() or isStopping() may have changed.
    void stateChanged();

private:
    void reapTargets();
    void killWhatIsLeft();

    ConsoleRunner& m_viewer;
    bool m_viewerRunning = false;
    QList<pid_t> m_targets;  // leaders not reaped yet: their ids are still their groups'
    QList<pid_t> m_stopping; // groups sent SIGTERM, killed when the grace time is up
    QTimer m_reapTimer;
    QTimer m_killTimer;
};
