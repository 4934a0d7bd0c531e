#include "RecoveryStore.h"

#include "AtomicWrite.h"
#include "LineDiff.h"
#include "TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

const QByteArray kMagic = "Kovrin Handwright recovery copy 1";
const QString kSuffix = QStringLiteral(".recover");

struct Named {
    const char* name;
    int value;
};

constexpr Named kEncodings[] = {{"UTF-8", int(TextEncoding::Utf8)},
                                {"Windows-1252", int(TextEncoding::Windows1252)},
                                {"UTF-16LE", int(TextEncoding::Utf16LE)},
                                {"UTF-16BE", int(TextEncoding::Utf16BE)}};
constexpr Named kLineBreaks[] = {
    {"CR LF", int(LineBreak::CrLf)}, {"LF", int(LineBreak::Lf)}, {"CR", int(LineBreak::Cr)}};

template <std::size_t N> QByteArray nameOf(const Named (&table)[N], int value) {
    for (const Named& each : table)
        if (each.value == value)
            return each.name;
    return {};
}

template <std::size_t N> std::optional<int> valueOf(const Named (&table)[N], const QByteArray& name) {
    for (const Named& each : table)
        if (name == each.name)
            return each.value;
    return std::nullopt;
}

QByteArray yesNo(bool value) {
    return value ? "yes" : "no";
}

// Every byte below a space, DEL and '%' as %XX: the path stays on its line and reads back unchanged.
QByteArray escapePath(const QString& path) {
    QByteArray out;
    for (const char c : path.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%')
            out += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            out += c;
    }
    return out;
}

RecoveryParse damaged(const QString& why) {
    return {std::nullopt, why};
}

} // namespace

QByteArray formatRecoveryCopy(const RecoveryCopy& copy) {
    QByteArray text;
    for (const QString& line : copy.lines)
        text += line.toUtf8() + '\n';
    QByteArray out = kMagic + '\n';
    out += "Path: " + escapePath(copy.path) + '\n';
    out += "Encoding: " + nameOf(kEncodings, int(copy.format.encoding)) + '\n';
    out += "Byte-order mark: " + yesNo(copy.format.byteOrderMark) + '\n';
    out += "Line breaks: " + nameOf(kLineBreaks, int(copy.format.lineBreak)) + '\n';
    out += "Final line break: " + yesNo(copy.format.finalLineBreak) + '\n';
    out += "Written: " + copy.written.toUTC().toString(Qt::ISODateWithMs).toUtf8() + '\n';
    out += "File time when read: " + (copy.diskTime.isEmpty() ? QByteArray("none") : copy.diskTime.toUtf8()) +
           '\n';
    out += "Text bytes: " + QByteArray::number(text.size()) + '\n';
    out += '\n';
    return out + text;
}

RecoveryParse parseRecoveryCopy(QByteArrayView bytes) {
    const qsizetype headerEnd = bytes.indexOf(QByteArrayView("\n\n"));
    if (!bytes.startsWith(QByteArrayView(kMagic + '\n')) || headerEnd < 0)
        return damaged(QStringLiteral("it is not a recovery copy of this program"));
    RecoveryCopy copy;
    std::optional<qint64> textBytes;
    bool seenPath = false, seenWritten = false, seenEncoding = false, seenBreaks = false;
    const QList<QByteArray> header =
        bytes.sliced(kMagic.size() + 1, headerEnd - kMagic.size() - 1).toByteArray().split('\n');
    for (const QByteArray& line : header) {
        const qsizetype colon = line.indexOf(": ");
        if (colon <= 0)
            return damaged(
                QStringLiteral("its header line \"%1\" has no value").arg(QString::fromUtf8(line)));
        const QByteArray name = line.left(colon);
        const QByteArray value = line.mid(colon + 2);
        if (name == "Path") {
            copy.path = QString::fromUtf8(QByteArray::fromPercentEncoding(value));
            seenPath = !copy.path.isEmpty();
        } else if (name == "Encoding") {
            const std::optional<int> encoding = valueOf(kEncodings, value);
            if (!encoding)
                return damaged(
                    QStringLiteral("its encoding \"%1\" is unknown").arg(QString::fromUtf8(value)));
            copy.format.encoding = TextEncoding(*encoding);
            seenEncoding = true;
        } else if (name == "Line breaks") {
            const std::optional<int> lineBreak = valueOf(kLineBreaks, value);
            if (!lineBreak)
                return damaged(
                    QStringLiteral("its line breaks \"%1\" are unknown").arg(QString::fromUtf8(value)));
            copy.format.lineBreak = LineBreak(*lineBreak);
            seenBreaks = true;
        } else if (name == "Byte-order mark" || name == "Final line break") {
            if (value != "yes" && value != "no")
                return damaged(
                    QStringLiteral("its \"%1\" is neither yes nor no").arg(QString::fromUtf8(name)));
            (name == "Final line break" ? copy.format.finalLineBreak : copy.format.byteOrderMark) =
                value == "yes";
        } else if (name == "Written") {
            copy.written = QDateTime::fromString(QString::fromUtf8(value), Qt::ISODateWithMs);
            seenWritten = copy.written.isValid();
        } else if (name == "File time when read") {
            copy.diskTime = value == "none" ? QString() : QString::fromUtf8(value);
        } else if (name == "Text bytes") {
            bool ok = false;
            const qint64 count = value.toLongLong(&ok);
            if (ok && count >= 0)
                textBytes = count;
        }
        // Any other name is something a later version says: what this one knows is enough.
    }
    if (!seenPath || !seenWritten || !seenEncoding || !seenBreaks || !textBytes)
        return damaged(QStringLiteral("its header is incomplete"));
    const QByteArrayView text = bytes.sliced(headerEnd + 2);
    if (text.size() < *textBytes)
        return damaged(
            QStringLiteral("it is cut short (%1 of %2 bytes of text)").arg(text.size()).arg(*textBytes));
    if (text.size() > *textBytes)
        return damaged(
            QStringLiteral("it holds more than the %1 bytes of text its header names").arg(*textBytes));
    if (!isValidUtf8(text) || (!text.isEmpty() && !text.endsWith('\n')))
        return damaged(QStringLiteral("its text is damaged"));
    // QString::split would drop nothing here, but each line's LF ends it: the last, empty piece goes.
    const QString decoded = QString::fromUtf8(text);
    if (!decoded.isEmpty()) {
        copy.lines = decoded.split(u'\n');
        copy.lines.removeLast();
    }
    return {std::move(copy), {}};
}

QString recoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative value is invalid by the XDG rules and is ignored.
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state) + QStringLiteral("/kovrin/recover/");
}

QString realPathOf(const QString& path) {
    const QFileInfo info(path);
    if (const QString real = info.canonicalFilePath(); !real.isEmpty())
        return real;
    if (const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath(); !folder.isEmpty())
        return folder + u'/' + info.fileName();
    return QDir::cleanPath(info.absoluteFilePath());
}

QString recoveryFileName(const QString& path) {
    const QByteArray hash = QCryptographicHash::hash(realPathOf(path).toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(hash.toHex().left(32)) + kSuffix;
}

RecoveryStore::RecoveryStore(const QString& folder)
    : m_folder(folder.endsWith(u'/') ? folder : folder + u'/') {}

QString RecoveryStore::fileFor(const QString& path) const {
    return m_folder + recoveryFileName(path);
}

FileResult RecoveryStore::write(const RecoveryCopy& copy) const {
    // Each missing folder on the way is made for this user alone: the copies hold the user's work.
    const QStringList parts = QDir::cleanPath(m_folder).split(u'/', Qt::SkipEmptyParts);
    QString made;
    for (const QString& part : parts) {
        made += u'/' + part;
        if (::mkdir(QFile::encodeName(made).constData(), 0700) != 0 && errno != EEXIST)
            return FileResult::cannotWrite(made, QString::fromLocal8Bit(std::strerror(errno)));
    }
    // A folder made by someone else is made private again: the copies hold the user's work.
    ::chmod(QFile::encodeName(made).constData(), 0700);
    const QString file = fileFor(copy.path);
    // The copy goes into this folder, not through a link someone left in its place.
    if (QFileInfo(file).isSymLink())
        QFile::remove(file);
    return writeFileAtomically(file, formatRecoveryCopy(copy));
}

FileResult RecoveryStore::remove(const QString& path) const {
    const QString file = fileFor(path);
    if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT)
        return {
            QStringLiteral("Cannot remove %1: %2").arg(file, QString::fromLocal8Bit(std::strerror(errno)))};
    return FileResult::success();
}

bool RecoveryStore::has(const QString& path) const {
    const QFileInfo info(fileFor(path));
    return info.isFile() && !info.isSymLink();
}

RecoveryListing RecoveryStore::readAll() const {
    RecoveryListing listing;
    // Hidden names are the temporary files of writes still running or killed.
    const QStringList names = QDir(m_folder).entryList(QDir::Files | QDir::System, QDir::Name);
    for (const QString& name : names) {
        const QString file = m_folder + name;
        QByteArray bytes;
        if (const FileResult read = readWholeFile(file, bytes); !read) {
            listing.notes << read.error;
            continue;
        }
        RecoveryParse parsed = parseRecoveryCopy(bytes);
        if (!parsed.copy) {
            listing.notes << QStringLiteral("Skipped %1: %2.").arg(file, parsed.problem);
            continue;
        }
        listing.copies.append({file, std::move(*parsed.copy)});
    }
    return listing;
}

RecoveryComparison compareWithFile(const RecoveryCopy& copy) {
    RecoveryComparison comparison;
    const QFileInfo file(copy.path);
    comparison.fileExists = file.exists();
    if (comparison.fileExists) {
        comparison.olderThanFile = file.lastModified().toUTC() > copy.written;
        const TextReadResult read = TextFile::read(copy.path);
        if (read.ok())
            comparison.fileLines = read.file.lines;
        else
            comparison.readError = read.error;
    }
    comparison.differingLines = differingLineCount(comparison.fileLines, copy.lines);
    return comparison;
}
