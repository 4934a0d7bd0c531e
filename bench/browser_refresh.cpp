// The class browser after an Enter in a 10,000-line source: from the key to the tree rebuilt from the real
// outline program's output and expanded.
//   FIGURE browser_refresh_10k <milliseconds> ms   (median of 20 Enters)
// Then one class of 100,000 fields, refreshed in source order (the baseline) and in "Sorted" order:
//   FIGURE browser_source_100k <milliseconds> ms
//   FIGURE browser_sorted_100k <milliseconds> ms
#include "app/ClassBrowserRun.h"
#include "app/MainWindow.h"
#include "app/MainWindowAdapters.h"
#include "build/ConsoleRunner.h"
#include "editor/ClassBrowser.h"
#include "editor/SourceEditor.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Ordinary classes: fields, constructors and methods with bodies, comments and strings; 10,000 lines.
QStringList makeSource(int wanted, int& declarations) {
    QStringList lines{"package org.example.big;", "", "import java.util.List;", "import java.util.Map;", ""};
    declarations = 0;
    for (int c = 0; lines.size() < wanted; ++c) {
        lines << "/**" << QString(" * Class number %1 of the benchmark.").arg(c) << " */";
        lines << QString("public class Worker%1 extends Base implements Runnable {").arg(c);
        ++declarations;
        for (int f = 0; f < 12; ++f, ++declarations)
            lines
                << QString("    private final Map<String, List<Integer>> table%1 = null; // field %1").arg(f);
        lines << "";
        for (int m = 0; m < 24; ++m, ++declarations) {
            lines << QString("    /** Computes part %1. */").arg(m);
            lines
                << QString("    public int compute%1(int first, String[] names, List<String> rest) {").arg(m);
            lines << "        int total = first; // \"a string { with a brace\"";
            lines << "        for (String name : names) {";
            lines << "            total += name.length() * 31 + '}';";
            lines << "        }";
            lines << "        return total + rest.size();";
            lines << "    }";
            lines << "";
        }
        lines << "}"
              << "";
    }
    lines << "class Base {}";
    ++declarations;
    return lines;
}

int treeEntries(QTreeWidget* tree) {
    int count = tree->topLevelItemCount();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        count += tree->topLevelItem(i)->childCount();
    return count;
}

bool allExpanded(QTreeWidget* tree) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->childCount() > 0 && !tree->topLevelItem(i)->isExpanded())
            return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString parserFolder = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../bin");
    if (!QFileInfo(parserFolder + "/parse").isExecutable()) {
        std::fprintf(stderr, "browser_refresh: no outline program at %s/parse\n", qPrintable(parserFolder));
        return 1;
    }
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    RegistryStore store(folder + "registry.sqlite");
    // The typing below leaves recovery copies, which are no user's to be offered.
    qputenv("XDG_STATE_HOME", QFile::encodeName(folder + "state"));

    int declarations = 0;
    const QStringList source = makeSource(10000, declarations);
    {
        QFile file(folder + "Big.java");
        QFile project(folder + "Big.hwp");
        if (!file.open(QIODevice::WriteOnly) || !project.open(QIODevice::WriteOnly))
            return 1;
        file.write((source.join("\r\n") + "\r\n").toUtf8());
        project.write("Big\r\n\r\n\r\n\r\nBig.java\r\n");
    }

    MainWindow window(store);
    window.classBrowserRun().setParserFolder(parserFolder);
    window.resize(900, 650);
    window.show();
    window.startUp({folder + "Big.hwp"});
    QTreeWidget* tree = window.ui().classTree;
    SourceEditor* editor = window.editor();
    const auto settled = [&] {
        return !window.classBrowserRun().browser().parsing() &&
               !window.runner(RunnerRole::ClassParser)->isRunning() && allExpanded(tree);
    };
    const auto waitSettled = [&] {
        QElapsedTimer guard;
        guard.start();
        while (!settled()) {
            if (guard.elapsed() > 20000)
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        return true;
    };
    // Every class, field and method of the file is in the tree.
    const bool ready = waitSettled();
    const int entries = treeEntries(tree);
    if (!ready || entries != declarations) {
        std::fprintf(stderr, "browser_refresh: the tree holds %d entries, not %d\n", entries, declarations);
        return 1;
    }

    editor->setFocus();
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        // After a statement inside a method body, so the outline keeps its size; the line goes again
        // untimed.
        int line = 5000 + 40 * i;
        while (!editor->line(line).contains("return total"))
            ++line;
        editor->setCaretLine(line);
        editor->setCaretColumn(editor->line(line).size());
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(editor, Qt::Key_Return);
        if (!window.classBrowserRun().browser().parsing()) {
            std::fprintf(stderr, "browser_refresh: Enter started no parse\n");
            return 1;
        }
        if (!waitSettled())
            return 1;
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (treeEntries(tree) != entries) {
            std::fprintf(stderr, "browser_refresh: %d entries after an Enter, not %d\n", treeEntries(tree),
                         entries);
            return 1;
        }
        editor->deleteBack();
        if (!waitSettled())
            return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("# %d lines, %d tree entries; fastest %.1f ms, slowest %.1f ms\n", editor->lineCount(),
                treeEntries(tree), times.front(), times.back());
    std::printf("FIGURE browser_refresh_10k %.1f ms\n", times[times.size() / 2]);

    // Names in no order, in both cases.
    QStringList many{"class Many {"};
    for (int i = 0; i < 100000; ++i)
        many << QString("    int %1%2;").arg(i % 3 ? "m" : "M").arg((i * 7919LL) % 100000, 5, 10, QChar('0'));
    many << "}";
    window.editorBuffer().replaceLines(many, BufferReplace::Fresh);
    window.updateBrowser(window.files().currentFile()->Path);
    if (!waitSettled() || treeEntries(tree) != 100001) {
        std::fprintf(stderr, "browser_refresh: %d entries for 100,000 fields\n", treeEntries(tree));
        return 1;
    }
    for (const bool sorted : {false, true}) {
        if (sorted)
            window.ui().browserSorted->trigger();
        QElapsedTimer timer;
        timer.start();
        window.updateBrowser(window.files().currentFile()->Path);
        if (!waitSettled() || treeEntries(tree) != 100001) {
            std::fprintf(stderr, "browser_refresh: %d entries after a refresh of 100,000 fields\n",
                         treeEntries(tree));
            return 1;
        }
        std::printf("FIGURE browser_%s_100k %.1f ms\n", sorted ? "sorted" : "source",
                    timer.nsecsElapsed() / 1e6);
    }
    return 0;
}
