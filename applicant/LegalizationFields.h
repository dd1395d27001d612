#pragma once

#include <QString>

// The applicant's particulars of the legalization group box, gathered from
// the main window so that saving, restoring and the eID import work on plain
// values. Indexes are combo-box indexes (-1 for no selection).
struct LegalizationFields {
    QString applicant;      // ComboBox14: name, surname, date and place of birth
    int signing = 0;        // ComboBox5: manner of signing
    int addressKind = 0;    // ComboBox6: kind of address
    bool man = true;        // RadioButton1 ("muž"); RadioButton2 ("žena") otherwise
    QString address;        // Edit3
    int documentKind = 0;   // ComboBox7: kind of identity document
    QString documentNumber; // Edit4

    bool operator==(const LegalizationFields&) const = default;
};
