#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// "Find in Project": one search over every source of a project, open buffers with their unsaved text and
// the rest as they are on disk.

struct ProjectSearchQuery {
    QString text;
    bool regularExpression = false;
    bool matchCase = false;
    bool wholeWord = false; // not preceded or followed by a Java identifier character
};

struct ProjectSearchFile {
    QString fileName;                 // as the message list names it
    QString path;                     // read from here unless `lines` holds the buffer's text
    std::optional<QStringList> lines; // an open buffer's text
};

struct ProjectSearchHit {
    QString fileName;
    int lineNumber = 0; // 1-based
    QString line;

    bool operator==(const ProjectSearchHit&) const = default;
};

struct ProjectSearchResult {
    std::vector<ProjectSearchHit> hits; // in the files' order, then by line
    QStringList unreadable;             // "<file>: <reason>" for files that could not be read
    QString error;                      // the query itself is unusable (an invalid regular expression)
};

// Files are read and searched on a few threads; the result does not depend on how many.
ProjectSearchResult searchProject(const std::vector<ProjectSearchFile>& files,
                                  const ProjectSearchQuery& query);

// "Util.java:12: the line", as a compiler line reads, so that the message list can follow it.
QString hitMessage(const ProjectSearchHit& hit);
