#include "WarmCompiler.h"

#include "WarmCompilerProtocol.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <signal.h>
#include <sys/prctl.h>

namespace {

// A server that fails to start this often for one JDK and folder is not tried again for them.
constexpr int kMaxStarts = 3;

QString fileStamp(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("-");
    return QString::number(info.size()) + u'@' + QString::number(info.lastModified().toMSecsSinceEpoch());
}

} // namespace

WarmCompiler::WarmCompiler(const QString& jar, QObject* parent) : QObject(parent), m_jar(jar) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        fail(m_state == State::Starting ? QStringLiteral("it did not start in time")
                                        : QStringLiteral("it gave no answer in time"));
    });
}

WarmCompiler::~WarmCompiler() {
    m_done = nullptr; // no callbacks from a destructor
    stop();
}

QString WarmCompiler::defaultJar() {
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {dir + QStringLiteral("/warm-javac.jar"), dir + QStringLiteral("/../bin/warm-javac.jar"),
          dir + QStringLiteral("/../../bin/warm-javac.jar"),
          // Installed, a jar belongs with the data under share/ (the program lies in lib/handwright).
          dir + QStringLiteral("/../../share/handwright/warm-javac.jar")}) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

QString WarmCompiler::identity(const QString& jdkPath, const QString& workingDirectory) {
    QString text = QFileInfo(jdkPath).canonicalFilePath() + u'\n' + workingDirectory + u'\n';
    // An update of the JDK in place changes these.
    for (const char* file : {"release", "lib/modules", "bin/java", "bin/javac"})
        text += fileStamp(jdkPath + QLatin1String(file)) + u'\n';
    // javac's messages follow the locale, its file names the encoding.
    for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE", "LC_MESSAGES", "LANGUAGE", "JDK_JAVAC_OPTIONS"})
        text += QString::fromLocal8Bit(qgetenv(name)) + u'\n';
    return text;
}

void WarmCompiler::prepare(const QString& jdkPath, const QString& workingDirectory) {
    // Only a JDK image of 9 or later has javac's entry point in its modules.
    if (m_jar.isEmpty() || jdkPath.isEmpty() || !QFileInfo(jdkPath + QStringLiteral("lib/modules")).isFile())
        return;
    const QString wanted = identity(jdkPath, workingDirectory);
    if (wanted == m_identity && m_state != State::Stopped)
        return;
    if (wanted != m_identity) {
        stop();
        m_identity = wanted;
        m_startsForIdentity = 0;
    }
    if (m_startsForIdentity >= kMaxStarts) {
        m_state = State::Failed;
        return;
    }
    ++m_startsForIdentity;
    stop();

    m_process = new QProcess(this);
    m_process->setProgram(jdkPath + QStringLiteral("bin/java"));
    // A small heap and the serial collector keep the resident size low; a compile it cannot hold in this
    // heap is answered with "not here" and runs as the javac program.
    m_process->setArguments({QStringLiteral("-Xmx256m"), QStringLiteral("-Xss4m"),
                             QStringLiteral("-XX:+UseSerialGC"), QStringLiteral("-XX:TieredStopAtLevel=1"),
                             QStringLiteral("-XX:-UsePerfData"), QStringLiteral("-Xshare:auto"),
                             QStringLiteral("-cp"), m_jar, QStringLiteral("WarmJavac")});
    m_process->setWorkingDirectory(workingDirectory);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Read by the java launcher alone, never by the javac program.
    environment.remove(QStringLiteral("JDK_JAVA_OPTIONS"));
    m_process->setProcessEnvironment(environment);
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // Dies with the IDE even when the IDE is killed outright (and its input never closes).
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &WarmCompiler::readAnswer);
    connect(m_process, &QProcess::finished, this, [this] { serverEnded(QStringLiteral("it ended")); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            serverEnded(QStringLiteral("it could not start"));
    });
    m_state = State::Starting;
    m_input.clear();
    m_timer.start(m_startTimeoutMs);
    m_process->start();
}

bool WarmCompiler::readyFor(const QString& jdkPath, const QString& workingDirectory) const {
    return m_state == State::Ready && m_identity == identity(jdkPath, workingDirectory);
}

bool WarmCompiler::compile(const QList<QByteArray>& arguments, Done done) {
    if (m_state != State::Ready || m_done || !m_process)
        return false;
    m_pendingId = m_nextId++;
    m_done = std::move(done);
    m_process->write(warmprotocol::requestFrame(m_pendingId, arguments));
    m_timer.start(m_answerTimeoutMs);
    return true;
}

void WarmCompiler::readAnswer() {
    if (!m_process)
        return;
    m_input += m_process->readAllStandardOutput();
    for (;;) {
        warmprotocol::Frame frame;
        const warmprotocol::Take taken = warmprotocol::takeFrame(m_input, frame);
        if (taken == warmprotocol::Take::Incomplete)
            return;
        if (taken == warmprotocol::Take::Garbage)
            return fail(QStringLiteral("it answered garbage"));
        if (m_state == State::Starting) {
            if (frame.id != 0 || frame.status != 0 || !frame.bytes.startsWith("ready "))
                return fail(QStringLiteral("it cannot run javac: ") + QString::fromUtf8(frame.bytes));
            m_timer.stop();
            m_state = State::Ready;
            m_startsForIdentity = 0;
            continue;
        }
        if (!m_done || frame.id != m_pendingId)
            return fail(QStringLiteral("it answered garbage"));
        m_timer.stop();
        Result result;
        if (frame.status < 0) {
            result.failure = QStringLiteral("the compile cannot run inside it");
        } else {
            result.ran = true;
            result.exitCode = frame.status;
            result.output = frame.bytes;
        }
        finish(result);
    }
}

void WarmCompiler::finish(Result result) {
    Done done = std::exchange(m_done, nullptr);
    if (done)
        done(result);
}

void WarmCompiler::fail(const QString& why) {
    Done done = std::exchange(m_done, nullptr);
    // The next compile may start it again (up to kMaxStarts times for the same JDK and folder).
    stop();
    if (done) {
        Result result;
        result.failure = why;
        done(result);
    }
}

void WarmCompiler::serverEnded(const QString& why) {
    if (!m_process)
        return;
    fail(why);
}

void WarmCompiler::stop() {
    m_timer.stop();
    if (QProcess* process = std::exchange(m_process, nullptr)) {
        process->disconnect(this);
        // Its input closing ends it; killed at once all the same, nothing it holds is worth waiting for.
        process->closeWriteChannel();
        process->kill();
        process->waitForFinished(2000);
        delete process;
    }
    m_state = State::Stopped;
    m_input.clear();
    if (m_done) {
        Result result;
        result.failure = QStringLiteral("it was stopped");
        finish(result);
    }
}

qint64 WarmCompiler::serverPid() const {
    return m_process ? m_process->processId() : 0;
}
