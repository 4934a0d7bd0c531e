#include "StyleIcons.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <cmath>

namespace {

const QStyle* styleOrDefault(const QStyle* style) {
    return style ? style : QApplication::style();
}

} // namespace

int styleIconSize(QStyle::PixelMetric metric, const QStyle* style) {
    return styleOrDefault(style)->pixelMetric(metric);
}

QIcon standardIconOfSize(QStyle::StandardPixmap which, int size, const QStyle* style) {
    const QIcon full = styleOrDefault(style)->standardIcon(which);
    if (full.isNull() || size <= 0)
        return full;
    QIcon sized;
    sized.addPixmap(full.pixmap(QSize(size, size), 1.0));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (const qreal ratio = screen ? screen->devicePixelRatio() : 1.0; ratio > 1.0)
        sized.addPixmap(full.pixmap(QSize(size, size), ratio));
    return sized;
}
