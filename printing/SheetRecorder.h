#pragma once

#include "printing/DrawingSurface.h"
#include "printing/PainterSurface.h"
#include "printing/SheetJob.h"

#include <QBuffer>
#include <QList>
#include <QPainter>
#include <memory>

class QPdfWriter;

// One run of text as a layout drew it: its cell in printer pixels (measured
// with the metrics the print uses) and the font in force.
struct DrawnRun {
    int label = 0; // the position it belongs to, 0 while the label is being drawn
    QString text;
    QString face;
    int pointSize = 0;
    bool bold = false;
    bool strikeOut = false;
    QRect cell;
};

struct DrawnImage {
    int label = 0;
    QRect target;
    QImage image;
};

// Keeps what a layout draws instead of drawing it, and measures on another
// surface, so that every run lands where the print would put it.
class SheetRecorder : public DrawingSurface {
public:
    explicit SheetRecorder(DrawingSurface& metrics) : m_metrics(metrics) {}

    void setFont(const QString& face, int pointSize, bool bold, bool strikeOut) override;
    void drawText(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;
    void drawImage(const QRect& target, const QImage& image) override;

    // Gives what was drawn since the last call to this position.
    void closeLabel(int position);

    QList<DrawnRun> runs;
    QList<DrawnImage> images;

private:
    DrawingSurface& m_metrics;
    QString m_face;
    int m_size = 0;
    bool m_bold = false;
    bool m_strikeOut = false;
};

// The font metrics of the print: a PDF page (the engine the print system
// renders with) at the configured resolution, kept in memory and never
// shown, sent or saved.
class PrinterMetrics {
public:
    explicit PrinterMetrics(int dpi);
    ~PrinterMetrics();
    PrinterMetrics(const PrinterMetrics&) = delete;
    PrinterMetrics& operator=(const PrinterMetrics&) = delete;

    DrawingSurface& surface() { return *m_surface; }

private:
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<PainterSurface> m_surface;
};

// A sheet job that opens nothing: the batch draws into a recorder.
class RecordingSheetJob : public SheetJob {
public:
    explicit RecordingSheetJob(DrawingSurface& metrics) : recorder(metrics) {}
    DrawingSurface& start() override { return recorder; }
    void finish() override {}

    SheetRecorder recorder;
};
