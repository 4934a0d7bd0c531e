// Go to Declaration's index over 200 sources, the example's sources copied with their classes renamed:
//   FIGURE declaration_cold_ms <milliseconds> ms       (every source read by the outline program)
//   FIGURE declaration_warm_ms <milliseconds> ms       (the same sources again, nothing changed)
//   FIGURE declaration_plain_loop_ms <milliseconds> ms (baseline: the program run as often, one after
//   another) FIGURE declaration_lookup_us <microseconds> us     (one name looked up in the full index)
#include "app/DeclarationScan.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

bool waitUpdated(DeclarationScan& scan, std::vector<DeclarationSource> sources) {
    QSignalSpy done(&scan, &DeclarationScan::updated);
    scan.update(std::move(sources));
    return done.wait(120000);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString parserFolder = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../bin");
    if (!QFileInfo(parserFolder + "/parse").isExecutable()) {
        std::fprintf(stderr, "declaration: no outline program at %s/parse\n", qPrintable(parserFolder));
        return 1;
    }
    const QDir example(QStringLiteral(HW_EXAMPLE_DIR));
    const QStringList names = example.entryList({"*.java"}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        std::fprintf(stderr, "declaration: no sources in %s\n", HW_EXAMPLE_DIR);
        return 1;
    }
    QStringList classes;
    QList<QByteArray> texts;
    for (const QString& name : names) {
        QFile file(example.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        texts << file.readAll();
        classes << QFileInfo(name).completeBaseName();
    }

    QTemporaryDir dir;
    std::vector<DeclarationSource> sources;
    constexpr int kSources = 200;
    for (int i = 0; i < kSources; ++i) {
        const int which = i % int(texts.size());
        QByteArray text = texts[which];
        // Every class of the example renamed, so that each copy declares classes of its own.
        for (const QString& name : classes)
            text.replace(name.toUtf8(), (name + QString::number(i)).toUtf8());
        const QString fileName = classes[which] + QString::number(i) + ".java";
        QFile file(dir.filePath(fileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return 1;
        sources.push_back({fileName, dir.filePath(fileName), std::nullopt});
    }

    DeclarationScan scan;
    scan.setParserFolder(parserFolder);
    QElapsedTimer clock;
    clock.start();
    if (!waitUpdated(scan, sources) || scan.runs() != kSources) {
        std::fprintf(stderr, "declaration: the cold scan did not finish (%d runs)\n", scan.runs());
        return 1;
    }
    const double coldMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    if (!waitUpdated(scan, sources) || scan.runs() != kSources) {
        std::fprintf(stderr, "declaration: the warm scan read sources again\n");
        return 1;
    }
    const double warmMs = clock.nsecsElapsed() / 1e6;

    const QString lastClass = classes.last() + QString::number(kSources - 1);
    clock.restart();
    const std::vector<Declaration> found = scan.index().find(lastClass, false);
    const double lookupUs = clock.nsecsElapsed() / 1e3;
    if (found.size() != 1) {
        std::fprintf(stderr, "declaration: %s found %d times\n", qPrintable(lastClass), int(found.size()));
        return 1;
    }

    clock.restart();
    for (const DeclarationSource& source : sources) {
        QProcess process;
        process.start(parserFolder + "/parse", {"-in", source.path});
        if (!process.waitForFinished(10000))
            return 1;
        process.readAll();
    }
    const double plainMs = clock.nsecsElapsed() / 1e6;

    std::printf("FIGURE declaration_cold_ms %.1f ms\n", coldMs);
    std::printf("FIGURE declaration_warm_ms %.2f ms\n", warmMs);
    std::printf("FIGURE declaration_plain_loop_ms %.1f ms\n", plainMs);
    std::printf("FIGURE declaration_lookup_us %.1f us\n", lookupUs);
    return 0;
}
