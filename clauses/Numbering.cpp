#include "clauses/Numbering.h"

#include "clauses/Designation.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace {

ClauseKind otherKind(ClauseKind kind) {
    return kind == ClauseKind::CopyVerification ? ClauseKind::Legalization : ClauseKind::CopyVerification;
}

QString chosenBook(const SettingsStore& settings, ClauseKind kind) {
    return normalisedBookChoice(Key::chosenBook(kind).text(settings));
}

} // namespace

int OrderNumbers::number(ClauseKind kind) const {
    return kind == ClauseKind::Legalization ? legalization : copyVerification;
}

int OrderNumbers::year(ClauseKind kind) const {
    return kind == ClauseKind::Legalization ? legalizationYear : copyVerificationYear;
}

void OrderNumbers::setNumber(ClauseKind kind, int value) {
    if (kind == ClauseKind::Legalization)
        legalization = std::clamp(value, kMinNumber, kMaxLegalization);
    else
        copyVerification = std::clamp(value, kMinNumber, kMaxCopyVerification);
}

DesignationRule DesignationRule::read(const SettingsStore& settings, ClauseKind kind) {
    DesignationRule rule;
    rule.form = Key::designationForm().text(settings);
    rule.book = chosenBook(settings, kind);
    if (rule.book != u"0")
        rule.bookText = Key::bookText(rule.book).text(settings);
    return rule;
}

QString DesignationRule::designation(int number, int year) const {
    return formatDesignation(form, book, bookText, number, year);
}

IssuedNumber issueNumber(const SettingsStore& settings, ClauseKind kind, OrderNumbers& numbers) {
    const DesignationRule rule = DesignationRule::read(settings, kind);
    const QString otherBook = chosenBook(settings, otherKind(kind));
    IssuedNumber issued{kind,
                        numbers.number(kind),
                        numbers.year(kind),
                        rule.designation(numbers.number(kind), numbers.year(kind)),
                        rule.book,
                        rule.book == u"0" ? Key::sharedCounter() : Key::issuedBookCounter(rule.book),
                        0};
    numbers.setNumber(kind, numbers.number(kind) + 1);
    // One sequence for both kinds when they keep the same book (or none).
    if (otherBook == rule.book)
        numbers.setNumber(otherKind(kind), numbers.number(kind));
    issued.nextNumber = numbers.number(kind);
    return issued;
}

Setting counterOfChoice(int entry) {
    return entry == 0 ? Key::sharedCounter() : Key::bookCounter(entry);
}
