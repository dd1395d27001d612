#include "support/RecordingSurface.h"

void RecordingSurface::setFont(const QString& face, int pointSize, bool bold, bool strikeOut) {
    m_face = face;
    m_size = pointSize;
    m_bold = bold;
    m_strikeOut = strikeOut;
}

void RecordingSurface::drawText(int x, int y, const QString& text) {
    m_runs.append({text, m_face, m_size, m_bold, m_strikeOut, x, y});
}

int RecordingSurface::textWidth(const QString& text) const {
    return int(text.size()) * m_size * kWidthPerPoint;
}

int RecordingSurface::textHeight(const QString&) const {
    return m_size * kHeightPerPoint;
}

void RecordingSurface::drawImage(const QRect& target, const QImage& image) {
    m_images.append({target, image.size(), int(m_runs.size())});
}
