#include "NoteLocation.h"

#include "workspace/FileList.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <map>

namespace {

bool inside(const QString& path, const QString& folder) {
    return !folder.isEmpty() && path.startsWith(folder + u'/');
}

} // namespace

std::optional<NoteLocation> parseNoteLocation(const QString& fileAndLine) {
    // Read by hand rather than by a regular expression: the marks of a large register are worked out
    // at every file shown.
    const QString text = fileAndLine.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    NoteLocation at;
    QStringView rest(text);
    bool bracket = false;
    if (rest.endsWith(u')')) {
        rest.chop(1);
        rest = rest.trimmed();
        bracket = true;
    }
    qsizetype digits = rest.size();
    while (digits > 0 && rest[digits - 1] >= u'0' && rest[digits - 1] <= u'9')
        --digits;
    const QStringView number = rest.mid(digits);
    QStringView before = rest.left(digits).trimmed();
    const QChar separator = bracket ? u'(' : u':';
    if (!number.isEmpty() && before.size() > 0 &&
        (before.back() == separator || (!bracket && before.back() == u','))) {
        bool ok = false;
        at.line = number.toInt(&ok);
        if (!ok || at.line < 1)
            return std::nullopt;
        before.chop(1);
        at.file = before.trimmed().toString();
    } else {
        at.file = text;
    }
    at.file.replace(u'\\', u'/');
    if (at.file.isEmpty())
        return std::nullopt;
    return at;
}

ProjectRecord* noteSource(const FileList& files, const QString& projectDir, const NoteLocation& at) {
    if (projectDir.isEmpty())
        return nullptr;
    const QString folder = QFileInfo(projectDir).canonicalFilePath();
    const QString path = QDir::cleanPath(QDir::isAbsolutePath(at.file) ? at.file : projectDir + at.file);
    const QFileInfo info(path);
    if (info.exists()) {
        // Where the path really leads, links resolved.
        const QString real = info.canonicalFilePath();
        if (!inside(real, folder))
            return nullptr;
        if (ProjectRecord* record = files.findSameFile(real); record && record->Kind == FileKind::Java)
            return record;
    } else if (inside(path, QDir::cleanPath(projectDir)) && !info.isSymLink()) {
        // A buffer not yet saved has no file to follow.
        if (ProjectRecord* record = files.findByPath(path); record && record->Kind == FileKind::Java)
            return record;
    }
    if (at.file.contains(u'/'))
        return nullptr;
    for (ProjectRecord& record : files.records())
        if (record.Kind == FileKind::Java && QFileInfo(record.Name).fileName() == at.file)
            return &record;
    return nullptr;
}

std::vector<NoteMark> noteMarks(const QList<NoteEntry>& entries, const FileList& files,
                                const QString& projectDir, const ProjectRecord* source) {
    if (!source)
        return {};
    std::map<int, QString> byLine;
    // Most entries name a few files: each text is resolved once.
    QHash<QString, bool> names;
    for (const NoteEntry& entry : entries) {
        if (entry.status.trimmed().compare(NotesRegister::kOpen, Qt::CaseInsensitive) != 0)
            continue;
        const std::optional<NoteLocation> at = parseNoteLocation(entry.fileAndLine);
        if (!at)
            continue;
        auto known = names.constFind(at->file);
        if (known == names.constEnd())
            known = names.insert(at->file, noteSource(files, projectDir, *at) == source);
        if (!*known)
            continue;
        QString& text = byLine[at->line];
        if (!text.isEmpty())
            text += u'\n';
        text += entry.id + QStringLiteral(": ") + entry.description.trimmed();
    }
    std::vector<NoteMark> marks;
    marks.reserve(byLine.size());
    for (const auto& [line, text] : byLine)
        marks.push_back({line, text});
    return marks;
}
