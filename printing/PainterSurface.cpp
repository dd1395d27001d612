#include "printing/PainterSurface.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

PainterSurface::PainterSurface(QPainter& painter) : m_painter(painter) {}

void PainterSurface::setFont(const QString& face, int pointSize, bool bold, bool strikeOut) {
    QFont font(face);
    font.setPointSize(qMax(1, pointSize));
    font.setBold(bold);
    font.setStrikeOut(strikeOut);
    // The printer drivers the labels were calibrated on place glyphs without
    // kerning; keeping it off keeps run widths close to theirs.
    font.setKerning(false);
    m_painter.setFont(font);
}

void PainterSurface::drawText(int x, int y, const QString& text) {
    m_painter.drawText(QPoint(x, y + m_painter.fontMetrics().ascent()), text);
}

int PainterSurface::textWidth(const QString& text) const {
    return m_painter.fontMetrics().horizontalAdvance(text);
}

int PainterSurface::textHeight(const QString&) const {
    return m_painter.fontMetrics().height();
}

void PainterSurface::drawImage(const QRect& target, const QImage& image) {
    if (image.isNull() || target.isEmpty())
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, image);
    m_painter.restore();
}
