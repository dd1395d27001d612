#include "StandInService.h"
#include "TestSupport.h"

#include "applicant/DocumentCheck.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

using Kind = DocumentCheckResult::Kind;

DocumentCheckResult resultOf(const QSignalSpy& spy, int i = 0) {
    return spy.at(i).at(0).value<DocumentCheckResult>();
}

// Resident memory of this process in KiB, or -1 where /proc is not there.
qint64 residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Writes `head`, then `chunk` after `chunk` for as long as the client takes
// them, never holding more than a little unsent; counts what went out.
struct EndlessStream {
    QByteArray head;
    QByteArray chunk;
    std::shared_ptr<qint64> sent = std::make_shared<qint64>(0);

    void operator()(QTcpSocket* socket) const {
        socket->write(head);
        auto more = [socket, chunk = chunk, sent = sent] {
            while (socket->state() == QAbstractSocket::ConnectedState &&
                   socket->bytesToWrite() < 256 * 1024) {
                socket->write(chunk);
                *sent += chunk.size();
            }
        };
        QObject::connect(socket, &QIODevice::bytesWritten, socket, more);
        more();
    }
};

// Writes `head` at once, then `drip` one byte every 20 ms, and never finishes.
std::function<void(QTcpSocket*)> trickle(const QByteArray& head, const QByteArray& drip) {
    return [head, drip](QTcpSocket* socket) {
        socket->write(head);
        auto* timer = new QTimer(socket);
        auto next = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, drip, next] {
            socket->write(drip.mid(*next % drip.size(), 1));
            ++*next;
        });
        timer->start(20);
    };
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
    void endlessAnswerIsCutOff_data();
    void endlessAnswerIsCutOff();
    void deadlineHoldsWhileBytesTrickle_data();
    void deadlineHoldsWhileBytesTrickle();
    void redirects_data();
    void redirects();
    void noRedirectOutOfTls();
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

void TestDocumentCheck::endlessAnswerIsCutOff_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("chunk");
    const QByteArray ones(64 * 1024, '1');
    QTest::newRow("huge length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100000000000\r\n\r\n")
                                 << ones;
    QTest::newRow("no length") << QByteArray("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n") << ones;
    QTest::newRow("chunked") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
                             << "10000\r\n" + ones + "\r\n";
    QTest::newRow("endless error page")
        << QByteArray("HTTP/1.1 500 Error\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n")
        << QByteArray(64 * 1024, 'x');
}

void TestDocumentCheck::endlessAnswerIsCutOff() {
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, chunk);
    StandInService service;
    const EndlessStream stream{head, chunk};
    service.respond = [&](const QByteArray&) {
        StandInService::Answer answer;
        answer.writer = stream;
        return answer;
    };
    DocumentCheck check(service.base()); // the full deadline: the cut-off must not wait for it
    QSignalSpy spy(&check, &DocumentCheck::finished);
    const qint64 before = residentKiB();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QVERIFY(spy.wait(DocumentCheck::kDefaultTimeoutMs + 2000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(resultOf(spy).kind, Kind::Oversized);
    QVERIFY(resultOf(spy).body.isEmpty());
    QVERIFY(!resultOf(spy).display());

    // The connection is gone and the stream stops; what went out fits in socket buffers.
    QTest::qWait(200);
    const qint64 sentThen = *stream.sent;
    QTest::qWait(200);
    QCOMPARE(*stream.sent, sentThen);
    QVERIFY2(sentThen < 32 * 1024 * 1024, qPrintable(QString::number(sentThen)));
    if (before > 0)
        QVERIFY2(residentKiB() - before < 32 * 1024, qPrintable(QString::number(residentKiB() - before)));
}

void TestDocumentCheck::deadlineHoldsWhileBytesTrickle_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("drip");
    QTest::newRow("head never ends") << QByteArray("HTTP/1.1 200 OK\r\nX-Padding: ") << QByteArray("abcdef");
    QTest::newRow("body slower than the deadline")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 60\r\n\r\n") << QByteArray("2");
    QTest::newRow("endless chunks") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
                                    << QByteArray("1\r\n2\r\n");
}

void TestDocumentCheck::deadlineHoldsWhileBytesTrickle() {
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, drip);
    StandInService service;
    service.respond = [&](const QByteArray&) {
        StandInService::Answer answer;
        answer.writer = trickle(head, drip);
        return answer;
    };
    DocumentCheck check(service.base());
    check.setTimeout(300);
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QVERIFY(spy.wait(5000));
    QVERIFY2(clock.elapsed() >= 280 && clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(resultOf(spy).kind, Kind::Failure);
    QVERIFY(!resultOf(spy).display());
}

void TestDocumentCheck::redirects_data() {
    QTest::addColumn<QString>("target"); // "elsewhere": another service; otherwise a path on the same one
    QTest::addColumn<QHostAddress>("elsewhere");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("body");
    const QHostAddress local(QHostAddress::LocalHost);
    QTest::newRow("another host") << "elsewhere" << QHostAddress("127.0.0.2") << Kind::HttpError << "";
    QTest::newRow("another port") << "elsewhere" << local << Kind::HttpError << "";
    // Within the same origin the number stays where it was sent: followed.
    QTest::newRow("same origin") << "/overeni-dokladu/simple/?number=MOVED&type=0" << QHostAddress()
                                 << Kind::Answer << "1";
    QTest::newRow("endless loop") << "/loop" << QHostAddress() << Kind::HttpError << "";
}

void TestDocumentCheck::redirects() {
    QFETCH(QString, target);
    QFETCH(QHostAddress, elsewhere);
    QFETCH(Kind, kind);
    QFETCH(QString, body);

    StandInService service;
    StandInService other(false, elsewhere.isNull() ? QHostAddress(QHostAddress::LocalHost) : elsewhere);
    QVERIFY(service.listening());
    QVERIFY(other.listening());
    other.respond = [](const QByteArray&) { return StandInService::Answer{200, "1", 0, false}; };
    const QString location = target == u"elsewhere"
                                 ? other.base() + "/overeni-dokladu/simple/?number=123&type=0"
                                 : service.base() + target;
    service.respond = [&](const QByteArray& path) {
        if (path.contains("MOVED"))
            return StandInService::Answer{200, "1", 0, false};
        StandInService::Answer moved{
            302, "<html><body>Přesunuto jinam, pokračujte prosím odkazem.</body></html>", 0, false};
        moved.headers = "Location: " + location.toUtf8() + "\r\n";
        return moved;
    };

    DocumentCheck check(service.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QVERIFY(spy.wait(5000));
    const DocumentCheckResult result = resultOf(spy);
    QCOMPARE(result.kind, kind);
    QVERIFY(other.targets.isEmpty());
    if (kind == Kind::Answer)
        QCOMPARE(result.body, body);
    else
        QVERIFY(!result.display());
    // A handful of requests, not the fifty redirects Qt follows by default (a
    // request may go out twice when a closed connection is retried).
    QVERIFY2(service.targets.size() <= 2 * (1 + DocumentCheck::kMaxRedirects),
             qPrintable(QString::number(service.targets.size())));
}

void TestDocumentCheck::noRedirectOutOfTls() {
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS backend");
    // Trust the stand-in's certificate, so that only the redirect can stop the check.
    const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = saved;
    trusting.addCaCertificates(QSslCertificate::fromData(readBytes(testDataPath("tls/standin-cert.pem"))));
    QSslConfiguration::setDefaultConfiguration(trusting);
    auto restore = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(saved); });

    StandInService secure(true);
    StandInService plain;
    secure.respond = [&](const QByteArray& path) {
        if (path.contains("number=OK"))
            return StandInService::Answer{200, "2", 0, false};
        StandInService::Answer moved{302, {}, 0, false};
        moved.headers = "Location: " + plain.base().toUtf8() + path + "\r\n";
        return moved;
    };
    DocumentCheck check(secure.base());
    QSignalSpy spy(&check, &DocumentCheck::finished);
    QVERIFY(check.start(0, QStringLiteral("OK"), QString()));
    QVERIFY(spy.wait(5000));
    QCOMPARE(resultOf(spy).kind, Kind::Answer); // the certificate is trusted now

    QVERIFY(check.start(0, QStringLiteral("123"), QString()));
    QVERIFY(spy.wait(5000));
    QCOMPARE(resultOf(spy, 1).kind, Kind::HttpError);
    QVERIFY(plain.targets.isEmpty());
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
