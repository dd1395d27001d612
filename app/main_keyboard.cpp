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

    stepTabsWithCtrlTab(this, TabControl1);
}
