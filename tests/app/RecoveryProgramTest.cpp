// The built program on a copy of the example, typed into through the X server's keyboard (xdotool) and
// ended by a real signal: the recovery copy holds what was typed, and no question was put on the way out.
#include "TestFiles.h"
#include "workspace/FileCopy.h"
#include "workspace/RecoveryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <unistd.h>

namespace {

// An X server of the test's own: no other test's window can take the keyboard focus while it types.
class PrivateDisplay {
public:
    PrivateDisplay() {
        m_server.start(QStringLiteral("Xvfb"),
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        // The server writes its display number once it accepts clients.
        QByteArray said;
        while (!said.contains('\n') && m_server.waitForReadyRead(20000))
            said += m_server.readAllStandardOutput();
        bool number = false;
        said.trimmed().toInt(&number);
        if (number)
            m_display = u':' + QString::fromLatin1(said.trimmed());
    }
    ~PrivateDisplay() {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished();
    }
    // Empty when the server did not start.
    const QString& name() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

// Runs xdotool on `display` with these arguments; its standard output, or a null string when it failed.
QString xdotool(const QString& display, const QStringList& arguments, int timeoutMs = 60000) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed() + u' ';
}

} // namespace

TEST(RecoveryProgram, ASignalWritesTheCopyAndAsksNothing) {
    if (QStandardPaths::findExecutable("xdotool").isEmpty() ||
        QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool (scripts/setup)";
    const PrivateDisplay display;
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    const struct {
        int signal;
        const char* typed;
    } rows[] = {
        {SIGTERM, "kept through term"},
        {SIGHUP, "kept through hangup"},
        {SIGINT, "kept through interrupt"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        QTemporaryDir dir;
        const QString project = dir.filePath("Hello");
        ASSERT_TRUE(QDir().mkpath(project));
        for (const QString& name : QDir(HW_EXAMPLE_DIR).entryList(QDir::Files))
            ASSERT_TRUE(copyFile(QString(HW_EXAMPLE_DIR) + u'/' + name, project + u'/' + name));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("DISPLAY"), display.name());
        environment.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath("state"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath("cache"));
        environment.insert(QStringLiteral("HANDWRIGHT_REGISTRY"), dir.filePath("registry.sqlite"));
        QProcess program;
        program.setProcessEnvironment(environment);
        // A group of its own, so that whatever it started goes with it if the test fails half-way.
        program.setChildProcessModifier([] { ::setsid(); });
        program.start(QStringLiteral(HW_PROGRAM), {project + QStringLiteral("/Hello.hwp")});
        ASSERT_TRUE(program.waitForStarted());
        const auto cleanUp = qScopeGuard([&] {
            if (program.state() != QProcess::NotRunning) {
                ::kill(-pid_t(program.processId()), SIGKILL);
                program.waitForFinished();
            }
        });
        // The caption names the project once it has loaded.
        const QString window =
            xdotool(display.name(), {"search", "--sync", "--name", "Hello.hwp"}).section(u' ', 0, 0);
        ASSERT_FALSE(window.isEmpty()) << program.readAllStandardError().toStdString();
        ASSERT_FALSE(xdotool(display.name(), {"windowfocus", "--sync", window}).isNull());
        ASSERT_FALSE(xdotool(display.name(), {"key", "--window", window, "ctrl+End"}).isNull());
        // First a pause: the copy follows in the background.
        const RecoveryStore store(dir.filePath("state/kovrin/recover"));
        const auto copyText = [&] {
            const QList<RecoveryEntry> copies = store.readAll().copies;
            return copies.size() == 1 ? copies[0].copy.lines.join('\n') : QString();
        };
        ASSERT_FALSE(xdotool(display.name(), {"type", "--delay", "15", "typed first "}).isNull());
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return copyText().contains(QLatin1String("typed first")); }, 10000));
        // Then the signal, well before the next copy is due (a second after the last key).
        ASSERT_FALSE(xdotool(display.name(), {"type", "--delay", "15", row.typed}).isNull());
        QThread::msleep(600);
        ASSERT_EQ(::kill(pid_t(program.processId()), row.signal), 0);
        ASSERT_TRUE(program.waitForFinished(15000)) << "the program waits on something after the signal";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 128 + row.signal);
        // After a signal, a message box would have been written here instead of shown.
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_FALSE(errors.contains(QLatin1String("handwright: "))) << errors.toStdString();

        const RecoveryListing listing = store.readAll();
        EXPECT_TRUE(listing.notes.isEmpty()) << listing.notes.join('\n').toStdString();
        ASSERT_EQ(listing.copies.size(), 1);
        const RecoveryCopy& copy = listing.copies[0].copy;
        EXPECT_TRUE(copy.lines.join('\n').contains(QLatin1String("typed first ") + row.typed))
            << copy.lines.join('\n').toStdString();
        // The user's files are as they were: the copy is no save.
        EXPECT_EQ(readBytes(copy.path),
                  readBytes(QString(HW_EXAMPLE_DIR) + u'/' + QFileInfo(copy.path).fileName()));
    }
}
