#include "WarmCompilerProtocol.h"

#include "CommandLine.h"

#include <QtEndian>

namespace warmprotocol {

namespace {

void appendNumber(QByteArray& out, qint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

qint32 numberAt(const QByteArray& in, qsizetype at) {
    return qFromBigEndian<qint32>(in.constData() + at);
}

} // namespace

QByteArray requestFrame(qint32 id, const QList<QByteArray>& arguments) {
    QByteArray out;
    appendNumber(out, qint32(Magic));
    appendNumber(out, id);
    appendNumber(out, qint32(arguments.size()));
    for (const QByteArray& argument : arguments) {
        appendNumber(out, qint32(argument.size()));
        out += argument;
    }
    return out;
}

Take takeFrame(QByteArray& buffer, Frame& frame) {
    constexpr qsizetype header = 16;
    if (buffer.size() >= 4 && quint32(numberAt(buffer, 0)) != Magic)
        return Take::Garbage;
    if (buffer.size() < header)
        return Take::Incomplete;
    const qint32 length = numberAt(buffer, 12);
    if (length < 0 || length > MaxOutputBytes)
        return Take::Garbage;
    if (buffer.size() < header + length)
        return Take::Incomplete;
    frame.id = numberAt(buffer, 4);
    frame.status = numberAt(buffer, 8);
    frame.bytes = buffer.mid(header, length);
    buffer.remove(0, header + length);
    return Take::Complete;
}

} // namespace warmprotocol

WarmArguments warmArguments(const QString& command, const QString& jdkPath, const QStringList& environment) {
    WarmArguments result;
    for (const char* name : {"JAVA_TOOL_OPTIONS=", "_JAVA_OPTIONS="}) {
        for (const QString& entry : environment) {
            if (entry.startsWith(QLatin1String(name)) && entry.size() > int(qstrlen(name))) {
                result.refusal = QStringLiteral("%1 is set").arg(QLatin1String(name).chopped(1));
                return result;
            }
        }
    }
    const CommandLineWords words = splitCommandLine(command);
    if (!words.ok() || words.words.isEmpty()) {
        result.refusal = QStringLiteral("the command line cannot be split");
        return result;
    }
    if (jdkPath.isEmpty() || words.words.first() != jdkPath + QStringLiteral("bin/javac")) {
        result.refusal = QStringLiteral("it runs another compiler than the JDK's bin/javac");
        return result;
    }
    for (qsizetype i = 1; i < words.words.size(); ++i) {
        const QString& word = words.words[i];
        if (word == QLatin1String("-J-Djavac.pipe.output=true"))
            continue;
        if (word.startsWith(QLatin1String("-J"))) {
            result.refusal = QStringLiteral("the launcher option %1 is set").arg(word);
            return {{}, result.refusal};
        }
        // As the runner hands the words to the program.
        result.arguments << word.toLocal8Bit();
    }
    return result;
}
