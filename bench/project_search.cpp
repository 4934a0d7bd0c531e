// Find in Project over 2,000 sources of 500 lines each (about 17 MB), beside grep over the same folder
// in the same run. Prints the medians of 5 runs:
//   FIGURE project_search_2000x500 <ms> ms / FIGURE grep_2000x500 <ms> ms / FIGURE project_search_ratio <x> x
#include "editor/ProjectSearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int FileCount = 2000;
constexpr int LineCount = 500;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::vector<ProjectSearchFile> files;
    for (int f = 0; f < FileCount; ++f) {
        const QString name = QStringLiteral("Source%1.java").arg(f);
        QByteArray text;
        for (int l = 0; l < LineCount; ++l)
            text += l % 97 == 13 ? QByteArray("        int total = count(values) + offset;\r\n")
                                 : QByteArray("        values.add(new Item(index, \"label\", 42));\r\n");
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            std::fprintf(stderr, "project_search: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
        files.push_back({name, dir.filePath(name), std::nullopt});
    }
    const ProjectSearchQuery query{QStringLiteral("count"), false, false, true};
    std::vector<double> ours, grep;
    size_t hits = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        hits = searchProject(files, query).hits.size();
        ours.push_back(double(timer.nsecsElapsed()) / 1e6);

        timer.start();
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral("grep"), {"-r", "-n", "-i", "-w", "count", "."});
        process.waitForFinished(-1);
        const qsizetype grepHits = process.readAllStandardOutput().count('\n');
        grep.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (size_t(grepHits) != hits) {
            std::fprintf(stderr, "project_search: %zu hits, grep %lld\n", hits, qlonglong(grepHits));
            return 1;
        }
    }
    std::printf("FIGURE project_search_2000x500 %.1f ms\n", median(ours));
    std::printf("FIGURE grep_2000x500 %.1f ms\n", median(grep));
    std::printf("FIGURE project_search_ratio %.2f x\n", median(ours) / median(grep));
    return 0;
}
