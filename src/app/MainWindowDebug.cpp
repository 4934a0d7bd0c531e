// The main window's remote-debugging switch and its help commands.
#include "MainWindow.h"

#include "build/BuildChain.h"
#include "debug/DebuggerOptions.h"
#include "debug/DebuggerStart.h"
#include "ui/HelpWindow.h"
#include "ui/MessageDialog.h"
#include "workspace/PathHelpers.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QUrl>

void MainWindow::setDebuggerOptions(DebuggerOptions* window) {
    m_debuggerOptions = window;
    remoteDebuggingItem();
    if (!window)
        return;
    m_remoteDebuggingAddress = window->port();
    connect(window->m_port, &QLineEdit::textChanged, this,
            [this](const QString& port) { m_remoteDebuggingAddress = port; });
}

QAction* MainWindow::remoteDebuggingItem() {
    QAction* item = m_ui.menuActions.value(QStringLiteral("StartRemoteDebugging1"));
    if (!item->isCheckable()) {
        item->setCheckable(true);
        // Qt flips a checkable item's mark itself, also when its greyed-out menu keeps the handler from
        // running: the mark shows the switch and nothing else.
        connect(item, &QAction::toggled, this, [this, item](bool on) {
            if (on != m_remoteDebugging) {
                const QSignalBlocker blocker(item);
                item->setChecked(m_remoteDebugging);
            }
        });
    }
    return item;
}

void MainWindow::toggleRemoteDebugging() {
    m_remoteDebugging = !m_remoteDebugging;
    QAction* item = remoteDebuggingItem();
    const QSignalBlocker blocker(item);
    item->setChecked(m_remoteDebugging);
}

void MainWindow::remoteDebuggingOptions() {
    if (m_debuggerOptions)
        m_debuggerOptions->runModal();
}

HelpWindow* MainWindow::openHelp() {
    if (m_helpFile.isEmpty())
        return nullptr;
    if (!m_helpWindow)
        m_helpWindow = new HelpWindow(m_helpFile, helpCollectionFile(), this);
    return m_helpWindow;
}

void MainWindow::showHelp() {
    if (HelpWindow* help = openHelp())
        help->showContents();
}

void MainWindow::searchHelp() {
    if (HelpWindow* help = openHelp())
        help->showSearch();
}

void MainWindow::checkForUpdates() {
    // Whether a browser opened is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFolder() + QStringLiteral("/updates.html")));
}
