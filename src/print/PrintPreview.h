#pragma once

#include "PreviewGeometry.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QPrintDialog;
class QScrollArea;
class QToolButton;
class PlusMemoPrinter;

namespace Print {

// The white page of the preview: draws what the printer's painter draws, at the zoom scale, and lets
// the margin lines be dragged while they are shown.
class PageImage : public QWidget {
    Q_OBJECT
public:
    PageImage(PlusMemoPrinter& printer, QWidget* parent = nullptr);

    void setPage(int index);
    void setScale(double scale);
    double scale() const { return m_scale; }
    void setShowMargins(bool show);

signals:
    // A margin line was dropped; the printer has the new margins and its pages are laid out again.
    void marginsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PlusMemoPrinter& m_printer;
    int m_page = 0;
    double m_scale = 1;
    bool m_showMargins = false;
    MarginLine m_dragging = MarginLine::None;
    double m_dragAt = 0;
};

} // namespace Print

// The print preview: one page at a time at a chosen zoom, printing from it.
class PrintPreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreviewWindow(PlusMemoPrinter& printer, QWidget* parent = nullptr);

    int currentPage() const { return m_page; } // from 0
    Print::PageImage* pageImage() const { return m_image; }

    void nextPage();
    void previousPage();
    void applyZoom();
    void setupClick();
    void printClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* addButton(const QString& name, const QString& text, const QString& hint);
    void showPage();

    PlusMemoPrinter& m_printer;
    int m_page = 0;
    QLabel* m_label = nullptr;
    QToolButton* m_setup = nullptr;
    QToolButton* m_print = nullptr;
    QToolButton* m_margins = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_lineNumbers = nullptr;
    QToolButton* m_close = nullptr;
    QComboBox* m_zoom = nullptr;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_sheet = nullptr;
    Print::PageImage* m_image = nullptr;
    QPrintDialog* m_printDialog = nullptr;
    bool m_centred = false;
};
