#include "Artwork.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// A stylised handheld: rounded body, screen and four buttons.
void paintHandheld(QPainter& p, const QRectF& body) {
    p.setPen(QPen(QColor(30, 40, 60), 2));
    QLinearGradient shell(body.topLeft(), body.bottomRight());
    shell.setColorAt(0, QColor(200, 205, 215));
    shell.setColorAt(1, QColor(120, 128, 145));
    p.setBrush(shell);
    p.drawRoundedRect(body, 14, 14);
    const QRectF screen(body.left() + body.width() * 0.14, body.top() + body.height() * 0.1,
                        body.width() * 0.72, body.height() * 0.58);
    p.setBrush(QColor(150, 178, 120));
    p.drawRect(screen);
    p.setPen(QPen(QColor(40, 60, 30), 1));
    for (int i = 0; i < 5; ++i) {
        const double y = screen.top() + 10 + i * (screen.height() - 20) / 5.0;
        p.drawLine(QPointF(screen.left() + 8, y), QPointF(screen.right() - 8 - (i % 3) * 14, y));
    }
    p.setPen(QPen(QColor(30, 40, 60), 1.5));
    p.setBrush(QColor(70, 80, 100));
    const double buttonY = screen.bottom() + body.height() * 0.12;
    for (int i = 0; i < 4; ++i) {
        const double x = body.left() + body.width() * (0.16 + i * 0.21);
        p.drawEllipse(QPointF(x, buttonY), body.width() * 0.06, body.width() * 0.06);
    }
}

} // namespace

QPixmap splashPicture() {
    QPixmap pixmap(401, 297);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 297);
    sky.setColorAt(0, QColor(18, 42, 86));
    sky.setColorAt(1, QColor(64, 118, 170));
    p.fillRect(pixmap.rect(), sky);
    paintHandheld(p, QRectF(280, 60, 90, 170));
    p.setPen(Qt::white);
    // The desktop's own font: the faces the windows load anyway, so the splash leaves no font of its own
    // loaded and cached for the rest of the run.
    QFont title = QGuiApplication::font();
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(24, 70, 250, 40), Qt::AlignLeft | Qt::AlignVCenter, "Kovrin");
    p.drawText(QRectF(24, 108, 250, 40), Qt::AlignLeft | Qt::AlignVCenter, "Handwright");
    QFont sub = QGuiApplication::font();
    sub.setPixelSize(14);
    p.setFont(sub);
    p.drawText(QRectF(26, 156, 250, 20), Qt::AlignLeft, "The IDE for SuperWaba");
    p.drawText(QRectF(26, 250, 250, 20), Qt::AlignLeft, "Release 1.8");
    return pixmap;
}

QPixmap aboutPicture() {
    QPixmap pixmap(200, 382);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 200, 382);
    band.setColorAt(0, QColor(18, 42, 86));
    band.setColorAt(1, QColor(64, 118, 170));
    p.fillRect(pixmap.rect(), band);
    paintHandheld(p, QRectF(45, 90, 110, 200));
    return pixmap;
}

QIcon programIcon() {
    QIcon icon = QIcon::fromTheme(QStringLiteral("handwright"));
    if (!icon.isNull())
        return icon;
    for (int size : {16, 22, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        // The handheld is drawn for its designed size; its outlines scale with it.
        p.scale(size / 128.0, size / 128.0);
        paintHandheld(p, QRectF(24, 6, 80, 116));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
