#include "print/PlusMemoPrinter.h"
#include "ui/ScriptedDialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
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
    QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
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
    TPlusMemoPrinter printer;
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

TEST_F(PdfPrint, AFileThatCannotBeWrittenIsReported) {
    printer.printer().setOutputFileName(dir.filePath("missing-folder/out.pdf"));
    ScriptedDialogs dialogs;
    dialogs.answer(mrOk, "Cannot print");
    EXPECT_FALSE(printer.print(1, 1));
    EXPECT_EQ(dialogs.problems(), QString());
}

TEST(PdfPrintEmpty, AnEmptyFilePrintsOnePageWithTheHeader) {
    QTemporaryDir dir;
    TPlusMemoPrinter printer;
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
        EXPECT_EQ(TPlusMemoPrinter::projectHeader(c.project, c.file), c.header);
}
