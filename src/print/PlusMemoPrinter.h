#pragma once

#include "PageLayout.h"
#include "PagePainter.h"

#include <QFont>
#include <QPointer>
#include <QStringList>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;
class SourceEditor;

// Prints the editor's text with its colours, a header and line numbers, on the current printer or
// through the preview. Its settings are the values the program uses; the page values are taken from the
// printer whenever the pages are laid out.
class PlusMemoPrinter {
public:
    PlusMemoPrinter();
    ~PlusMemoPrinter();
    PlusMemoPrinter(const PlusMemoPrinter&) = delete;
    PlusMemoPrinter& operator=(const PlusMemoPrinter&) = delete;

    // The editor whose text, font and tab stops are printed, read at each layout.
    void setMemoToPrint(SourceEditor* editor);
    // Text to print without an editor.
    void setText(const QStringList& lines, const QFont& font, int tabWidth);
    // The font the text is printed in (the editor's, once laid out with one).
    const QFont& font() const { return m_font; }

    Print::Margins margins() const { return m_margins; }
    // Each changes the margin (inches) and lays the pages out again.
    void setMarginLeft(double inches);
    void setMarginRight(double inches);
    void setMarginTop(double inches);
    void setMarginBottom(double inches);
    void setMargins(const Print::Margins& margins);

    double LineSpacing = -1.5;
    double HeaderYPos = 0.4;
    double FooterYPos = 0.4;
    QString Header;
    QString Footer;
    Qt::Alignment HeaderAlign = Qt::AlignLeft;
    Qt::Alignment FooterAlign = Qt::AlignLeft;
    QFont HeaderFont;
    QFont FooterFont;
    bool LineNumbers = false;
    bool PlainText = false;
    QString PreviewTitle;
    // The source file: a print without a printer goes to a PDF file beside it.
    QString SourcePath;

    QPrinter& printer() { return *m_printer; }

    // Lays the text out for the current printer.
    void layOut();
    const Print::PageLayout& layout() const { return m_layout; }
    int pageCount() const { return m_layout.pageCount(); }
    Print::PageLook look() const;
    // Draws a page (from 0) in paper dots.
    void paintPage(QPainter& painter, int index) const;

    // Prints pages `from` to `to` (from 1, clamped to the pages) on the current printer. With no
    // printer installed it asks to print to a PDF file beside the source instead. False when nothing
    // was printed; a failure has been reported.
    bool print(int from, int to);
    // The PDF file that stands in for a missing printer.
    static QString pdfBeside(const QString& sourcePath);
    // The printer is Qt's PDF writer without a file: no printer is installed and none was chosen.
    bool hasNoPrinter() const;

    // The header the print command sets: "Project: " name, nine blanks, "File: " file name.
    static QString projectHeader(const QString& projectName, const QString& fileName);

    // Shows the preview modally and releases it when it closes.
    void PrintPreview(QWidget* parent = nullptr);

private:
    Print::Paper currentPaper() const;

    std::unique_ptr<QPrinter> m_printer;
    QPointer<SourceEditor> m_memo;
    QStringList m_lines;
    QFont m_font;
    int m_tabWidth = 4;
    Print::Margins m_margins;
    Print::PageLayout m_layout;
    double m_layoutDpi = 0;
};
