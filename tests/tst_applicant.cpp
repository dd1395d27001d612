#include "ApplicantSupport.h"
#include "TestSupport.h"

#include "applicant/SavedClauses.h"
#include "settings/AppError.h"

#include <QDir>
#include <QRandomGenerator>
#include <memory>

namespace {

LegalizationFields sample() {
    LegalizationFields f;
    f.applicant = QStringLiteral("Jan Novák, 07.03.1985, Přerov");
    f.signing = 1;
    f.addressKind = 2;
    f.man = true;
    f.address = QStringLiteral("Žižkova 14, Přerov");
    f.documentKind = 3;
    f.documentNumber = QStringLiteral("40123456");
    return f;
}

// Fields that no saved line holds, to see what a restore leaves alone.
LegalizationFields untouched() {
    LegalizationFields f;
    f.applicant = QStringLiteral("beze změny");
    f.signing = 7;
    f.addressKind = 7;
    f.man = true;
    f.address = QStringLiteral("původní adresa");
    f.documentKind = 7;
    f.documentNumber = QStringLiteral("původní číslo");
    return f;
}

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines)
        out += AnsiText::encode(line) + "\r\n";
    return out;
}

} // namespace

class TestApplicant : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_sandbox = std::make_unique<AppDataSandbox>();
        m_sandbox->makeDataDir();
    }
    void cleanup() { m_sandbox.reset(); }

    void firstLoadCreatesEmptyFile();
    void loadSplitsLines_data();
    void loadSplitsLines();
    void listsAreThoseOfTheLastLoad();
    void unreadableFileFailsTheLoad();
    void windows1250FileFromTheWindowsProgram();
    void saveAppendsAndRewrites();
    void foreignNameIsKeptAsUtf8();
    void saveRefusesSeparatorsAndLineBreaks_data();
    void saveRefusesSeparatorsAndLineBreaks();
    void failedWriteChangesNothing();
    void search_data();
    void search();
    void searchFollowsDeletions();
    void searchAgreesWithCzechUpperCasing_data();
    void searchAgreesWithCzechUpperCasing();
    void restoreAppliesEveryMatchInOrder();
    void restoreHandEditedLines_data();
    void restoreHandEditedLines();
    void deleteRemovesFirstOfDuplicates();
    void deleteTheOnlyClauseLeavesEmptyFile();

private:
    QString path() const { return DataDir::savedClausesFile(); }
    std::unique_ptr<AppDataSandbox> m_sandbox;
};

void TestApplicant::firstLoadCreatesEmptyFile() {
    QVERIFY(!QFile::exists(path()));
    SavedClauses clauses;
    clauses.load();
    QVERIFY(QFile::exists(path()));
    QCOMPARE(readBytes(path()), QByteArray());
    QVERIFY(clauses.isEmpty());
    QVERIFY(clauses.filter(QStringLiteral("nov")).isEmpty());
}

void TestApplicant::loadSplitsLines_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("names");

    const QString a = QStringLiteral("Eva Malá|0|0|2|Polní 1|0|111");
    const QString b = QStringLiteral("Petr Velký|1|1|1|Školní 2|2|222");
    QTest::newRow("CR LF after every line")
        << crlf({a, b}) << QStringList{a, b} << QStringList{"Eva Malá", "Petr Velký"};
    QTest::newRow("last line without line end")
        << AnsiText::encode(a + "\r\n" + b) << QStringList{a, b} << QStringList{"Eva Malá", "Petr Velký"};
    QTest::newRow("empty lines from a hand edit are dropped")
        << AnsiText::encode("\r\n" + a + "\r\n\r\n\r\n" + b + "\r\n\r\n") << QStringList{a, b}
        << QStringList{"Eva Malá", "Petr Velký"};
    QTest::newRow("bare LF and bare CR") << AnsiText::encode(a + "\n" + b + "\r") << QStringList{a, b}
                                         << QStringList{"Eva Malá", "Petr Velký"};
    QTest::newRow("line without a bar is its own name")
        << crlf({"Jan Novák"}) << QStringList{"Jan Novák"} << QStringList{"Jan Novák"};
    QTest::newRow("blank name before the first bar")
        << crlf({"|0|0|1|x|0|1", "  |1"}) << QStringList{"|0|0|1|x|0|1", "  |1"} << QStringList{"", "  "};
    QTest::newRow("UTF-8 behind a byte-order mark")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("Ἀλέξανδρος|0|0|1|Atény|6|X1\r\n").toUtf8()
        << QStringList{"Ἀλέξανδρος|0|0|1|Atény|6|X1"} << QStringList{"Ἀλέξανδρος"};
    QTest::newRow("empty file") << QByteArray() << QStringList{} << QStringList{};
}

void TestApplicant::loadSplitsLines() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, names);
    QVERIFY(writeBytes(path(), bytes));
    SavedClauses clauses;
    clauses.load();
    QCOMPARE(clauses.lines(), lines);
    QCOMPARE(clauses.names(), names);
}

// The lists are made from the file as load() read it, when they are first
// asked for; a later change on disk counts from the next load.
void TestApplicant::listsAreThoseOfTheLastLoad() {
    const QString a = QStringLiteral("Eva Malá|0|0|2|Polní 1|0|111");
    const QString b = QStringLiteral("Petr Velký|1|1|1|Školní 2|2|222");
    QVERIFY(writeBytes(path(), crlf({a})));
    SavedClauses clauses;
    clauses.load();
    QVERIFY(writeBytes(path(), crlf({b})));
    QCOMPARE(clauses.filter(QStringLiteral("MAL")), QStringList{"Eva Malá"});
    QCOMPARE(clauses.lines(), QStringList{a});
    clauses.load();
    QCOMPARE(clauses.names(), QStringList{"Petr Velký"});
    QVERIFY(clauses.filter(QStringLiteral("mal")).isEmpty());
    QCOMPARE(clauses.matching(QStringLiteral("Petr Velký")).size(), 1);
}

void TestApplicant::unreadableFileFailsTheLoad() {
    QVERIFY(QDir().mkpath(path())); // a folder where the file belongs
    SavedClauses clauses;
    QVERIFY_THROWS_EXCEPTION(AppError, clauses.load());
}

void TestApplicant::windows1250FileFromTheWindowsProgram() {
    const QByteArray original = readBytes(testDataPath(QStringLiteral("applicant/legalizace-1250.dec")));
    QVERIFY(!original.isEmpty());
    QVERIFY(writeBytes(path(), original));

    SavedClauses clauses;
    clauses.load();
    QCOMPARE(clauses.names(), (QStringList{"Jiří Šťastný, 01.02.1960, Česká Lípa",
                                           "Růžena Křížová, 24.12.1975, Ústí nad Labem",
                                           "Jiří Šťastný, 01.02.1960, Česká Lípa", "Ľubica Ťažká"}));
    QCOMPARE(clauses.lines()[1],
             QStringLiteral("Růžena Křížová, 24.12.1975, Ústí nad Labem|1|2|2|Ďáblická 7, "
                            "Praha 8|2|44556677"));

    // A save that fits Windows-1250 keeps the file byte for byte and adds one line.
    LegalizationFields f = sample();
    clauses.save(f);
    QCOMPARE(readBytes(path()), original + crlf({SavedClauses::lineFor(f)}));
}

void TestApplicant::saveAppendsAndRewrites() {
    QVERIFY(writeBytes(path(), crlf({"Ruční|řádek"})));
    SavedClauses clauses;
    clauses.load();

    LegalizationFields first = sample();
    LegalizationFields second = sample();
    second.signing = 0;
    second.addressKind = 0;
    second.man = false;
    second.address = QStringLiteral("Nová 5, Olomouc");
    second.documentKind = 0;
    second.documentNumber = QString();
    clauses.save(first);
    clauses.save(second);

    const QStringList expected = {
        "Ruční|řádek",
        "Jan Novák, 07.03.1985, Přerov|1|2|1|Žižkova 14, Přerov|3|40123456",
        "Jan Novák, 07.03.1985, Přerov|0|0|2|Nová 5, Olomouc|0|",
    };
    QCOMPARE(readBytes(path()), crlf(expected));
    QCOMPARE(clauses.lines(), expected);
    QCOMPARE(clauses.names().size(), 3);

    // A second handle (the settings dialog after a restart) reads the same.
    SavedClauses other;
    other.load();
    QCOMPARE(other.lines(), expected);
    const QList<SavedClauseEntry> found = other.matching(first.applicant);
    QCOMPARE(found.size(), 2);
    LegalizationFields restored = untouched();
    found[0].applyTo(restored);
    restored.applicant = first.applicant;
    QCOMPARE(restored, first);
    found[1].applyTo(restored);
    QCOMPARE(restored, second);
}

void TestApplicant::foreignNameIsKeptAsUtf8() {
    QVERIFY(writeBytes(path(), crlf({"Věra Čermáková|0|0|2|Brno|0|1"})));
    SavedClauses clauses;
    clauses.load();
    LegalizationFields f = sample();
    f.applicant = QStringLiteral("Søren Ødegård, 1.1.1970, Tromsø");
    f.address = QStringLiteral("Kyjev, вулиця Хрещатик 1");
    clauses.save(f);

    const QByteArray bytes = readBytes(path());
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    SavedClauses again;
    again.load();
    QCOMPARE(again.lines(), (QStringList{"Věra Čermáková|0|0|2|Brno|0|1", SavedClauses::lineFor(f)}));
    QCOMPARE(again.filter(QStringLiteral("ØDEG")), QStringList{f.applicant});
    QCOMPARE(again.filter(QStringLiteral("čerm")), QStringList{"Věra Čermáková"});
}

void TestApplicant::saveRefusesSeparatorsAndLineBreaks_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    using F = SavedClauses::Field;
    QTest::newRow("bar in the applicant line") << int(F::Applicant) << "Jan | Novák"
                                               << "Jméno, příjmení, datum a místo narození žadatele";
    QTest::newRow("bar in the address") << int(F::Address) << "Husova 1|2"
                                        << "Adresa pobytu žadatele";
    QTest::newRow("bar in the document number") << int(F::DocumentNumber) << "|"
                                                << "Číslo dokladu";
    QTest::newRow("LF in the applicant line") << int(F::Applicant) << "Jan Novák\nPraha"
                                              << "Jméno, příjmení, datum a místo narození žadatele";
    QTest::newRow("CR in the address") << int(F::Address) << "Husova 1\r"
                                       << "Adresa pobytu žadatele";
    QTest::newRow("CR LF in the number") << int(F::DocumentNumber) << "12\r\n34"
                                         << "Číslo dokladu";
}

void TestApplicant::saveRefusesSeparatorsAndLineBreaks() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, label);
    const QByteArray before = crlf({"Eva Malá|0|0|2|Polní 1|0|111"});
    QVERIFY(writeBytes(path(), before));
    SavedClauses clauses;
    clauses.load();

    LegalizationFields f = sample();
    switch (SavedClauses::Field(field)) {
    case SavedClauses::Field::Applicant:
        f.applicant = text;
        break;
    case SavedClauses::Field::Address:
        f.address = text;
        break;
    case SavedClauses::Field::DocumentNumber:
        f.documentNumber = text;
        break;
    }
    const auto refusal = SavedClauses::checkStorable(f);
    QVERIFY(refusal);
    const char* const controls[] = {"ComboBox14", "Edit3", "Edit4"};
    QCOMPARE(refusal->field, QString::fromLatin1(controls[field]));
    QVERIFY2(refusal->message.contains(u'„' + label + u'“'), qPrintable(refusal->message));

    try {
        clauses.save(f);
        QFAIL("the clause was saved");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), refusal->message);
    }
    QCOMPARE(readBytes(path()), before);
    QCOMPARE(clauses.size(), 1);
    QVERIFY(!SavedClauses::checkStorable(sample()));
}

void TestApplicant::failedWriteChangesNothing() {
    QVERIFY(writeBytes(path(), crlf({"Eva Malá|0|0|2|Polní 1|0|111", "Petr Velký|1|1|1|Školní 2|2|222"})));
    SavedClauses clauses;
    clauses.load();
    const QStringList lines = clauses.lines();
    // The data directory vanishes under the program: nothing can be written.
    QVERIFY(QDir(m_sandbox->dataDir()).removeRecursively());

    QVERIFY_THROWS_EXCEPTION(AppError, clauses.save(sample()));
    QCOMPARE(clauses.lines(), lines);
    QVERIFY_THROWS_EXCEPTION(AppError, clauses.removeFirstNamed(QStringLiteral("Eva Malá")));
    QCOMPARE(clauses.lines(), lines);
    QCOMPARE(clauses.names(), (QStringList{"Eva Malá", "Petr Velký"}));
    QCOMPARE(clauses.filter(QStringLiteral("malá")), QStringList{"Eva Malá"});

    SavedClauses missing;
    QVERIFY_THROWS_EXCEPTION(AppError, missing.load());
}

void TestApplicant::search_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");

    const QStringList people = {"NOVÁK JAN",    "Jana Nováková, 1.2.1990, Brno",
                                "Petr Novotný", "Karel Nový",
                                "Ivan Znovu",   "Eva Černá",
                                "Jiří ŘEHÁK",   "Novák Jan"};
    QTest::newRow("two letters offer nothing") << people << "No" << QStringList{};
    QTest::newRow("nov anywhere in any case")
        << people << "nov" << QStringList{"NOVÁK JAN",    "Jana Nováková, 1.2.1990, Brno",
                                          "Petr Novotný", "Karel Nový",
                                          "Ivan Znovu",   "Novák Jan"};
    QTest::newRow("capital letters with diacritics match small ones")
        << people << "NOVÁ" << QStringList{"NOVÁK JAN", "Jana Nováková, 1.2.1990, Brno", "Novák Jan"};
    QTest::newRow("small letters with diacritics match capitals")
        << people << "řeh" << QStringList{"Jiří ŘEHÁK"};
    QTest::newRow("Č and č") << people << "ČERN" << QStringList{"Eva Černá"};
    QTest::newRow("á does not match a") << people << "novak" << QStringList{};
    QTest::newRow("birth date inside the line")
        << people << "1.2.19" << QStringList{"Jana Nováková, 1.2.1990, Brno"};
    QTest::newRow("no match") << people << "xyz" << QStringList{};
    QTest::newRow("bar never matches a name") << people << "k|0" << QStringList{};
    QTest::newRow("line break never matches") << people << "Jan\nNov" << QStringList{};
    QTest::newRow("duplicates kept in file order")
        << QStringList{"Eva Malá", "Petr Velký", "Eva Malá"} << "EVA" << QStringList{"Eva Malá", "Eva Malá"};
    QTest::newRow("repeated within one name offers it once")
        << QStringList{"Anna Ananasová", "Hana"} << "ana" << QStringList{"Anna Ananasová", "Hana"};
    QTest::newRow("whole name, end of the list") << QStringList{"Ota", "Eva"} << "eva" << QStringList{"Eva"};
    QTest::newRow("no match across two names") << QStringList{"Jan", "Eva"} << "nev" << QStringList{};
    QTest::newRow("upper case longer than the name")
        << QStringList{"Weiß Straße", "Novák"} << "nov" << QStringList{"Novák"};
    QTest::newRow("ß matches SS") << QStringList{"Weiß Straße", "Strasser"} << "asse"
                                  << QStringList{"Weiß Straße", "Strasser"};
    QTest::newRow("empty names") << QStringList{"", "", "abc"} << "abc" << QStringList{"abc"};
}

void TestApplicant::search() {
    QFETCH(QStringList, names);
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    QStringList lines;
    for (const QString& name : names)
        lines << name + "|0|0|1|adresa|0|1";
    QVERIFY(writeBytes(path(), crlf(lines)));
    SavedClauses clauses;
    clauses.load();
    QCOMPARE(clauses.filter(typed), found);
    for (int i : clauses.filterIndexes(typed))
        QVERIFY(clauses.names()[i].toUpper().contains(typed.toUpper()));
}

// Deleting patches the prepared search data in place; it must answer exactly
// as a fresh load of the rewritten file does.
void TestApplicant::searchFollowsDeletions() {
    const QStringList given = {"Jan", "Jana", "Petr", "Eva", "Jiří", "Šárka", "Ondřej", "Žaneta"};
    const QStringList surnames = {"Novák", "Nováková", "Černý",  "Černá",
                                  "Říha",  "Straße",   "Dvořák", "Novotný"};
    QRandomGenerator rng(7);
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << given[rng.bounded(int(given.size()))] + u' ' + surnames[rng.bounded(int(surnames.size()))] +
                     QStringLiteral("|0|0|1|a|0|%1").arg(i);
    QVERIFY(writeBytes(path(), crlf(lines)));
    SavedClauses clauses;
    clauses.load();

    const QStringList typed = {"nov",  "NOVÁ", "čer", "řík", "ŠÁR",
                               "asse", "a n",  "ak",  "vák", "Jan Nováková"};
    for (int round = 0; round < 40; ++round) {
        const QString victim = clauses.names()[rng.bounded(int(clauses.size()))];
        QVERIFY(clauses.removeFirstNamed(victim));
        SavedClauses fresh;
        fresh.load();
        QCOMPARE(clauses.lines(), fresh.lines());
        for (const QString& t : typed)
            QCOMPARE(clauses.filterIndexes(t), fresh.filterIndexes(t));
    }
}

// The search prepares its upper-cased names letter by letter; whatever the
// letters, it must find exactly what comparing the locale's upper-casing of
// the whole name and of the typed text finds.
void TestApplicant::searchAgreesWithCzechUpperCasing_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("typed");
    QTest::newRow("Czech letters") << QStringList{"Šťastná Žofie", "ŠŤASTNÝ ŽOFIN", "Ďáblová Ňuňa", "úŮůÚ"}
                                   << QStringList{"šťa", "ŽOF", "ďáb", "ňuň", "ůúů", "UUU"};
    QTest::newRow("letters that grow when upper-cased")
        << QStringList{"Weiß", "WEISS", "ŉaše", "ǰosef", "ﬁala", "FIALA", "ﬀolk"}
        << QStringList{"eis", "ßSS", "ʼNA", "ǰos", "J̌OS", "fia", "ﬁal", "FFO"};
    QTest::newRow("letters with more than one small form")
        << QStringList{"Σίσυφος", "ΣΊΣΥΦΟΣ", "µikro", "ΜIKRO", "ſtaré", "Ǆungle", "ǆungle", "ǅungle", "ıvan"}
        << QStringList{"ΣΟΣ", "σος", "ςος", "µik", "μik", "sta", "ǆun", "ǅun", "IVA", "ıva"};
    QTest::newRow("letters outside the basic plane")
        << QStringList{"𐐨𐐩𐐪 Deseret", "𐐀𐐁𐐂 DESERET", "😀 smajlík"} << QStringList{"𐐨𐐩𐐪", "𐐀𐐁", "😀 s", "ret"};
    QTest::newRow("digits, blanks, punctuation")
        << QStringList{"J. Nový, 1.2.1990", "j. nový, 1.2.1990 ", "  "}
        << QStringList{"J. N", ", 1.", "   ", "90 "};
}

void TestApplicant::searchAgreesWithCzechUpperCasing() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, typed);
    QString text;
    for (const QString& name : names)
        text += name + "|0|0|1|adresa|0|1\r\n";
    QVERIFY(writeBytes(path(), AnsiText::encode(text))); // UTF-8 as soon as one name needs it
    SavedClauses clauses;
    clauses.load();
    QCOMPARE(clauses.names(), names);
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    for (const QString& t : typed) {
        QStringList expected;
        for (const QString& name : names) {
            if (czech.toUpper(name).contains(czech.toUpper(t)))
                expected << name;
        }
        QCOMPARE(clauses.filter(t), expected);
    }
}

void TestApplicant::restoreAppliesEveryMatchInOrder() {
    QVERIFY(writeBytes(path(), crlf({
                                   "Jan Novák|0|0|1|Stará 1|0|111",
                                   "jan novák|2|2|2|Malá písmena 9|2|999",
                                   "Jan Novák|1|1|2|Nová 2|1|222",
                                   "Jan Novák, Brno|2|2|1|Jinde 3|3|333",
                               })));
    SavedClauses clauses;
    clauses.load();

    const QList<SavedClauseEntry> found = clauses.matching(QStringLiteral("Jan Novák"));
    QCOMPARE(found.size(), 2);
    QCOMPARE(found[0].line, 0);
    QCOMPARE(found[1].line, 2);
    LegalizationFields f = untouched();
    for (const SavedClauseEntry& e : found) {
        QVERIFY(e.error.isEmpty());
        e.applyTo(f);
    }
    QCOMPARE(f.address, QStringLiteral("Nová 2"));
    QCOMPARE(f.signing, 1);
    QCOMPARE(f.addressKind, 1);
    QVERIFY(!f.man);
    QCOMPARE(f.documentKind, SavedClauses::kFormerDrivingLicenceKind);
    QCOMPARE(f.documentNumber, QStringLiteral("222"));
    QCOMPARE(f.applicant, untouched().applicant); // the caller's text stays as picked

    QVERIFY(clauses.matching(QStringLiteral("JAN NOVÁK")).isEmpty());
    QVERIFY(clauses.matching(QStringLiteral("Jan")).isEmpty());
}

void TestApplicant::restoreHandEditedLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<LegalizationFields>("start");
    QTest::addColumn<LegalizationFields>("expected");
    QTest::addColumn<QString>("error");

    const LegalizationFields base = untouched();
    LegalizationFields woman = untouched();
    woman.man = false;
    auto with = [](LegalizationFields f, auto change) {
        change(f);
        return f;
    };
    QTest::newRow("complete line") << "X|2|1|2|Husova 3|4|AB12" << base
                                   << with(base,
                                           [](LegalizationFields& f) {
                                               f.signing = 2, f.addressKind = 1, f.man = false,
                                               f.address = "Husova 3", f.documentKind = 4,
                                               f.documentNumber = "AB12";
                                           })
                                   << QString();
    QTest::newRow("only a name") << "X" << base << base << QString();
    QTest::newRow("name and bar") << "X|" << base << base << "'' is not a valid integer value";
    QTest::newRow("two fields") << "X|2" << base << with(base, [](LegalizationFields& f) { f.signing = 2; })
                                << QString();
    QTest::newRow("three fields keep the sex")
        << "X|0|0" << woman << with(woman, [](LegalizationFields& f) { f.signing = 0, f.addressKind = 0; })
        << QString();
    QTest::newRow("four fields, sex 1") << "X|0|0|1" << woman << with(woman, [](LegalizationFields& f) {
        f.signing = 0, f.addressKind = 0, f.man = true;
    }) << QString();
    QTest::newRow("five fields, sex other than 1")
        << "X|0|0|muž|Polní 1" << base
        << with(base,
                [](LegalizationFields& f) {
                    f.signing = 0, f.addressKind = 0, f.man = false, f.address = "Polní 1";
                })
        << QString();
    QTest::newRow("six fields") << "X|0|1|2|Polní 1|5" << base << with(base, [](LegalizationFields& f) {
        f.signing = 0, f.addressKind = 1, f.man = false, f.address = "Polní 1", f.documentKind = 5;
    }) << QString();
    QTest::newRow("empty document number") << "X|0|1|1|Polní 1|0|" << base
                                           << with(base,
                                                   [](LegalizationFields& f) {
                                                       f.signing = 0, f.addressKind = 1,
                                                       f.address = "Polní 1", f.documentKind = 0,
                                                       f.documentNumber = "";
                                                   })
                                           << QString();
    QTest::newRow("extra fields are ignored") << "X|0|1|1|Polní 1|0|77|navíc|další" << base
                                              << with(base,
                                                      [](LegalizationFields& f) {
                                                          f.signing = 0, f.addressKind = 1,
                                                          f.address = "Polní 1", f.documentKind = 0,
                                                          f.documentNumber = "77";
                                                      })
                                              << QString();
    QTest::newRow("bad first index sets nothing")
        << "X|a|1|1|Polní|0|1" << base << base << "'a' is not a valid integer value";
    QTest::newRow("bad second index keeps the first")
        << "X|1| 2|1|Polní|0|1" << base << with(base, [](LegalizationFields& f) { f.signing = 1; })
        << "' 2' is not a valid integer value";
    QTest::newRow("bad document kind keeps the fields before it")
        << "X|1|2|1|Polní|řp|1" << base
        << with(base, [](LegalizationFields& f) { f.signing = 1, f.addressKind = 2, f.address = "Polní"; })
        << "'řp' is not a valid integer value";
    QTest::newRow("index outside the list is restored as it stands")
        << "X|9|-1|1|Polní|12|5" << base
        << with(base,
                [](LegalizationFields& f) {
                    f.signing = 9, f.addressKind = -1, f.address = "Polní", f.documentKind = 12,
                    f.documentNumber = "5";
                })
        << QString();
}

void TestApplicant::restoreHandEditedLines() {
    QFETCH(QString, line);
    QFETCH(LegalizationFields, start);
    QFETCH(LegalizationFields, expected);
    QFETCH(QString, error);
    QVERIFY(writeBytes(path(), crlf({line})));
    SavedClauses clauses;
    clauses.load();
    const QList<SavedClauseEntry> found = clauses.matching(QStringLiteral("X"));
    QCOMPARE(found.size(), 1);
    LegalizationFields f = start;
    found[0].applyTo(f);
    QCOMPARE(f, expected);
    QCOMPARE(found[0].error, error);
}

void TestApplicant::deleteRemovesFirstOfDuplicates() {
    const QStringList lines = {"Eva Malá|0|0|2|První 1|0|1", "Petr Velký|1|1|1|Školní 2|2|2",
                               "Eva Malá|0|0|2|Druhá 2|0|3"};
    QVERIFY(writeBytes(path(), crlf(lines)));
    SavedClauses clauses;
    clauses.load();

    QVERIFY(!clauses.removeFirstNamed(QStringLiteral("eva malá")));
    QVERIFY(!clauses.removeFirstNamed(QStringLiteral("Eva")));
    QCOMPARE(readBytes(path()), crlf(lines));

    QVERIFY(clauses.removeFirstNamed(QStringLiteral("Eva Malá")));
    QCOMPARE(clauses.lines(), (QStringList{lines[1], lines[2]}));
    QCOMPARE(clauses.names(), (QStringList{"Petr Velký", "Eva Malá"}));
    QCOMPARE(readBytes(path()), crlf({lines[1], lines[2]}));
    QCOMPARE(clauses.filter(QStringLiteral("malá")), QStringList{"Eva Malá"});
    QCOMPARE(clauses.matching(QStringLiteral("Eva Malá")).at(0).address, QStringLiteral("Druhá 2"));
}

void TestApplicant::deleteTheOnlyClauseLeavesEmptyFile() {
    QVERIFY(writeBytes(path(), crlf({"Eva Malá|0|0|2|První 1|0|1"})));
    SavedClauses clauses;
    clauses.load();
    QVERIFY(clauses.removeFirstNamed(QStringLiteral("Eva Malá")));
    QVERIFY(clauses.isEmpty());
    QVERIFY(clauses.names().isEmpty());
    QVERIFY(clauses.filter(QStringLiteral("eva")).isEmpty());
    QVERIFY(QFile::exists(path()));
    QCOMPARE(readBytes(path()), QByteArray());
}

QTEST_GUILESS_MAIN(TestApplicant)
#include "tst_applicant.moc"
