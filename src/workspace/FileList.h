#pragma once

#include "ProjectRecord.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

// The open files in ascending byte-wise order of `Name`; a record whose name equals existing ones goes
// after them. Record pointers stay valid until the record is removed or the list is cleared.
class FileList {
public:
    // Takes Path, Name, Kind, InProject, Lines, Modified and Format; the caret, `TopLine` and
    // `FileTime` start empty and `Id` is new. A Java record becomes `currentFile`.
    ProjectRecord* insertFile(ProjectRecord fields);

    // None, or a Java record of this list.
    ProjectRecord* currentFile() const { return m_current; }
    // Refuses records that are not Java records of this list.
    bool setCurrentFile(ProjectRecord* record);

    // Any record with exactly this `Name`, whatever its kind and `InProject`.
    bool isInProject(const QString& name) const;

    // Releases every record; `currentFile` becomes none.
    void clear();

    // Releases the record. When it was current, the first Java record (or none) becomes current.
    bool remove(ProjectRecord* record);

    // The n-th record of a kind in list order (the n-th entry of the Source or Other files list).
    ProjectRecord* nthOfKind(FileKind kind, int n) const;
    int indexOfKind(const ProjectRecord* record) const;
    ProjectRecord* firstOfKind(FileKind kind) const { return nthOfKind(kind, 0); }

    ProjectRecord* findByPath(const QString& path) const;
    // A record other than `except` whose file is the one at `path`: the same path, or the same file
    // reached through links.
    ProjectRecord* findSameFile(const QString& path, const ProjectRecord* except = nullptr) const;

    // Names of the records with `InProject` set, in list order: the body of the project file. A file in a
    // sub-folder is named by its path below the project folder ("sub/x.java").
    QStringList projectFileNames() const;

    int count() const { return int(m_records.size()); }
    bool isEmpty() const { return m_records.empty(); }

    // Range over the records in list order, as ProjectRecord&. A hand-written iterator rather than
    // std::views::transform, which clang 14 cannot compile against libstdc++ 12 (the fuzz build).
    class RecordIterator {
    public:
        using Base = std::vector<std::unique_ptr<ProjectRecord>>::const_iterator;
        using iterator_category = std::forward_iterator_tag;
        using value_type = ProjectRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = ProjectRecord*;
        using reference = ProjectRecord&;

        RecordIterator() = default;
        explicit RecordIterator(Base it) : m_it(it) {}
        ProjectRecord& operator*() const { return **m_it; }
        ProjectRecord* operator->() const { return m_it->get(); }
        RecordIterator& operator++() {
            ++m_it;
            return *this;
        }
        RecordIterator operator++(int) {
            RecordIterator before = *this;
            ++m_it;
            return before;
        }
        bool operator==(const RecordIterator&) const = default;

    private:
        Base m_it{};
    };
    struct RecordRange {
        RecordIterator first;
        RecordIterator last;
        RecordIterator begin() const { return first; }
        RecordIterator end() const { return last; }
    };
    RecordRange records() const {
        return {RecordIterator(m_records.cbegin()), RecordIterator(m_records.cend())};
    }

private:
    std::vector<std::unique_ptr<ProjectRecord>> m_records;
    ProjectRecord* m_current = nullptr;
};
