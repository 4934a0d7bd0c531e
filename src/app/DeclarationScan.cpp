// The declaration index's background scan: the outline program over the stale sources, two at a time.
#include "DeclarationScan.h"

#include "build/ConsoleRunner.h"
#include "build/PathConvention.h"
#include "editor/ClassBrowser.h"
#include "workspace/PathHelpers.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

DeclarationScan::DeclarationScan(QObject* parent)
    : QObject(parent), m_parserFolder(programFolder()), m_parseTimeLimitMs(ClassBrowser::kParseTimeLimitMs) {
    for (Run& run : m_slots) {
        run.runner = new ConsoleRunner(this);
        run.runner->setObjectName(QStringLiteral("DeclarationParser"));
        // The program prints its outline at the end: silence as long as the limit means it is stuck.
        run.runner->setAutoTerminate(true);
        run.runner->setLineHandler([&run](ConsoleRunner*, const QString& line) { run.lines << line; });
        run.runner->setErrorHandler([&run](ConsoleRunner*, const QString& error) { run.error = error; });
        run.runner->setFinishedHandler([this, &run](ConsoleRunner*) { runEnded(run); });
    }
}

DeclarationScan::~DeclarationScan() {
    // The runs end before the index and the copies they work on go.
    for (Run& run : m_slots)
        delete run.runner;
}

bool DeclarationScan::anyRunning() const {
    return std::any_of(m_slots.begin(), m_slots.end(),
                       [](const Run& run) { return run.runner->isRunning(); });
}

void DeclarationScan::update(std::vector<DeclarationSource> sources) {
    QStringList names;
    for (const DeclarationSource& source : sources)
        names << source.fileName;
    m_index.retainOnly(names);
    m_sources = std::move(sources);
    m_next = 0;
    m_updating = true;
    // Runs going on go first; their ends look at the new sources.
    if (!anyRunning())
        QMetaObject::invokeMethod(this, &DeclarationScan::startNext, Qt::QueuedConnection);
}

void DeclarationScan::skip(const DeclarationSource& source, const QString& stamp, const QString& problem) {
    m_index.store(source.fileName, stamp, {}, problem);
}

void DeclarationScan::startNext() {
    if (!m_updating)
        return;
    for (std::size_t slot = 0; slot < m_slots.size(); ++slot)
        if (!m_slots[slot].runner->isRunning() && !startIn(m_slots[slot], slot))
            break;
    if (!anyRunning()) {
        m_updating = false;
        emit updated();
    }
}

bool DeclarationScan::startIn(Run& run, std::size_t slot) {
    const PathConvention convention = PathConvention::native();
    while (m_next < m_sources.size()) {
        const DeclarationSource& source = m_sources[m_next++];
        // The other run may be reading it (the sources were given again meanwhile).
        if (std::any_of(m_slots.begin(), m_slots.end(), [&source](const Run& other) {
                return other.runner->isRunning() && other.fileName == source.fileName;
            }))
            continue;
        const QString stamp = DeclarationIndex::stampOf(source);
        if (m_index.isCurrent(source.fileName, stamp))
            continue;
        if (stamp.isEmpty()) {
            skip(source, stamp, QStringLiteral("not a regular file"));
            continue;
        }
        QString input;
        if (source.lines) {
            if (!m_scratch)
                m_scratch = std::make_unique<QTemporaryDir>(
                    ClassBrowser::scratchTemplate(ClassBrowser::scratchParent()));
            if (!m_scratch->isValid()) {
                skip(source, stamp, QStringLiteral("no folder for a copy: ") + m_scratch->errorString());
                m_scratch.reset();
                continue;
            }
            // A copy of each run's own.
            input = QStringLiteral("buffer%1.java").arg(slot);
            const QString error =
                ClassBrowser::writeParserInput(m_scratch->path() + u'/' + input, *source.lines);
            if (!error.isEmpty()) {
                skip(source, stamp, error);
                continue;
            }
            run.runner->setWorkingDirectory(m_scratch->path());
        } else {
            // An absolute path: no file name can pass for an option.
            const QFileInfo file(source.path);
            input = file.absoluteFilePath();
            run.runner->setWorkingDirectory(file.absolutePath());
        }
        run.fileName = source.fileName;
        run.stamp = stamp;
        run.lines.clear();
        run.error.clear();
        run.runner->setIdleTimeout(m_parseTimeLimitMs);
        run.runner->setCommand(convention.word(m_parserFolder + convention.separator +
                                               convention.executable(QStringLiteral("parse"))) +
                               QStringLiteral(" -in ") + convention.word(input));
        ++m_runs;
        run.runner->start();
        return true;
    }
    return false;
}

void DeclarationScan::runEnded(Run& run) {
    const std::optional<int> status = run.runner->exitStatus();
    QString problem = run.error;
    if (problem.isEmpty())
        problem = ClassBrowser::endNote(status, !status, m_parseTimeLimitMs);
    // A source the project no longer has (the sources changed meanwhile) is not kept.
    const bool listed =
        std::any_of(m_sources.begin(), m_sources.end(),
                    [&run](const DeclarationSource& source) { return source.fileName == run.fileName; });
    // A program that could not start leaves no stamp: the next request tries again.
    if (listed)
        m_index.store(run.fileName, run.error.isEmpty() ? run.stamp : QString(), run.lines, problem);
    // The runner is busy until this handler has returned.
    QMetaObject::invokeMethod(this, &DeclarationScan::startNext, Qt::QueuedConnection);
}
