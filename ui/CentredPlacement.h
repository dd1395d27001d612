#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

// Centres a dialog over another window by their outer frames: left = other's
// left + (other's width - own width) / 2, top likewise, truncating toward
// zero; with `keepOnScreen` a negative left or top becomes 0.
//
// A window's frame is known only once the window system has put it around
// the shown window; placed by its client size alone, the dialog would stand
// half a title bar too high. So place() is called when the dialog is shown,
// takes the other window's frame for the dialog's until its own is known, and
// places the dialog once more when its frame turns up elsewhere than meant.
class CentredPlacement : public QObject {
    Q_OBJECT
public:
    CentredPlacement(QWidget* dialog, const QWidget* over, bool keepOnScreen);

    void place();
    // The placement a dialog was given at construction.
    static CentredPlacement* of(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool frameKnown() const;
    QPoint ruleFor(const QRect& ownFrame) const;

    QWidget* m_dialog;
    const QWidget* m_over;
    bool m_keepOnScreen;
    bool m_waitingForFrame = false;
};
