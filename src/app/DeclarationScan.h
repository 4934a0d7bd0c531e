#pragma once

#include "editor/DeclarationIndex.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class ConsoleRunner;
class QTemporaryDir;

// Keeps a declaration index current with the project's sources: the outline program runs in the
// background over each source whose outline is missing or stale, two at a time, the class browser's
// program with the class browser's time limit. A file is read where it lies; an unsaved buffer through a
// copy in a folder of this process's own in the user's runtime folder, never beside the user's files.
class DeclarationScan : public QObject {
    Q_OBJECT
public:
    explicit DeclarationScan(QObject* parent = nullptr);
    ~DeclarationScan() override;

    void setParserFolder(const QString& folder) { m_parserFolder = folder; }
    QString parserFolder() const { return m_parserFolder; }
    void setParseTimeLimit(int milliseconds) { m_parseTimeLimitMs = milliseconds; }

    // Brings the index up to the sources as they are now; `updated` follows once every one is current
    // (at once, through the event loop, when none is stale). A new call while a scan runs takes its
    // sources in place of the old ones.
    void update(std::vector<DeclarationSource> sources);
    bool busy() const { return m_updating; }
    const DeclarationIndex& index() const { return m_index; }
    // How many times the outline program has been started, for the tests and the benchmark.
    int runs() const { return m_runs; }

signals:
    void updated();

private:
    // One run of the outline program and what it has said so far.
    struct Run {
        ConsoleRunner* runner = nullptr;
        QString fileName;
        QString stamp;
        QStringList lines;
        QString error;
    };

    void startNext();
    // Starts the next stale source in this run; false when none is left.
    bool startIn(Run& run, std::size_t slot);
    void runEnded(Run& run);
    bool anyRunning() const;
    // Stores what could be learnt of a source that could not be read, so that it is not tried again
    // until its stamp changes.
    void skip(const DeclarationSource& source, const QString& stamp, const QString& problem);

    DeclarationIndex m_index;
    std::array<Run, 2> m_slots;
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::vector<DeclarationSource> m_sources;
    std::size_t m_next = 0; // the first source not yet looked at in this round
    QString m_parserFolder;
    int m_parseTimeLimitMs;
    bool m_updating = false;
    int m_runs = 0;
};
