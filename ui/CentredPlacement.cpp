#include "ui/CentredPlacement.h"

#include <QEvent>
#include <QMargins>
#include <QWidget>
#include <algorithm>

namespace {

QMargins frameMargins(const QWidget* w) {
    const QRect frame = w->frameGeometry();
    const QRect client = w->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

} // namespace

CentredPlacement::CentredPlacement(QWidget* dialog, const QWidget* over, bool keepOnScreen)
    : QObject(dialog), m_dialog(dialog), m_over(over), m_keepOnScreen(keepOnScreen) {
    dialog->installEventFilter(this);
}

CentredPlacement* CentredPlacement::of(QWidget* dialog) {
    return dialog->findChild<CentredPlacement*>(QString(), Qt::FindDirectChildrenOnly);
}

bool CentredPlacement::frameKnown() const {
    return m_dialog->frameGeometry() != m_dialog->geometry();
}

QPoint CentredPlacement::ruleFor(const QRect& own) const {
    const QRect over = m_over->frameGeometry();
    int left = over.x() + (over.width() - own.width()) / 2;
    int top = over.y() + (over.height() - own.height()) / 2;
    if (m_keepOnScreen) {
        left = std::max(0, left);
        top = std::max(0, top);
    }
    return {left, top};
}

void CentredPlacement::place() {
    m_waitingForFrame = !frameKnown();
    if (!m_waitingForFrame) {
        m_dialog->move(ruleFor(m_dialog->frameGeometry()));
        return;
    }
    // Until the window system has framed the dialog, a move places its client
    // area; the frame of the window it is centred over is the likely one, so
    // the client goes where that frame would put it.
    const QMargins likely = frameMargins(m_over);
    m_dialog->move(ruleFor(m_dialog->frameGeometry().marginsAdded(likely)) +
                   QPoint(likely.left(), likely.top()));
}

bool CentredPlacement::eventFilter(QObject* watched, QEvent* event) {
    // The frame turns up without an event of its own, by the first paint as
    // a rule; a dialog still unframed then is taken to have no frame. Either
    // way it is placed again only when it stands elsewhere than the rule says.
    const QEvent::Type type = event->type();
    if (watched == m_dialog && m_waitingForFrame && m_dialog->isVisible()) {
        const bool known = frameKnown();
        if (type == QEvent::Paint ||
            (known && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowActivate))) {
            m_waitingForFrame = !known;
            const QRect own = m_dialog->frameGeometry();
            if (own.topLeft() != ruleFor(own))
                m_dialog->move(ruleFor(own));
        }
    }
    return QObject::eventFilter(watched, event);
}
