#pragma once

#include "printing/DrawingSurface.h"

// The text pen of one label: lineX is where every line begins, (penX, penY)
// where the next run goes. The font in force at a line break decides the line
// advance, so layouts switch fonts before they break.
class Pen {
public:
    Pen(DrawingSurface& surface, int lineX, int penY);

    int lineX = 0;
    int penX = 0;
    int penY = 0;

    // Draws a run at the pen and advances penX by its width; empty text does nothing.
    void printText(const QString& text);
    // penY += height of "M" in the current font; penX = lineX.
    void printEnter();
    // Draws at (x, y) without moving the pen.
    void drawAt(int x, int y, const QString& text);
    void drawImage(const QRect& target, const QImage& image);

    void setFont(const QString& face, int pointSize, bool bold = false, bool strikeOut = false);
    void setFace(const QString& face);
    void setSize(int pointSize);
    void setBold(bool bold);
    void setStrikeOut(bool strikeOut);
    // Regular style: neither bold nor struck.
    void setRegular();

    const QString& face() const { return m_face; }
    int size() const { return m_size; }
    bool bold() const { return m_bold; }
    bool strikeOut() const { return m_strikeOut; }
    DrawingSurface& surface() { return m_surface; }

private:
    void apply();

    DrawingSurface& m_surface;
    QString m_face = QStringLiteral("Arial");
    int m_size = 8;
    bool m_bold = false;
    bool m_strikeOut = false;
};
