#include "book/BookLabel.h"

#include "printing/Pen.h"
#include "settings/Conversion.h"

namespace {

// Fixed offsets in printer pixels, whatever the resolution. "10." is pulled
// left by about one 8 pt digit at 600 dpi so that its dot stands under the
// dots of the one-digit item numbers.
constexpr int kGap = 20;
constexpr int kDateRaise = 17;
constexpr int kWideGap = 40;
constexpr int kTenOutdent = 37;

void printBold(Pen& pen, const QString& text) {
    pen.setBold(true);
    pen.printText(text);
    pen.setRegular();
}

// Item 1: six designations a line; the second line starts under the first
// designation. Every designation but the last is followed by ", ".
void printDesignations(Pen& pen, const QStringList& designations) {
    pen.printText(QStringLiteral("1. "));
    const int indent = pen.penX;
    for (qsizetype i = 0; i < designations.size(); ++i) {
        if (i == kBookDesignationsPerLine) {
            pen.printEnter();
            pen.penX = indent;
        }
        pen.printText(designations[i]);
        if (i + 1 < designations.size())
            pen.printText(QStringLiteral(", "));
    }
}

// Item 2: the date in 10 pt bold, raised to stand level with the 8 pt "2. ".
// The line after item 1 is as high as a 10 pt line.
void printDate(Pen& pen, const QDate& date) {
    pen.penY += kGap;
    pen.setSize(kBookDatePoints);
    pen.printEnter();
    pen.setSize(kBookTextPoints);
    pen.printText(QStringLiteral("2. "));
    pen.penY -= kDateRaise;
    pen.setSize(kBookDatePoints);
    printBold(pen, shortDateText(date));
}

void printFee(Pen& pen, const QString& fee) {
    if (fee.isEmpty())
        return;
    pen.printEnter();
    pen.penX -= kTenOutdent;
    pen.printText(QStringLiteral("10. ") + fee);
}

} // namespace

void drawBookLabel(Pen& pen, const CopyVerificationRecord& r) {
    pen.setFont(r.face, kBookTextPoints);
    printDesignations(pen, r.designations);

    printDate(pen, r.date);
    pen.printEnter();
    pen.setSize(kBookTextPoints);

    // Items 3 to 7 concern legalizations only; item 6 has no line at all.
    for (const char* item : {"3. ---", "4. ---", "5. ---", "7. ---"}) {
        pen.printText(QString::fromLatin1(item));
        pen.printEnter();
    }

    pen.printText(QStringLiteral("8. "));
    const int indent = pen.penX;
    pen.printText(r.sourceLine);
    pen.printEnter();
    pen.penX = indent;
    pen.printText(r.outputLine);
    pen.penY += kGap;
    pen.printEnter();

    pen.printText(QStringLiteral("9. "));
    printBold(pen, r.documentKind);
    pen.penY += kGap;

    printFee(pen, r.fee);
}

void drawBookLabel(Pen& pen, const LegalizationRecord& r) {
    pen.setFont(r.face, kBookTextPoints);
    printDesignations(pen, r.designations);

    printDate(pen, r.date);
    pen.penY += kWideGap;
    pen.printEnter();
    pen.setSize(kBookTextPoints);

    pen.printText(QStringLiteral("3. "));
    printBold(pen, r.applicant);
    pen.printEnter();

    pen.printText(QStringLiteral("4. "));
    if (r.addressSource != AddressSource::Document) {
        const int indent = pen.penX;
        pen.printText(r.addressSource == AddressSource::Declaration
                          ? QStringLiteral("Na základě prohlášení žadatele:")
                          : QStringLiteral("Dle AISEO:"));
        pen.printEnter();
        pen.penX = indent;
    }
    printBold(pen, r.address);
    pen.printEnter();

    pen.printText(QStringLiteral("5. ") + r.documentKind + u' ');
    if (!r.state.isEmpty())
        pen.printText(r.state + u' ');
    pen.printText(r.documentNumber);
    pen.penY += kWideGap;
    pen.printEnter();

    pen.printText(QStringLiteral("7. ") + r.signature);
    pen.printEnter();

    pen.printText(QStringLiteral("8. ---"));
    pen.penY += kGap;
    pen.printEnter();

    pen.printText(QStringLiteral("9. "));
    printBold(pen, r.signedDocument);
    pen.penY += kGap;

    printFee(pen, r.fee);
}
