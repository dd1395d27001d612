#include "ui/Keyboard.h"

#include <QShortcut>
#include <QTabBar>

void stepTabsWithCtrlTab(QWidget* window, QTabBar* tabs) {
    auto step = [tabs](int by) {
        const int count = tabs->count();
        if (count > 0)
            tabs->setCurrentIndex((tabs->currentIndex() + by + count) % count);
    };
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), window);
    QObject::connect(next, &QShortcut::activated, tabs, [step] { step(1); });
    auto* previous = new QShortcut(window);
    // With Shift held, Tab arrives as Backtab on most platforms; both are taken.
    previous->setKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    QObject::connect(previous, &QShortcut::activated, tabs, [step] { step(-1); });
}
