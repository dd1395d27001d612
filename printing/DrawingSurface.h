#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// What a clause layout draws on: the printer (through QPainter) or, in tests,
// a recorder. Coordinates are printer pixels from the top-left corner of the
// printable area; font sizes are points on paper.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void setFont(const QString& face, int pointSize, bool bold, bool strikeOut) = 0;
    // Draws text so that the top-left corner of its cell lies at (x, y).
    virtual void drawText(int x, int y, const QString& text) = 0;
    virtual int textWidth(const QString& text) const = 0;
    virtual int textHeight(const QString& text) const = 0;
    // Draws the image stretched into the rectangle.
    virtual void drawImage(const QRect& target, const QImage& image) = 0;
};
