#pragma once

#include "TProjectFile.h"

#include <memory>
#include <ranges>
#include <vector>

// The open files in ascending byte-wise order of `Name`; a record whose name equals existing ones goes
// after them. Record pointers stay valid until the record is removed or the list is cleared.
class FileList {
public:
    // Takes Path, Name, Kind, InProject, Lines, Modified and Format; the caret, `TopLine` and
    // `FileTime` start empty. A Java record becomes `CurrentFile`.
    TProjectFile* insertFile(TProjectFile fields);

    // None, or a Java record of this list.
    TProjectFile* CurrentFile() const { return m_current; }
    // Refuses records that are not Java records of this list.
    bool setCurrentFile(TProjectFile* record);

    // Any record with exactly this `Name`, whatever its kind and `InProject`.
    bool isInProject(const QString& name) const;

    // Releases every record; `CurrentFile` becomes none.
    void loescheListe();

    // Releases the record. When it was current, the first Java record (or none) becomes current.
    bool remove(TProjectFile* record);

    // The n-th record of a kind in list order (the n-th entry of the Source or Other files list).
    TProjectFile* nthOfKind(FileKind kind, int n) const;
    int indexOfKind(const TProjectFile* record) const;
    TProjectFile* firstOfKind(FileKind kind) const { return nthOfKind(kind, 0); }

    TProjectFile* findByPath(const QString& path) const;

    // Names of the records with `InProject` set, in list order: the body of the project file.
    QStringList projectFileNames() const;

    int count() const { return int(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }

    // Range over the records in list order, as TProjectFile&.
    auto records() const {
        return m_records | std::views::transform([](const auto& p) -> TProjectFile& { return *p; });
    }

private:
    std::vector<std::unique_ptr<TProjectFile>> m_records;
    TProjectFile* m_current = nullptr;
};
