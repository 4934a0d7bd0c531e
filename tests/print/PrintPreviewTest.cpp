#include "print/PrintPreview.h"
#include "print/PlusMemoPrinter.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList numbered(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines;
}

struct Preview : testing::Test {
    void open(const QStringList& lines) {
        printer.printer().setOutputFormat(QPrinter::PdfFormat);
        printer.setText(lines, QFont("Courier New", 10), 4);
        window = std::make_unique<PrintPreviewWindow>(printer);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    template <typename T> T* child(const char* name) { return window->findChild<T*>(name); }
    QString label() { return child<QLabel>("LblPage")->text(); }

    PlusMemoPrinter printer;
    std::unique_ptr<PrintPreviewWindow> window;
};

} // namespace

TEST_F(Preview, OpensAtTheFirstPageAndSteps) {
    printer.setText({}, QFont("Courier New", 10), 4);
    printer.layOut();
    open(numbered(2 * printer.layout().linesPerPage() + 5));
    ASSERT_EQ(printer.pageCount(), 3);
    auto* next = child<QToolButton>("BtnNext");
    auto* previous = child<QToolButton>("BtnPrevious");
    EXPECT_EQ(label(), "Page 1/3");
    EXPECT_TRUE(next->isEnabled());
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_EQ(next->toolTip(), "Next Page");
    EXPECT_EQ(previous->toolTip(), "Previous Page");

    next->click();
    EXPECT_EQ(label(), "Page 2/3");
    EXPECT_TRUE(previous->isEnabled());
    next->click();
    EXPECT_EQ(label(), "Page 3/3");
    EXPECT_FALSE(next->isEnabled());
    window->nextPage(); // never past the last page
    EXPECT_EQ(window->currentPage(), 2);
    previous->click();
    previous->click();
    window->previousPage();
    EXPECT_EQ(label(), "Page 1/3");
    EXPECT_FALSE(previous->isEnabled());
}

TEST_F(Preview, EmptyFileIsOnePage) {
    open({});
    EXPECT_EQ(label(), "Page 1/1");
    EXPECT_FALSE(child<QToolButton>("BtnNext")->isEnabled());
    EXPECT_FALSE(child<QToolButton>("BtnPrevious")->isEnabled());
}

TEST_F(Preview, ControlsCarryTheirTextsAndHints) {
    printer.LineNumbers = true;
    open(numbered(3));
    struct Button {
        const char* name;
        QString text;
        QString hint;
    };
    for (const Button& b :
         {Button{"BtnSetup", "&Setup", "Printer Setup"}, Button{"BtnPrint", "&Print", "Print Document(s)"},
          Button{"BtnMargins", "&Margins", "Show/hide margins"},
          Button{"BtnLineNumbers", "#", "Show/Hide line numbers"}, Button{"BtnClose", "&Close", ""}}) {
        auto* button = child<QToolButton>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), b.text);
        EXPECT_EQ(button->toolTip(), b.hint);
    }
    auto* zoom = child<QComboBox>("cbZoom");
    ASSERT_EQ(zoom->count(), 8);
    EXPECT_EQ(zoom->currentText(), "100%");
    // The toggle starts from the printer's setting and sets it.
    auto* numbers = child<QToolButton>("BtnLineNumbers");
    EXPECT_TRUE(numbers->isChecked());
    numbers->click();
    EXPECT_FALSE(printer.LineNumbers);
    child<QToolButton>("BtnClose")->click();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Preview, ZoomSizesThePageImage) {
    open(numbered(3));
    auto* zoom = child<QComboBox>("cbZoom");
    auto* image = window->pageImage();
    const QSizeF paper = printer.layout().paper().size;
    const double dpi = printer.layout().paper().dpi;
    EXPECT_NEAR(image->width(), paper.width() / dpi * image->logicalDpiX(), 1);

    zoom->setCurrentText("50%");
    EXPECT_NEAR(image->width(), paper.width() / dpi * image->logicalDpiX() / 2, 1);

    auto* viewport = child<QScrollArea>("ScrollBox1")->viewport();
    zoom->setCurrentText("Whole page");
    QApplication::processEvents();
    EXPECT_LE(image->width(), viewport->width() - 20 + 1);
    EXPECT_LE(image->height(), viewport->height() - 20 + 1);
    EXPECT_TRUE(std::abs(image->width() - (viewport->width() - 20)) <= 1 ||
                std::abs(image->height() - (viewport->height() - 20)) <= 1);
    // Centred across the grey area.
    const int left = image->x(), right = image->parentWidget()->width() - image->geometry().right() - 1;
    EXPECT_NEAR(left, right, 1);
}

TEST_F(Preview, DraggingTheLeftMarginMovesItAndLaysThePagesOut) {
    open(numbered(3));
    auto* image = window->pageImage();
    const double scale = image->scale();
    const QPoint onLeft(qRound(printer.layout().textRect().left() * scale), 200);

    // Without "Margins" down nothing moves.
    QTest::mousePress(image, Qt::LeftButton, {}, onLeft);
    QTest::mouseRelease(image, Qt::LeftButton, {}, onLeft + QPoint(50, 0));
    EXPECT_DOUBLE_EQ(printer.margins().left, 0.75);

    child<QToolButton>("BtnMargins")->click();
    QMouseEvent hover(QEvent::MouseMove, QPointF(onLeft), image->mapToGlobal(QPointF(onLeft)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(image, &hover);
    EXPECT_EQ(image->cursor().shape(), Qt::SizeHorCursor);

    const int dragTo = onLeft.x() + qRound(0.5 * printer.layout().paper().dpi * scale); // half an inch
    QTest::mousePress(image, Qt::LeftButton, {}, onLeft);
    QTest::mouseMove(image, QPoint(dragTo, 200));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(dragTo, 200));
    EXPECT_NEAR(printer.margins().left, 0.75 + 0.5, 0.02);
    EXPECT_NEAR(printer.layout().textRect().left(), 1.25 * printer.layout().paper().dpi, 0.02 * 1200);

    // Dragged past the right margin it stops one pixel short of it.
    const QPoint now(qRound(printer.layout().textRect().left() * scale), 200);
    QTest::mousePress(image, Qt::LeftButton, {}, now);
    QTest::mouseMove(image, QPoint(image->width() + 100, 200));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(image->width() + 100, 200));
    EXPECT_LT(printer.layout().textRect().left(), printer.layout().textRect().right());
    EXPECT_GT(printer.margins().left, 7.0); // letter or A4 minus half an inch on the right
    EXPECT_GE(printer.pageCount(), 1);
}

TEST_F(Preview, SetupOffersThePagesAndPrintsTheChosenRange) {
    QTemporaryDir dir;
    printer.setText({}, QFont("Courier New", 10), 4);
    printer.layOut();
    open(numbered(2 * printer.layout().linesPerPage() + 5));
    const QString pdf = dir.filePath("range.pdf");
    printer.printer().setOutputFileName(pdf);

    // Cancelled: the offered range is every page, and nothing is printed.
    int minimum = 0, maximum = 0, from = 0, to = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        minimum = dialog->minPage();
        maximum = dialog->maxPage();
        from = dialog->fromPage();
        to = dialog->toPage();
        dialog->reject();
    });
    window->setupClick();
    EXPECT_EQ(minimum, 1);
    EXPECT_EQ(maximum, 3);
    EXPECT_EQ(from, 1);
    EXPECT_EQ(to, 3);
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // Confirmed with pages 2 to 3: two pages reach the file.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->printer()->setPrintRange(QPrinter::PageRange);
        dialog->setFromTo(2, 3);
        dialog->QDialog::accept();
    });
    window->setupClick();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages: +2\\n")));
}
