#include "OutputWindow.h"

#include "settings/FormSizeSave.h"
#include "ui/FixedPitchFont.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

OutputWindow::OutputWindow(QWidget* parent, RegistryStore* store) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Output Window"));
    resize(560, 360);

    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(15);
    connect(&m_flushTimer, &QTimer::timeout, this, &OutputWindow::flush);

    m_sizeSave = new FormSizeSave(this, store);
    m_sizeSave->restore();
}

void OutputWindow::setVisible(bool visible) {
    if (visible)
        makeControls();
    QWidget::setVisible(visible);
}

QPlainTextEdit* OutputWindow::memo() {
    makeControls();
    return m_memo;
}

void OutputWindow::makeControls() {
    if (m_memo)
        return;
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* clearAction = toolBar->addAction(QStringLiteral("Clear"), this, &OutputWindow::clear);
    clearAction->setObjectName(QStringLiteral("ToolButton1"));
    QAction* dontOpenAction = toolBar->addAction(QStringLiteral("Close and don't open again"), this,
                                                 &OutputWindow::closeAndDontOpenAgain);
    dontOpenAction->setObjectName(QStringLiteral("ToolButton2"));
    QAction* closeAction = toolBar->addAction(QStringLiteral("Close"), this, &QWidget::close);
    closeAction->setObjectName(QStringLiteral("ToolButton3"));

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setFont(fixedPitchFont(QStringLiteral("Courier")));
    QPalette palette = m_memo->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::black);
        palette.setColor(group, QPalette::Text, Qt::white);
    }
    m_memo->setPalette(palette);
    // The greeting, unless the log was cleared before the window was first shown.
    if (m_hasLines)
        m_memo->setPlainText(QStringLiteral("Kovrin Handwright 1.0 - \n\nDebug Window\n"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_memo);
    flush();
}

void OutputWindow::append(const QString& line) {
    m_pending << line;
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void OutputWindow::flush() {
    m_flushTimer.stop();
    // Until the window is first shown, the lines wait.
    if (m_pending.isEmpty() || !m_memo)
        return;
    const QString text = m_pending.join(u'\n');
    m_pending.clear();
    // The editor does not tell an empty memo from one holding a single empty line, and appending to
    // either puts the text into that first line; we do tell them apart, so no empty line is lost.
    if (!m_hasLines || m_memo->document()->isEmpty()) {
        QTextCursor cursor(m_memo->document());
        if (m_hasLines)
            cursor.insertBlock();
        cursor.insertText(text);
        m_hasLines = true;
        return;
    }
    m_memo->appendPlainText(text);
}

void OutputWindow::clear() {
    m_flushTimer.stop();
    m_pending.clear();
    if (m_memo)
        m_memo->clear();
    m_hasLines = false;
}

QStringList OutputWindow::lines() {
    makeControls();
    QStringList result;
    if (m_hasLines) {
        for (QTextBlock block = m_memo->document()->begin(); block.isValid(); block = block.next())
            result << block.text();
    }
    return result + m_pending;
}

void OutputWindow::closeAndDontOpenAgain() {
    emit dontOpenAgain();
    close();
}

void OutputWindow::closeEvent(QCloseEvent* event) {
    m_sizeSave->save();
    QWidget::closeEvent(event);
}
