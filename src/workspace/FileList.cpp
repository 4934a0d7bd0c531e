#include "FileList.h"

#include "PathHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <atomic>

namespace {

// File names compare as the bytes the file system stores, not by locale or case.
bool nameBefore(const QString& a, const QString& b) {
    return a.toUtf8() < b.toUtf8();
}

} // namespace

ProjectRecord* FileList::insertFile(ProjectRecord fields) {
    fields.CaretLine = fields.CaretColumn = fields.TopLine = 0;
    fields.FileTime.clear();
    static std::atomic<quint64> lastId{0};
    fields.Id = ++lastId;
    auto record = std::make_unique<ProjectRecord>(std::move(fields));
    ProjectRecord* raw = record.get();
    const auto at = std::find_if(m_records.begin(), m_records.end(),
                                 [&](const auto& r) { return nameBefore(raw->Name, r->Name); });
    m_records.insert(at, std::move(record));
    if (raw->Kind == FileKind::Java)
        m_current = raw;
    return raw;
}

bool FileList::setCurrentFile(ProjectRecord* record) {
    // Membership is checked before the record is touched, so a stale pointer is refused safely.
    if (record && (indexOfKind(record) < 0 || record->Kind != FileKind::Java))
        return false;
    m_current = record;
    return true;
}

bool FileList::isInProject(const QString& name) const {
    return std::any_of(m_records.begin(), m_records.end(), [&](const auto& r) { return r->Name == name; });
}

void FileList::clear() {
    m_current = nullptr;
    m_records.clear();
}

bool FileList::remove(ProjectRecord* record) {
    const auto it =
        std::find_if(m_records.begin(), m_records.end(), [&](const auto& r) { return r.get() == record; });
    if (it == m_records.end())
        return false;
    m_records.erase(it);
    if (m_current == record)
        m_current = firstOfKind(FileKind::Java);
    return true;
}

ProjectRecord* FileList::nthOfKind(FileKind kind, int n) const {
    if (n < 0)
        return nullptr;
    for (const auto& r : m_records) {
        if (r->Kind == kind && n-- == 0)
            return r.get();
    }
    return nullptr;
}

int FileList::indexOfKind(const ProjectRecord* record) const {
    const auto it =
        std::find_if(m_records.begin(), m_records.end(), [&](const auto& r) { return r.get() == record; });
    if (!record || it == m_records.end())
        return -1;
    return int(std::count_if(m_records.begin(), it, [&](const auto& r) { return r->Kind == record->Kind; }));
}

ProjectRecord* FileList::findByPath(const QString& path) const {
    for (const auto& r : m_records) {
        if (r->Path == path)
            return r.get();
    }
    return nullptr;
}

ProjectRecord* FileList::findSameFile(const QString& path, const ProjectRecord* except) const {
    const QFileInfo wanted(path);
    for (const auto& r : m_records) {
        if (r.get() == except)
            continue;
        const QFileInfo info(r->Path);
        if (QDir::cleanPath(wanted.absoluteFilePath()) == QDir::cleanPath(info.absoluteFilePath()) ||
            (wanted.exists() && wanted.canonicalFilePath() == info.canonicalFilePath()))
            return r.get();
    }
    return nullptr;
}

QStringList FileList::projectFileNames() const {
    QStringList names;
    for (const auto& r : m_records) {
        if (r->InProject)
            names.append(r->Name);
    }
    return names;
}
