#pragma once

#include <QDate>
#include <QString>

// Strict whole-number parsing: optional sign and decimal digits only, within
// 32 bits. Anything else throws "'%s' is not a valid integer value".
int strToInt(const QString& text);

// Non-throwing variant for places that must tolerate hand edits.
bool tryStrToInt(const QString& text, int& value);

// Czech short date as the program shows and prints it: 14.08.2019.
QString shortDateText(const QDate& date);

// Day and month without leading zeros: 14.8.2019 (municipal clauses).
QString plainDateText(const QDate& date);

// Parses a Czech short date ("14.8.2019", "14.08.2019", also with a two-digit
// year); throws "'%s' is not a valid date".
QDate strToDate(const QString& text);
