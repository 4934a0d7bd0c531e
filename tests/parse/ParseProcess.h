// Runs the built outline program as the class browser does: a real child process in a working folder.
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>

namespace parsetest {

struct Result {
    bool finished = false; // false: it crashed, hung or could not start
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline QString program() {
    return QStringLiteral(HW_PARSE_PROGRAM);
}
inline QString goldenFolder() {
    return QStringLiteral(HW_PARSE_GOLDEN);
}

inline Result run(const QStringList& arguments, const QString& folder, bool merged = false) {
    QProcess process;
    process.setWorkingDirectory(folder);
    if (merged)
        process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program(), arguments);
    Result result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    if (!merged)
        result.err = process.readAllStandardError();
    return result;
}

// The browser reads "class <Name> <line>", "method <word> <label> <line>" and "variable <word> <name>
// <line>", one blank between words; anything else on standard output breaks it.
inline std::string malformedLine(const QByteArray& out) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^(class [^ ]+ [1-9][0-9]*|method [^ ]+ [^ ()]+\([^ ()]*\) [1-9][0-9]*|)"
                       R"(variable [^ ]+ [^ ]+ [1-9][0-9]*)$)"));
    const QList<QByteArray> lines = out.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == lines.size() - 1 && lines[i].isEmpty())
            break;
        const QString line = QString::fromUtf8(lines[i]);
        if (!shape.match(line).hasMatch())
            return line.isEmpty() ? std::string("(empty line)") : line.toStdString();
    }
    return {};
}

} // namespace parsetest
