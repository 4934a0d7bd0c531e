#pragma once

#include "editor/DeclarationIndex.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class ConsoleRunner;
class QTemporaryDir;

// Keeps a declaration index current with the project's sources: the outline program runs in the
// background over each source whose outline is missing or stale, one at a time, the class browser's
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
    void startNext();
    void runEnded();
    // Stores what could be learnt of a source that could not be read, so that it is not tried again
    // until its stamp changes.
    void skip(const DeclarationSource& source, const QString& stamp, const QString& problem);

    DeclarationIndex m_index;
    ConsoleRunner* m_runner;
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::vector<DeclarationSource> m_sources;
    std::size_t m_next = 0; // the first source not yet looked at in this round
    QString m_parserFolder;
    int m_parseTimeLimitMs;
    // The run going on.
    QString m_fileName;
    QString m_stamp;
    QStringList m_lines;
    QString m_error;
    bool m_updating = false;
    int m_runs = 0;
};
