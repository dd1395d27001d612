#include "ui/PositionPanel.h"

#include "ui/Fonts.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

PositionPanel::PositionPanel(const QString& caption, int pointSize, QWidget* parent)
    : QFrame(parent), m_caption(new QLabel(caption, this)) {
    setFrameShape(QFrame::Panel);
    setLineWidth(2);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
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
