#include "DeclarationIndex.h"

#include "ClassBrowser.h"
#include "JavaCharacters.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

const QString kClassPrefix = QStringLiteral("class ");
const QString kMethodPrefix = QStringLiteral("method ");
const QString kVariablePrefix = QStringLiteral("variable ");

qsizetype characterWidthBefore(const QString& text, qsizetype at) {
    return at >= 2 && text[at - 1].isLowSurrogate() && text[at - 2].isHighSurrogate() ? 2 : 1;
}

qsizetype characterWidthAt(const QString& text, qsizetype at) {
    return at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

bool better(const Declaration& a, const Declaration& b) {
    if (a.fileName != b.fileName)
        return a.fileName < b.fileName;
    return a.line < b.line;
}

} // namespace

NameAtCaret nameAt(const QString& line, int column) {
    if (column < 0 || column > line.size())
        return {};
    qsizetype start = column;
    while (identifierPartBefore(line, start))
        start -= characterWidthBefore(line, start);
    qsizetype end = column;
    while (identifierPartAt(line, end))
        end += characterWidthAt(line, end);
    // A number is no name.
    if (start == end || line[start].isDigit())
        return {};
    NameAtCaret found;
    found.name = line.mid(start, end - start);
    qsizetype next = end;
    while (next < line.size() && (line[next] == u' ' || line[next] == u'\t'))
        ++next;
    found.call = next < line.size() && line[next] == u'(';
    qsizetype dot = start;
    while (dot > 0 && (line[dot - 1] == u' ' || line[dot - 1] == u'\t'))
        --dot;
    if (dot > 0 && line[dot - 1] == u'.') {
        qsizetype end = dot - 1;
        while (end > 0 && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
            --end;
        qsizetype begin = end;
        while (identifierPartBefore(line, begin))
            begin -= characterWidthBefore(line, begin);
        if (begin < end && !line[begin].isDigit())
            found.qualifier = line.mid(begin, end - begin);
    }
    return found;
}

QString DeclarationIndex::stampOf(const DeclarationSource& source) {
    if (source.lines) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (const QString& line : *source.lines) {
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(line.utf16()), line.size() * 2));
            hash.addData(QByteArrayView("\n\0", 2));
        }
        return QStringLiteral("text ") + QString::fromLatin1(hash.result().toHex());
    }
    const QFileInfo info(source.path);
    if (!info.isFile())
        return {};
    // The path counts too: another project's file of that name, time and size is another file.
    return QStringLiteral("file %1 %2 %3")
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(info.size())
        .arg(info.absoluteFilePath());
}

std::vector<Declaration> DeclarationIndex::readOutline(const QString& fileName, const QStringList& lines) {
    std::vector<Declaration> found;
    QString currentClass;
    for (const QString& line : lines) {
        Declaration declaration;
        declaration.fileName = fileName;
        QString qualified;
        std::optional<int> number;
        if (line.startsWith(kClassPrefix)) {
            qualified = ClassBrowser::word(line, 2);
            number = ClassBrowser::lineNumber(ClassBrowser::word(line, 3));
            declaration.kind = DeclarationKind::Class;
            const qsizetype dot = qualified.lastIndexOf(u'.');
            declaration.name = qualified.mid(dot + 1);
            declaration.owner = dot < 0 ? QString() : qualified.left(dot);
            declaration.label = kClassPrefix + qualified;
            currentClass = qualified;
        } else if (line.startsWith(kMethodPrefix) || line.startsWith(kVariablePrefix)) {
            const QString signature = ClassBrowser::word(line, 3);
            number = ClassBrowser::lineNumber(ClassBrowser::word(line, 4));
            const bool method = line.startsWith(kMethodPrefix);
            declaration.kind = method ? DeclarationKind::Method : DeclarationKind::Field;
            declaration.name = method ? signature.left(signature.indexOf(u'(')) : signature;
            declaration.owner = currentClass;
            declaration.label = (currentClass.isEmpty() ? QString() : currentClass + u'.') + signature;
        } else {
            continue;
        }
        if (!number || declaration.name.isEmpty())
            continue;
        declaration.line = *number;
        found.push_back(std::move(declaration));
    }
    return found;
}

bool DeclarationIndex::isCurrent(const QString& fileName, const QString& stamp) const {
    const auto it = m_files.constFind(fileName);
    return it != m_files.constEnd() && it->stamp == stamp;
}

void DeclarationIndex::store(const QString& fileName, const QString& stamp, const QStringList& outline,
                             const QString& problem) {
    m_files.insert(fileName, FileOutline{stamp, readOutline(fileName, outline), problem});
}

void DeclarationIndex::retainOnly(const QStringList& fileNames) {
    const QSet<QString> kept(fileNames.begin(), fileNames.end());
    m_files.removeIf([&kept](const auto& entry) { return !kept.contains(entry.key()); });
}

std::vector<Declaration> DeclarationIndex::find(const QString& name, bool call,
                                                const QString& qualifier) const {
    std::vector<Declaration> all;
    std::vector<Declaration> preferred;
    for (const FileOutline& file : m_files) {
        for (const Declaration& declaration : file.declarations) {
            if (declaration.name != name)
                continue;
            all.push_back(declaration);
            if ((declaration.kind == DeclarationKind::Method) == call)
                preferred.push_back(declaration);
        }
    }
    std::vector<Declaration>& chosen = preferred.empty() ? all : preferred;
    if (!qualifier.isEmpty()) {
        std::vector<Declaration> ofClass;
        for (const Declaration& declaration : chosen)
            if (declaration.owner.mid(declaration.owner.lastIndexOf(u'.') + 1) == qualifier)
                ofClass.push_back(declaration);
        if (!ofClass.empty())
            chosen = std::move(ofClass);
    }
    std::stable_sort(chosen.begin(), chosen.end(), better);
    return chosen;
}

QStringList DeclarationIndex::problems() const {
    QStringList found;
    for (auto it = m_files.constBegin(); it != m_files.constEnd(); ++it)
        if (!it->problem.isEmpty())
            found << it.key() + QStringLiteral(": ") + it->problem;
    found.sort();
    return found;
}
