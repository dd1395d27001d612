#pragma once

class QTabBar;
class QWidget;

// Ctrl+Tab and Ctrl+Shift+Tab anywhere in the window step through the tabs,
// round at the ends, as in a tabbed dialog.
void stepTabsWithCtrlTab(QWidget* window, QTabBar* tabs);
