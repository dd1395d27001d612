#include "ui/FormBuilder.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace Form {

namespace {

template <typename W> W* named(W* w, const QString& name, const QString& hint) {
    w->setObjectName(name);
    if (!hint.isEmpty())
        w->setToolTip(hint);
    return w;
}

// A drop-down that gives its opened list the width asked for when the list
// is opened: the list is made then, not with the form.
class DropDown : public QComboBox {
public:
    using QComboBox::QComboBox;
    void setListWidth(int width) { m_listWidth = width; }
    void showPopup() override {
        if (m_listWidth > 0)
            view()->setMinimumWidth(m_listWidth);
        QComboBox::showPopup();
    }

private:
    int m_listWidth = 0;
};

} // namespace

QLabel* label(QWidget* parent, const QString& name, const QString& caption, bool bold) {
    auto* l = named(new QLabel(caption, parent), name, {});
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QComboBox* dropDown(QWidget* parent, const QString& name, const QStringList& items, int selected,
                    const QString& hint) {
    auto* c = named(new DropDown(parent), name, hint);
    c->addItems(items);
    c->setCurrentIndex(selected);
    return c;
}

QComboBox* editableCombo(QWidget* parent, const QString& name, const QStringList& items,
                         const QString& hint) {
    auto* c = named(new DropDown(parent), name, hint);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    return c;
}

QSpinBox* spin(QWidget* parent, const QString& name, int min, int max, int value, const QString& hint) {
    auto* s = named(new QSpinBox(parent), name, hint);
    s->setRange(min, max);
    s->setValue(value);
    return s;
}

QLineEdit* edit(QWidget* parent, const QString& name, const QString& hint) {
    return named(new QLineEdit(parent), name, hint);
}

QDateEdit* date(QWidget* parent, const QString& name, const QString& hint) {
    auto* d = named(new QDateEdit(parent), name, hint);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    d->setMinimumDate(QDate(1900, 1, 1));
    return d;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint) {
    return named(new QPushButton(caption, parent), name, hint);
}

QCheckBox* check(QWidget* parent, const QString& name, const QString& caption, const QString& hint) {
    return named(new QCheckBox(caption, parent), name, hint);
}

QRadioButton* radio(QWidget* parent, const QString& name, const QString& caption, const QString& hint) {
    return named(new QRadioButton(caption, parent), name, hint);
}

void showKeysInHint(QAbstractButton* button, const QKeySequence& keys) {
    const QString named = keys.toString(QKeySequence::NativeText);
    if (named.isEmpty())
        return;
    const QString hint = button->toolTip();
    button->setToolTip(hint.isEmpty() ? named : QStringLiteral("%1 (%2)").arg(hint, named));
}

void showKeysInHint(QAbstractButton* button) {
    showKeysInHint(button, QKeySequence::mnemonic(button->text()));
}

void setDropDownWidth(QComboBox* combo, int width) {
    if (auto* made = dynamic_cast<DropDown*>(combo))
        made->setListWidth(width);
    else
        combo->view()->setMinimumWidth(width);
}

void row(int x, int y, std::initializer_list<Cell> cells, int gap) {
    for (const Cell& c : cells) {
        const int w = c.width > 0 ? c.width : c.widget->sizeHint().width();
        const bool isLabel = qobject_cast<QLabel*>(c.widget) != nullptr;
        const int h = isLabel ? c.widget->sizeHint().height() : 21;
        c.widget->setGeometry(x, isLabel ? y + (21 - h) / 2 : y, w, h);
        x += w + gap;
    }
}

} // namespace Form
