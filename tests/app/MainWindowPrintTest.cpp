#include "MainWindowFixture.h"
#include "editor/SourceEditor.h"

#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

// The print command previews the buffer as it stands (not the file) with the project header and line
// numbers, and without a printer offers a PDF file beside the source: "No" writes nothing, "Yes" writes
// it. Twice, through the printer the main window keeps between prints.
TEST_F(MainWindowTest, PrintPreviewsTheBufferAndOffersAPdfWithoutAPrinter) {
    {
        QPrinter probe(QPrinter::HighResolution);
        if (probe.outputFormat() != QPrinter::PdfFormat || !probe.outputFileName().isEmpty())
            GTEST_SKIP() << "a printer is installed here; the test would print on it";
    }
    writeSource(projectDir + "Calc.java", {"class Calc {}"});
    MainWindow& w = start({writeProject("Calc", {"Calc.java"})});
    w.editor()->insert("// unsaved words\r\n");
    const QString pdf = projectDir + "Calc.pdf";

    for (const int answer : {mrNo, mrYes}) {
        dialogs.answer(answer, "No printer is installed. Print to the PDF file " + pdf);
        QString page;
        bool previewed = false;
        QTimer::singleShot(0, &w, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            if (!preview || preview->objectName() != "FrmPMPrintPreview")
                return;
            previewed = true;
            page = preview->findChild<QLabel*>("LblPage")->text();
            preview->findChild<QToolButton*>("BtnPrint")->click();
            preview->close();
        });
        w.findChild<QAction*>("Print1")->trigger();
        ASSERT_TRUE(previewed);
        EXPECT_EQ(page, "Page 1/1");
        EXPECT_EQ(QFileInfo::exists(pdf), answer == mrYes);
    }
    EXPECT_EQ(dialogs.asked().size(), 2);
    const QString text = pdfText(pdf);
    // pdftotext gives the header's blanks as it lays the words out; the header's own text is tested apart.
    EXPECT_TRUE(text.contains(QRegularExpression("Project: Calc +File: Calc.java"))) << qPrintable(text);
    EXPECT_TRUE(text.contains("1: // unsaved words")) << qPrintable(text);
    EXPECT_TRUE(text.contains("2: class Calc {}")) << qPrintable(text);
}
