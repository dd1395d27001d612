#pragma once

#include "printing/DrawingSurface.h"

class QPainter;

// Draws on a QPainter that is already open on the printer, a PDF writer or an
// image. Font sizes are true points: the painter's device resolution turns
// them into pixels, so the text keeps its size whatever [Printer] dpi says.
class PainterSurface : public DrawingSurface {
public:
    explicit PainterSurface(QPainter& painter);

    void setFont(const QString& face, int pointSize, bool bold, bool strikeOut) override;
    void drawText(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    // Ascent plus descent of the font, whatever the text.
    int textHeight(const QString& text) const override;
    void drawImage(const QRect& target, const QImage& image) override;

private:
    QPainter& m_painter;
};
