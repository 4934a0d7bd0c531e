#include "PlusMemoPrinter.h"

#include "PrintPreview.h"
#include "editor/SourceEditor.h"
#include "ui/FixedPitchFont.h"
#include "ui/MessageDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPalette>
#include <QPrinter>

PlusMemoPrinter::PlusMemoPrinter() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Coordinates from the paper's corner: the layout's margins are measured from the paper's edges.
    m_printer->setFullPage(true);
    // "MS Sans Serif" 8 points is the desktop's sans font here.
    HeaderFont = QApplication::font();
    HeaderFont.setPointSizeF(8);
    FooterFont = HeaderFont;
    m_font = fixedPitchFont(QStringLiteral("Courier New"), 10);
}

PlusMemoPrinter::~PlusMemoPrinter() = default;

void PlusMemoPrinter::setMemoToPrint(SourceEditor* editor) {
    m_memo = editor;
}

void PlusMemoPrinter::setText(const QStringList& lines, const QFont& font, int tabWidth) {
    m_memo = nullptr;
    m_lines = lines;
    m_font = font;
    m_tabWidth = tabWidth;
}

void PlusMemoPrinter::setMarginLeft(double inches) {
    m_margins.left = inches;
    layOut();
}
void PlusMemoPrinter::setMarginRight(double inches) {
    m_margins.right = inches;
    layOut();
}
void PlusMemoPrinter::setMarginTop(double inches) {
    m_margins.top = inches;
    layOut();
}
void PlusMemoPrinter::setMarginBottom(double inches) {
    m_margins.bottom = inches;
    layOut();
}
void PlusMemoPrinter::setMargins(const Print::Margins& margins) {
    m_margins = margins;
    layOut();
}

Print::Paper PlusMemoPrinter::currentPaper() const {
    const int dpi = m_printer->resolution();
    return {double(dpi), QSizeF(m_printer->pageLayout().fullRectPixels(dpi).size())};
}

void PlusMemoPrinter::layOut() {
    if (m_memo) {
        m_lines = m_memo->lines();
        m_font = m_memo->font();
        m_tabWidth = m_memo->tabWidth();
    }
    const Print::Paper paper = currentPaper();
    const Print::FontMeasure measure(Print::fontForDots(m_font, paper.dpi));
    const Highlight::Engine engine;
    Print::LayoutInput input;
    input.lines = m_lines;
    input.tabWidth = m_tabWidth;
    input.lineSpacing = LineSpacing;
    input.margins = m_margins;
    input.paper = paper;
    input.measure = &measure;
    input.engine = PlainText ? nullptr : &engine;
    m_layout = Print::PageLayout(input);
    m_layoutDpi = paper.dpi;
}

Print::PageLook PlusMemoPrinter::look() const {
    const double dpi = m_layout.paper().dpi > 0 ? m_layout.paper().dpi : 96;
    Print::PageLook look;
    look.textFont = Print::fontForDots(m_font, dpi);
    look.headerFont = Print::fontForDots(HeaderFont, dpi);
    look.footerFont = Print::fontForDots(FooterFont, dpi);
    // The paper is white on screen and in print, so the header is black even under a dark desktop.
    look.headerColour = Qt::black;
    look.header = Header;
    look.footer = Footer;
    look.headerAlign = HeaderAlign;
    look.footerAlign = FooterAlign;
    look.headerYPos = HeaderYPos;
    look.footerYPos = FooterYPos;
    look.lineNumbers = LineNumbers;
    look.plainText = PlainText;
    return look;
}

void PlusMemoPrinter::paintPage(QPainter& painter, int index) const {
    Print::paintPage(painter, m_layout, index, look());
}

QString PlusMemoPrinter::pdfBeside(const QString& sourcePath) {
    const QFileInfo source(sourcePath);
    return source.dir().filePath(source.completeBaseName() + QStringLiteral(".pdf"));
}

QString PlusMemoPrinter::projectHeader(const QString& projectName, const QString& fileName) {
    return QStringLiteral("Project: ") + projectName + QStringLiteral("         File: ") +
           QFileInfo(fileName).fileName();
}

bool PlusMemoPrinter::hasNoPrinter() const {
    return m_printer->outputFormat() == QPrinter::PdfFormat && m_printer->outputFileName().isEmpty();
}

bool PlusMemoPrinter::print(int from, int to) {
    // Without a printer Qt's PDF writer has no file to write and would fail without a word.
    const bool toPdf = hasNoPrinter();
    if (toPdf) {
        if (SourcePath.isEmpty()) {
            messageDialog(
                QStringLiteral("No printer is installed. Choose \"Print to File (PDF)\" under Setup."),
                mtError, mbOK);
            return false;
        }
        const QString pdf = pdfBeside(SourcePath);
        if (messageDialog(QStringLiteral("No printer is installed. Print to the PDF file %1?")
                              .arg(QDir::toNativeSeparators(pdf)),
                          mtConfirmation, mbYesNo) != mrYes)
            return false;
        // A link there is replaced, never written through: it may lead anywhere.
        const QFileInfo existing(pdf);
        if (existing.exists() || existing.isSymLink()) {
            if (messageDialog(QStringLiteral("The file %1 already exists. Replace it?")
                                  .arg(QDir::toNativeSeparators(pdf)),
                              mtConfirmation, mbYesNo) != mrYes)
                return false;
            if (existing.isSymLink() && !QFile::remove(pdf)) {
                messageDialog(QStringLiteral("Cannot print to %1.").arg(QDir::toNativeSeparators(pdf)),
                              mtError, mbOK);
                return false;
            }
        }
        m_printer->setOutputFileName(pdf);
    }
    layOut();
    from = std::max(from, 1);
    to = std::min(to, pageCount());
    QPainter painter;
    bool printed = false;
    if (from <= to && painter.begin(m_printer.get())) {
        for (int page = from; page <= to; ++page) {
            if (page > from)
                m_printer->newPage();
            paintPage(painter, page - 1);
        }
        printed = painter.end();
    }
    const QString target = m_printer->outputFileName();
    if (toPdf)
        m_printer->setOutputFileName(QString());
    if (!printed && from <= to)
        messageDialog(
            QStringLiteral("Cannot print to %1.")
                .arg(target.isEmpty() ? m_printer->printerName() : QDir::toNativeSeparators(target)),
            mtError, mbOK);
    return printed;
}

void PlusMemoPrinter::PrintPreview(QWidget* parent) {
    PrintPreviewWindow preview(*this, parent);
    preview.setWindowTitle(PreviewTitle);
    preview.exec();
}
