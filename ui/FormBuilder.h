#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

class QAbstractButton;
class QCheckBox;
class QKeySequence;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

// Small helpers that make the fixed-geometry forms read like their tables.
namespace Form {

QLabel* label(QWidget* parent, const QString& name, const QString& caption, bool bold = false);
QComboBox* dropDown(QWidget* parent, const QString& name, const QStringList& items, int selected,
                    const QString& hint = {});
QComboBox* editableCombo(QWidget* parent, const QString& name, const QStringList& items,
                         const QString& hint = {});
QSpinBox* spin(QWidget* parent, const QString& name, int min, int max, int value, const QString& hint = {});
QLineEdit* edit(QWidget* parent, const QString& name, const QString& hint = {});
QDateEdit* date(QWidget* parent, const QString& name, const QString& hint = {});
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint = {});
QCheckBox* check(QWidget* parent, const QString& name, const QString& caption, const QString& hint = {});
QRadioButton* radio(QWidget* parent, const QString& name, const QString& caption, const QString& hint = {});

// Names the keys that press the button at the end of its hint: the given
// shortcut, else Alt with the caption's underlined letter ("&Ukončit").
void showKeysInHint(QAbstractButton* button, const QKeySequence& keys);
void showKeysInHint(QAbstractButton* button);

// Minimum width of a drop-down's opened list; for the drop-downs made here it
// is given to the list when the list is opened.
void setDropDownWidth(QComboBox* combo, int width);

// Places widgets left to right on one line at height y, starting at x; a
// width of 0 keeps the widget's natural width. Controls are 21 pixels high
// and labels are centred on them.
struct Cell {
    QWidget* widget;
    int width = 0;
};
void row(int x, int y, std::initializer_list<Cell> cells, int gap = 4);

} // namespace Form
