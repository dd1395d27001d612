#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The designation of one order number as the book record prints it: the same
// forms as on the clause, from [Cislovani] Tvar, the book chosen for the
// activity and that book's text. It only reads the settings: the numbers on
// the record were issued when the clauses were printed. "chyba" for an
// activity other than "VIDIMACE" or "LEGALIZACE".
QString oznaceni(const SettingsStore& settings, const QString& cinnost, int poradi, int rok);
