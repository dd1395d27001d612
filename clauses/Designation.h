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

// A stored book choice names book 1 to 10; anything else (a hand edit, a
// missing key) counts as no book ("0") rather than inventing keys like
// "Kniha" or "CisloKniha". The clause and its book record use the same rule,
// so both carry the same designation.
QString normalisedBookChoice(const QString& stored);
