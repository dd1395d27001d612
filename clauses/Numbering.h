#pragma once

#include "settings/ClauseKind.h"
#include "settings/SettingsCatalogue.h"

#include <QString>

class SettingsStore;

// The order-number and year fields of the main window, as values. A number
// field never leaves its range: a value beyond a limit becomes the limit.
struct OrderNumbers {
    static constexpr int kMinNumber = 1;
    static constexpr int kMaxCopyVerification = 100000;
    static constexpr int kMaxLegalization = 1000000;

    int copyVerification = 1;     // SpinEdit2
    int legalization = 1;         // SpinEdit4
    int copyVerificationYear = 0; // SpinEdit5
    int legalizationYear = 0;     // SpinEdit6

    int number(ClauseKind kind) const;
    int year(ClauseKind kind) const;
    // Sets the field of a numbered kind as the field itself would take it.
    void setNumber(ClauseKind kind, int value);

    bool operator==(const OrderNumbers&) const = default;
};

// The designation rule in force for a kind: the form ([Cislovani] Tvar), the
// chosen book and that book's text. The clause and its book record both look
// it up here, so they always carry the same designation.
struct DesignationRule {
    QString form;
    QString book; // "0" for none, else "1" to "10"
    QString bookText;

    static DesignationRule read(const SettingsStore& settings, ClauseKind kind);
    QString designation(int number, int year) const;
};

// One number issued to one clause.
struct IssuedNumber {
    ClauseKind kind = ClauseKind::CopyVerification;
    int number = 0;
    int year = 0;
    QString designation;
    QString book; // as in DesignationRule: "0" for none, else "1" to "10"
    // The counter of the sequence used, and the next number it must hold.
    Setting counter;
    int nextNumber = 0;
    // What the counter held when the batch began (set by a printing batch).
    int counterBefore = 0;
};

// Issues the next number of a numbered kind from the fields: the designation
// of the field's number, the field advanced by one, the other kind's field
// set equal when both kinds keep the same book (or none), and the counter to
// store. Reads the settings, writes nothing.
IssuedNumber issueNumber(const SettingsStore& settings, ClauseKind kind, OrderNumbers& numbers);

// The counter a book choice loads its order number from: entry 0 the shared
// counter, entry 1 to 10 that book's counter.
Setting counterOfChoice(int entry);
