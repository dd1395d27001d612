#pragma once

class SettingsStore;

// Rounds to the nearest whole number, an exact half to the even neighbour,
// whatever the floating-point environment says.
double roundHalfEven(double value);

// Whole millimetres to printer pixels at dpi: mm x dpi as a whole number,
// divided by 25.4, rounded half to even. Every geometry value is converted on
// its own and the pixels are added afterwards, so rounding never accumulates.
// A dpi of zero or below, or a product beyond 32 bits (a length of kilometres),
// throws AppError.
int mmToDPI(int mm, int dpi);

// The same with [Printer] dpi, read afresh on every call and parsed strictly:
// an empty or non-numeric value throws the conversion error.
int mmToDPI(const SettingsStore& settings, int mm);
