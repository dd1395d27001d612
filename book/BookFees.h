#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// Item 10 of the book record: the fee paid, or the legal ground of an
// exemption picked from these lists. The first item of each is the empty
// text, which prints no item 10.
QStringList copyVerificationExemptions();
QStringList legalizationExemptions();

// The fee of one certification in Kč: [Poplatky] vidimace or legalizace
// (default "30"), parsed strictly; throws the conversion error.
int copyVerificationFee(const SettingsStore& settings);
int legalizationFee(const SettingsStore& settings);

// "<fee x count x pages> Kč", in decimal without grouping. The product is
// formed in 64 bits, so a large fee in the settings never wraps round.
QString feeText(int fee, int count, int pages = 1);
