#include "TestSupport.h"

#include "book/BookDesignation.h"
#include "book/BookFees.h"
#include "book/BookLabel.h"
#include "book/BookRecordChecks.h"
#include "book/BookRecordFill.h"
#include "printing/Pen.h"
#include "settings/AppError.h"
#include "settings/SettingsStore.h"
#include "support/RecordingSurface.h"

#include <optional>

namespace {

// Runs are described as "y x size style face text" so that a mismatch shows
// the line at a glance. With the recording surface a character is
// size x 10 pixels wide and a line size x 20 pixels high.
QString run(int y, int x, int size, char style, const QString& text,
            const QString& face = QStringLiteral("Udaje")) {
    return QStringLiteral("y=%1 x=%2 %3%4 %5 \"%6\"")
        .arg(y)
        .arg(x)
        .arg(size)
        .arg(QChar(style))
        .arg(face, text);
}

QStringList describe(const QList<RecordedRun>& runs) {
    QStringList out;
    for (const RecordedRun& r : runs) {
        const char style = r.bold && r.strikeOut ? '!' : r.bold ? 'B' : r.strikeOut ? 'S' : 'R';
        out << run(r.y, r.x, r.size, style, r.text, r.face);
    }
    return out;
}

// Position 4 with the seeded geometry at 600 dpi.
constexpr int kX = 945;
constexpr int kY = 3471;

QStringList designations(int first, int count, const QString& pattern = QStringLiteral("A/%1/2020")) {
    QStringList out;
    for (int n = first; n < first + count; ++n)
        out << pattern.arg(n);
    return out;
}

CopyVerificationRecord copyRecord() {
    CopyVerificationRecord r;
    r.designations = {QStringLiteral("15/2025")};
    r.date = QDate(2020, 1, 22);
    r.sourceLine = QStringLiteral("Prvopis (2 str.), ");
    r.outputLine = QStringLiteral("neobsahuje zajišťovací prvek, úplná kopie (1 str.)");
    r.documentKind = QStringLiteral("Kupní smlouva");
    r.fee = QStringLiteral("60 Kč");
    r.face = QStringLiteral("Udaje");
    return r;
}

LegalizationRecord legalizationRecord() {
    LegalizationRecord r;
    r.designations = {QStringLiteral("7/2025"), QStringLiteral("8/2025")};
    r.date = QDate(2020, 1, 22);
    r.applicant = QStringLiteral("Jan Novák, 1.1.1980, Praha");
    r.address = QStringLiteral("Dlouhá 5, Praha 1");
    r.documentKind = QStringLiteral("OP");
    r.documentNumber = QStringLiteral("č.123");
    r.signature = QStringLiteral("Listina byla u úřadu vlastnoručně podepsána");
    r.signedDocument = QStringLiteral("Kupní smlouva ze dne 1.2.2020");
    r.fee = QStringLiteral("100 Kč");
    r.face = QStringLiteral("Udaje");
    return r;
}

template <typename Record> QStringList draw(const Record& record, QPoint* penAfter = nullptr) {
    RecordingSurface surface;
    Pen pen(surface, kX, kY);
    drawBookLabel(pen, record);
    if (penAfter)
        *penAfter = QPoint(pen.penX, pen.penY);
    return describe(surface.runs());
}

SettingsStore storeWith(const QStringList& lines) {
    QDir().mkpath(DataDir::directory());
    writeWindowsIni(DataDir::settingsFile(), lines);
    return SettingsStore(DataDir::settingsFile());
}

} // namespace

class TestBookLabel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_box = std::make_unique<AppDataSandbox>(); }
    void cleanup() { m_box.reset(); }

    void designationLines_data();
    void designationLines();
    void copyVerificationLabel();
    void copyVerificationWithoutFee();
    void legalizationLabel_data();
    void legalizationLabel();

    void bookDesignation_data();
    void bookDesignation();
    void bookDesignationWritesNothing();

    void exemptionLists();
    void feeTexts_data();
    void feeTexts();
    void unreadableFee();

    void nextPosition_data();
    void nextPosition();
    void identityDocuments_data();
    void identityDocuments();
    void copyVerificationLines_data();
    void copyVerificationLines();

    void legalizationChecks_data();
    void legalizationChecks();
    void copyVerificationChecks_data();
    void copyVerificationChecks();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

// Item 1 on its own: the runs up to the date line, as lines of text with the
// x where each line starts; every run must start where the one before ended.
void TestBookLabel::designationLines_data() {
    QTest::addColumn<QStringList>("designations");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("starts");
    const int indent = kX + 3 * 80; // after "1. " at 8 pt
    QTest::newRow("one number, no separator")
        << designations(123, 1) << QStringList{"1. A/123/2020"} << QList<int>{kX};
    QTest::newRow("six fill the first line")
        << designations(123, 6)
        << QStringList{"1. A/123/2020, A/124/2020, A/125/2020, A/126/2020, A/127/2020, A/128/2020"}
        << QList<int>{kX};
    QTest::newRow("the seventh starts the second line under the first")
        << designations(123, 7)
        << QStringList{"1. A/123/2020, A/124/2020, A/125/2020, A/126/2020, A/127/2020, A/128/2020, ",
                       "A/129/2020"}
        << QList<int>{kX, indent};
    QTest::newRow("twelve, six and six")
        << designations(123, 12)
        << QStringList{"1. A/123/2020, A/124/2020, A/125/2020, A/126/2020, A/127/2020, A/128/2020, ",
                       "A/129/2020, A/130/2020, A/131/2020, A/132/2020, A/133/2020, A/134/2020"}
        << QList<int>{kX, indent};
    QTest::newRow("the break does not depend on widths")
        << QStringList{"1", "2", "3", "4", "5", "6", "7"} << QStringList{"1. 1, 2, 3, 4, 5, 6, ", "7"}
        << QList<int>{kX, indent};
    QTest::newRow("every designation an error")
        << QStringList{"chyba", "chyba"} << QStringList{"1. chyba, chyba"} << QList<int>{kX};
}

void TestBookLabel::designationLines() {
    QFETCH(QStringList, designations);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, starts);
    CopyVerificationRecord r = copyRecord();
    r.designations = designations;
    RecordingSurface surface;
    Pen pen(surface, kX, kY);
    drawBookLabel(pen, r);

    QStringList gotLines;
    QList<int> gotStarts;
    int y = -1;
    int nextX = 0;
    for (const RecordedRun& run : surface.runs()) {
        if (run.text == u"2. ")
            break;
        QCOMPARE(run.size, 8);
        QVERIFY(!run.bold);
        if (run.y != y) {
            QCOMPARE(run.y, kY + gotLines.size() * 8 * 20); // one 8 pt line further down
            y = run.y;
            gotLines << QString();
            gotStarts << run.x;
        } else {
            QCOMPARE(run.x, nextX);
        }
        gotLines.last() += run.text;
        nextX = run.x + int(run.text.size()) * 80;
    }
    QCOMPARE(gotLines, lines);
    QCOMPARE(gotStarts, starts);
}

void TestBookLabel::copyVerificationLabel() {
    QPoint pen;
    const QStringList runs = draw(copyRecord(), &pen);
    const QStringList expected = {
        run(3471, 945, 8, 'R', "1. "),
        run(3471, 1185, 8, 'R', "15/2025"),
        // 20 px and a 10 pt line lower; the date 17 px above its "2. "
        run(3691, 945, 8, 'R', "2. "),
        run(3674, 1185, 10, 'B', "22.01.2020"),
        run(3874, 945, 8, 'R', "3. ---"),
        run(4034, 945, 8, 'R', "4. ---"),
        run(4194, 945, 8, 'R', "5. ---"),
        run(4354, 945, 8, 'R', "7. ---"),
        run(4514, 945, 8, 'R', "8. "),
        run(4514, 1185, 8, 'R', "Prvopis (2 str.), "),
        run(4674, 1185, 8, 'R', "neobsahuje zajišťovací prvek, úplná kopie (1 str.)"),
        run(4854, 945, 8, 'R', "9. "),
        run(4854, 1185, 8, 'B', "Kupní smlouva"),
        run(5034, 945 - 37, 8, 'R', "10. 60 Kč"),
    };
    QCOMPARE(runs, expected);
    QCOMPARE(pen, QPoint(908 + 9 * 80, 5034));
}

void TestBookLabel::copyVerificationWithoutFee() {
    CopyVerificationRecord r = copyRecord();
    r.fee.clear();
    QPoint pen;
    const QStringList runs = draw(r, &pen);
    QCOMPARE(runs.last(), run(4854, 1185, 8, 'B', "Kupní smlouva"));
    QVERIFY(!runs.join(u'|').contains(QStringLiteral("10.")));
    QCOMPARE(pen, QPoint(1185 + 13 * 80, 4874)); // no line break for the missing item
}

// The legalization record with each way of stating the address, a foreign
// document and no fee; rows give what differs from the plain record.
void TestBookLabel::legalizationLabel_data() {
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("fee");
    QTest::addColumn<QStringList>("expected");

    const QStringList head = {
        run(3471, 945, 8, 'R', "1. "),
        run(3471, 1185, 8, 'R', "7/2025"),
        run(3471, 1665, 8, 'R', ", "),
        run(3471, 1825, 8, 'R', "8/2025"),
        run(3691, 945, 8, 'R', "2. "),
        run(3674, 1185, 10, 'B', "22.01.2020"),
        // 40 px more and a 10 pt line below the date
        run(3914, 945, 8, 'R', "3. "),
        run(3914, 1185, 8, 'B', "Jan Novák, 1.1.1980, Praha"),
    };
    // Everything from item 5 on, with its first line at y.
    auto tail = [](int y, const QStringList& item5, bool fee) {
        QStringList out = item5;
        for (QString& r : out)
            r.replace(QStringLiteral("y=Y"), QStringLiteral("y=%1").arg(y));
        y += 40 + 160;
        out << run(y, 945, 8, 'R', "7. Listina byla u úřadu vlastnoručně podepsána");
        y += 160;
        out << run(y, 945, 8, 'R', "8. ---");
        y += 20 + 160;
        out << run(y, 945, 8, 'R', "9. ") << run(y, 1185, 8, 'B', "Kupní smlouva ze dne 1.2.2020");
        if (fee)
            out << run(y + 20 + 160, 908, 8, 'R', "10. 100 Kč");
        return out;
    };
    const QStringList czech = {run(0, 945, 8, 'R', "5. OP ").replace("y=0", "y=Y"),
                               run(0, 1425, 8, 'R', "č.123").replace("y=0", "y=Y")};
    const QStringList foreign = {run(0, 945, 8, 'R', "5. OP ").replace("y=0", "y=Y"),
                                 run(0, 1425, 8, 'R', "SK ").replace("y=0", "y=Y"),
                                 run(0, 1665, 8, 'R', "č.123").replace("y=0", "y=Y")};

    QTest::newRow("address from the document")
        << int(AddressSource::Document) << ""
        << "100 Kč"
        << head + QStringList{run(4074, 945, 8, 'R', "4. "), run(4074, 1185, 8, 'B', "Dlouhá 5, Praha 1")} +
               tail(4234, czech, true);
    QTest::newRow("declared address, bold under the text")
        << int(AddressSource::Declaration) << ""
        << "100 Kč"
        << head +
               QStringList{run(4074, 945, 8, 'R', "4. "),
                           run(4074, 1185, 8, 'R', "Na základě prohlášení žadatele:"),
                           run(4234, 1185, 8, 'B', "Dlouhá 5, Praha 1")} +
               tail(4394, czech, true);
    QTest::newRow("address from AISEO, foreign document, no fee")
        << int(AddressSource::Aiseo) << "SK"
        << ""
        << head +
               QStringList{run(4074, 945, 8, 'R', "4. "), run(4074, 1185, 8, 'R', "Dle AISEO:"),
                           run(4234, 1185, 8, 'B', "Dlouhá 5, Praha 1")} +
               tail(4394, foreign, false);
}

void TestBookLabel::legalizationLabel() {
    QFETCH(int, source);
    QFETCH(QString, state);
    QFETCH(QString, fee);
    QFETCH(QStringList, expected);
    LegalizationRecord r = legalizationRecord();
    r.addressSource = AddressSource(source);
    r.state = state;
    r.fee = fee;
    QCOMPARE(draw(r), expected);
}

void TestBookLabel::bookDesignation_data() {
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("cinnost");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    const QStringList bookA = {"[Knihy]",
                               "Kniha1=A",
                               "Kniha2=LEG",
                               "[Cislovani]",
                               "VybranaKniha-Vidimace=1",
                               "VybranaKniha-Legalizace=2"};
    QTest::newRow("no book, form 0") << QStringList{"[Cislovani]", "Tvar=0", "VybranaKniha-Vidimace=0"}
                                     << "VIDIMACE" << 123 << "123/2020";
    QTest::newRow("no book, form 5") << QStringList{"[Cislovani]", "Tvar=5", "VybranaKniha-Vidimace=0"}
                                     << "VIDIMACE" << 123 << "123";
    QTest::newRow("no book, form 4 keeps the year")
        << QStringList{"[Cislovani]", "Tvar=4", "VybranaKniha-Legalizace=0"} << "LEGALIZACE" << 9 << "9/2020";
    QTest::newRow("book of copy verifications")
        << bookA + QStringList{"Tvar=0"} << "VIDIMACE" << 15 << "A/15/2020";
    QTest::newRow("book of legalizations, form 2")
        << bookA + QStringList{"Tvar=2"} << "LEGALIZACE" << 15 << "LEG-15/2020";
    QTest::newRow("form 6") << bookA + QStringList{"Tvar=6"} << "VIDIMACE" << 15 << "15/2020/A";
    QTest::newRow("form missing reads as 0") << bookA << "LEGALIZACE" << 3 << "LEG/3/2020";
    QTest::newRow("unknown form with a book") << bookA + QStringList{"Tvar=9"} << "VIDIMACE" << 15 << "chyba";
    QTest::newRow("unknown form without a book")
        << QStringList{"[Cislovani]", "Tvar=9", "VybranaKniha-Vidimace=0"} << "VIDIMACE" << 15 << "15/2020";
    QTest::newRow("other activity") << bookA << "ZÁMĚR" << 15 << "chyba";
    QTest::newRow("activity compared exactly") << bookA << "vidimace" << 15 << "chyba";
    QTest::newRow("no choice stored counts as no book, as on the clause")
        << QStringList{"[Knihy]", "Kniha=X"} << "VIDIMACE" << 15 << "15/2020";
    QTest::newRow("hand-edited choice counts as no book")
        << QStringList{"[Cislovani]", "VybranaKniha-Vidimace=abc", "[Knihy]", "Knihaabc=X"} << "VIDIMACE"
        << 15 << "15/2020";
}

void TestBookLabel::bookDesignation() {
    QFETCH(QStringList, settings);
    QFETCH(QString, cinnost);
    QFETCH(int, number);
    QFETCH(QString, expected);
    const SettingsStore s = storeWith(settings);
    QCOMPARE(oznaceni(s, cinnost, number, 2020), expected);
}

void TestBookLabel::bookDesignationWritesNothing() {
    const SettingsStore s =
        storeWith({"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]", "VybranaKniha-Vidimace=1",
                   "VybranaKniha-Legalizace=0", "Vidimace-legalizace=4"});
    const QByteArray before = readBytes(DataDir::settingsFile());
    for (int n = 1; n <= 12; ++n) {
        QCOMPARE(oznaceni(s, QStringLiteral("VIDIMACE"), n, 2020), QStringLiteral("A/%1/2020").arg(n));
        QCOMPARE(oznaceni(s, QStringLiteral("LEGALIZACE"), n, 2020), QStringLiteral("%1/2020").arg(n));
    }
    QCOMPARE(readBytes(DataDir::settingsFile()), before);
}

void TestBookLabel::exemptionLists() {
    const QString law = QStringLiteral("Osvobozeno dle zákona č. 634/2004 Sb., ");
    QStringList copy = {QString()};
    for (const char* tail :
         {"ust. § 8 odst. 1 písm. a)", "ust. § 8 odst. 1 písm. b)", "ust. § 8 odst. 1 písm. c)",
          "ust. § 8 odst. 1 písm. d)", "ust. § 8 odst. 1 písm. e)", "ust. § 8 odst. 2 písm. a)",
          "ust. § 8 odst. 2 písm. b)", "ust. § 8 odst. 2 písm. c)", "ust. § 8 odst. 2 písm. d)",
          "ust. § 8 odst. 2 písm. e)", "ust. § 8 odst. 2 písm. f)", "ust. § 8 odst. 2 písm. g)",
          "ust. § 8 odst. 2 písm. h)", "ust. § 8 odst. 2 písm. i)", "pol. 16 sazebníku",
          "pol. 4 sazebníku odst. 1", "pol. 4 sazebníku odst. 2", "pol. 4 sazebníku odst. 3"})
        copy << law + QString::fromUtf8(tail);
    QStringList legal = {QString()};
    for (const char* tail :
         {"ust. § 8 odst. 1 písm. a)", "ust. § 8 odst. 1 písm. b)", "ust. § 8 odst. 1 písm. c)",
          "ust. § 8 odst. 1 písm. d)", "ust. § 8 odst. 1 písm. e)", "ust. § 8 odst. 2 písm. a)",
          "ust. § 8 odst. 2 písm. b)", "ust. § 8 odst. 2 písm. c)", "ust. § 8 odst. 2 písm. f)",
          "pol. 16 sazebníku", "pol. 5 sazebníku odst. 1", "pol. 5 sazebníku odst. 2",
          "pol. 5 sazebníku odst. 3"})
        legal << law + QString::fromUtf8(tail);
    QCOMPARE(copyVerificationExemptions(), copy);
    QCOMPARE(legalizationExemptions(), legal);
    QCOMPARE(copy.size(), 19);
    QCOMPARE(legal.size(), 14);
}

void TestBookLabel::feeTexts_data() {
    QTest::addColumn<int>("fee");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("text");
    QTest::newRow("two verifications of three pages") << 30 << 2 << 3 << "180 Kč";
    QTest::newRow("one legalization") << 50 << 1 << 1 << "50 Kč";
    QTest::newRow("no grouping of thousands") << 30 << 12 << 99999 << "35999640 Kč";
    QTest::newRow("beyond 32 bits, no wrap-round") << 2000000000 << 12 << 99999 << "2399976000000000 Kč";
    QTest::newRow("free of charge") << 0 << 5 << 5 << "0 Kč";
}

void TestBookLabel::feeTexts() {
    QFETCH(int, fee);
    QFETCH(int, count);
    QFETCH(int, pages);
    QFETCH(QString, text);
    QCOMPARE(feeText(fee, count, pages), text);
}

void TestBookLabel::unreadableFee() {
    const SettingsStore missing = storeWith({"[App]", "x=1"});
    QCOMPARE(copyVerificationFee(missing), 30);
    QCOMPARE(legalizationFee(missing), 30);
    const SettingsStore bad = storeWith({"[Poplatky]", "vidimace=30,-", "legalizace=50"});
    QCOMPARE(legalizationFee(bad), 50);
    try {
        copyVerificationFee(bad);
        QFAIL("a fee that is no whole number was accepted");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("'30,-' is not a valid integer value"));
    }
}

void TestBookLabel::nextPosition_data() {
    QTest::addColumn<QString>("prepareNext");
    QTest::addColumn<QString>("lastPrinted");
    QTest::addColumn<int>("next"); // 0 for none
    QTest::newRow("after 6 comes 1") << "1"
                                     << "6" << 1;
    QTest::newRow("after 1 comes 2") << "1"
                                     << "1" << 2;
    QTest::newRow("after 3 comes 4") << "1"
                                     << "3" << 4;
    QTest::newRow("after 5 comes 6") << "1"
                                     << "5" << 6;
    QTest::newRow("not prepared") << "0"
                                  << "3" << 0;
    QTest::newRow("prepare key missing") << ""
                                         << "3" << 0;
    QTest::newRow("nothing printed yet") << "1"
                                         << "" << 0;
    QTest::newRow("position off the sheet") << "1"
                                            << "7" << 0;
    QTest::newRow("position written with a sign") << "1"
                                                  << "+3" << 0;
}

void TestBookLabel::nextPosition() {
    QFETCH(QString, prepareNext);
    QFETCH(QString, lastPrinted);
    QFETCH(int, next);
    QCOMPARE(nextBookPosition(prepareNext, lastPrinted).value_or(0), next);
}

void TestBookLabel::identityDocuments_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("stateWanted");
    QTest::addColumn<int>("source"); // -1: the choice stays
    const int document = int(AddressSource::Document);
    const int declaration = int(AddressSource::Declaration);
    const int aiseo = int(AddressSource::Aiseo);
    QTest::newRow("Czech ID card") << 0 << "OP" << false << document;
    QTest::newRow("former driving licence") << 1 << "ŘP" << false << aiseo;
    QTest::newRow("passport, violet") << 2 << "CD" << false << aiseo;
    QTest::newRow("passport, green") << 3 << "CD" << false << aiseo;
    QTest::newRow("residence permit") << 4 << "Průkaz o povolení pobytu cizince" << false << document;
    QTest::newRow("EU ID card") << 5 << "OP" << true << document;
    QTest::newRow("foreign passport") << 6 << "CD" << true << declaration;
    QTest::newRow("MZV identity card") << 7 << "Identifikační průkaz vydaný MZV ČR" << false << -1;
    QTest::newRow("nothing chosen") << -1 << "" << false << -1;
}

void TestBookLabel::identityDocuments() {
    QFETCH(int, index);
    QFETCH(QString, kind);
    QFETCH(bool, stateWanted);
    QFETCH(int, source);
    const IdentityDocumentText text = identityDocumentFor(index);
    QCOMPARE(text.kind, kind);
    QCOMPARE(text.stateWanted, stateWanted);
    const std::optional<AddressSource> got = addressSourceFor(index);
    QCOMPARE(got ? int(*got) : -1, source);
}

void TestBookLabel::copyVerificationLines_data() {
    QTest::addColumn<bool>("security");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("line");
    QTest::newRow("complete copy") << false << false << true << 1
                                   << "neobsahuje zajišťovací prvek, úplná kopie (1 str.)";
    QTest::newRow("complete transcript")
        << false << false << false << 2 << "neobsahuje zajišťovací prvek, úplný opis (2 str.)";
    QTest::newRow("partial transcript")
        << true << true << false << 3 << "obsahuje zajišťovací prvek, částečný opis (3 str.)";
    QTest::newRow("partial copy with security element")
        << true << true << true << 4 << "obsahuje zajišťovací prvek, částečná kopie (4 str.)";
}

void TestBookLabel::copyVerificationLines() {
    QFETCH(bool, security);
    QFETCH(bool, partial);
    QFETCH(bool, copy);
    QFETCH(int, pages);
    QFETCH(QString, line);
    QCOMPARE(outputLine(security, partial, copy, pages), line);
    QCOMPARE(sourceLine(QStringLiteral("Prvopis"), pages), QStringLiteral("Prvopis (%1 str.), ").arg(pages));
}

void TestBookLabel::legalizationChecks_data() {
    QTest::addColumn<QString>("emptied"); // the field left empty, in the order asked
    QTest::addColumn<bool>("stateEnabled");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("all filled") << "" << false << ""
                                << "";
    QTest::newRow("applicant") << "applicant" << false
                               << "Je potřeba vyplnit jméno, příjmení, datum a místo narození žadatele."
                               << "Edit3";
    QTest::newRow("address") << "address" << false
                             << "Je potřeba vyplnit adresu trvalého pobytu nebo adresu místa pobytu žadatele."
                             << "Edit4";
    QTest::newRow("document kind") << "kind" << false
                                   << "Je potřeba vyplnit druh dokladu (například CD, OP apod.)."
                                   << "Edit9";
    QTest::newRow("state of a foreign document")
        << "state" << true << "Je potřeba vyplnit označení státu (u prokazování se dokladem z jiné zěmě)"
        << "Edit10";
    QTest::newRow("state of a Czech document is never asked") << "state" << false << ""
                                                              << "";
    QTest::newRow("document number") << "number" << false << "Je potřeba vyplnit číslo dokladu žadatele."
                                     << "Edit8";
    QTest::newRow("signed document")
        << "signed" << false << "Je potřeba vyplnit označení druhu listiny, na které je podpis legalizován."
        << "Edit5";
    QTest::newRow("everything empty, the applicant first")
        << "all" << true << "Je potřeba vyplnit jméno, příjmení, datum a místo narození žadatele."
        << "Edit3";
    QTest::newRow("a space is content") << "space" << true << ""
                                        << "";
}

void TestBookLabel::legalizationChecks() {
    QFETCH(QString, emptied);
    QFETCH(bool, stateEnabled);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    LegalizationRecord r = legalizationRecord();
    r.state = QStringLiteral("SK");
    const bool all = emptied == u"all";
    if (emptied == u"space") {
        r.applicant = r.address = r.documentKind = r.state = r.documentNumber = r.signedDocument =
            QStringLiteral(" ");
    }
    if (all || emptied == u"applicant")
        r.applicant.clear();
    if (all || emptied == u"address")
        r.address.clear();
    if (all || emptied == u"kind")
        r.documentKind.clear();
    if (all || emptied == u"state")
        r.state.clear();
    if (all || emptied == u"number")
        r.documentNumber.clear();
    if (all || emptied == u"signed")
        r.signedDocument.clear();
    const std::optional<Refusal> refusal = legalizationRecordRefusal(r, stateEnabled);
    QCOMPARE(refusal.value_or(Refusal{}), (Refusal{message, focus}));
}

void TestBookLabel::copyVerificationChecks_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("sourcePages");
    QTest::addColumn<int>("outputPages");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString pages =
        QStringLiteral("Výstupní listina nemůže mít větší počet stran než vstupní listina vidimace.");
    const QString kindMissing =
        QStringLiteral("Je potřeba vyplnit označení druhu listiny, která je vidimována.");
    QTest::newRow("filled, equal pages") << "Smlouva" << 3 << 3 << ""
                                         << "";
    QTest::newRow("more output than input pages") << "Smlouva" << 2 << 3 << pages << "SpinEdit8";
    QTest::newRow("kind missing is asked first") << "" << 2 << 3 << kindMissing << "Edit2";
    QTest::newRow("a space is a kind") << " " << 3 << 1 << ""
                                       << "";
}

void TestBookLabel::copyVerificationChecks() {
    QFETCH(QString, kind);
    QFETCH(int, sourcePages);
    QFETCH(int, outputPages);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    CopyVerificationRecord r = copyRecord();
    r.documentKind = kind;
    QCOMPARE(copyVerificationRecordRefusal(r, sourcePages, outputPages).value_or(Refusal{}),
             (Refusal{message, focus}));
    QCOMPARE(bookPositionRefusal(0).value_or(Refusal{}).message,
             QStringLiteral("Vyberte alespoň jednu pozici, na kterou se bude štítek tisknout."));
    QVERIFY(!bookPositionRefusal(6));
}

QTEST_GUILESS_MAIN(TestBookLabel)
#include "tst_booklabel.moc"
