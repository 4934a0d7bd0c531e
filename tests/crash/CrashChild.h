#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

// Shared by the crash helper and the tests that start it.
namespace crash {

// Two sources the helper saves in turn: they differ in every line and in length, so a mix of both is
// never mistaken for either.
inline QStringList sourceLines(char letter, qint64 bytes) {
    const QString line = QString(70, QChar::fromLatin1(letter));
    QStringList lines;
    for (qint64 size = 0; size < bytes; size += line.size() + 8)
        lines << line + QString::number(lines.size());
    return lines;
}

inline QString generationValue(int generation) {
    return QString::number(generation) + QString(1000, u'g');
}

inline const QStringList storeKey{"Software", "Crash"};

inline QString program(const QString& name) {
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

struct Run {
    int exitCode = -1;
    QStringList lines;
    QString error; // stderr

    // The text after "WORD " on the first line that starts with it.
    QString operator[](const QString& word) const {
        for (const QString& line : lines) {
            if (line == word || line.startsWith(word + u' '))
                return line.mid(word.size() + 1);
        }
        return QStringLiteral("<no %1>").arg(word);
    }
};

inline Run runHelper(const QStringList& args,
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(program(QStringLiteral("hw_crash_helper")), args);
    child.waitForFinished(60000);
    Run run;
    run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.error = QString::fromUtf8(child.readAllStandardError());
    return run;
}

} // namespace crash
