#pragma once

#include <QPoint>

class SettingsStore;

// The clause-label sheet: twelve labels in two columns and six rows. All
// values are printer pixels, each converted from its own millimetre setting.
struct SheetGeometry {
    int a = 0; // top margin to the first row
    int b = 0; // text below the top edge of a label
    int c = 0; // label height (row pitch with d)
    int d = 0; // gap between rows
    int z = 0; // left margin to the first column
    int y = 0; // text right of the left edge of a label
    int x = 0; // label width (column pitch with w)
    int w = 0; // gap between columns

    static constexpr int kPositions = 12;

    // Reads [Stitky] a, b, c, d, z, y, x, w in that order, each parsed strictly
    // and converted with [Printer] dpi. Throws AppError (conversion error,
    // unusable dpi, or a sheet so large that its labels leave the range the
    // printer coordinates can take) before anything is printed.
    static SheetGeometry read(const SettingsStore& settings);

    // Top-left corner of the clause text on position 1 to 12 (left to right,
    // top to bottom). Throws AppError for any other position or an unusable sheet.
    QPoint textOrigin(int position) const;
};

// The book-label sheet: six labels in one column.
struct BookSheetGeometry {
    int a = 0; // top margin to the first label
    int b = 0; // text below the top edge of a label
    int c = 0; // label height
    int d = 0; // gap between labels
    int z = 0; // left margin to the labels
    int y = 0; // text right of the left edge of a label

    static constexpr int kPositions = 6;

    // Reads [Stitky] ka, kb, kc, kd, kz, ky in that order, as SheetGeometry::read.
    static BookSheetGeometry read(const SettingsStore& settings);

    // Top-left corner of the record text on position 1 to 6 (top to bottom).
    QPoint textOrigin(int position) const;
};

// Text origins beyond this many pixels (hundreds of metres at any real
// resolution) come only from a mistyped setting; refusing them keeps every
// pen and painter coordinate far from overflow.
inline constexpr int kMaxSheetCoordinate = 1 << 24;
