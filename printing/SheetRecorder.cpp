#include "printing/SheetRecorder.h"

#include "settings/AppError.h"

#include <QPageSize>
#include <QPdfWriter>

void SheetRecorder::setFont(const QString& face, int pointSize, bool bold, bool strikeOut) {
    m_face = face;
    m_size = pointSize;
    m_bold = bold;
    m_strikeOut = strikeOut;
    m_metrics.setFont(face, pointSize, bold, strikeOut);
}

void SheetRecorder::drawText(int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    runs << DrawnRun{0,
                     text,
                     m_face,
                     m_size,
                     m_bold,
                     m_strikeOut,
                     QRect(x, y, m_metrics.textWidth(text), m_metrics.textHeight(text))};
}

int SheetRecorder::textWidth(const QString& text) const {
    return m_metrics.textWidth(text);
}

int SheetRecorder::textHeight(const QString& text) const {
    return m_metrics.textHeight(text);
}

void SheetRecorder::drawImage(const QRect& target, const QImage& image) {
    if (!image.isNull() && !target.isEmpty())
        images << DrawnImage{0, target, image};
}

void SheetRecorder::closeLabel(int position) {
    for (DrawnRun& run : runs)
        if (run.label == 0)
            run.label = position;
    for (DrawnImage& image : images)
        if (image.label == 0)
            image.label = position;
}

PrinterMetrics::PrinterMetrics(int dpi) {
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setPageSize(QPageSize(QPageSize::A4));
    m_writer->setResolution(dpi);
    if (!m_painter.begin(m_writer.get()))
        throw AppError(QStringLiteral("Písmo tiskárny se nepodařilo změřit."));
    m_surface = std::make_unique<PainterSurface>(m_painter);
}

PrinterMetrics::~PrinterMetrics() {
    if (m_painter.isActive())
        m_painter.end();
}
