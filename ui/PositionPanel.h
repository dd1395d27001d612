#pragma once

#include <QFrame>
#include <span>

class QLabel;

// One label position of a sheet. The mark is the sunken frame with the
// light-blue background; a raised frame in the window colour is unmarked.
// The keyboard reaches it too: Space toggles the mark like a click, and the
// arrow keys move between the positions of the sheet (see linkPositionGrid).
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
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend void linkPositionGrid(std::span<PositionPanel* const> panels, int columns);
    // The panels of one sheet, in position order, and this panel's place among them.
    std::span<PositionPanel* const> m_sheet;
    int m_index = 0;
    int m_columns = 1;
    QLabel* m_caption;
};

// Makes the panels of one sheet (position order, left to right and top to
// bottom in `columns` columns) one keyboard stop: Tab enters the sheet at the
// panel that had the focus last (the first one at start), the arrows move
// within it. The span must live as long as the panels.
void linkPositionGrid(std::span<PositionPanel* const> panels, int columns);
