// Recovery copies: the writer that keeps one for every modified buffer, the signals and the session
// manager that end the program, and the window that offers what an earlier run left.
#include "MainWindow.h"

#include "RecoveryWindow.h"
#include "build/ShutdownSignals.h"
#include "workspace/RecoveryWriter.h"
#include "workspace/WorkspaceSession.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QStatusBar>

void MainWindow::setupRecovery() {
    m_recovery = std::make_unique<RecoveryWriter>(*m_session, RecoveryStore());
    connect(m_recovery.get(), &RecoveryWriter::written, this, [this](const QString&, const QString& error) {
        if (!error.isEmpty())
            statusBar()->showMessage(QStringLiteral("No recovery copy: ") + error, 10000);
    });
    // Whoever sent the signal gets no question: what is typed is on disk before the program ends.
    ShutdownSignals::addBeforeExit(this, [this] { m_recovery->writeAllNow(); });
    connect(
        qApp, &QGuiApplication::commitDataRequest, this,
        [this](QSessionManager& manager) {
            if (!commitSession(manager.allowsInteraction()))
                manager.cancel();
            manager.release();
        },
        Qt::DirectConnection);
}

bool MainWindow::commitSession(bool interactive) {
    if (!interactive)
        return m_recovery->writeAllNow();
    const bool mayEnd = mayClose();
    // Saved or answered No: this run's copies go; after Cancel they stay with the buffers.
    m_recovery->filesChanged();
    m_recovery->waitForWrites();
    return mayEnd;
}

RecoveryWindow& MainWindow::recoveryWindow() {
    if (!m_recoveryWindow) {
        m_recoveryWindow = new RecoveryWindow(*m_session, *m_recovery, this);
        m_recoveryWindow->setRestored([this] {
            refreshFileLists();
            updateBrowser(currentPath());
            focusEditor();
        });
    }
    return *m_recoveryWindow;
}

void MainWindow::offerRecovery(const QString& folder) {
    recoveryWindow().offer(folder);
}
