#pragma once

#include "printing/DrawingSurface.h"

#include <QList>

// One run of text as it was drawn, with the font in force.
struct RecordedRun {
    QString text;
    QString face;
    int size = 0;
    bool bold = false;
    bool strikeOut = false;
    int x = 0;
    int y = 0;
};

struct RecordedImage {
    QRect target;
    QSize imageSize;
    int runsBefore = 0; // how many runs had been drawn when the image was
};

// Records what a layout draws instead of drawing it. Its metrics ignore the
// face and style so that positions can be asserted exactly:
//   textWidth  = characters (UTF-16 units) x size x kWidthPerPoint
//   textHeight = size x kHeightPerPoint
class RecordingSurface : public DrawingSurface {
public:
    static constexpr int kWidthPerPoint = 10;
    static constexpr int kHeightPerPoint = 20;

    void setFont(const QString& face, int pointSize, bool bold, bool strikeOut) override;
    void drawText(int x, int y, const QString& text) override;
    int textWidth(const QString& text) const override;
    int textHeight(const QString& text) const override;
    void drawImage(const QRect& target, const QImage& image) override;

    const QList<RecordedRun>& runs() const { return m_runs; }
    const QList<RecordedImage>& images() const { return m_images; }

    // The font in force now.
    const QString& face() const { return m_face; }
    int size() const { return m_size; }
    bool bold() const { return m_bold; }
    bool strikeOut() const { return m_strikeOut; }

private:
    QList<RecordedRun> m_runs;
    QList<RecordedImage> m_images;
    QString m_face;
    int m_size = 0;
    bool m_bold = false;
    bool m_strikeOut = false;
};
