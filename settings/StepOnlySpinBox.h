#pragma once

#include <QLineEdit>
#include <QSpinBox>

// A spin box whose text cannot be typed into: the value changes only through
// the arrow buttons and the Up and Down keys, so it always holds a number in
// range. Values set from outside are clamped by QSpinBox itself.
class StepOnlySpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit StepOnlySpinBox(QWidget* parent = nullptr) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};
