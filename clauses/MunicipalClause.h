#pragma once

#include "clauses/Refusal.h"

#include <QDate>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

class Pen;
class SettingsStore;
struct ClauseFonts;

// The organisation block that opens both municipal clauses, and the fonts of
// those clauses: everything in one face ([Font] NadpisFont).
struct MunicipalHeader {
    QString name;                           // [Organizace] Nazev
    QString ic;                             // [Organizace] IC
    QString address1;                       // [Organizace] Adresa1
    QString address2;                       // [Organizace] Adresa2
    QString address3;                       // [Organizace] Adresa3
    QString face = QStringLiteral("Arial"); // [Font] NadpisFont
    int headingSize = 8;                    // [Font] NadpisVelikost
    int basicSize = 6;                      // [Font] ZakladniVelikost
    QImage logo;                            // the organisation logo; a null image draws none
};

// The intention clause ("ZÁMĚR").
struct IntentionParticulars {
    QString number;           // Edit2
    int intentionItem = 0;    // ComboBox10 item 0 to 6; kTypedIntention for a typed text
    QString intentionText;    // ComboBox10 text, printed when typed
    QDate publishedFrom;      // DateTimePicker3
    QDate publishedTo;        // DateTimePicker4
    QString approvingBody;    // ComboBox11, in the instrumental case
    QDate resolutionDate;     // DateTimePicker5
    QString resolutionNumber; // Edit5
};

inline constexpr int kTypedIntention = -1;

// The approval clause ("SCHVÁLENÍ").
struct ApprovalParticulars {
    QString statement;        // ComboBox12
    QString body;             // ComboBox13, in the genitive case
    QString resolutionNumber; // Edit6
    QDate resolutionDate;     // DateTimePicker6
};

std::optional<Refusal> intentionRefusal(const QString& intentionNumber, const QString& resolutionNumber);
std::optional<Refusal> approvalRefusal(const QString& resolutionNumber);

// Reads the organisation block (with the defaults of a fresh installation)
// and takes the face and sizes from fonts; the logo is left to the caller.
MunicipalHeader readMunicipalHeader(const SettingsStore& settings, const ClauseFonts& fonts);

// Keeps the resolution of the last approval ([DPJ]) to offer it next time.
void rememberApproval(SettingsStore& settings, const ApprovalParticulars& particulars);

// The logo box: 450 x 320 printer pixels at (lineX, originY); an upright or
// square picture is scaled to the box's height and centred across it, a wide
// one to its width and centred on the box's middle (a wide picture less wide
// than the box's proportions comes out taller than the box). Empty for an
// empty picture.
QRect logoRect(QSize image, int lineX, int originY);

// The layouts draw from the pen's position (lineX, penY), the logo last.
void drawIntention(Pen& pen, const MunicipalHeader& header, const IntentionParticulars& particulars);
void drawApproval(Pen& pen, const MunicipalHeader& header, const ApprovalParticulars& particulars);
