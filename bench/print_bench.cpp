// Printing a 10,000-line Java source (comments, strings, tabs, a few lines long enough to wrap):
//   FIGURE print_preview_10k <seconds> s   from "&Print..." in the main window to the preview's first page
//                                          drawn (offscreen), the median of three runs
//   FIGURE print_pdf_10k <seconds> s       laying out and printing every page to a PDF file, the median
//                                          of three runs
//   FIGURE print_layout_1mb_line <seconds> s  laying out one line of 1 MB (words, a string, a comment)
//                                          for the printer, as opening the preview and every margin
//                                          drag do, the median of three runs
#include "app/MainWindow.h"
#include "editor/SourceEditor.h"
#include "print/PlusMemoPrinter.h"
#include "settings/RegistryStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QStringList javaSource(int count) {
    const QStringList body = {
        "/**",
        " * Keeps the scores of one round; the table is drawn by the window.",
        " */",
        "public class Scores%1 extends Container {",
        "\tprivate int[] values = new int[16];",
        "\tprivate String title = \"Round %1\";",
        "",
        "\tpublic void onEvent(Event event) {",
        "\t\tif (event.type == ControlEvent.PRESSED && event.target == button) // pressed",
        "\t\t\tvalues[0] += 1;",
        "\t\tString text = \"a long message that keeps going across the page so that the printer has to wrap "
        "it onto a second line and maybe a third one too\";",
        "\t}",
        "}",
    };
    QStringList lines;
    for (int i = 0; lines.size() < count; ++i)
        for (const QString& line : body)
            if (lines.size() < count)
                lines << QString(line).replace("%1", QString::number(i));
    return lines;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Closes the preview once its page has been painted and notes the time.
class FirstPage : public QObject {
public:
    QElapsedTimer timer;
    double seconds = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("PageImage") &&
            seconds < 0 && timer.isValid()) {
            // Runs once the paint event has been handled.
            QTimer::singleShot(0, this, [this] {
                seconds = timer.nsecsElapsed() / 1e9;
                if (QWidget* preview = QApplication::activeModalWidget())
                    preview->close();
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QStringList lines = javaSource(10000);

    RegistryStore store(dir.filePath("registry.sqlite"));
    MainWindow window(store);
    window.startUp({});
    window.resize(1000, 700);
    window.show();
    window.editor()->setLines(lines);
    QCoreApplication::processEvents();

    FirstPage watch;
    app.installEventFilter(&watch);
    std::vector<double> previews;
    for (int round = 0; round < 3; ++round) {
        watch.seconds = -1;
        watch.timer.start();
        window.printFile();
        if (watch.seconds < 0) {
            std::fprintf(stderr, "print_bench: the preview closed before its page was drawn\n");
            return 1;
        }
        previews.push_back(watch.seconds);
    }
    app.removeEventFilter(&watch);
    std::printf("FIGURE print_preview_10k %.3f s\n", median(previews));

    std::vector<double> prints;
    int pages = 0;
    for (int round = 0; round < 3; ++round) {
        PlusMemoPrinter printer;
        printer.setText(lines, QFont("Courier New", 10), 4);
        printer.LineNumbers = true;
        printer.Header = PlusMemoPrinter::projectHeader("Bench", "Scores.java");
        const QString pdf = dir.filePath(QStringLiteral("print%1.pdf").arg(round));
        printer.printer().setOutputFormat(QPrinter::PdfFormat);
        printer.printer().setOutputFileName(pdf);
        QElapsedTimer timer;
        timer.start();
        if (!printer.print(1, 1 << 30) || !QFileInfo::exists(pdf)) {
            std::fprintf(stderr, "print_bench: printing to %s failed\n", qPrintable(pdf));
            return 1;
        }
        prints.push_back(timer.nsecsElapsed() / 1e9);
        pages = printer.pageCount();
    }
    std::fprintf(stderr, "print_bench: %d pages\n", pages);
    std::printf("FIGURE print_pdf_10k %.3f s\n", median(prints));

    QString longLine = QStringLiteral("\tString all = \"");
    while (longLine.size() < 1000000)
        longLine += QStringLiteral("word%1 (x + y) * z; ").arg(longLine.size() % 997);
    longLine += QStringLiteral("\"; // the end");
    std::vector<double> layouts;
    for (int round = 0; round < 3; ++round) {
        PlusMemoPrinter printer;
        printer.setText({QStringLiteral("class Long {"), longLine, QStringLiteral("}")},
                        QFont("Courier New", 10), 4);
        QElapsedTimer timer;
        timer.start();
        printer.layOut();
        layouts.push_back(timer.nsecsElapsed() / 1e9);
        pages = printer.pageCount();
    }
    std::fprintf(stderr, "print_bench: the 1 MB line takes %d pages\n", pages);
    std::printf("FIGURE print_layout_1mb_line %.3f s\n", median(layouts));
    return 0;
}
