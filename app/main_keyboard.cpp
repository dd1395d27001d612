// Driving the main window from the keyboard alone.
#include "app/main.h"
#include "ui/FormBuilder.h"
#include "ui/Keyboard.h"
#include "ui/PositionPanel.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>

void TForm1::setUpKeyboard() {
    linkPositionGrid(panels, 2);

    // Ctrl+P prints as "TISK" does; Enter in a field still never prints.
    const QKeySequence print(Qt::CTRL | Qt::Key_P);
    auto* printShortcut = new QShortcut(print, this);
    connect(printShortcut, &QShortcut::activated, Button1, &QToolButton::click);
    Form::showKeysInHint(Button1, print);
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{Button2, Button4, Button5, Button7, CheckBox1, Button3})
        Form::showKeysInHint(b);

    // The drop-down part of "TISK" opens with the arrow down (or Alt+Down, F4)
    // while the button has the focus, as a split button does.
    auto* dropDown = new QShortcut(Button1);
    dropDown->setKeys(
        {QKeySequence(Qt::Key_Down), QKeySequence(Qt::ALT | Qt::Key_Down), QKeySequence(Qt::Key_F4)});
    dropDown->setContext(Qt::WidgetShortcut);
    connect(dropDown, &QShortcut::activated, Button1, [this] {
        if (Button1->menu())
            Button1->showMenu();
    });

    stepTabsWithCtrlTab(this, TabControl1);
}
