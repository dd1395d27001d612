#include "ApplicantSupport.h"
#include "TestSupport.h"

#include "applicant/EidImport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

const QString kSite = QStringLiteral("https://www.lorvena.cz");

enum Set { Applicant = 1, Document = 2, Address = 4, Sex = 8 };
enum class Message { None, NoData, WrongData };

// What the clerk had typed before pressing the import button.
LegalizationFields before() {
    LegalizationFields f;
    f.applicant = QStringLiteral("rozepsaný text");
    f.signing = 2;
    f.addressKind = 2;
    f.man = false;
    f.address = QStringLiteral("stará adresa");
    f.documentKind = 3;
    f.documentNumber = QStringLiteral("staré číslo");
    return f;
}

QString fixture(const QString& name) {
    const QByteArray bytes = readBytes(testDataPath(QStringLiteral("eid/") + name));
    if (bytes.isEmpty())
        qFatal("missing fixture %s", qPrintable(name));
    return QString::fromUtf8(bytes);
}

QString credentials(const QString& items) {
    return QStringLiteral(R"({"presentedDocuments":[{"credentials":[%1]}]})").arg(items);
}

int flagsOf(const EidImport::Result& r) {
    return (r.applicantSet ? Applicant : 0) | (r.documentSet ? Document : 0) | (r.addressSet ? Address : 0) |
           (r.sexSet ? Sex : 0);
}

QString expectedMessage(Message m) {
    switch (m) {
    case Message::None:
        return QString();
    case Message::NoData:
        return EidImport::noDataMessage(kSite);
    case Message::WrongData:
        return EidImport::wrongDataMessage(kSite);
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Message)

class TestEid : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void messages();
    void import_data();
    void import();
    void hugeOrBinaryText_data();
    void hugeOrBinaryText();
    void largeExportBelowTheLimitIsRead();
};

void TestEid::messages() {
    QCOMPARE(
        EidImport::noDataMessage(QStringLiteral("https://www.lorvena.cz")),
        QStringLiteral("Ve schránce nesjou žádná data. Ve čtečce je potřeba kliknout na \"Exportovat údaje\" "
                       "a dále na \"Kopírovat do schránky\". Více informací najdete na webu "
                       "https://www.lorvena.cz/edoklady"));
    QCOMPARE(EidImport::wrongDataMessage(QStringLiteral("http://127.0.0.1:8080/")),
             QStringLiteral("Ve schránce nesjou správná data. Více informací najdete na webu "
                            "http://127.0.0.1:8080/edoklady"));
}

void TestEid::import_data() {
    QTest::addColumn<std::optional<QString>>("text");
    QTest::addColumn<LegalizationFields>("expected");
    QTest::addColumn<int>("set");
    QTest::addColumn<Message>("message");

    const LegalizationFields old = before();
    auto with = [&](auto change) {
        LegalizationFields f = old;
        change(f);
        return f;
    };
    const std::optional<QString> none;

    QTest::newRow("complete export") << std::optional(fixture("complete.json"))
                                     << with([](LegalizationFields& f) {
                                            f.applicant = "Tomáš Dvořák, 07.03.1985, Brno";
                                            f.documentKind = 0;
                                            f.documentNumber = "205123456";
                                            f.addressKind = 0;
                                            f.address = "Husova 1234/5, Brno-střed, 602 00 Brno";
                                            f.man = true;
                                        })
                                     << (Applicant | Document | Address | Sex) << Message::None;

    QTest::newRow("surname before given name is lost, sex in small letters is a woman")
        << std::optional(fixture("reordered.json")) << with([](LegalizationFields& f) {
               f.applicant = "Tomáš 07.03.1985, Brno";
               f.man = false;
           })
        << (Applicant | Sex) << Message::None;

    LegalizationFields man = old;
    man.man = true;
    QTest::newRow("second presented document ignored")
        << std::optional(fixture("second-document.json")) << with([](LegalizationFields& f) {
               f.applicant = "Šárka Říhová, ";
               f.man = false;
           })
        << (Applicant | Sex) << Message::None;

    QTest::newRow("array at top level")
        << std::optional(fixture("top-array.json")) << old << 0 << Message::WrongData;
    QTest::newRow("not JSON") << std::optional(fixture("invalid.json")) << old << 0 << Message::WrongData;
    QTest::newRow("failure keeps what came before")
        << std::optional(fixture("broken-credential.json"))
        << with([](LegalizationFields& f) { f.applicant = "Tomáš Dvořák, "; }) << int(Applicant)
        << Message::WrongData;

    QTest::newRow("no text") << none << old << 0 << Message::NoData;
    QTest::newRow("empty text") << std::optional(QString()) << old << 0 << Message::NoData;
    QTest::newRow("blank text") << std::optional(QStringLiteral("  \r\n")) << old << 0 << Message::WrongData;
    QTest::newRow("plain words") << std::optional(QStringLiteral("Tomáš Dvořák")) << old << 0
                                 << Message::WrongData;
    QTest::newRow("no presentedDocuments")
        << std::optional(QStringLiteral(R"({"credentials":[]})")) << old << 0 << Message::WrongData;
    QTest::newRow("no presented document")
        << std::optional(QStringLiteral(R"({"presentedDocuments":[]})")) << old << 0 << Message::WrongData;
    QTest::newRow("presentedDocuments an object")
        << std::optional(QStringLiteral(R"({"presentedDocuments":{"credentials":[]}})")) << old << 0
        << Message::WrongData;
    QTest::newRow("credentials an object")
        << std::optional(
               QStringLiteral(R"({"presentedDocuments":[{"credentials":{"name":"sex","value":"Muž"}}]})"))
        << old << 0 << Message::WrongData;
    QTest::newRow("empty credentials") << std::optional(credentials("")) << old << 0 << Message::None;
    QTest::newRow("credential not an object")
        << std::optional(credentials(R"({"name":"sex","value":"Muž"},"given_name")")) << man << int(Sex)
        << Message::WrongData;
    QTest::newRow("number as value") << std::optional(
                                            credentials(R"({"name":"document_number","value":205123456})"))
                                     << old << 0 << Message::WrongData;
    QTest::newRow("null as value") << std::optional(credentials(R"({"name":"birth_place","value":null})"))
                                   << old << 0 << Message::WrongData;
    QTest::newRow("unknown name with a number value is still an error")
        << std::optional(credentials(R"({"name":"height","value":180})")) << old << 0 << Message::WrongData;
    QTest::newRow("unknown names and other letter case ignored")
        << std::optional(
               credentials(R"({"name":"Given_Name","value":"X"},{"name":"portrait","value":"/9j/4AAQ"})"))
        << old << 0 << Message::None;
    QTest::newRow("family name appends to what was typed")
        << std::optional(credentials(R"({"name":"family_name","value":"Dvořák"})"))
        << with([](LegalizationFields& f) { f.applicant = "rozepsaný textDvořák, "; }) << int(Applicant)
        << Message::None;
    QTest::newRow("birth date without day")
        << std::optional(credentials(R"({"name":"birth_date","value":"1985-03"})"))
        << with([](LegalizationFields& f) { f.applicant = "rozepsaný text.03.1985, "; }) << int(Applicant)
        << Message::None;
    QTest::newRow("birth date year only")
        << std::optional(credentials(R"({"name":"birth_date","value":"19"})"))
        << with([](LegalizationFields& f) { f.applicant = "rozepsaný text..19, "; }) << int(Applicant)
        << Message::None;
    QTest::newRow("birth date longer than ten")
        << std::optional(credentials(R"({"name":"birth_date","value":"1985-03-07T00:00:00"})"))
        << with([](LegalizationFields& f) { f.applicant = "rozepsaný text07.03.1985, "; }) << int(Applicant)
        << Message::None;
    QTest::newRow("empty document number still sets the kind")
        << std::optional(credentials(R"({"name":"document_number","value":""})"))
        << with([](LegalizationFields& f) {
               f.documentKind = 0;
               f.documentNumber = "";
           })
        << int(Document) << Message::None;
    QTest::newRow("later credential of the same name wins")
        << std::optional(credentials(R"({"name":"sex","value":"Muž"},{"name":"sex","value":"Žena"})")) << old
        << int(Sex) << Message::None;
}

void TestEid::import() {
    QFETCH(std::optional<QString>, text);
    QFETCH(LegalizationFields, expected);
    QFETCH(int, set);
    QFETCH(Message, message);
    LegalizationFields fields = before();
    const EidImport::Result result = EidImport::apply(text, fields, kSite);
    QCOMPARE(fields, expected);
    QCOMPARE(flagsOf(result), set);
    QCOMPARE(result.anySet(), set != 0);
    QCOMPARE(result.message, expectedMessage(message));
}

void TestEid::hugeOrBinaryText_data() {
    QTest::addColumn<QString>("text");

    // A valid export that a 20 MB member makes far larger than any real one.
    QString padded = fixture("complete.json");
    padded.insert(padded.indexOf(u'{') + 1,
                  QStringLiteral("\"padding\":\"%1\",").arg(QString(20'000'000, u'x')));
    QTest::newRow("20 MB export") << padded;

    QByteArray noise(20'000'000, Qt::Uninitialized);
    QRandomGenerator rng(42);
    for (char& c : noise)
        c = char(rng.bounded(256));
    QTest::newRow("20 MB of bytes") << QString::fromLatin1(noise);
    QTest::newRow("1 MB of bytes") << QString::fromLatin1(noise.left(1'000'000));
    QTest::newRow("NUL characters") << QString::fromLatin1(QByteArray(R"({"presentedDocuments":)") +
                                                           QByteArray(100, '\0') + "[]}");
    QTest::newRow("deep nesting") << QString(200'000, u'[') + QString(200'000, u']');
    QTest::newRow("deep nesting in the credentials")
        << credentials(QString(100'000, u'{') + QString(100'000, u'}'));
    QTest::newRow("lone surrogates") << QString(1000, QChar(0xD800));
}

void TestEid::hugeOrBinaryText() {
    QFETCH(QString, text);
    LegalizationFields fields = before();
    QElapsedTimer timer;
    timer.start();
    const EidImport::Result result = EidImport::apply(text, fields, kSite);
    QVERIFY2(timer.elapsed() < 2000, "the import stalled");
    QCOMPARE(result.message, EidImport::wrongDataMessage(kSite));
    QCOMPARE(fields, before());
    QVERIFY(!result.anySet());
}

// An export with a portrait picture is far larger than the plain particulars;
// the size limit must leave room for it.
void TestEid::largeExportBelowTheLimitIsRead() {
    QString text = fixture("complete.json");
    text.insert(text.indexOf(u'{') + 1, QStringLiteral("\"portrait\":\"%1\",").arg(QString(1'000'000, u'A')));
    QVERIFY(text.size() < EidImport::kMaxTextLength);
    LegalizationFields fields = before();
    const EidImport::Result result = EidImport::apply(text, fields, kSite);
    QVERIFY(result.message.isEmpty());
    QCOMPARE(fields.applicant, QStringLiteral("Tomáš Dvořák, 07.03.1985, Brno"));
}

QTEST_GUILESS_MAIN(TestEid)
#include "tst_eid.moc"
