// The main window's remote-debugging switch and its help commands.
#include "MainWindow.h"

#include "app/HelpBackend.h"
#include "app/PluginLibrary.h"
#include "build/BuildChain.h"
#include "debug/DebuggerOptions.h"
#include "debug/DebuggerStart.h"
#include "ui/MessageDialog.h"
#include "workspace/PathHelpers.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QUrl>

#ifndef HW_HELPVIEW_BUILD_PATH
#define HW_HELPVIEW_BUILD_PATH ""
#endif

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

HelpBackend* MainWindow::openHelp() {
    if (m_helpFile.isEmpty())
        return nullptr;
    if (!m_help) {
        QString error;
        const auto create = reinterpret_cast<CreateHelpFunction>(resolvePluginSymbol(
            kHelpLibraryName, QStringLiteral(HW_HELPVIEW_BUILD_PATH), kCreateHelpSymbol, error));
        if (!create) {
            messageDialog(QStringLiteral("The manual cannot be shown: %1").arg(error), mtError, mbOK);
            return nullptr;
        }
        m_help = create(this, m_helpFile);
    }
    return m_help;
}

QWidget* MainWindow::helpWindow() const {
    return m_help ? m_help->window() : nullptr;
}

void MainWindow::showHelp() {
    if (HelpBackend* help = openHelp())
        help->showContents();
}

void MainWindow::searchHelp() {
    if (HelpBackend* help = openHelp())
        help->showSearch();
}

void MainWindow::checkForUpdates() {
    // Whether a browser opened is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFolder() + QStringLiteral("/updates.html")));
}
