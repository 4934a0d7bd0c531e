#include "RecoveryWriter.h"

#include "WorkspaceSession.h"

#include <QDateTime>
#include <QThread>

RecoveryWriter::RecoveryWriter(WorkspaceSession& session, const RecoveryStore& store, QObject* parent)
    : QObject(parent), m_session(session), m_store(store), m_thread(new QThread(this)),
      m_worker(new QObject) {
    m_quiet.setSingleShot(true);
    m_latest.setSingleShot(true);
    setDelays(1000, 1500);
    connect(&m_quiet, &QTimer::timeout, this, &RecoveryWriter::writeInBackground);
    connect(&m_latest, &QTimer::timeout, this, &RecoveryWriter::writeInBackground);
    m_thread->setObjectName(QStringLiteral("recovery"));
    m_worker->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start(QThread::LowPriority);
}

RecoveryWriter::~RecoveryWriter() {
    // Leaving the thread's event loop would drop what is still queued: a removal after a "No" among it.
    waitForWrites();
    m_thread->quit();
    m_thread->wait();
}

void RecoveryWriter::setDelays(int quietMs, int latestMs) {
    m_quiet.setInterval(quietMs);
    m_latest.setInterval(latestMs);
}

void RecoveryWriter::edited() {
    schedule(true);
}

void RecoveryWriter::filesChanged() {
    const Snapshot stale = takeSnapshot(false);
    if (!stale.gone.isEmpty()) {
        const RecoveryStore store = m_store;
        QMetaObject::invokeMethod(m_worker, [store, gone = stale.gone] {
            for (const QString& path : gone)
                store.remove(path);
        });
    }
    // A buffer that became modified without typing (a class from a template, a file opened over another)
    // gets its copy as well.
    if (m_session.anyModified())
        schedule(false);
}

void RecoveryWriter::schedule(bool restartQuiet) {
    if (restartQuiet || !m_quiet.isActive())
        m_quiet.start();
    if (!m_latest.isActive())
        m_latest.start();
}

RecoveryWriter::Snapshot RecoveryWriter::takeSnapshot(bool all) {
    Snapshot snapshot;
    QSet<QString> open;
    if (all)
        m_session.captureEditor(false);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const ProjectRecord& record : m_session.files().records()) {
        if (record.Kind != FileKind::Java || !record.Modified)
            continue;
        open.insert(record.Path);
        if (!all)
            continue;
        // A buffer whose copy holds its text already is not written again.
        if (const auto last = m_lastText.constFind(record.Path);
            last != m_lastText.cend() && *last == record.Lines)
            continue;
        snapshot.copies.append({record.Path, record.Format, now, record.FileTime, record.Lines});
        m_copied.insert(record.Path);
        m_lastText.insert(record.Path, record.Lines);
    }
    for (auto it = m_copied.begin(); it != m_copied.end();) {
        if (open.contains(*it)) {
            ++it;
            continue;
        }
        snapshot.gone << *it;
        m_lastText.remove(*it);
        it = m_copied.erase(it);
    }
    return snapshot;
}

void RecoveryWriter::writeInBackground() {
    m_quiet.stop();
    m_latest.stop();
    Snapshot snapshot = takeSnapshot(true);
    if (snapshot.copies.isEmpty() && snapshot.gone.isEmpty())
        return;
    const RecoveryStore store = m_store;
    // The destructor waits for this thread, so `this` outlives every task queued here.
    QMetaObject::invokeMethod(m_worker, [this, store, snapshot = std::move(snapshot)] {
        for (const QString& path : snapshot.gone)
            store.remove(path);
        for (const RecoveryCopy& copy : snapshot.copies) {
            const FileResult result = store.write(copy);
            QMetaObject::invokeMethod(this, [this, path = copy.path, error = result.error] {
                // A copy that failed is tried again at the next write, whether or not the text changes.
                if (!error.isEmpty())
                    m_lastText.remove(path);
                emit written(path, error);
            });
        }
    });
}

void RecoveryWriter::waitForWrites() {
    QMetaObject::invokeMethod(
        m_worker, [] {}, Qt::BlockingQueuedConnection);
}

bool RecoveryWriter::writeAllNow() {
    m_quiet.stop();
    m_latest.stop();
    waitForWrites();
    const Snapshot snapshot = takeSnapshot(true);
    bool ok = true;
    for (const QString& path : snapshot.gone)
        m_store.remove(path);
    for (const RecoveryCopy& copy : snapshot.copies)
        ok = m_store.write(copy).ok() && ok;
    return ok;
}
