#include "PrintPreview.h"

#include "PlusMemoPrinter.h"
#include "ui/FontScale.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace Print {

PageImage::PageImage(PlusMemoPrinter& printer, QWidget* parent) : QWidget(parent), m_printer(printer) {
    setObjectName("PageImage");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageImage::setPage(int index) {
    m_page = index;
    update();
}

void PageImage::setScale(double scale) {
    m_scale = scale;
    const QSizeF size = m_printer.layout().paper().size * scale;
    setFixedSize(std::max(1, qRound(size.width())), std::max(1, qRound(size.height())));
    update();
}

void PageImage::setShowMargins(bool show) {
    m_showMargins = show;
    if (!show) {
        m_dragging = MarginLine::None;
        unsetCursor();
    }
    update();
}

void PageImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.save();
    painter.scale(m_scale, m_scale);
    m_printer.paintPage(painter, m_page);
    if (m_showMargins)
        paintMargins(painter, m_printer.layout());
    painter.restore();
    if (m_dragging != MarginLine::None) {
        // The line being dragged, inverted against the page as a rubber band.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        if (m_dragging == MarginLine::Left || m_dragging == MarginLine::Right)
            painter.drawLine(QPointF(m_dragAt, 0), QPointF(m_dragAt, height()));
        else
            painter.drawLine(QPointF(0, m_dragAt), QPointF(width(), m_dragAt));
    }
}

void PageImage::mousePressEvent(QMouseEvent* event) {
    if (!m_showMargins || event->button() != Qt::LeftButton)
        return;
    m_dragging = marginAt(event->position(), m_printer.layout(), m_scale);
    if (m_dragging != MarginLine::None) {
        m_dragAt = clampDrag(m_dragging, event->position(), m_printer.layout(), m_scale);
        update();
    }
}

void PageImage::mouseMoveEvent(QMouseEvent* event) {
    if (!m_showMargins)
        return;
    if (m_dragging != MarginLine::None) {
        m_dragAt = clampDrag(m_dragging, event->position(), m_printer.layout(), m_scale);
        update();
        return;
    }
    switch (marginAt(event->position(), m_printer.layout(), m_scale)) {
    case MarginLine::Left:
    case MarginLine::Right:
        setCursor(Qt::SizeHorCursor);
        break;
    case MarginLine::Top:
    case MarginLine::Bottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case MarginLine::None:
        unsetCursor();
        break;
    }
}

void PageImage::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging == MarginLine::None || event->button() != Qt::LeftButton)
        return;
    m_dragAt = clampDrag(m_dragging, event->position(), m_printer.layout(), m_scale);
    const Margins margins =
        releaseDrag(m_printer.margins(), m_dragging, m_dragAt, m_printer.layout(), m_scale);
    m_dragging = MarginLine::None;
    m_printer.setMargins(margins);
    emit marginsChanged();
    update();
}

} // namespace Print

PrintPreviewWindow::PrintPreviewWindow(PlusMemoPrinter& printer, QWidget* parent)
    : QDialog(parent), m_printer(printer) {
    setObjectName("FrmPMPrintPreview");
    resize(FontScale::px(QSize(800, 650)));
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName("ToolBar1");
    m_label = new QLabel(this);
    m_label->setObjectName("LblPage");
    m_label->setMinimumWidth(FontScale::px(90));
    toolBar->addWidget(m_label);
    m_setup = addButton("BtnSetup", "&Setup", "Printer Setup");
    m_print = addButton("BtnPrint", "&Print", "Print Document(s)");
    m_margins = addButton("BtnMargins", "&Margins", "Show/hide margins");
    m_margins->setCheckable(true);
    m_previous = addButton("BtnPrevious", QString(), "Previous Page");
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_next = addButton("BtnNext", QString(), "Next Page");
    m_next->setArrowType(Qt::RightArrow);
    m_next->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_lineNumbers = addButton("BtnLineNumbers", "#", "Show/Hide line numbers");
    m_lineNumbers->setCheckable(true);
    m_close = addButton("BtnClose", "&Close", QString());
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName("cbZoom");
    m_zoom->addItems(Print::zoomEntries());
    for (QToolButton* button : {m_setup, m_print, m_margins, m_previous, m_next, m_lineNumbers, m_close})
        toolBar->addWidget(button);
    toolBar->addWidget(m_zoom);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("ScrollBox1");
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidgetResizable(true);
    m_sheet = new QWidget;
    m_sheet->setBackgroundRole(QPalette::Dark);
    auto* sheetLayout = new QGridLayout(m_sheet);
    sheetLayout->setContentsMargins(10, 10, 10, 10);
    m_image = new Print::PageImage(m_printer, m_sheet);
    sheetLayout->addWidget(m_image, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    m_scroll->setWidget(m_sheet);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_scroll, 1);

    connect(m_next, &QToolButton::clicked, this, &PrintPreviewWindow::nextPage);
    connect(m_previous, &QToolButton::clicked, this, &PrintPreviewWindow::previousPage);
    connect(m_close, &QToolButton::clicked, this, &QDialog::accept);
    connect(m_setup, &QToolButton::clicked, this, &PrintPreviewWindow::setupClick);
    connect(m_print, &QToolButton::clicked, this, &PrintPreviewWindow::printClick);
    connect(m_margins, &QToolButton::toggled, m_image, &Print::PageImage::setShowMargins);
    connect(m_lineNumbers, &QToolButton::toggled, this, [this](bool on) {
        m_printer.LineNumbers = on;
        m_image->update();
    });
    connect(m_image, &Print::PageImage::marginsChanged, this, [this] {
        m_page = std::min(m_page, m_printer.pageCount() - 1);
        showPage();
    });

    // Opening: the pages for the current printer, at 100%, from the first page.
    m_printer.layOut();
    m_zoom->setCurrentIndex(Print::kZoom100);
    applyZoom();
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &PrintPreviewWindow::applyZoom);
    m_lineNumbers->setChecked(m_printer.LineNumbers);
    showPage();
}

QToolButton* PrintPreviewWindow::addButton(const QString& name, const QString& text, const QString& hint) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

void PrintPreviewWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // The fitted zooms depend on the scroll area's size, known only now.
    if (m_zoom->currentIndex() >= Print::kZoomPageWidth)
        applyZoom();
}

void PrintPreviewWindow::applyZoom() {
    const Print::Zoom zoom = Print::zoomFor(m_zoom->currentIndex(), m_printer.layout().paper(),
                                            m_image->logicalDpiX(), m_scroll->maximumViewportSize());
    m_image->setScale(zoom.scale);
    auto* grid = static_cast<QGridLayout*>(m_sheet->layout());
    grid->setAlignment(m_image, Qt::AlignTop | (zoom.centre ? Qt::AlignHCenter : Qt::AlignLeft));
}

void PrintPreviewWindow::showPage() {
    const int count = m_printer.pageCount();
    m_label->setText(QStringLiteral("Page %1/%2").arg(m_page + 1).arg(count));
    m_next->setEnabled(m_page + 1 < count);
    m_previous->setEnabled(m_page > 0);
    m_image->setPage(m_page);
}

void PrintPreviewWindow::nextPage() {
    if (m_page + 1 < m_printer.pageCount())
        ++m_page;
    showPage();
}

void PrintPreviewWindow::previousPage() {
    if (m_page > 0)
        --m_page;
    showPage();
}

void PrintPreviewWindow::setupClick() {
    QPrinter& printer = m_printer.printer();
    if (!m_printDialog) {
        m_printDialog = new QPrintDialog(&printer, this);
        m_printDialog->setOption(QAbstractPrintDialog::PrintPageRange, true);
    }
    const int count = m_printer.pageCount();
    m_printDialog->setMinMax(1, count);
    printer.setFromTo(1, count);
    const Print::Paper before = m_printer.layout().paper();
    const bool confirmed = m_printDialog->exec() == QDialog::Accepted;
    // Whatever the answer: a printer with other paper or dots needs its pages laid out again.
    m_printer.layOut();
    if (!(m_printer.layout().paper() == before)) {
        m_page = std::min(m_page, m_printer.pageCount() - 1);
        applyZoom();
        showPage();
    }
    if (!confirmed)
        return;
    const bool range = printer.printRange() == QPrinter::PageRange;
    m_printer.print(range ? printer.fromPage() : 1, range ? printer.toPage() : m_printer.pageCount());
}

void PrintPreviewWindow::printClick() {
    m_printer.print(1, m_printer.pageCount());
}
