#include "clauses/CopyVerificationClause.h"

#include "printing/ClauseFonts.h"
#include "printing/Pen.h"
#include "settings/Conversion.h"

#include <iterator>

namespace {

// A run in bold when chosen, struck otherwise; the style returns to regular.
void printAlternative(Pen& pen, const QString& text, bool chosen) {
    if (chosen)
        pen.setBold(true);
    else
        pen.setStrikeOut(true);
    pen.printText(text);
    pen.setRegular();
}

void printBold(Pen& pen, const QString& text) {
    pen.setBold(true);
    pen.printText(text);
    pen.setRegular();
}

const QString kSourceStates[] = {
    QStringLiteral("prvopisem*"),
    QStringLiteral("ověřenou vidimovanou listinou*"),
    QStringLiteral("listinou, která je výstupem z autorizované konverze dokumentů*"),
    QStringLiteral("opisem nebo kopií pořízenou ze spisu*"),
    QStringLiteral("stejnopisem písemného vyhotovení rozhodnutí nebo výroku rozhodnutí*,"),
};

} // namespace

std::optional<Refusal> copyVerificationRefusal(int outputPages, int sourcePages) {
    if (outputPages > sourcePages)
        return Refusal{
            QStringLiteral(
                "Výstupní vidimovaná listina nemůže mít více stran než vstupní vidimovaná listina."),
            QStringLiteral("SpinEdit1")};
    return std::nullopt;
}

void drawCopyVerification(Pen& pen, const CopyVerificationParticulars& p, const QString& designation) {
    pen.setFont(p.headingFace, kHeadingPoints, true);
    pen.drawAt(pen.lineX, pen.penY, QStringLiteral("OVĚŘOVACÍ DOLOŽKA PRO VIDIMACI"));
    pen.printEnter();

    pen.setFont(p.basicFace, kBasicPoints);
    pen.printText(QStringLiteral("Podle ověřovací knihy ") + p.officeGenitive);
    pen.printEnter();

    pen.printText(QStringLiteral("Poř. č. vidimace "));
    pen.setBold(true);
    pen.printText(designation);
    pen.printEnter();
    pen.setRegular();

    pen.printText(QStringLiteral("Tento/tato "));
    if (p.completeness == 0) {
        printAlternative(pen, QStringLiteral("úplný/á*"), true);
        pen.printText(QStringLiteral(" - "));
        // Only here the rejected partial output goes without its asterisk.
        printAlternative(pen, QStringLiteral("částečný/á"), false);
    } else {
        printAlternative(pen, QStringLiteral("úplný/á*"), false);
        pen.printText(QStringLiteral(" - "));
        printAlternative(pen, QStringLiteral("částečný/á*"), p.completeness == 1);
    }
    pen.printText(QStringLiteral(" "));
    printAlternative(pen, QStringLiteral("opis*"), p.form == 0);
    pen.printText(QStringLiteral(" / "));
    printAlternative(pen, QStringLiteral("kopie*"), p.form == 1);
    pen.printText(QStringLiteral(", obsahující "));
    printBold(pen, QString::number(p.outputPages));
    pen.printText(QStringLiteral(" stran"));
    pen.printEnter();

    pen.printText(QStringLiteral("souhlasí doslovně s předloženou listinou,"));
    pen.printEnter();
    pen.printText(QStringLiteral("z níž byl/a pořízen/a a tato listina je"));
    pen.printEnter();

    // A struck state is also smaller, and its line break advances less.
    for (int k = 0; k < int(std::size(kSourceStates)); ++k) {
        const bool chosen = k == p.sourceState;
        pen.setSize(chosen ? kBasicPoints : kSmallPoints);
        if (chosen)
            pen.setBold(true);
        else
            pen.setStrikeOut(true);
        pen.printText(kSourceStates[k]);
        pen.printEnter();
        pen.setRegular();
    }
    pen.setSize(kBasicPoints);

    pen.printText(QStringLiteral("obsahujícím "));
    printBold(pen, QString::number(p.sourcePages));
    pen.printText(QStringLiteral(" stran. Listina, z níž je vidimovaná listina pořízena, "));
    pen.printEnter();

    printAlternative(pen, QStringLiteral("obsahuje"), p.securityFeature == 1);
    pen.printText(QStringLiteral("/"));
    printAlternative(pen, QStringLiteral("neobsahuje*"), p.securityFeature == 0);
    pen.printText(QStringLiteral(" viditelný zajišťovací prvek."));
    pen.printEnter();

    pen.printText(p.place + QStringLiteral(" dne "));
    printBold(pen, shortDateText(p.date));
    pen.printEnter();

    printBold(pen, p.officer);
    pen.printEnter();

    pen.setSize(kSmallPoints);
    pen.printText(QStringLiteral("Jméno a příjmení osoby, která vidimaci provedla (nebo otisk jmenovky)"));
    pen.printEnter();

    pen.setSize(kBasicPoints);
    pen.printText(QStringLiteral("Otisk úředního razítka a podpis ověřující osoby"));
    pen.printEnter();

    pen.setSize(kSmallPoints);
    pen.printText(QStringLiteral("* Nehodící se škrtněte"));
}
