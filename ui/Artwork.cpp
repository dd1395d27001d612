#include "ui/Artwork.h"

#include "ui/Fonts.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBlue(30, 96, 160);
const QColor kLightBlue(58, 203, 242);

// A label sheet corner with a printed clause: the program's sign.
void paintSign(QPainter& p, const QRectF& r) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBlue, r.width() / 24));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r.adjusted(r.width() / 12, r.height() / 12, -r.width() / 12, -r.height() / 12),
                      r.width() / 10, r.width() / 10);
    p.setPen(QPen(kLightBlue, r.width() / 14, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const qreal y = r.top() + r.height() * (0.35 + 0.17 * i);
        p.drawLine(QPointF(r.left() + r.width() * 0.28, y),
                   QPointF(r.right() - r.width() * (0.28 + 0.1 * i), y));
    }
}

} // namespace

namespace Artwork {

QIcon windowIcon() {
    return QIcon(QPixmap::fromImage(sign(64)));
}

QImage sign(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintSign(p, QRectF(0, 0, size, size));
    return image;
}

QIcon cardReaderIcon() {
    QPixmap pm(68, 68);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // The reader
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(8, 34, 52, 26), 5, 5);
    p.setBrush(QColor(30, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(50, 50), 3, 3);
    // The card going in
    p.setPen(QPen(kBlue, 2));
    p.setBrush(QColor(235, 245, 255));
    p.drawRoundedRect(QRectF(16, 6, 36, 34), 3, 3);
    p.setBrush(QColor(220, 180, 60));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(21, 13, 10, 8));
    p.setPen(QPen(kBlue, 2));
    p.drawLine(QPointF(35, 15), QPointF(47, 15));
    p.drawLine(QPointF(35, 21), QPointF(44, 21));
    return QIcon(pm);
}

QPixmap productLogo() {
    QPixmap pm(300, 212);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paintSign(p, QRectF(8, 56, 110, 110));
    QFont f = fontOf(Typeface::Arial);
    f.setPixelSize(46);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kBlue);
    p.drawText(QRectF(124, 70, 176, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lorvena"));
    f.setPixelSize(15);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(70, 70, 70));
    p.drawText(QRectF(126, 124, 174, 30), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("tisk ověřovacích doložek"));
    return pm;
}

} // namespace Artwork
