#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

// The calibration pictures of the label sheets: the top-left part of an A4
// sheet of labels with the measures the clerk can adjust marked by letters.
enum class CalibrationSheet {
    Clauses,    // 78 x 48 mm, two columns: A B C D Z Y X W
    BookLabels, // 44 x 133 mm, one column: A B C D Z Y
};

// Draws the picture into the 480 x 480 square at the painter's origin.
void drawCalibrationPicture(QPainter& painter, CalibrationSheet sheet);

// The picture as a bitmap, at `scale` times its 480 x 480 size.
QImage calibrationImage(CalibrationSheet sheet, qreal scale = 1.0);

// Shows the picture unscaled from its top-left corner; it is painted as
// vectors, so it stays sharp on high-density screens.
class CalibrationPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 480;

    CalibrationPicture(CalibrationSheet sheet, QWidget* parent = nullptr);
    CalibrationSheet sheet() const { return m_sheet; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CalibrationSheet m_sheet;
};
