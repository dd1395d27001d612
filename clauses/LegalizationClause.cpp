#include "clauses/LegalizationClause.h"

#include "printing/ClauseFonts.h"
#include "printing/Pen.h"
#include "settings/Conversion.h"

namespace {

// Chosen in bold, rejected struck. The style is left in force, because some
// lines break in the style of their last alternative.
void printSignatureAlternative(Pen& pen, const QString& text, bool chosen) {
    pen.setRegular();
    if (chosen)
        pen.setBold(true);
    else
        pen.setStrikeOut(true);
    pen.printText(text);
}

// Chosen stays regular, rejected is struck; the style is left in force.
void printAddressAlternative(Pen& pen, const QString& text, bool chosen) {
    pen.setRegular();
    pen.setStrikeOut(!chosen);
    pen.printText(text);
}

void printRegular(Pen& pen, const QString& text) {
    pen.setRegular();
    pen.printText(text);
}

void printBold(Pen& pen, const QString& text) {
    pen.setBold(true);
    pen.printText(text);
    pen.setRegular();
}

} // namespace

QString documentWord(int documentKind) {
    switch (documentKind) {
    case 0:
    case 5:
        return QStringLiteral("občanský průkaz");
    case 2:
    case 3:
    case 6:
        return QStringLiteral("cestovní pas");
    case 4:
        return QStringLiteral("průkaz o povolení pobytu cizince");
    case 7:
        return QStringLiteral("identifikační průkaz vydaný MZV ČR");
    default:
        return {};
    }
}

std::optional<Refusal> legalizationRefusal(const QString& applicant, int documentKind, const QString& address,
                                           const QString& documentNumber) {
    if (applicant.isEmpty())
        return Refusal{
            QStringLiteral("Zapomněli jste vyplnit jméno, příjmení, datum a místo narození žadatele."),
            QStringLiteral("ComboBox14")};
    if (documentKind == kNoDocumentKind)
        return Refusal{QStringLiteral("Vyberte prosím druh dokladu."), QStringLiteral("ComboBox7")};
    if (address.isEmpty())
        return Refusal{QStringLiteral("Zapomněli jste vyplnit adresu místa pobytu."),
                       QStringLiteral("Edit3")};
    if (documentNumber.isEmpty())
        return Refusal{QStringLiteral("Zapomněli jste vyplnit číslo dokladu."), QStringLiteral("Edit4")};
    return std::nullopt;
}

QString documentCheckQuestion(const QString& documentCheckState) {
    if (documentCheckState == QLatin1String("danger"))
        return QStringLiteral("Tento doklad byl nalezen v databázi neplatných dokladů MVČR. Opravdu chcete "
                              "vytisknout legalizační doložku?");
    if (documentCheckState == QLatin1String("error"))
        return QStringLiteral(
            "Ověřování dokladu vůči databázi neplatných dokladů MVČR skončilo chybou. Opravdu "
            "chcete vytisknout legalizační doložku?");
    return {};
}

void drawLegalization(Pen& pen, const LegalizationParticulars& p, const QString& designation) {
    pen.setFont(p.headingFace, kHeadingPoints, true);
    pen.drawAt(pen.lineX, pen.penY, QStringLiteral("OVĚŘOVACÍ DOLOŽKA PRO LEGALIZACI"));
    pen.printEnter();

    pen.setFont(p.basicFace, kBasicPoints);
    pen.printText(QStringLiteral("Podle ověřovací knihy ") + p.officeGenitive);
    pen.printEnter();

    pen.printText(QStringLiteral("poř. č. legalizace "));
    printBold(pen, designation);
    pen.printEnter();

    const bool electronic = p.signingManner == 2;
    printSignatureAlternative(pen, QStringLiteral("vlastnoručně podepsal*"), p.signingManner == 0);
    printRegular(pen, QStringLiteral(" - "));
    printSignatureAlternative(pen, QStringLiteral("uznal podpis na listině za vlastní*"),
                              p.signingManner == 1);
    printRegular(pen, QStringLiteral(" - "));
    printSignatureAlternative(pen, QStringLiteral("uznal "), electronic);
    pen.printEnter();
    pen.printText(QStringLiteral("elektronický podpis na elektronickém dokumentu za vlastní*"));
    pen.printEnter();

    pen.setFont(p.dataFace, kBasicPoints, true);
    pen.printText(p.applicant);
    pen.printEnter();

    pen.setFont(p.basicFace, kSmallPoints);
    pen.printText(QStringLiteral("jméno/a, příjmení, datum a místo narození žadatele"));
    pen.printEnter();

    pen.setFont(p.dataFace, kBasicPoints, true);
    pen.printText(p.address);
    pen.printEnter();

    // "na území" and "České Republiky*" are one alternative split over two lines.
    pen.setFont(p.basicFace, kSmallPoints);
    printAddressAlternative(pen, QStringLiteral("adresa místa trvalého pobytu*"), p.addressKind == 0);
    printRegular(pen, QStringLiteral(" - "));
    printAddressAlternative(pen, QStringLiteral("adresa místa pobytu na území"), p.addressKind == 1);
    pen.printEnter();
    pen.printText(QStringLiteral("České Republiky*"));
    printRegular(pen, QStringLiteral(" - "));
    printAddressAlternative(pen, QStringLiteral("adresa bydliště mimo území České Republiky*"),
                            p.addressKind == 2);
    pen.printEnter();

    pen.setFont(p.dataFace, kBasicPoints, true);
    pen.printText(documentWord(p.documentKind) + QStringLiteral(" č.") + p.documentNumber);
    pen.printEnter();

    pen.setFont(p.basicFace, kTinyPoints);
    pen.printText(QStringLiteral(
        "druh a číslo dokladu, na základě kterého byly zjištěny osobní údaje, uvedené v této "));
    pen.printText(QStringLiteral("ověřovací doložce"));
    pen.printEnter();

    pen.setSize(kBasicPoints);
    pen.printText(p.place + QStringLiteral(" dne "));
    printBold(pen, shortDateText(p.date));
    pen.printEnter();

    printBold(pen, p.officer);
    pen.printEnter();

    pen.setSize(kSmallPoints);
    pen.drawAt(pen.lineX, pen.penY,
               QStringLiteral("Jméno a příjmení osoby, která legalizaci provedla (nebo otisk jmenovky)"));
    pen.printEnter();

    // With an electronic signature the stamp line is the rejected one.
    if (electronic) {
        pen.setStrikeOut(true);
    } else {
        pen.setSize(kBasicPoints);
    }
    pen.printText(QStringLiteral("Otisk úředního razítka a podpis ověřující osoby*"));
    pen.printEnter();

    pen.setFont(p.basicFace, kTinyPoints, false, !electronic);
    pen.printText(
        QStringLiteral("Kvalifikovaný elektronický podpis ověřující osoby a kvalifikované elektronické "
                       "časové razítko*"));
    pen.printEnter();

    pen.setFont(p.basicFace, kSmallPoints);
    pen.printText(QStringLiteral("* Nehodící se škrtněte"));
}
