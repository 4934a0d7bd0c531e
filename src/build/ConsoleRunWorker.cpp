#include "ConsoleRunWorker.h"

#include "ChildProcess.h"
#include "CommandLine.h"
#include "ConsoleRunner.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <signal.h>
#include <utility>

namespace {

constexpr int PollMs = 5; // each quiet poll counts as this much silence
// How long the output may still be read once the child has ended.
constexpr std::chrono::seconds DrainTime{1};
// Lines read are handed over together with the next reads' while those follow within HoldMs, for
// BatchAge at most: one hand-over per batch keeps a chatty child cheap, and no line waits long.
constexpr int HoldMs = 2;
constexpr std::chrono::milliseconds BatchAge{10};

QString processError(int error) {
    return QStringLiteral("Process Error Error Code :%1").arg(error);
}

} // namespace

ConsoleRunWorker::ConsoleRunWorker(ConsoleRunner* owner, const ConsoleRunSettings& settings,
                                   const ConsoleRunHandlers& handlers, LaunchSnapshot launch)
    : QObject(owner), m_owner(owner), m_settings(settings), m_handlers(handlers),
      m_launch(std::move(launch)) {
    if (!m_settings.logFileName.isEmpty()) {
        auto log = std::make_unique<QFile>(m_settings.logFileName);
        if (log->open(QIODevice::WriteOnly | QIODevice::Truncate))
            m_log = std::move(log);
        else
            m_logError = QStringLiteral("Cannot create file \"%1\". %2")
                             .arg(QDir::toNativeSeparators(m_settings.logFileName), log->errorString());
    }
    // Once done, the thread is joined here at the latest, or with the runner that owns this object.
    connect(&m_call, &UiThreadCall::finished, this, &QObject::deleteLater);
}

ConsoleRunWorker::~ConsoleRunWorker() {
    if (m_thread.joinable())
        m_thread.join();
}

void ConsoleRunWorker::start() {
    m_thread = std::thread([this] { run(); });
}

void ConsoleRunWorker::release() {
    m_ownerGone = true;
    m_stop = true;
    m_call.close();
    // Released from inside one of our own callbacks: the worker waits for that callback to return, so it
    // cannot be awaited here; it deletes this object when it has finished.
    if (m_call.isRunningCall()) {
        setParent(nullptr);
        return;
    }
    // Without the owner's thread the worker only kills and reaps its child: a few milliseconds.
    if (m_call.waitFinished(10000))
        delete this;
    else
        setParent(nullptr); // stuck reaping a child that does not die: it goes when it is done
}

template <typename F> ConsoleRunWorker::Failure ConsoleRunWorker::onOwnerThread(F&& handler) {
    if (m_ownerGone)
        return {};
    Failure failure;
    const std::function<void()> call = [&] {
        if (m_ownerGone)
            return;
        try {
            handler();
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        } catch (...) {
            failure = QStringLiteral("Unknown exception");
        }
    };
    m_call.call(call);
    return failure;
}

void ConsoleRunWorker::run() {
    ChildProcess child;
    if (!m_logError.isEmpty())
        raiseError(m_logError);
    m_buffer.resize(static_cast<size_t>(m_settings.readBufferSize));
    Failure failure;
    if (m_handlers.started)
        failure = onOwnerThread([&] { m_handlers.started(m_owner, commandLine()); });
    if (!failure)
        failure = startChild(child);
    if (!failure) {
        std::lock_guard lock(m_groupLock);
        m_group = child.pid();
    }
    if (!failure)
        failure = readLoop(child);
    if (!failure && m_handlers.aboutToFinish)
        failure = onOwnerThread([&] { m_handlers.aboutToFinish(m_owner); });
    if (!failure && m_handlers.status)
        failure =
            onOwnerThread([&] { m_handlers.status(m_owner, QStringLiteral("Normal Thread Termination")); });
    {
        // Reaped next: its id may then be reused, and nothing may be sent there any more.
        std::lock_guard lock(m_groupLock);
        m_group = -1;
    }
    // Also after a failure: a run never leaves its child behind.
    child.terminate();
    m_exitStatus = child.exitStatus();
    if (failure)
        raiseError(*failure);
    raiseDone();
    m_call.notifyFinished();
}

void ConsoleRunWorker::signalChild(int signal) {
    std::lock_guard lock(m_groupLock);
    if (m_group > 0)
        ::kill(-m_group, signal);
}

QString ConsoleRunWorker::commandLine() const {
    if (!m_settings.program.isEmpty() && !m_settings.command.isEmpty())
        return m_settings.program + u' ' + m_settings.command;
    return m_settings.command;
}

ConsoleRunWorker::Failure ConsoleRunWorker::startChild(ChildProcess& child) {
    ChildRequest request;
    if (!m_settings.program.isEmpty())
        request.argv << QFile::encodeName(m_settings.program);
    const CommandLineWords words = splitCommandLine(m_settings.command);
    if (!words.ok())
        return QStringLiteral("Error Creating Process  Error Code :%1 (%2)").arg(EINVAL).arg(words.error);
    for (const QString& word : words.words)
        request.argv << word.toLocal8Bit();
    request.environment = m_launch.environment;
    request.searchPath = m_launch.searchPath;
    request.workingDirectory = m_launch.workingDirectory;
    request.pipeSize = static_cast<int>(m_settings.pipeBufferSize);
    const QString error = child.start(request);
    if (!error.isEmpty())
        return error;
    return {};
}

ConsoleRunWorker::Failure ConsoleRunWorker::readLoop(ChildProcess& child) {
    const qsizetype bufferSize = qsizetype(m_buffer.size());
    int idle = 0;
    bool fullRead = false;
    Clock::time_point lastEndCheck = Clock::now();
    for (;;) {
        // After a full buffer more is likely waiting: read on without polling. Lines held back wait for
        // more output only briefly.
        ChildProcess::WaitResult waited{ChildProcess::Wait::Output, 0};
        if (!fullRead)
            waited = child.wait(m_batchBytes > 0 ? HoldMs : PollMs);
        if (waited.error != 0)
            return processError(waited.error);
        fullRead = false;
        if (waited.what == ChildProcess::Wait::Output) {
            const qsizetype count = child.read(m_buffer.data(), bufferSize);
            if (count > 0)
                idle = 0;
            fullRead = count == bufferSize;
            // An empty read (the buffer was filled exactly, or the output has ended) hands over at once.
            if (Failure failure = receive(std::max<qsizetype>(count, 0), count > 0))
                return failure;
        } else if (m_batchBytes > 0) {
            if (Failure failure = receive(0, false)) // nothing more came
                return failure;
        } else if (Failure failure = handleSilence(idle)) {
            return failure;
        }
        if (stopRequested())
            return {};
        // Output that never pauses (a grandchild may write for ever) must not hide the child's end.
        const Clock::time_point now = Clock::now();
        if (fullRead && now - lastEndCheck < std::chrono::milliseconds(PollMs))
            continue;
        lastEndCheck = now;
        const ChildProcess::EndCheck ended = child.checkEnded();
        if (ended.error != 0)
            return processError(ended.error);
        if (ended.ended)
            break;
    }
    // The child has ended: take what is left in the pipe, but for a second at most, since whatever it left
    // behind may go on writing. The run's end then kills the whole group.
    const Clock::time_point deadline = Clock::now() + DrainTime;
    bool outputEnded = false;
    for (;;) {
        const qsizetype count = child.read(m_buffer.data(), bufferSize);
        outputEnded = count < bufferSize;
        const bool more = !outputEnded && !stopRequested() && Clock::now() < deadline;
        if (Failure failure = receive(std::max<qsizetype>(count, 0), more))
            return failure;
        if (!more)
            break;
    }
    // A tool's last message may lack its line break; it is delivered all the same, but not from output
    // that was cut off.
    if (stopRequested() || !outputEnded)
        return {};
    if (const std::optional<QByteArray> last = m_splitter.finish()) {
        OutputLines lines;
        lines.append(*last);
        return deliverLines(lines);
    }
    return {};
}

ConsoleRunWorker::Failure ConsoleRunWorker::receive(qsizetype count, bool more) {
    constexpr qsizetype BatchBytes = 64 * 1024;
    if (count > 0) {
        if (m_batchBytes == 0)
            m_batchStarted = Clock::now();
        m_splitter.feed(QByteArrayView(m_buffer.data(), count), m_batch);
        m_batchBytes += count;
    }
    // A batch waits for more reads only briefly, so no line is held back noticeably.
    if (more && m_batchBytes < BatchBytes && Clock::now() - m_batchStarted < BatchAge)
        return {};
    m_batchBytes = 0;
    const QString& prompt = m_settings.prompt;
    if (!m_batch.isEmpty()) {
        const Failure failure = deliverLines(m_batch);
        if (!failure && !prompt.isEmpty())
            m_promptSeen = endsWithPrompt(decodeOutputLine(m_batch.last()), prompt);
        m_batch.clear();
        if (failure)
            return failure;
    }
    if (!prompt.isEmpty() && !m_splitter.pending().isEmpty())
        m_promptSeen = endsWithPrompt(decodeOutputLine(m_splitter.pending()), prompt);
    return {};
}

ConsoleRunWorker::Failure ConsoleRunWorker::deliverLines(const OutputLines& lines) {
    // Unassigned, a line raises nothing and is not logged.
    if (!m_handlers.line || stopRequested())
        return {};
    return onOwnerThread([&] {
        QString text; // one buffer for the batch while the handler keeps no line
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (m_stop || m_ownerGone)
                break;
            const QByteArrayView line = lines.at(i);
            if (m_log) {
                m_log->write(line.data(), line.size());
                m_log->write("\r\n", 2);
            }
            decodeOutputLine(line, text);
            m_handlers.line(m_owner, text);
        }
        if (m_log)
            m_log->flush();
    });
}

ConsoleRunWorker::Failure ConsoleRunWorker::handleSilence(int& idle) {
    idle += PollMs;
    if (idle < m_settings.idleTimeoutMs)
        return {};
    idle = 0;
    if (m_promptSeen) {
        m_promptSeen = false;
        if (!m_handlers.prompt)
            return {};
        const QString current = decodeOutputLine(m_splitter.pending());
        return onOwnerThread([&] { m_handlers.prompt(m_owner, current); });
    }
    if (m_settings.autoTerminate) {
        m_stop = true;
        return {};
    }
    if (!m_handlers.idleTimeout)
        return {};
    bool kill = false;
    if (Failure failure = onOwnerThread([&] { kill = m_handlers.idleTimeout(m_owner); }))
        return failure;
    if (kill)
        m_stop = true;
    return {};
}

void ConsoleRunWorker::raiseError(const QString& message) {
    if (!m_handlers.error)
        return;
    // A failing error handler has nobody left to tell but the log.
    if (Failure failure = onOwnerThread([&] { m_handlers.error(m_owner, message); }))
        qWarning("Console runner: the error handler failed: %s", qPrintable(*failure));
}

void ConsoleRunWorker::raiseDone() {
    const std::function<void()> done = [this] {
        if (m_log)
            m_log->close();
        if (m_ownerGone)
            return;
        m_owner->m_exitStatus = m_exitStatus;
        if (m_handlers.finished) {
            try {
                m_handlers.finished(m_owner);
            } catch (const std::exception& e) {
                qWarning("Console runner: the done handler failed: %s", e.what());
            } catch (...) {
                qWarning("Console runner: the done handler failed");
            }
        }
        if (!m_ownerGone)
            m_owner->workerEnded(this);
    };
    m_call.call(done);
}
