#pragma once

#include <QFrame>

class QLabel;

// One label position of a sheet. The mark is the sunken frame with the
// light-blue background; a raised frame in the window colour is unmarked.
class PositionPanel : public QFrame {
    Q_OBJECT
public:
    PositionPanel(const QString& caption, int pointSize, QWidget* parent);

    bool isMarked() const { return frameShadow() == QFrame::Sunken; }
    void setMarked(bool marked);
    // Caption height in pixels instead of points, for windows whose panels
    // are drawn to pixel measure.
    void setCaptionPixelSize(int pixels);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* m_caption;
};
