// The status bar's permanent fields and the keyboard's way through the message list.
#include "MainWindow.h"

#include "build/BuildChain.h"
#include "build/ConsoleRunner.h"
#include "build/OutputWindow.h"
#include "build/RunningApplication.h"
#include "editor/SourceEditor.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

void MainWindow::setupStatusFields() {
    SourceEditor* editor = m_ui.sourceEditor;
    connect(editor, &QsciScintilla::cursorPositionChanged, this, &MainWindow::showCaretStatus);
    // Insert switches the typing mode without moving the caret.
    connect(editor, &SourceEditor::keyReleased, this, &MainWindow::showCaretStatus);
    showCaretStatus();

    RunningApplication& application = m_chain->application();
    connect(&application, &RunningApplication::stateChanged, this, [this, &application] {
        m_ui.applicationState->setText(application.stateText());
        const bool running = application.isRunning();
        m_ui.menuActions.value("StopApplication1")->setEnabled(running);
        m_ui.toolActions.value("ToolButton25")->setEnabled(running);
    });

    // The compilers' callbacks as the chain set them, with the outcome shown first: the chain may go on to
    // start the application, which takes a while.
    for (RunnerRole role : {RunnerRole::Compiler, RunnerRole::PalmCompiler, RunnerRole::CompileOnly}) {
        ConsoleRunner* compiler = runner(role);
        compiler->setStartedHandler(
            [this, chained = compiler->handlers().started](ConsoleRunner* sender, const QString& command) {
                m_ui.buildResult->setText(QStringLiteral("Compiling..."));
                m_ui.compileCounts->clear();
                if (chained)
                    chained(sender, command);
            });
        compiler->setFinishedHandler([this, chained = compiler->handlers().finished](ConsoleRunner* sender) {
            // The chain's own judgement: no error line and a compiler that ended well.
            const bool compiled = !m_chain->compileError() && sender->exitStatus() == 0;
            m_ui.buildResult->setText(compiled ? QStringLiteral("Compiled")
                                               : QStringLiteral("Compile failed"));
            m_ui.compileCounts->setText(m_chain->compileCounts());
            if (chained)
                chained(sender);
        });
    }
}

void MainWindow::showCaretStatus() {
    const SourceEditor& editor = *m_ui.sourceEditor;
    m_ui.caretPosition->setText(
        QStringLiteral("%1:%2").arg(editor.caretLine() + 1).arg(editor.caretColumn() + 1));
    m_ui.typingMode->setText(editor.overwriteMode() ? QStringLiteral("OVR") : QStringLiteral("INS"));
}

void MainWindow::jumpToError(int step) {
    MessageList& list = *m_ui.messageList;
    list.flush();
    const int row = errorRowFrom(list.lines(), list.currentRow(), step);
    if (row < 0) {
        QApplication::beep();
        return;
    }
    list.setCurrentRow(row);
    list.scrollTo(list.currentIndex());
    messageDoubleClicked();
}

void MainWindow::nextError() {
    jumpToError(1);
}

void MainWindow::previousError() {
    jumpToError(-1);
}

void MainWindow::showOutputWindow() {
    if (!m_output)
        return;
    m_output->show();
    m_output->raise();
    m_output->activateWindow();
}
