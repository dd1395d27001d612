#include "TestSupport.h"

#include "clauses/CopyVerificationClause.h"
#include "clauses/LegalizationClause.h"
#include "clauses/MunicipalClause.h"
#include "printing/ClauseFonts.h"
#include "printing/Pen.h"
#include "settings/SettingsStore.h"
#include "support/RecordingSurface.h"

#include <optional>

namespace {

// Expected output is written as lines of runs. Each line names the face and
// size of its runs, the size in force at its break (0: the clause ends
// there), where its first run starts relative to lineX, and any pixels the
// layout adds to penY after the break. Positions follow from the recording
// surface's metrics, so every run is checked at its exact place.
struct Run {
    QString text;
    char style = 'R'; // R regular, B bold, S struck
};
Run R(const QString& text) {
    return {text, 'R'};
}
Run B(const QString& text) {
    return {text, 'B'};
}
Run S(const QString& text) {
    return {text, 'S'};
}

struct Line {
    QString face;
    int size = 0;
    QList<Run> runs;
    int breakSize = 0;
    int indent = 0;
    int extraDown = 0;
};
using Lines = QList<Line>;
using Patch = QMap<int, Line>; // replacements, by line number counted from 1

const QString H = QStringLiteral("Nadpis");
const QString Z = QStringLiteral("Zaklad");
const QString U = QStringLiteral("Udaje");

constexpr int kW = RecordingSurface::kWidthPerPoint;
constexpr int kH = RecordingSurface::kHeightPerPoint;

QString describe(int x, int y, const QString& face, int size, char style, const QString& text) {
    return QStringLiteral("y=%1 x=%2 %3 %4 %5 \"%6\"")
        .arg(y)
        .arg(x)
        .arg(face)
        .arg(size)
        .arg(QChar(style))
        .arg(text);
}

QStringList describe(const QList<RecordedRun>& runs) {
    QStringList out;
    for (const RecordedRun& r : runs) {
        const char style = r.bold && r.strikeOut ? '!' : r.bold ? 'B' : r.strikeOut ? 'S' : 'R';
        out << describe(r.x, r.y, r.face, r.size, style, r.text);
    }
    return out;
}

struct Expected {
    QStringList runs;
    QPoint pen;
};

Expected expect(QPoint origin, const Lines& lines) {
    Expected e;
    int y = origin.y();
    int x = origin.x();
    for (const Line& line : lines) {
        x = origin.x() + line.indent;
        for (const Run& run : line.runs) {
            if (run.text.isEmpty())
                continue; // an empty text draws nothing and does not move the pen
            e.runs << describe(x, y, line.face, line.size, run.style, run.text);
            x += int(run.text.size()) * line.size * kW;
        }
        if (line.breakSize > 0) {
            y += line.breakSize * kH + line.extraDown;
            x = origin.x();
        }
    }
    e.pen = QPoint(x, y);
    return e;
}

Lines patched(Lines lines, const Patch& patch) {
    for (auto it = patch.cbegin(); it != patch.cend(); ++it)
        lines[it.key() - 1] = it.value();
    return lines;
}

#define COMPARE_DRAWING(surface, pen, expected)                                                              \
    do {                                                                                                     \
        QCOMPARE(describe((surface).runs()), (expected).runs);                                               \
        QCOMPARE(QPoint((pen).penX, (pen).penY), (expected).pen);                                            \
    } while (false)

const QPoint kOrigin(2622, 1275);

// ---- copy verification ----

CopyVerificationParticulars copyParticulars() {
    CopyVerificationParticulars p;
    p.officeGenitive = QStringLiteral("Obecního úřadu Zididuzado Dazuz");
    p.place = QStringLiteral("V Dudeverodu Zered");
    p.date = QDate(2019, 8, 14);
    p.officer = QStringLiteral("Jana Nováková");
    p.headingFace = H;
    p.basicFace = Z;
    return p;
}

Lines copyLines(const QString& office, const QString& place, const QString& officer) {
    return {
        {H, 7, {B("OVĚŘOVACÍ DOLOŽKA PRO VIDIMACI")}, 7},
        {Z, 6, {R("Podle ověřovací knihy " + office)}, 6},
        {Z, 6, {R("Poř. č. vidimace "), B("A/15/2025")}, 6},
        {Z,
         6,
         {R("Tento/tato "), B("úplný/á*"), R(" - "), S("částečný/á"), R(" "), S("opis*"), R(" / "),
          B("kopie*"), R(", obsahující "), B("1"), R(" stran")},
         6},
        {Z, 6, {R("souhlasí doslovně s předloženou listinou,")}, 6},
        {Z, 6, {R("z níž byl/a pořízen/a a tato listina je")}, 6},
        {Z, 6, {B("prvopisem*")}, 6},
        {Z, 5, {S("ověřenou vidimovanou listinou*")}, 5},
        {Z, 5, {S("listinou, která je výstupem z autorizované konverze dokumentů*")}, 5},
        {Z, 5, {S("opisem nebo kopií pořízenou ze spisu*")}, 5},
        {Z, 5, {S("stejnopisem písemného vyhotovení rozhodnutí nebo výroku rozhodnutí*,")}, 5},
        {Z, 6, {R("obsahujícím "), B("1"), R(" stran. Listina, z níž je vidimovaná listina pořízena, ")}, 6},
        {Z, 6, {S("obsahuje"), R("/"), B("neobsahuje*"), R(" viditelný zajišťovací prvek.")}, 6},
        {Z, 6, {R(place + " dne "), B("14.08.2019")}, 6},
        {Z, 6, {B(officer)}, 6},
        {Z, 5, {R("Jméno a příjmení osoby, která vidimaci provedla (nebo otisk jmenovky)")}, 5},
        {Z, 6, {R("Otisk úředního razítka a podpis ověřující osoby")}, 6},
        {Z, 5, {R("* Nehodící se škrtněte")}, 0},
    };
}

const QString kSources[] = {
    QStringLiteral("prvopisem*"),
    QStringLiteral("ověřenou vidimovanou listinou*"),
    QStringLiteral("listinou, která je výstupem z autorizované konverze dokumentů*"),
    QStringLiteral("opisem nebo kopií pořízenou ze spisu*"),
    QStringLiteral("stejnopisem písemného vyhotovení rozhodnutí nebo výroku rozhodnutí*,"),
};

// Lines 7 to 11 with item `chosen` of the source states selected.
Patch sourceLines(int chosen) {
    Patch patch;
    for (int k = 0; k < 5; ++k)
        patch[7 + k] = k == chosen ? Line{Z, 6, {B(kSources[k])}, 6} : Line{Z, 5, {S(kSources[k])}, 5};
    return patch;
}

// ---- legalization ----

LegalizationParticulars legalizationParticulars() {
    LegalizationParticulars p;
    p.officeGenitive = QStringLiteral("Obecního úřadu Zididuzado Dazuz");
    p.place = QStringLiteral("V Dudeverodu Zered");
    p.applicant = QStringLiteral("Jan Novák, 1.1.1980, Praha");
    p.address = QStringLiteral("Dlouhá 5, 110 00 Praha 1");
    p.documentNumber = QStringLiteral("123456789");
    p.date = QDate(2019, 8, 14);
    p.officer = QStringLiteral("Jana Nováková");
    p.headingFace = H;
    p.basicFace = Z;
    p.dataFace = U;
    return p;
}

const Lines kLegalizationLines = {
    {H, 7, {B("OVĚŘOVACÍ DOLOŽKA PRO LEGALIZACI")}, 7},
    {Z, 6, {R("Podle ověřovací knihy Obecního úřadu Zididuzado Dazuz")}, 6},
    {Z, 6, {R("poř. č. legalizace "), B("B/7/2025")}, 6},
    {Z,
     6,
     {B("vlastnoručně podepsal*"), R(" - "), S("uznal podpis na listině za vlastní*"), R(" - "), S("uznal ")},
     6},
    {Z, 6, {S("elektronický podpis na elektronickém dokumentu za vlastní*")}, 6},
    {U, 6, {B("Jan Novák, 1.1.1980, Praha")}, 6},
    {Z, 5, {R("jméno/a, příjmení, datum a místo narození žadatele")}, 5},
    {U, 6, {B("Dlouhá 5, 110 00 Praha 1")}, 6},
    {Z, 5, {R("adresa místa trvalého pobytu*"), R(" - "), S("adresa místa pobytu na území")}, 5},
    {Z, 5, {S("České Republiky*"), R(" - "), S("adresa bydliště mimo území České Republiky*")}, 5},
    {U, 6, {B("občanský průkaz č.123456789")}, 6},
    {Z,
     4,
     {R("druh a číslo dokladu, na základě kterého byly zjištěny osobní údaje, uvedené v této "),
      R("ověřovací doložce")},
     4},
    {Z, 6, {R("V Dudeverodu Zered dne "), B("14.08.2019")}, 6},
    {Z, 6, {B("Jana Nováková")}, 6},
    {Z, 5, {R("Jméno a příjmení osoby, která legalizaci provedla (nebo otisk jmenovky)")}, 5},
    {Z, 6, {R("Otisk úředního razítka a podpis ověřující osoby*")}, 6},
    {Z,
     4,
     {S("Kvalifikovaný elektronický podpis ověřující osoby a kvalifikované elektronické časové razítko*")},
     4},
    {Z, 5, {R("* Nehodící se škrtněte")}, 0},
};

// ---- municipal clauses ----

MunicipalHeader municipalHeader() {
    MunicipalHeader h;
    h.name = QStringLiteral("Obec Zididuzado Dazuz");
    h.ic = QStringLiteral("00123456");
    h.address1 = QStringLiteral("Náměstí 1");
    h.address2 = QStringLiteral("123 45 Zididuzado");
    h.face = H;
    h.headingSize = 8;
    h.basicSize = 6;
    return h;
}

const Lines kHeaderLines = {
    {H, 8, {B("Obec Zididuzado Dazuz")}, 8, 500, 20},
    {H, 6, {R("IČ 00123456")}, 6, 500},
    {H, 6, {R("Náměstí 1")}, 6, 500},
    {H, 6, {R("123 45 Zididuzado")}, 6, 500},
    {H, 6, {}, 8, 500}, // the empty third address line; the break is in the heading size
    {H, 8, {B("DOLOŽKA")}, 8, 650},
    {H, 6, {R("dle § 41 zákona č.128/2000 Sb., o obcích, ve znění pozdějších předpisů")}, 6, 0, 30},
};

IntentionParticulars intentionParticulars() {
    IntentionParticulars p;
    p.number = QStringLiteral("12/2019");
    p.publishedFrom = QDate(2019, 8, 1);
    p.publishedTo = QDate(2019, 8, 16);
    p.approvingBody = QStringLiteral("Zastupitelstvem obce Zididuzado Dazuz");
    p.resolutionDate = QDate(2019, 9, 5);
    p.resolutionNumber = QStringLiteral("3/2019");
    return p;
}

Lines expectedIntention(const QList<Run>& endOfFirst, const QList<Run>& second, const QString& approval) {
    Lines lines = kHeaderLines;
    lines << Line{H, 6, QList<Run>{R("Záměr obce č."), B("12/2019"), R(" ")} + endOfFirst, 6}
          << Line{H, 6, second, 6} << Line{H, 6, {R("od "), B("1.8.2019"), R(" do "), B("16.8.2019")}, 6}
          << Line{H, 6, {}, 6} << Line{H, 6, {R(approval)}, 6}
          << Line{H, 6, {B("Zastupitelstvem obce Zididuzado Dazuz"), R(" dne "), B("5.9.2019")}, 6}
          << Line{H, 6, {R("usnesením č. "), B("3/2019"), R(".")}, 0};
    return lines;
}

ApprovalParticulars approvalParticulars() {
    ApprovalParticulars p;
    p.statement = QStringLiteral("Tato smlouva byla schválena usnesením");
    p.body = QStringLiteral("Zastupitelstva obce Zididuzado Dazuz");
    p.resolutionNumber = QStringLiteral("15/2019");
    p.resolutionDate = QDate(2019, 8, 14);
    return p;
}

QImage picture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(Patch)
Q_DECLARE_METATYPE(std::optional<Refusal>)

class TestClauses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyVerificationInitialForm_data();
    void copyVerificationInitialForm();
    void copyVerificationAlternatives_data();
    void copyVerificationAlternatives();
    void copyVerificationRefusals_data();
    void copyVerificationRefusals();

    void legalizationLines_data();
    void legalizationLines();
    void documentWords_data();
    void documentWords();
    void legalizationRefusals_data();
    void legalizationRefusals();
    void documentCheckQuestions_data();
    void documentCheckQuestions();

    void intentionLines_data();
    void intentionLines();
    void approvalLines();
    void emptyIdentificationNumberStandsAlone();
    void municipalRefusals();
    void logoRects_data();
    void logoRects();
    void logoDrawnLastAtTheLabelOrigin();
    void headerFromSettingsAndApprovalRemembered();
};

void TestClauses::copyVerificationInitialForm_data() {
    QTest::addColumn<QString>("office");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("officer");
    QTest::newRow("filled in") << "Obecního úřadu Zididuzado Dazuz"
                               << "V Dudeverodu Zered"
                               << "Jana Nováková";
    // Empty settings and no verifier: the lines keep their places.
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestClauses::copyVerificationInitialForm() {
    QFETCH(QString, office);
    QFETCH(QString, place);
    QFETCH(QString, officer);
    CopyVerificationParticulars p = copyParticulars();
    p.officeGenitive = office;
    p.place = place;
    p.officer = officer;
    RecordingSurface surface;
    Pen pen(surface, kOrigin.x(), kOrigin.y());
    drawCopyVerification(pen, p, QStringLiteral("A/15/2025"));
    COMPARE_DRAWING(surface, pen, expect(kOrigin, copyLines(office, place, officer)));
    QVERIFY(surface.images().isEmpty());
}

void TestClauses::copyVerificationAlternatives_data() {
    QTest::addColumn<int>("completeness");
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("sourceState");
    QTest::addColumn<int>("security");
    QTest::addColumn<int>("outputPages");
    QTest::addColumn<int>("sourcePages");
    QTest::addColumn<Patch>("patch");

    auto line4 = [](QList<Run> completeness, QList<Run> form, const QString& pages) {
        return Line{Z, 6,
                    QList<Run>{R("Tento/tato ")} + completeness + QList<Run>{R(" ")} + form +
                        QList<Run>{R(", obsahující "), B(pages), R(" stran")},
                    6};
    };
    auto line13 = [](Run with, Run without) {
        return Line{Z, 6, {with, R("/"), without, R(" viditelný zajišťovací prvek.")}, 6};
    };
    const QList<Run> complete = {B("úplný/á*"), R(" - "), S("částečný/á")};
    const QList<Run> partial = {S("úplný/á*"), R(" - "), B("částečný/á*")};
    const QList<Run> copy = {S("opis*"), R(" / "), B("kopie*")};
    const QList<Run> transcript = {B("opis*"), R(" / "), S("kopie*")};

    Patch partialTranscript = sourceLines(0);
    partialTranscript[4] = line4(partial, transcript, "2");
    partialTranscript[12] = {
        Z, 6, {R("obsahujícím "), B("2"), R(" stran. Listina, z níž je vidimovaná listina pořízena, ")}, 6};
    partialTranscript[13] = line13(S("obsahuje"), B("neobsahuje*"));
    QTest::newRow("partial transcript, equal pages") << 1 << 0 << 0 << 0 << 2 << 2 << partialTranscript;

    for (int k = 1; k < 5; ++k) {
        Patch patch = sourceLines(k);
        patch[4] = line4(complete, copy, "1");
        patch[13] = line13(S("obsahuje"), B("neobsahuje*"));
        QTest::addRow("source state %d", k) << 0 << 1 << k << 0 << 1 << 1 << patch;
    }

    Patch secured = sourceLines(3);
    secured[4] = line4(complete, copy, "1");
    secured[13] = line13(B("obsahuje"), S("neobsahuje*"));
    QTest::newRow("security feature") << 0 << 1 << 3 << 1 << 1 << 1 << secured;

    Patch bigCounts = sourceLines(0);
    bigCounts[4] = line4(complete, copy, "1000000");
    bigCounts[12] = {
        Z,
        6,
        {R("obsahujícím "), B("1000000"), R(" stran. Listina, z níž je vidimovaná listina pořízena, ")},
        6};
    bigCounts[13] = line13(S("obsahuje"), B("neobsahuje*"));
    QTest::newRow("page counts without grouping") << 0 << 1 << 0 << 0 << 1000000 << 1000000 << bigCounts;

    // Nothing selected anywhere: no alternative may pass for the chosen one.
    Patch nothing = sourceLines(-1);
    nothing[4] = line4({S("úplný/á*"), R(" - "), S("částečný/á*")}, {S("opis*"), R(" / "), S("kopie*")}, "1");
    nothing[13] = line13(S("obsahuje"), S("neobsahuje*"));
    QTest::newRow("no selection") << -1 << -1 << -1 << -1 << 1 << 1 << nothing;
}

void TestClauses::copyVerificationAlternatives() {
    QFETCH(int, completeness);
    QFETCH(int, form);
    QFETCH(int, sourceState);
    QFETCH(int, security);
    QFETCH(int, outputPages);
    QFETCH(int, sourcePages);
    QFETCH(Patch, patch);
    CopyVerificationParticulars p = copyParticulars();
    p.completeness = completeness;
    p.form = form;
    p.sourceState = sourceState;
    p.securityFeature = security;
    p.outputPages = outputPages;
    p.sourcePages = sourcePages;
    RecordingSurface surface;
    Pen pen(surface, kOrigin.x(), kOrigin.y());
    drawCopyVerification(pen, p, QStringLiteral("A/15/2025"));
    const Lines lines = patched(copyLines(p.officeGenitive, p.place, p.officer), patch);
    COMPARE_DRAWING(surface, pen, expect(kOrigin, lines));
}

void TestClauses::copyVerificationRefusals_data() {
    QTest::addColumn<int>("outputPages");
    QTest::addColumn<int>("sourcePages");
    QTest::addColumn<bool>("refused");
    QTest::newRow("more pages than the source") << 3 << 2 << true;
    QTest::newRow("equal pages") << 2 << 2 << false;
    QTest::newRow("fewer pages") << 1 << 1000000 << false;
    QTest::newRow("far more") << 1000000 << 1 << true;
}

void TestClauses::copyVerificationRefusals() {
    QFETCH(int, outputPages);
    QFETCH(int, sourcePages);
    QFETCH(bool, refused);
    const std::optional<Refusal> r = copyVerificationRefusal(outputPages, sourcePages);
    QCOMPARE(r.has_value(), refused);
    if (refused) {
        QCOMPARE(r->message, QStringLiteral("Výstupní vidimovaná listina nemůže mít více stran než vstupní "
                                            "vidimovaná listina."));
        QCOMPARE(r->field, QStringLiteral("SpinEdit1"));
    }
}

void TestClauses::legalizationLines_data() {
    QTest::addColumn<int>("signing");
    QTest::addColumn<int>("addressKind");
    QTest::addColumn<int>("documentKind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<Patch>("patch");

    QTest::newRow("initial form") << 0 << 0 << 0 << "123456789" << Patch{};

    const QString stamp = QStringLiteral("Otisk úředního razítka a podpis ověřující osoby*");
    const QString qualified = QStringLiteral(
        "Kvalifikovaný elektronický podpis ověřující osoby a kvalifikované elektronické časové razítko*");
    Patch electronic;
    electronic[4] = {Z,
                     6,
                     {S("vlastnoručně podepsal*"), R(" - "), S("uznal podpis na listině za vlastní*"),
                      R(" - "), B("uznal ")},
                     6};
    electronic[5] = {Z, 6, {B("elektronický podpis na elektronickém dokumentu za vlastní*")}, 6};
    electronic[16] = {Z, 5, {S(stamp)}, 5};
    electronic[17] = {Z, 4, {R(qualified)}, 4};
    QTest::newRow("electronic signature") << 2 << 0 << 0 << "123456789" << electronic;

    Patch acknowledged;
    acknowledged[4] = {Z,
                       6,
                       {S("vlastnoručně podepsal*"), R(" - "), B("uznal podpis na listině za vlastní*"),
                        R(" - "), S("uznal ")},
                       6};
    QTest::newRow("acknowledged on paper") << 1 << 0 << 0 << "123456789" << acknowledged;

    Patch inCountry;
    inCountry[9] = {
        Z, 5, {S("adresa místa trvalého pobytu*"), R(" - "), R("adresa místa pobytu na území")}, 5};
    inCountry[10] = {
        Z, 5, {R("České Republiky*"), R(" - "), S("adresa bydliště mimo území České Republiky*")}, 5};
    QTest::newRow("address in the country") << 0 << 1 << 0 << "123456789" << inCountry;

    Patch abroad;
    abroad[9] = {Z, 5, {S("adresa místa trvalého pobytu*"), R(" - "), S("adresa místa pobytu na území")}, 5};
    abroad[10] = {
        Z, 5, {S("České Republiky*"), R(" - "), R("adresa bydliště mimo území České Republiky*")}, 5};
    QTest::newRow("address abroad") << 0 << 2 << 0 << "123456789" << abroad;

    QTest::newRow("green passport") << 0 << 0 << 3 << "123456"
                                    << Patch{{11, {U, 6, {B("cestovní pas č.123456")}, 6}}};
    QTest::newRow("residence permit")
        << 0 << 0 << 4 << "AB 12" << Patch{{11, {U, 6, {B("průkaz o povolení pobytu cizince č.AB 12")}, 6}}};
    QTest::newRow("no document kind") << 0 << 0 << -1 << "77" << Patch{{11, {U, 6, {B(" č.77")}, 6}}};
}

void TestClauses::legalizationLines() {
    QFETCH(int, signing);
    QFETCH(int, addressKind);
    QFETCH(int, documentKind);
    QFETCH(QString, number);
    QFETCH(Patch, patch);
    LegalizationParticulars p = legalizationParticulars();
    p.signingManner = signing;
    p.addressKind = addressKind;
    p.documentKind = documentKind;
    p.documentNumber = number;
    RecordingSurface surface;
    Pen pen(surface, kOrigin.x(), kOrigin.y());
    drawLegalization(pen, p, QStringLiteral("B/7/2025"));
    COMPARE_DRAWING(surface, pen, expect(kOrigin, patched(kLegalizationLines, patch)));
}

void TestClauses::documentWords_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("word");
    QTest::newRow("0 identity card") << 0 << "občanský průkaz";
    QTest::newRow("1 separator") << 1 << "";
    QTest::newRow("2 violet passport") << 2 << "cestovní pas";
    QTest::newRow("3 green passport") << 3 << "cestovní pas";
    QTest::newRow("4 residence permit") << 4 << "průkaz o povolení pobytu cizince";
    QTest::newRow("5 EU identity card") << 5 << "občanský průkaz";
    QTest::newRow("6 foreign passport") << 6 << "cestovní pas";
    QTest::newRow("7 MZV card") << 7 << "identifikační průkaz vydaný MZV ČR";
    QTest::newRow("none selected") << -1 << "";
    QTest::newRow("beyond the list") << 8 << "";
}

void TestClauses::documentWords() {
    QFETCH(int, kind);
    QFETCH(QString, word);
    QCOMPARE(documentWord(kind), word);
}

void TestClauses::legalizationRefusals_data() {
    QTest::addColumn<QString>("applicant");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("field");
    const QString noApplicant = "Zapomněli jste vyplnit jméno, příjmení, datum a místo narození žadatele.";
    const QString noKind = "Vyberte prosím druh dokladu.";
    const QString noAddress = "Zapomněli jste vyplnit adresu místa pobytu.";
    const QString noNumber = "Zapomněli jste vyplnit číslo dokladu.";
    QTest::newRow("all filled") << "Jan" << 0 << "Praha"
                                << "1"
                                << ""
                                << "";
    QTest::newRow("nothing filled") << "" << 1 << ""
                                    << "" << noApplicant << "ComboBox14";
    QTest::newRow("applicant and address empty") << "" << 0 << ""
                                                 << "1" << noApplicant << "ComboBox14";
    QTest::newRow("separator chosen") << "Jan" << 1 << "Praha"
                                      << "1" << noKind << "ComboBox7";
    QTest::newRow("separator before address") << "Jan" << 1 << ""
                                              << "" << noKind << "ComboBox7";
    QTest::newRow("address empty") << "Jan" << 3 << ""
                                   << "" << noAddress << "Edit3";
    QTest::newRow("number empty") << "Jan" << 7 << "Praha"
                                  << "" << noNumber << "Edit4";
    QTest::newRow("blanks count as text") << " " << 0 << " "
                                          << " "
                                          << ""
                                          << "";
    QTest::newRow("no kind selected passes") << "Jan" << -1 << "Praha"
                                             << "1"
                                             << ""
                                             << "";
}

void TestClauses::legalizationRefusals() {
    QFETCH(QString, applicant);
    QFETCH(int, kind);
    QFETCH(QString, address);
    QFETCH(QString, number);
    QFETCH(QString, message);
    QFETCH(QString, field);
    const std::optional<Refusal> r = legalizationRefusal(applicant, kind, address, number);
    QCOMPARE(r.value_or(Refusal{}), (Refusal{message, field}));
    QCOMPARE(r.has_value(), !message.isEmpty());
}

void TestClauses::documentCheckQuestions_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("question");
    QTest::newRow("danger") << "danger"
                            << "Tento doklad byl nalezen v databázi neplatných dokladů MVČR. Opravdu chcete "
                               "vytisknout legalizační doložku?";
    QTest::newRow("error")
        << "error"
        << "Ověřování dokladu vůči databázi neplatných dokladů MVČR skončilo chybou. Opravdu "
           "chcete vytisknout legalizační doložku?";
    QTest::newRow("ok") << "ok"
                        << "";
    QTest::newRow("pending") << "?"
                             << "";
    QTest::newRow("never checked") << ""
                                   << "";
    QTest::newRow("other case") << "Danger"
                                << "";
}

void TestClauses::documentCheckQuestions() {
    QFETCH(QString, state);
    QFETCH(QString, question);
    QCOMPARE(documentCheckQuestion(state), question);
}

void TestClauses::intentionLines_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("firstPart");
    QTest::addColumn<QString>("secondPart");
    QTest::addColumn<QString>("approval");
    const QString specified = QStringLiteral("v této smlouvě ");
    QTest::newRow("0 sell") << 0 << ""
                            << "prodat nemovitost specifikovanou" << specified
                            << "Prodej nemovitosti za podmínek uvedených v této smlouvě byl schválen";
    QTest::newRow("1 donate") << 1 << ""
                              << "darovat nemovitost specifikovanou" << specified
                              << "Dar nemovitosti za podmínek uvedených v této smlouvě byl schválen";
    QTest::newRow("2 exchange") << 2 << ""
                                << "směnit nemovitost specifikovanou" << specified
                                << "Směna nemovitosti za podmínek uvedených v této smlouvě byla schválena";
    QTest::newRow("3 lease") << 3 << ""
                             << "pronajmout nemovitost specifikovanou" << specified
                             << "Pronájem nemovitosti za podmínek uvedených v této smlouvě byl schválen";
    QTest::newRow("4 loan") << 4 << ""
                            << "vypůjčit nemovitost specifikovanou" << specified
                            << "Výpůjčka nemovitosti za podmínek uvedených v této smlouvě byla schválena";
    QTest::newRow("5 farm lease") << 5 << ""
                                  << "propachtovat nemovitost specifikovanou" << specified
                                  << "Pacht nemovitosti za podmínek uvedených v této smlouvě byl schválen";
    QTest::newRow("6 building right")
        << 6 << ""
        << "zřídit právo stavby na nemovitost"
        << "specifikovanou v této smlouvě "
        << "Zřízení práva stavby za podmínek uvedených v této smlouvě bylo schváleno";
    const QString general =
        QStringLiteral("Právní jednání za podmínek uvedených v této smlouvě bylo schváleno");
    QTest::newRow("typed") << kTypedIntention << "zřídit věcné břemeno"
                           << "zřídit věcné břemeno"
                           << "" << general;
    // A typed text is printed even if the list happens to report an item beyond it.
    QTest::newRow("item beyond the list") << 7 << "koupit pozemek"
                                          << "koupit pozemek"
                                          << "" << general;
}

void TestClauses::intentionLines() {
    QFETCH(int, item);
    QFETCH(QString, typed);
    QFETCH(QString, firstPart);
    QFETCH(QString, secondPart);
    QFETCH(QString, approval);
    IntentionParticulars p = intentionParticulars();
    p.intentionItem = item;
    p.intentionText = typed;
    RecordingSurface surface;
    Pen pen(surface, kOrigin.x(), kOrigin.y());
    drawIntention(pen, municipalHeader(), p);
    // After a chosen wording the publication goes on the line of its second
    // part; after a typed one it stands on a line of its own.
    const QList<Run> second = secondPart.isEmpty()
                                  ? QList<Run>{R("byl zveřejněn na úřední desce")}
                                  : QList<Run>{R(secondPart), R("byl zveřejněn na úřední desce")};
    COMPARE_DRAWING(surface, pen, expect(kOrigin, expectedIntention({R(firstPart)}, second, approval)));
    QVERIFY(surface.images().isEmpty());
}

void TestClauses::approvalLines() {
    RecordingSurface surface;
    Pen pen(surface, kOrigin.x(), kOrigin.y());
    drawApproval(pen, municipalHeader(), approvalParticulars());
    Lines lines = kHeaderLines;
    lines << Line{H, 6, {R("Tato smlouva byla schválena usnesením")}, 6}
          << Line{H, 6, {B("Zastupitelstva obce Zididuzado Dazuz")}, 6} << Line{H, 6, {}, 6}
          << Line{H, 6, {R("Číslo usnesení: "), B("15/2019")}, 6}
          << Line{H, 6, {R("Přijaté dne: "), B("14.8.2019")}, 6};
    COMPARE_DRAWING(surface, pen, expect(kOrigin, lines));
}

void TestClauses::emptyIdentificationNumberStandsAlone() {
    MunicipalHeader header = municipalHeader();
    header.ic.clear();
    header.address3 = QStringLiteral("okres Zed");
    header.headingSize = 11;
    header.basicSize = 5;
    RecordingSurface surface;
    Pen pen(surface, 0, 0);
    drawApproval(pen, header, approvalParticulars());
    const Lines lines = {
        {H, 11, {B("Obec Zididuzado Dazuz")}, 11, 500, 20},
        {H, 5, {R("IČ ")}, 5, 500},
        {H, 5, {R("Náměstí 1")}, 5, 500},
        {H, 5, {R("123 45 Zididuzado")}, 5, 500},
        {H, 5, {R("okres Zed")}, 11, 500},
        {H, 11, {B("DOLOŽKA")}, 11, 650},
        {H, 5, {R("dle § 41 zákona č.128/2000 Sb., o obcích, ve znění pozdějších předpisů")}, 5, 0, 30},
    };
    const Expected header7 = expect({0, 0}, lines);
    QCOMPARE(describe(surface.runs()).mid(0, header7.runs.size()), header7.runs);
}

void TestClauses::municipalRefusals() {
    const QString noIntention = QStringLiteral("Zapomněli jste vyplnit číslo záměru obce.");
    const QString noResolution =
        QStringLiteral("Zapomněli jste vyplnit číslo usnesení, kterým byla tato smlouva schválena.");
    QCOMPARE(intentionRefusal("", ""), (Refusal{noIntention, "Edit2"}));
    QCOMPARE(intentionRefusal("", "5"), (Refusal{noIntention, "Edit2"}));
    QCOMPARE(intentionRefusal("12/2019", ""), (Refusal{noResolution, "Edit5"}));
    QVERIFY(!intentionRefusal(" ", " ").has_value());
    QCOMPARE(approvalRefusal(""), (Refusal{noResolution, "Edit6"}));
    QVERIFY(!approvalRefusal("15/2019").has_value());
}

void TestClauses::logoRects_data() {
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QRect>("rect");
    // Relative to lineX 1000 and origin y 2000.
    QTest::newRow("upright") << QSize(200, 400) << QRect(1145, 2000, 160, 320);
    QTest::newRow("wide") << QSize(900, 300) << QRect(1000, 2085, 450, 150);
    QTest::newRow("wide, less than the box") << QSize(400, 350) << QRect(1000, 1963, 450, 394);
    QTest::newRow("square") << QSize(500, 500) << QRect(1065, 2000, 320, 320);
    QTest::newRow("box proportions") << QSize(450, 320) << QRect(1000, 2000, 450, 320);
    QTest::newRow("half offset to even") << QSize(201, 400) << QRect(1144, 2000, 161, 320);
    QTest::newRow("half height to even") << QSize(900, 301) << QRect(1000, 2085, 450, 150);
    QTest::newRow("half height, odd neighbour") << QSize(4, 1) << QRect(1000, 2104, 450, 112);
    QTest::newRow("hair line upright") << QSize(1, 100000) << QRect(1225, 2000, 0, 320);
    QTest::newRow("large picture") << QSize(20000, 30000) << QRect(1118, 2000, 213, 320);
    QTest::newRow("no picture") << QSize(0, 0) << QRect();
    QTest::newRow("no width") << QSize(0, 10) << QRect();
}

void TestClauses::logoRects() {
    QFETCH(QSize, image);
    QFETCH(QRect, rect);
    QCOMPARE(logoRect(image, 1000, 2000), rect);
}

void TestClauses::logoDrawnLastAtTheLabelOrigin() {
    MunicipalHeader header = municipalHeader();
    header.logo = picture(200, 400);
    RecordingSurface intention;
    Pen pen(intention, 425, 3495);
    drawIntention(pen, header, intentionParticulars());
    QCOMPARE(intention.images().size(), 1);
    QCOMPARE(intention.images()[0].target, QRect(425 + 145, 3495, 160, 320));
    QCOMPARE(intention.images()[0].imageSize, QSize(200, 400));
    QCOMPARE(intention.images()[0].runsBefore, intention.runs().size());

    header.logo = picture(900, 300);
    RecordingSurface approval;
    Pen approvalPen(approval, 2622, 165);
    drawApproval(approvalPen, header, approvalParticulars());
    QCOMPARE(approval.images().size(), 1);
    QCOMPARE(approval.images()[0].target, QRect(2622, 165 + 85, 450, 150));
    QCOMPARE(approval.images()[0].runsBefore, approval.runs().size());

    header.logo = QImage();
    RecordingSurface none;
    Pen nonePen(none, 0, 0);
    drawApproval(nonePen, header, approvalParticulars());
    QVERIFY(none.images().isEmpty());
}

void TestClauses::headerFromSettingsAndApprovalRemembered() {
    AppDataSandbox sandbox;
    sandbox.makeDataDir();
    SettingsStore store(DataDir::settingsFile());
    ClauseFonts fonts;
    fonts.headingFace = QStringLiteral("Tahoma");
    fonts.basicFace = QStringLiteral("Verdana");
    fonts.headingSize = 10;
    fonts.basicSize = 7;

    const MunicipalHeader fresh = readMunicipalHeader(store, fonts);
    QCOMPARE(fresh.name, QStringLiteral("Název obce"));
    QCOMPARE(fresh.ic, QString());
    QCOMPARE(fresh.address1, QStringLiteral("1. řádek adresy"));
    QCOMPARE(fresh.address2, QStringLiteral("2. řádek adresy"));
    QCOMPARE(fresh.address3, QString());
    QCOMPARE(fresh.face, QStringLiteral("Tahoma"));
    QCOMPARE(fresh.headingSize, 10);
    QCOMPARE(fresh.basicSize, 7);
    QVERIFY(fresh.logo.isNull());

    store.WriteString("Organizace", "Nazev", "Obec Zed");
    store.WriteString("Organizace", "Adresa2", "");
    store.WriteString("Organizace", "Adresa3", "okres Zed");
    const MunicipalHeader set = readMunicipalHeader(store, fonts);
    QCOMPARE(set.name, QStringLiteral("Obec Zed"));
    QCOMPARE(set.address2, QString()); // present but empty: no default
    QCOMPARE(set.address3, QStringLiteral("okres Zed"));

    rememberApproval(store, approvalParticulars());
    QCOMPARE(store.ReadString("DPJ", "SchvaleniCisloUsneseni", "-"), QStringLiteral("15/2019"));
    QCOMPARE(store.ReadString("DPJ", "SchvaleniDatumUsneseni", "-"), QStringLiteral("14.8.2019"));
}

QTEST_MAIN(TestClauses)
#include "tst_clauses.moc"
