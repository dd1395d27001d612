#pragma once

#include <QString>

// The designation printed on a clause and on the book record: order number N,
// year Y and the designation B of the chosen book, in one of seven forms
// ([Cislovani] Tvar "0" to "6"). bookChoice is the stored choice: "0" means
// no book, anything else names the book whose text is bookText.
//   no book:  N/Y, or N alone in form "5"
//   "0" B/N/Y  "1" N/B/Y  "2" B-N/Y  "3" N-B/Y  "4" N/B  "5" N  "6" N/Y/B
// A book with any other form gives "chyba".
QString formatDesignation(const QString& tvar, const QString& bookChoice, const QString& bookText, int number,
                          int year);

inline const QString kDesignationError = QStringLiteral("chyba");
