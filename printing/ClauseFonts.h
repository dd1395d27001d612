#pragma once

#include <QString>

class SettingsStore;

// The typefaces and the two configurable sizes of the clauses ([Font]).
// Copy-verification and legalization clauses use only the faces; their sizes
// are fixed (kHeadingPoints ... kTinyPoints).
struct ClauseFonts {
    QString basicFace = QStringLiteral("Arial");   // ZakladniFont
    int basicSize = 6;                             // ZakladniVelikost
    QString headingFace = QStringLiteral("Arial"); // NadpisFont
    int headingSize = 8;                           // NadpisVelikost
    QString dataFace = QStringLiteral("Arial");    // UdajeFont

    // A 48 mm label holds about 136 points; a size outside 1 to this can only be
    // a typing error in the settings file, and would print nothing useful.
    static constexpr int kMaxPoints = 100;

    // Reads ZakladniFont, ZakladniVelikost, NadpisFont, NadpisVelikost and
    // UdajeFont in that order; sizes are parsed strictly. Throws AppError for
    // a size that is not a whole number or not between 1 and kMaxPoints.
    static ClauseFonts read(const SettingsStore& settings);
};

// Fixed sizes of the copy-verification and legalization clauses, in points.
inline constexpr int kHeadingPoints = 7;
inline constexpr int kBasicPoints = 6;
inline constexpr int kSmallPoints = 5;
inline constexpr int kTinyPoints = 4;
