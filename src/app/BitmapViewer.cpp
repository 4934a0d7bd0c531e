#include "BitmapViewer.h"

#include "BitmapViewerSize.h"
#include "settings/FormSizeSave.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

BitmapViewer::BitmapViewer(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName("Form6");
    setWindowTitle("Bitmap");
    m_picture = new QLabel(this);
    m_picture->setObjectName("Image1");
    m_picture->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
    m_placement = new FormSizeSave(this);
    m_placement->setSubKey("Position");
    m_placement->restore();
}

FileResult BitmapViewer::loadBitmap(const QString& path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return FileResult::cannotRead(path, reader.errorString());
    m_picture->setPixmap(QPixmap::fromImage(image));
    // The layout would otherwise refuse a window smaller than the picture label.
    m_picture->setMinimumSize(0, 0);
    m_picture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    resize(bitmapViewerSize(image.size()));
    return FileResult::success();
}

void BitmapViewer::closeEvent(QCloseEvent* event) {
    m_placement->save();
    QWidget::closeEvent(event);
}
