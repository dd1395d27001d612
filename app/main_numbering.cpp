// Order numbers: the designation routine and the book choosers.
#include "app/main.h"
#include "clauses/Designation.h"
#include "clauses/Numbering.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "ui/Messages.h"

#include <QComboBox>
#include <QSpinBox>

OrderNumbers TForm1::orderNumbers() const {
    OrderNumbers n;
    n.copyVerification = SpinEdit2->value();
    n.legalization = SpinEdit4->value();
    n.copyVerificationYear = SpinEdit5->value();
    n.legalizationYear = SpinEdit6->value();
    return n;
}

void TForm1::setOrderNumbers(const OrderNumbers& numbers) {
    SpinEdit2->setValue(numbers.copyVerification);
    SpinEdit4->setValue(numbers.legalization);
}

QString TForm1::oznaceni(const QString& cinnost) {
    const std::optional<ClauseKind> kind = clauseKindOf(cinnost);
    if (!kind || !isNumbered(*kind))
        return kDesignationError;
    OrderNumbers numbers = orderNumbers();
    const IssuedNumber issued = issueNumber(settings(), *kind, numbers);
    setOrderNumbers(numbers);
    issued.counter.write(settings(), issued.nextNumber);
    return issued.designation;
}

void TForm1::loadOrderNumber(QComboBox* chooser, QSpinBox* field) {
    const int index = chooser->currentIndex();
    if (index < 0)
        return;
    field->setValue(counterOfChoice(index).integer(settings()));
}

void TForm1::ComboBox16Change() {
    guarded(this, [this] {
        Key::chosenBook(ClauseKind::CopyVerification).write(settings(), ComboBox16->currentIndex());
        loadOrderNumber(ComboBox16, SpinEdit2);
    });
}

void TForm1::ComboBox15Change() {
    guarded(this, [this] {
        Key::chosenBook(ClauseKind::Legalization).write(settings(), ComboBox15->currentIndex());
        loadOrderNumber(ComboBox15, SpinEdit4);
    });
}
