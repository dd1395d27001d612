#include "printing/Pen.h"

Pen::Pen(DrawingSurface& surface, int lineX_, int penY_)
    : lineX(lineX_), penX(lineX_), penY(penY_), m_surface(surface) {
    apply();
}

void Pen::printText(const QString& text) {
    if (text.isEmpty())
        return;
    m_surface.drawText(penX, penY, text);
    penX += m_surface.textWidth(text);
}

void Pen::printEnter() {
    penY += m_surface.textHeight(QStringLiteral("M"));
    penX = lineX;
}

void Pen::drawAt(int x, int y, const QString& text) {
    if (!text.isEmpty())
        m_surface.drawText(x, y, text);
}

void Pen::drawImage(const QRect& target, const QImage& image) {
    m_surface.drawImage(target, image);
}

void Pen::setFont(const QString& face, int pointSize, bool bold, bool strikeOut) {
    m_face = face;
    m_size = pointSize;
    m_bold = bold;
    m_strikeOut = strikeOut;
    apply();
}

void Pen::setFace(const QString& face) {
    m_face = face;
    apply();
}

void Pen::setSize(int pointSize) {
    m_size = pointSize;
    apply();
}

void Pen::setBold(bool bold) {
    m_bold = bold;
    apply();
}

void Pen::setStrikeOut(bool strikeOut) {
    m_strikeOut = strikeOut;
    apply();
}

void Pen::setRegular() {
    m_bold = false;
    m_strikeOut = false;
    apply();
}

void Pen::apply() {
    m_surface.setFont(m_face, m_size, m_bold, m_strikeOut);
}
