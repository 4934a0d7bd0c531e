// The declaration index's background scan: the outline program over each stale source in turn.
#include "DeclarationScan.h"

#include "build/ConsoleRunner.h"
#include "build/PathConvention.h"
#include "editor/ClassBrowser.h"
#include "workspace/PathHelpers.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

DeclarationScan::DeclarationScan(QObject* parent)
    : QObject(parent), m_runner(new ConsoleRunner(this)), m_parserFolder(programFolder()),
      m_parseTimeLimitMs(ClassBrowser::kParseTimeLimitMs) {
    m_runner->setObjectName(QStringLiteral("DeclarationParser"));
    // The program prints its outline at the end: silence as long as the limit means it is stuck.
    m_runner->setAutoTerminate(true);
    m_runner->setLineHandler([this](ConsoleRunner*, const QString& line) { m_lines << line; });
    m_runner->setErrorHandler([this](ConsoleRunner*, const QString& error) { m_error = error; });
    m_runner->setFinishedHandler([this](ConsoleRunner*) { runEnded(); });
}

DeclarationScan::~DeclarationScan() {
    // The run ends before the index and the copy it works on go.
    delete m_runner;
}

void DeclarationScan::update(std::vector<DeclarationSource> sources) {
    QStringList names;
    for (const DeclarationSource& source : sources)
        names << source.fileName;
    m_index.retainOnly(names);
    m_sources = std::move(sources);
    m_next = 0;
    m_updating = true;
    // A run going on goes first; its end looks at the new sources.
    if (!m_runner->isRunning())
        QMetaObject::invokeMethod(this, &DeclarationScan::startNext, Qt::QueuedConnection);
}

void DeclarationScan::skip(const DeclarationSource& source, const QString& stamp, const QString& problem) {
    m_index.store(source.fileName, stamp, {}, problem);
}

void DeclarationScan::startNext() {
    if (m_runner->isRunning())
        return;
    const PathConvention convention = PathConvention::native();
    while (m_next < m_sources.size()) {
        const DeclarationSource& source = m_sources[m_next++];
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
            const QString error = ClassBrowser::writeParserInput(
                m_scratch->path() + u'/' + ClassBrowser::parserInputName(), *source.lines);
            if (!error.isEmpty()) {
                skip(source, stamp, error);
                continue;
            }
            input = ClassBrowser::parserInputName();
            m_runner->setWorkingDirectory(m_scratch->path());
        } else {
            // An absolute path: no file name can pass for an option.
            const QFileInfo file(source.path);
            input = file.absoluteFilePath();
            m_runner->setWorkingDirectory(file.absolutePath());
        }
        m_fileName = source.fileName;
        m_stamp = stamp;
        m_lines.clear();
        m_error.clear();
        m_runner->setIdleTimeout(m_parseTimeLimitMs);
        m_runner->setCommand(convention.word(m_parserFolder + convention.separator +
                                             convention.executable(QStringLiteral("parse"))) +
                             QStringLiteral(" -in ") + convention.word(input));
        ++m_runs;
        m_runner->start();
        return;
    }
    m_updating = false;
    emit updated();
}

void DeclarationScan::runEnded() {
    const std::optional<int> status = m_runner->exitStatus();
    QString problem = m_error;
    if (problem.isEmpty())
        problem = ClassBrowser::endNote(status, !status, m_parseTimeLimitMs);
    // A source the project no longer has (the sources changed meanwhile) is not kept.
    const bool listed =
        std::any_of(m_sources.begin(), m_sources.end(),
                    [this](const DeclarationSource& source) { return source.fileName == m_fileName; });
    // A program that could not start leaves no stamp: the next request tries again.
    if (listed)
        m_index.store(m_fileName, m_error.isEmpty() ? m_stamp : QString(), m_lines, problem);
    // The runner is busy until this handler has returned.
    QMetaObject::invokeMethod(this, &DeclarationScan::startNext, Qt::QueuedConnection);
}
