#include "ProjectSearch.h"

#include "JavaCharacters.h"
#include "TextSearch.h"
#include "workspace/TextFile.h"

#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {

// Whether a line holds a match, by plain text or by regular expression.
class LineTest {
public:
    explicit LineTest(const ProjectSearchQuery& query)
        : m_query(query), m_plain(query.text, {true, query.wholeWord, query.matchCase}) {
        if (query.regularExpression) {
            QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
            if (!query.matchCase)
                options |= QRegularExpression::CaseInsensitiveOption;
            m_expression = QRegularExpression(query.text, options);
        }
    }

    QString error() const {
        if (m_query.text.isEmpty())
            return QStringLiteral("There is no text to search for.");
        if (m_query.regularExpression && !m_expression.isValid())
            return QStringLiteral("The regular expression is not valid: %1 (at character %2).")
                .arg(m_expression.errorString())
                .arg(m_expression.patternErrorOffset() + 1);
        return {};
    }

    bool matches(const QString& line) const {
        if (!m_query.regularExpression)
            return m_plain.firstFrom(line, 0) >= 0;
        for (auto it = m_expression.globalMatch(line); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            if (match.capturedLength() == 0 && m_query.wholeWord)
                continue;
            if (!m_query.wholeWord || (!identifierPartBefore(line, match.capturedStart()) &&
                                       !identifierPartAt(line, match.capturedEnd())))
                return true;
        }
        return false;
    }

private:
    const ProjectSearchQuery& m_query;
    LineMatcher m_plain;
    QRegularExpression m_expression;
};

struct FileOutcome {
    std::vector<ProjectSearchHit> hits;
    QString unreadable;
};

FileOutcome searchFile(const ProjectSearchFile& file, const LineTest& test) {
    FileOutcome outcome;
    QStringList read;
    const QStringList* lines = file.lines ? &*file.lines : nullptr;
    if (!lines) {
        TextReadResult result = TextFile::read(file.path);
        if (!result.ok()) {
            outcome.unreadable = QStringLiteral("%1: %2").arg(file.fileName, result.error);
            return outcome;
        }
        read = std::move(result.file.lines);
        lines = &read;
    }
    for (qsizetype i = 0; i < lines->size(); ++i)
        if (test.matches(lines->at(i)))
            outcome.hits.push_back({file.fileName, int(i + 1), lines->at(i)});
    return outcome;
}

} // namespace

ProjectSearchResult searchProject(const std::vector<ProjectSearchFile>& files,
                                  const ProjectSearchQuery& query) {
    ProjectSearchResult result;
    const LineTest test(query);
    result.error = test.error();
    if (!result.error.isEmpty())
        return result;
    // Reading dominates; each worker takes the next file until none is left, and the outcomes are put
    // back in the files' order.
    std::vector<FileOutcome> outcomes(files.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        // A test of its own per thread: a regular expression compiles itself on first use.
        const LineTest ownTest(query);
        for (size_t i = next++; i < files.size(); i = next++)
            outcomes[i] = searchFile(files[i], ownTest);
    };
    const size_t workers =
        std::min<size_t>({files.size(), 4, std::max(1u, std::thread::hardware_concurrency())});
    std::vector<std::thread> threads;
    for (size_t i = 1; i < workers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    for (FileOutcome& outcome : outcomes) {
        std::move(outcome.hits.begin(), outcome.hits.end(), std::back_inserter(result.hits));
        if (!outcome.unreadable.isEmpty())
            result.unreadable << outcome.unreadable;
    }
    return result;
}

QString hitMessage(const ProjectSearchHit& hit) {
    return QStringLiteral("%1:%2: %3").arg(hit.fileName).arg(hit.lineNumber).arg(hit.line);
}
