#include "TestFiles.h"
#include "print/PlusMemoPrinter.h"
#include "ui/ScriptedDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A Java source of `count` lines, a form feed before line `formFeedAt` (from 1) and one very long line.
QStringList javaSource(int count, int formFeedAt, int longAt) {
    QStringList lines;
    for (int i = 1; i <= count; ++i) {
        QString line = QStringLiteral("    int value%1 = %1; // statement %1").arg(i);
        if (i == formFeedAt)
            line = "\f" + line;
        if (i == longAt)
            line = QStringLiteral("    String words = \"%1\";").arg(QString("many words ").repeated(40));
        lines << line;
    }
    return lines;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of each page, as pdftotext reads it.
QStringList pdfPages(const QString& pdf) {
    QStringList pages = pdfText(pdf).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Pixels of page 1 that are clearly coloured (not black, grey or white) in the header band above the
// top margin and in the left margin, where the header and the line numbers stand, at 72 dots per inch.
int colouredPixelsInHeaderAndNumbers(const QString& pdf, double topInches, double leftInches) {
    const QString prefix = pdf + "-page";
    if (!run("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, prefix}).isEmpty())
        return -1;
    const QImage page(prefix + ".png");
    if (page.isNull())
        return -1;
    int coloured = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            if (y >= topInches * 72 && x >= leftInches * 72)
                continue;
            const QColor c = page.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            coloured += spread > 60;
        }
    return coloured;
}

struct PdfPrint : testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        source = dir.filePath("Demo.java");
        lines = javaSource(150, 20, 10);
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines.join("\r\n").toUtf8());
        file.close();
        printer.setText(lines, QFont("Courier New", 10), 4);
        printer.Header = "Project: Demo         File: Demo.java   page {p}";
        printer.LineNumbers = true;
        printer.SourcePath = source;
    }

    QTemporaryDir dir;
    QString source;
    QStringList lines;
    PlusMemoPrinter printer;
};

} // namespace

TEST_F(PdfPrint, PagesHeaderAndLineNumbersReachThePdf) {
    const QString pdf = dir.filePath("out.pdf");
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(pdf);
    ASSERT_TRUE(printer.print(1, 1000));

    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), printer.pageCount()) << pages.join("\n----\n").toStdString();
    // The form feed in line 20 starts the second page.
    ASSERT_GE(pages.size(), 3);
    EXPECT_EQ(printer.layout().page(1)[0].sourceLine, 19);
    for (int p = 0; p < pages.size(); ++p) {
        // Text extraction narrows runs of blanks; the nine still stand out as a wider gap.
        EXPECT_TRUE(pages[p].contains(
            QRegularExpression(QStringLiteral("Project: Demo {2,}File: Demo\\.java +page %1\\n").arg(p + 1))))
            << "page " << p + 1 << ":\n"
            << pages[p].left(300).toStdString();
    }
    EXPECT_TRUE(pages[0].contains(QRegularExpression("(^|\\n)\\s*1: +int value1 = 1;")));
    EXPECT_TRUE(pages[0].contains(QRegularExpression("\\n\\s*19: +int value19")));
    EXPECT_FALSE(pages[0].contains("value20"));
    EXPECT_TRUE(pages[1].contains(QRegularExpression("\\n\\s*20: +int value20")));
    EXPECT_TRUE(pages.last().contains(QRegularExpression("\\n\\s*150: +int value150")));
    // The long line wraps: its pieces carry one number between them.
    const QString firstPage = pages[0];
    EXPECT_EQ(firstPage.count(QRegularExpression("\\b10: ")), 1);
    EXPECT_GT(firstPage.count("many words"), 20);
}

TEST_F(PdfPrint, WithoutLineNumbersThePdfHasNone) {
    const QString pdf = dir.filePath("plain.pdf");
    printer.printer().setOutputFileName(pdf);
    printer.LineNumbers = false;
    ASSERT_TRUE(printer.print(2, 2));
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains("page 2"));
    EXPECT_TRUE(pages[0].contains("int value20 = 20;"));
    EXPECT_FALSE(pages[0].contains(QRegularExpression("\\d+: ")));
}

TEST_F(PdfPrint, WithoutAPrinterAskedThenWrittenBesideTheSource) {
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(QString());
    ASSERT_TRUE(printer.hasNoPrinter());
    const QString beside = dir.filePath("Demo.pdf");
    {
        ScriptedDialogs dialogs;
        dialogs.answer(mrNo, "No printer is installed");
        EXPECT_FALSE(printer.print(1, printer.pageCount()));
        EXPECT_EQ(dialogs.problems(), QString());
        ASSERT_EQ(dialogs.asked().size(), 1);
        EXPECT_TRUE(dialogs.asked()[0].text.contains(beside)) << dialogs.asked()[0].text.toStdString();
        EXPECT_FALSE(QFileInfo::exists(beside));
    }
    {
        ScriptedDialogs dialogs;
        dialogs.answer(mrYes, "Demo.pdf");
        printer.layOut();
        EXPECT_TRUE(printer.print(1, printer.pageCount()));
        EXPECT_EQ(dialogs.problems(), QString());
    }
    EXPECT_EQ(pdfPages(beside).size(), printer.pageCount());
    // The next print asks again rather than quietly overwriting the file.
    EXPECT_TRUE(printer.hasNoPrinter());
}

TEST_F(PdfPrint, APdfBesideTheSourceIsReplacedOnlyWhenTheUserSaysSo) {
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(QString());
    const QString beside = dir.filePath("Demo.pdf");
    const QString elsewhere = dir.filePath("elsewhere.txt");
    struct Case {
        const char* name;
        bool link; // Demo.pdf is a link to a file outside
        int replace;
        QByteArray besideAfter, elsewhereAfter; // "%PDF" for a new PDF
    };
    const Case cases[] = {
        {"kept", false, mrNo, "old", ""},
        {"replaced", false, mrYes, "%PDF", ""},
        {"link kept", true, mrNo, "mine", "mine"},
        {"link replaced by a file", true, mrYes, "%PDF", "mine"},
    };
    for (const Case& c : cases) {
        QFile::remove(beside);
        QFile::remove(elsewhere);
        if (c.link) {
            QFile target(elsewhere);
            ASSERT_TRUE(target.open(QIODevice::WriteOnly));
            target.write("mine");
            target.close();
            ASSERT_TRUE(QFile::link(elsewhere, beside));
        } else {
            QFile old(beside);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
        }
        ScriptedDialogs dialogs;
        dialogs.answer(mrYes, "No printer is installed").answer(c.replace, "already exists. Replace it?");
        EXPECT_EQ(printer.print(1, 1), c.replace == mrYes) << c.name;
        EXPECT_EQ(dialogs.problems(), QString()) << c.name;
        QFile result(beside);
        ASSERT_TRUE(result.open(QIODevice::ReadOnly)) << c.name;
        EXPECT_EQ(result.read(4), c.besideAfter.left(4)) << c.name;
        EXPECT_EQ(QFileInfo(beside).isSymLink(), c.link && c.replace != mrYes) << c.name;
        if (c.link) {
            QFile target(elsewhere);
            ASSERT_TRUE(target.open(QIODevice::ReadOnly));
            EXPECT_EQ(target.readAll(), c.elsewhereAfter) << c.name;
        }
    }
}

TEST(PdfPrintColours, EveryPrintStartsWithABlackHeaderAndNumbers) {
    QTemporaryDir dir;
    PlusMemoPrinter printer;
    // The page ends in a comment's colour, which the next print must not start with.
    printer.setText({"int a = 1; // a comment", "String s = \"text\"; // the last words"},
                    QFont("Courier New", 10), 4);
    printer.Header = "HEADER WORDS ON EVERY PAGE";
    printer.LineNumbers = true;
    for (int round = 1; round <= 3; ++round) {
        const QString pdf = dir.filePath(QStringLiteral("round%1.pdf").arg(round));
        printer.printer().setOutputFileName(pdf);
        ASSERT_TRUE(printer.print(1, 1));
        EXPECT_EQ(colouredPixelsInHeaderAndNumbers(pdf, 0.75, 0.75), 0) << "print " << round;
    }
}

TEST_F(PdfPrint, AFileThatCannotBeWrittenIsReported) {
    printer.printer().setOutputFileName(dir.filePath("missing-folder/out.pdf"));
    ScriptedDialogs dialogs;
    dialogs.answer(mrOk, "Cannot print");
    EXPECT_FALSE(printer.print(1, 1));
    EXPECT_EQ(dialogs.problems(), QString());
}

TEST(PdfPrintEmpty, AnEmptyFilePrintsOnePageWithTheHeader) {
    QTemporaryDir dir;
    PlusMemoPrinter printer;
    printer.setText({}, QFont("Courier New", 10), 4);
    printer.Header = "Header only {p}";
    printer.LineNumbers = true;
    const QString pdf = dir.filePath("empty.pdf");
    printer.printer().setOutputFileName(pdf);
    ASSERT_TRUE(printer.print(1, printer.pageCount()));
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].trimmed(), "Header only 1");
}

TEST(PrintHeader, ProjectAndFileNameWithNineBlanksBetween) {
    struct Case {
        QString project, file, header;
    };
    const Case cases[] = {
        {"Hello", "Hello.java", "Project: Hello         File: Hello.java"},
        {"Hello", "/home/me/Hello/src/Main.java", "Project: Hello         File: Main.java"},
        {"unknown", "", "Project: unknown         File: "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlusMemoPrinter::projectHeader(c.project, c.file), c.header);
}
