#include "ui/PositionPanel.h"

#include "ui/Fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

PositionPanel::PositionPanel(const QString& caption, int pointSize, QWidget* parent)
    : QFrame(parent), m_caption(new QLabel(caption, this)) {
    setFrameShape(QFrame::Panel);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont font = fontOf(Typeface::Arial, pointSize);
    font.setBold(true);
    m_caption->setFont(font);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_caption);
    setMarked(false);
}

void PositionPanel::setMarked(bool marked) {
    setFrameShadow(marked ? QFrame::Sunken : QFrame::Raised);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, marked ? QColor(58, 203, 242) : QPalette().color(QPalette::Base));
    setPalette(pal);
}

void PositionPanel::setCaptionPixelSize(int pixels) {
    QFont font = m_caption->font();
    font.setPixelSize(pixels);
    m_caption->setFont(font);
}

void PositionPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QFrame::mouseReleaseEvent(event);
}

void PositionPanel::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) {
        QFrame::keyPressEvent(event);
        return;
    }
    const int count = int(m_sheet.size());
    const int column = m_index % m_columns;
    int target = -1;
    switch (event->key()) {
    case Qt::Key_Space:
        // Held down, the key repeats; one press is one toggle, as one click is.
        if (!event->isAutoRepeat())
            Q_EMIT clicked();
        return;
    case Qt::Key_Left:
        target = column > 0 ? m_index - 1 : -1;
        break;
    case Qt::Key_Right:
        target = column < m_columns - 1 ? m_index + 1 : -1;
        break;
    case Qt::Key_Up:
        target = m_index - m_columns;
        break;
    case Qt::Key_Down:
        target = m_index + m_columns;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count - 1;
        break;
    default:
        QFrame::keyPressEvent(event);
        return;
    }
    // At the edge of the sheet the focus stays where it is.
    if (target >= 0 && target < count)
        m_sheet[target]->setFocus(Qt::OtherFocusReason);
    event->accept();
}

void PositionPanel::focusInEvent(QFocusEvent* event) {
    // The panel that has the focus is the sheet's one Tab stop.
    for (PositionPanel* p : m_sheet)
        p->setFocusPolicy(p == this ? Qt::StrongFocus : Qt::ClickFocus);
    update();
    QFrame::focusInEvent(event);
}

void PositionPanel::focusOutEvent(QFocusEvent* event) {
    update();
    QFrame::focusOutEvent(event);
}

void PositionPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!hasFocus())
        return;
    // The dotted focus rectangle inside the bevel, as on a focused button;
    // the bevel and the colour that record the mark are left as they are.
    QPainter painter(this);
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(4, 4, -5, -5));
}

void linkPositionGrid(std::span<PositionPanel* const> panels, int columns) {
    for (int i = 0; i < int(panels.size()); ++i) {
        PositionPanel* p = panels[i];
        p->m_sheet = panels;
        p->m_index = i;
        p->m_columns = columns;
        p->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    }
}
