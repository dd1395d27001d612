#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class Pen;

// The record of one applicant's batch on a 44 x 133 mm label of the
// certification book, as the book-label window gathers it.
struct CopyVerificationRecord {
    QStringList designations;               // item 1, first to last order number
    QDate date;                             // item 2
    QString sourceLine;                     // item 8, first line (Edit1)
    QString outputLine;                     // item 8, second line (Edit6)
    QString documentKind;                   // item 9 (Edit2)
    QString fee;                            // item 10; empty prints no item 10
    QString face = QStringLiteral("Arial"); // [Font] UdajeFont
};

enum class AddressSource {
    Document,    // the address stands in the identity document
    Declaration, // the applicant declared it
    Aiseo,       // looked up in the AISEO register
};

struct LegalizationRecord {
    QStringList designations; // item 1
    QDate date;               // item 2
    QString applicant;        // item 3: name, date and place of birth
    AddressSource addressSource = AddressSource::Document;
    QString address;        // item 4
    QString documentKind;   // item 5: kind of identity document (Edit9)
    QString state;          // item 5: issuing state, empty for a Czech document
    QString documentNumber; // item 5: "č." and the number (Edit8)
    QString signature;      // item 7
    QString signedDocument; // item 9
    QString fee;            // item 10; empty prints no item 10
    QString face = QStringLiteral("Arial");
};

// Sizes of the record's text in points.
inline constexpr int kBookTextPoints = 8;
inline constexpr int kBookDatePoints = 10;
inline constexpr int kBookDesignationsPerLine = 6;

// Draws the record from the pen's position (lineX, penY): items "1." to
// "10." one under the other. Runs are never wrapped or clipped.
void drawBookLabel(Pen& pen, const CopyVerificationRecord& record);
void drawBookLabel(Pen& pen, const LegalizationRecord& record);
