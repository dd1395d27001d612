#pragma once

// How far a layout reaches on a label at 600 dpi, and how long it takes to draw.
#include "printing/PainterSurface.h"
#include "printing/Pen.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <functional>

// Passes everything on and remembers the extent of the text drawn.
class ExtentSurface : public DrawingSurface {
public:
    explicit ExtentSurface(DrawingSurface& inner) : m_inner(inner) {}
    void setFont(const QString& face, int points, bool bold, bool strikeOut) override {
        m_inner.setFont(face, points, bold, strikeOut);
    }
    void drawText(int x, int y, const QString& text) override {
        m_inner.drawText(x, y, text);
        left = qMin(left, x);
        right = qMax(right, x + m_inner.textWidth(text));
        bottom = qMax(bottom, y + m_inner.textHeight(text));
    }
    int textWidth(const QString& text) const override { return m_inner.textWidth(text); }
    int textHeight(const QString& text) const override { return m_inner.textHeight(text); }
    void drawImage(const QRect& target, const QImage& image) override { m_inner.drawImage(target, image); }

    int left = 1 << 20;
    int right = 0;
    int bottom = 0;

private:
    DrawingSurface& m_inner;
};

constexpr int kExtentDpi = 600;
constexpr double kPixelsPerMm = kExtentDpi / 25.4;
// The text starts 2 mm into the label, as the seeded offsets put it.
constexpr int kLabelTextOffset = 47;

struct TextExtent {
    int left, right, bottom; // printer pixels from the label's top-left corner
    double microseconds;     // one drawing, averaged
};

inline TextExtent measureExtent(int canvasWidth, const std::function<void(Pen&)>& draw) {
    QImage label(canvasWidth, 1200, QImage::Format_RGB32);
    label.setDotsPerMeterX(qRound(kExtentDpi / 0.0254));
    label.setDotsPerMeterY(qRound(kExtentDpi / 0.0254));
    label.fill(Qt::white);
    QPainter painter(&label);
    PainterSurface surface(painter);
    ExtentSurface extent(surface);
    Pen pen(extent, kLabelTextOffset, kLabelTextOffset);
    draw(pen);

    constexpr int rounds = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        Pen again(surface, kLabelTextOffset, kLabelTextOffset);
        draw(again);
    }
    return {extent.left, extent.right, extent.bottom, timer.nsecsElapsed() / 1000.0 / rounds};
}
