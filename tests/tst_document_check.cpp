#include "StandInService.h"
#include "TestSupport.h"

#include "applicant/DocumentCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

namespace {

using Kind = DocumentCheckResult::Kind;

DocumentCheckResult resultOf(const QSignalSpy& spy, int i = 0) {
    return spy.at(i).at(0).value<DocumentCheckResult>();
}

} // namespace

Q_DECLARE_METATYPE(DocumentCheckResult::Kind)

class TestDocumentCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void typeCodes_data();
    void typeCodes();
    void addresses_data();
    void addresses();
    void display_data();
    void display();

    void answers_data();
    void answers();
    void noRequestWithoutCodeOrNumber_data();
    void noRequestWithoutCodeOrNumber();
    void noAnswerIsAFailureAfterTheTimeout();
    void unreachableServiceIsAFailure_data();
    void unreachableServiceIsAFailure();
    void untrustedCertificateIsAFailure();
    void staleReplyIsIgnored();
    void cancelSilencesTheCheck();
};

void TestDocumentCheck::initTestCase() {
    // The loopback service must be reached directly, whatever the machine's proxy.
    for (const char* name :
         {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
}

void TestDocumentCheck::typeCodes_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("code"); // empty: no check
    QTest::newRow("občanský průkaz") << 0 << "0";
    QTest::newRow("no longer accepted") << 1 << "";
    QTest::newRow("pas fialový") << 2 << "4";
    QTest::newRow("pas zelený") << 3 << "5";
    QTest::newRow("povolení pobytu") << 4 << "";
    QTest::newRow("OP EU") << 5 << "";
    QTest::newRow("pas cizince") << 6 << "";
    QTest::newRow("průkaz MZV") << 7 << "";
    QTest::newRow("no selection") << -1 << "";
    QTest::newRow("beyond the list") << 8 << "";
}

void TestDocumentCheck::typeCodes() {
    QFETCH(int, kind);
    QFETCH(QString, code);
    const std::optional<QString> got = DocumentCheck::typeCode(kind);
    QCOMPARE(got.value_or(QString()), code);
    QCOMPARE(got.has_value(), !code.isEmpty());
}

void TestDocumentCheck::addresses_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("query");

    const QString site = QStringLiteral("https://www.lorvena.cz");
    QTest::newRow("number and series joined") << site << "123456"
                                              << "AB"
                                              << "0" << QByteArray("number=123456AB&type=0");
    QTest::newRow("number alone") << site << "123456"
                                  << ""
                                  << "4" << QByteArray("number=123456&type=4");
    QTest::newRow("base with a slash") << site + "/"
                                       << "7"
                                       << ""
                                       << "5" << QByteArray("number=7&type=5");
    QTest::newRow("blank, ampersand, hash") << site << "12 3&x"
                                            << "#"
                                            << "0" << QByteArray("number=12%203%26x%23&type=0");
    QTest::newRow("plus, equals, slash, question mark")
        << site << "1+2=3/4?"
        << ""
        << "0" << QByteArray("number=1%2B2%3D3%2F4%3F&type=0");
    QTest::newRow("percent sign") << site << "50%25"
                                  << ""
                                  << "0" << QByteArray("number=50%2525&type=0");
    QTest::newRow("Czech letters as UTF-8") << site << "Č12"
                                            << "ř"
                                            << "0" << QByteArray("number=%C4%8C12%C5%99&type=0");
    QTest::newRow("unreserved characters unchanged") << site << "aZ09-._~"
                                                     << ""
                                                     << "0" << QByteArray("number=aZ09-._~&type=0");
    QTest::newRow("no type code") << site << "X1"
                                  << ""
                                  << "" << QByteArray("number=X1&type=");
}

void TestDocumentCheck::addresses() {
    QFETCH(QString, base);
    QFETCH(QString, number);
    QFETCH(QString, series);
    QFETCH(QString, code);
    QFETCH(QByteArray, query);
    const QByteArray request = DocumentCheck::requestUrl(base, number, series, code).toEncoded();
    const QByteArray page = DocumentCheck::resultPageUrl(base, number, series, code).toEncoded();
    QCOMPARE(request, "https://www.lorvena.cz/overeni-dokladu/simple/?" + query);
    QCOMPARE(page, "https://www.lorvena.cz/overeni-dokladu/vysledek-overeni/?" + query);
}

void TestDocumentCheck::display_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("state");
    QTest::newRow("0") << "0" << true << QColor(255, 243, 205)
                       << "Server MVČR ohlásil chybu ověření - více informací po kliknutí na tlačítko Info"
                       << "error";
    QTest::newRow("1") << "1" << true << QColor(248, 215, 218)
                       << "Pozor - doklad byl nalezen v databázi neplatných dokladů MVČR"
                       << "danger";
    QTest::newRow("2") << "2" << true << QColor(212, 237, 218)
                       << "Doklad nebyl nalezen v databázi neplatných dokladů MVČR"
                       << "ok";
    for (const char* other : {"", "3", "01", "1\r\n", "2\n", " 2", "ok", "<html>1</html>"})
        QTest::newRow(
            qPrintable(QStringLiteral("other \"%1\"")
                           .arg(QString::fromLatin1(other).replace("\r", "\\r").replace("\n", "\\n"))))
            << QString::fromLatin1(other) << false << QColor() << QString() << QString();
}

void TestDocumentCheck::display() {
    QFETCH(QString, body);
    QFETCH(bool, shown);
    QFETCH(QColor, colour);
    QFETCH(QString, hint);
    QFETCH(QString, state);
    const auto display = DocumentCheck::displayFor(body);
    QCOMPARE(display.has_value(), shown);
    if (display) {
        QCOMPARE(display->colour, colour);
        QCOMPARE(display->hint, hint);
        QCOMPARE(display->state, state);
    }
}

void TestDocumentCheck::answers_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("state"); // what the field then shows; empty: unchanged

    QTest::newRow("0") << 200 << QByteArray("0") << Kind::Answer << "error";
    QTest::newRow("1") << 200 << QByteArray("1") << Kind::Answer << "danger";
    QTest::newRow("2") << 200 << QByteArray("2") << Kind::Answer << "ok";
    QTest::newRow("digit and line end") << 200 << QByteArray("1\r\n") << Kind::Answer << "";
    QTest::newRow("error page") << 200 << QByteArray("<html><body>Chyba</body></html>") << Kind::Answer << "";
    QTest::newRow("empty body") << 200 << QByteArray() << Kind::Answer << "";
    QTest::newRow("HTTP 500") << 500 << QByteArray("1") << Kind::HttpError << "";
    QTest::newRow("HTTP 404") << 404 << QByteArray("2") << Kind::HttpError << "";
}

void TestDocumentCheck::answers() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(Kind, kind);
    QFETCH(QString, state);

    StandInService service;
    QVERIFY(service.listening());
    service.respond = [&](const QByteArray&) { return StandInService::Answer{status, body, 0, false}; };
    DocumentCheck check(service.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(0, QStringLiteral("123456"), QStringLiteral("AB")));
    QVERIFY(check.isRunning());
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.size(), 1);
    QVERIFY(!check.isRunning());

    QCOMPARE(service.targets, QList<QByteArray>{"/overeni-dokladu/simple/?number=123456AB&type=0"});
    const DocumentCheckResult result = resultOf(spy);
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.body, QString::fromUtf8(body));
    QCOMPARE(result.display().has_value(), !state.isEmpty());
    if (result.display())
        QCOMPARE(result.display()->state, state);
}

void TestDocumentCheck::noRequestWithoutCodeOrNumber_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("series");
    QTest::newRow("povolení pobytu") << 4 << "123456"
                                     << "";
    QTest::newRow("no longer accepted kind") << 1 << "123456"
                                             << "";
    QTest::newRow("empty number") << 0 << ""
                                  << "";
    QTest::newRow("series without number") << 2 << ""
                                           << "AB";
}

void TestDocumentCheck::noRequestWithoutCodeOrNumber() {
    QFETCH(int, kind);
    QFETCH(QString, number);
    QFETCH(QString, series);
    StandInService service;
    DocumentCheck check(service.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(!check.start(kind, number, series));
    QVERIFY(!check.isRunning());
    QVERIFY(!spy.wait(100));
    QVERIFY(service.targets.isEmpty());
}

void TestDocumentCheck::noAnswerIsAFailureAfterTheTimeout() {
    StandInService service;
    service.respond = [](const QByteArray&) { return StandInService::Answer{200, "2", 0, true}; };
    DocumentCheck check(service.base());
    check.setTimeout(200);
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QVERIFY(spy.wait(5000));
    QVERIFY(timer.elapsed() >= 180);
    QCOMPARE(service.targets.size(), 1);
    QCOMPARE(resultOf(spy).kind, Kind::Failure);
    QVERIFY(!resultOf(spy).display());
    QVERIFY(!spy.wait(200));
}

void TestDocumentCheck::unreachableServiceIsAFailure_data() {
    QTest::addColumn<QString>("base");
    quint16 port = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    } // closed again: nothing listens on the port
    QTest::newRow("connection refused") << QStringLiteral("http://127.0.0.1:%1").arg(port);
    QTest::newRow("no base address") << QString();
    QTest::newRow("not a web address") << QStringLiteral("lorvena");
    QTest::newRow("unknown scheme") << QStringLiteral("gopher://127.0.0.1:%1").arg(port);
}

void TestDocumentCheck::unreachableServiceIsAFailure() {
    QFETCH(QString, base);
    DocumentCheck check(base);
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(3, QStringLiteral("99"), QString()));
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(resultOf(spy).kind, Kind::Failure);
    QVERIFY(!check.isRunning());
}

void TestDocumentCheck::untrustedCertificateIsAFailure() {
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    StandInService service(true);
    QVERIFY(service.listening());

    // The service does answer "2" to a client that overlooks the self-signed certificate ...
    QNetworkAccessManager careless;
    QNetworkReply* reply =
        careless.get(QNetworkRequest(DocumentCheck::requestUrl(service.base(), "1", "", "0")));
    connect(reply, &QNetworkReply::sslErrors, reply, [reply] { reply->ignoreSslErrors(); });
    QSignalSpy done(reply, &QNetworkReply::finished);
    QVERIFY(done.wait(5000));
    QCOMPARE(reply->readAll(), QByteArray("2"));
    reply->deleteLater();

    // ... but the check never overlooks it.
    DocumentCheck check(service.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(0, QStringLiteral("1"), QString()));
    QVERIFY(spy.wait(5000));
    QCOMPARE(resultOf(spy).kind, Kind::Failure);
    QVERIFY(resultOf(spy).body.isEmpty());
}

void TestDocumentCheck::staleReplyIsIgnored() {
    StandInService service;
    // The first number is found among the invalid documents, but slowly.
    service.respond = [](const QByteArray& target) {
        if (target.contains("number=OLD"))
            return StandInService::Answer{200, "1", 200, false};
        return StandInService::Answer{200, "2", 0, false};
    };
    DocumentCheck check(service.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(0, QStringLiteral("OLD"), QString()));
    QTRY_COMPARE(service.targets.size(), 1); // the old request is at the service
    QVERIFY(check.start(0, QStringLiteral("NEW"), QString()));
    QVERIFY(spy.wait(5000));
    QTest::qWait(350); // past the moment the old answer is sent
    QCOMPARE(spy.size(), 1);
    QCOMPARE(resultOf(spy).kind, Kind::Answer);
    QCOMPARE(resultOf(spy).body, QStringLiteral("2"));
}

void TestDocumentCheck::cancelSilencesTheCheck() {
    StandInService service;
    service.respond = [](const QByteArray&) { return StandInService::Answer{200, "1", 200, false}; };
    DocumentCheck check(service.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QTRY_COMPARE(service.targets.size(), 1);
    check.cancel();
    QVERIFY(!check.isRunning());
    QVERIFY(!spy.wait(350));

    // The client is usable again afterwards.
    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(resultOf(spy).body, QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestDocumentCheck)
#include "tst_document_check.moc"
