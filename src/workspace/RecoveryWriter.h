#pragma once

#include "RecoveryStore.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

class QThread;
class WorkspaceSession;

// Keeps a recovery copy of every modified buffer of the session: a copy follows an edit once typing
// pauses for a second, and never later than one and a half seconds after the first edit it does not hold
// yet, so that every edit is on disk within two seconds. The text is taken from the session on the
// user-interface thread (that is quick); formatting and the synced, atomic write run on a thread of the
// writer's own, one copy after another, so the window never waits on the disk.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    RecoveryWriter(WorkspaceSession& session, const RecoveryStore& store, QObject* parent = nullptr);
    // Waits for the writes under way; removes nothing.
    ~RecoveryWriter() override;

    const RecoveryStore& store() const { return m_store; }

    // The user changed the current buffer.
    void edited();
    // The records or their flags changed (a save, a reload, a close, another project): the copies this run
    // wrote of buffers that are no longer modified or open go, after the writes queued before.
    void filesChanged();
    // Every modified buffer's copy written now, on the calling thread, after the queued writes have ended:
    // for a signal or a session manager that ends the program. False when one could not be written.
    bool writeAllNow();
    // Waits until every queued write and removal has ended.
    void waitForWrites();

    // Whether the copy of `path` is this run's own (not one an earlier run left to be restored).
    bool wroteCopyOf(const QString& path) const { return m_copied.contains(path); }

    // The pauses, for tests that cannot wait seconds.
    void setDelays(int quietMs, int latestMs);

signals:
    // On the user-interface thread, after each background write; empty `error` for success.
    void written(const QString& path, const QString& error);

private:
    struct Snapshot {
        QList<RecoveryCopy> copies;
        QStringList gone; // copies of this run whose buffers are saved or closed
    };
    Snapshot takeSnapshot(bool all);
    void schedule(bool restartQuiet);
    void writeInBackground();

    WorkspaceSession& m_session;
    RecoveryStore m_store;
    QTimer m_quiet;
    QTimer m_latest;
    QThread* m_thread;
    QObject* m_worker;                      // lives on m_thread
    QSet<QString> m_copied;                 // paths whose copy this run wrote
    QHash<QString, QStringList> m_lastText; // the text each of those copies holds
};
