#pragma once

#include "clauses/Refusal.h"

#include <QDate>
#include <QString>
#include <optional>

class Pen;

// Everything the copy-verification clause prints, gathered by the caller.
// Indexes are the selected items of the form's lists; -1 is no selection.
struct CopyVerificationParticulars {
    QString officeGenitive;                        // [Organizace] Organizace2pad
    QString place;                                 // [Organizace] Kde
    int completeness = 0;                          // ComboBox1: 0 complete, 1 partial
    int form = 1;                                  // ComboBox2: 0 transcript, 1 copy
    int outputPages = 1;                           // SpinEdit1
    int sourceState = 0;                           // ComboBox3: 0 to 4
    int sourcePages = 1;                           // SpinEdit3
    int securityFeature = 0;                       // ComboBox9: 0 without, 1 with
    QDate date;                                    // DateTimePicker1
    QString officer;                               // ComboBox4, the selected name
    QString headingFace = QStringLiteral("Arial"); // [Font] NadpisFont
    QString basicFace = QStringLiteral("Arial");   // [Font] ZakladniFont
};

// The output cannot have more pages than the document it was made from
// (focus SpinEdit1); equal counts pass.
std::optional<Refusal> copyVerificationRefusal(int outputPages, int sourcePages);

// Draws the clause from the pen's position (lineX, penY): the statutory
// alternatives all printed, the chosen one bold and the others struck.
void drawCopyVerification(Pen& pen, const CopyVerificationParticulars& particulars,
                          const QString& designation);
