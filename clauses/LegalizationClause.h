#pragma once

#include "clauses/Refusal.h"

#include <QDate>
#include <QString>
#include <optional>

class Pen;

// Everything the legalization clause prints, gathered by the caller.
// Indexes are the selected items of the form's lists; -1 is no selection.
struct LegalizationParticulars {
    QString officeGenitive; // [Organizace] Organizace2pad
    QString place;          // [Organizace] Kde
    int signingManner = 0;  // ComboBox5: 0 signed, 1 acknowledged on paper, 2 electronic
    QString applicant;      // ComboBox14: name, surname, date and place of birth
    int addressKind = 0;    // ComboBox6: 0 permanent, 1 in the Czech Republic, 2 abroad
    QString address;        // Edit3
    int documentKind = 0;   // ComboBox7
    QString documentNumber; // Edit4
    QDate date;             // DateTimePicker2
    QString officer;        // ComboBox8, the selected name
    QString headingFace = QStringLiteral("Arial"); // [Font] NadpisFont
    QString basicFace = QStringLiteral("Arial");   // [Font] ZakladniFont
    QString dataFace = QStringLiteral("Arial");    // [Font] UdajeFont
};

// The item of ComboBox7 that separates the Czech documents from the foreign
// ones; it names no document and may not be chosen.
inline constexpr int kNoDocumentKind = 1;

// The short name of the identity document printed on the clause; empty for
// the separator and for no selection.
QString documentWord(int documentKind);

// The first failing check of the applicant's particulars, in the order the
// clerk fills them in. Empty means no characters at all; blanks pass.
std::optional<Refusal> legalizationRefusal(const QString& applicant, int documentKind, const QString& address,
                                           const QString& documentNumber);

// The confirmation asked before any clause is printed after the document
// check found the document invalid ("danger") or failed ("error"); empty when
// nothing needs confirming.
QString documentCheckQuestion(const QString& documentCheckState);

// Draws the clause from the pen's position (lineX, penY).
void drawLegalization(Pen& pen, const LegalizationParticulars& particulars, const QString& designation);
