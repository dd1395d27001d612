#include "AnswerCache.h"
#include "DocumentQuery.h"
#include "RateLimiter.h"
#include "RegisterAnswer.h"
#include "ServiceClient.h"
#include "ServiceOptions.h"
#include "ServiceServer.h"
#include "StandInRegister.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// An answer of the register as it really comes: a card without a series has
// "-" there, and a document not listed has no date since when.
const QByteArray kRealNotListed =
    "<doklady_neplatne posl_zmena=\"12.8.2010\" pristi_zmeny=\"\"><dotaz typ=\"OP\" cislo=\"215674125\" "
    "serie=\"-\"/><odpoved aktualizovano=\"31.12.2025\" evidovano=\"ne\"/></doklady_neplatne>";

class ServiceTest : public QObject {
    Q_OBJECT

private:
    StandInRegister m_register;
    QNetworkAccessManager m_network;
    std::unique_ptr<ServiceServer> m_service;

    ServiceOptions options() const {
        ServiceOptions options;
        options.port = 0;
        options.registerUrl = m_register.url();
        options.registerTimeoutMs = 500;
        options.ratePerSecond = 10000;
        options.burst = 10000;
        return options;
    }
    static std::unique_ptr<ServiceServer> start(const ServiceOptions& options) {
        auto service = std::make_unique<ServiceServer>(options);
        QString error;
        if (!service->start(&error))
            qWarning("%s", qPrintable(error));
        return service;
    }
    QUrl url(const QString& pathAndQuery, const ServiceServer* service = nullptr) const {
        const quint16 port = (service ? service : m_service.get())->port();
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(pathAndQuery));
    }
    Fetched simple(const QString& number, const QString& type) {
        return fetch(m_network,
                     url(QStringLiteral("/overeni-dokladu/simple/?number=%1&type=%2").arg(number, type)));
    }
    // The service still answers after whatever a test did to it.
    void verifyStillServing() {
        m_register.answerListed(QStringLiteral("ALIVE1"));
        const Fetched fetched = simple(QStringLiteral("ALIVE1"), QStringLiteral("0"));
        QCOMPARE(fetched.body, QByteArray("1"));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_register.isListening());
        m_service = start(options());
        QVERIFY(m_service->port() != 0);
    }

    // Every kind of register reply, as the service's one-character answer.
    void simpleAnswer_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("drip");
        QTest::addColumn<bool>("hangUp");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("listed identity card")
            << "AB123456"
            << "0" << StandInRegister::listed("AB123456") << 200 << 0 << false << false << QByteArray("1");
        QTest::newRow("not listed purple passport")
            << "41234567"
            << "4" << StandInRegister::notListed("41234567") << 200 << 0 << false << false << QByteArray("2");
        QTest::newRow("not listed green passport")
            << "E1234567"
            << "5" << StandInRegister::notListed("E1234567") << 200 << 0 << false << false << QByteArray("2");
        QTest::newRow("register error, bad query")
            << "BADQ1"
            << "0" << StandInRegister::error("Chybný dotaz") << 200 << 0 << false << false << QByteArray("0");
        QTest::newRow("register error, its own failure")
            << "BADQ2"
            << "0" << StandInRegister::error("Databáze nedostupná", false) << 200 << 0 << false << false
            << QByteArray("0");
        QTest::newRow("truncated XML") << "TRUNC1"
                                       << "0" << StandInRegister::listed("TRUNC1").left(120) << 200 << 0
                                       << false << false << QByteArray("0");
        QTest::newRow("HTML error page") << "HTML1"
                                         << "0" << QByteArray("<html><body>Server Error</body></html>") << 200
                                         << 0 << false << false << QByteArray("0");
        QTest::newRow("valid XML with status 500")
            << "ST500"
            << "0" << StandInRegister::listed("ST500") << 500 << 0 << false << false << QByteArray("0");
        QTest::newRow("unknown verdict")
            << "MAYBE1"
            << "0" << StandInRegister::listed("MAYBE1").replace("\"ano\"", "\"mozna\"") << 200 << 0 << false
            << false << QByteArray("0");
        // Well-formed, but longer than any honest reply: not read to the end.
        QTest::newRow("oversized reply")
            << "HUGE1"
            << "0" << StandInRegister::listed("HUGE1") + QByteArray(200 * 1024, ' ') << 200 << 0 << false
            << false << QByteArray("0");
        QTest::newRow("empty body") << "EMPTY1"
                                    << "0" << QByteArray() << 200 << 0 << false << false << QByteArray("0");
        QTest::newRow("answer after the time-out")
            << "SLOW1"
            << "0" << StandInRegister::listed("SLOW1") << 200 << 1500 << false << false << QByteArray("0");
        QTest::newRow("answer dripping past the time-out")
            << "DRIP1"
            << "0" << StandInRegister::listed("DRIP1") << 200 << 0 << true << false << QByteArray("0");
        QTest::newRow("register hangs up")
            << "HANG1"
            << "0" << QByteArray() << 200 << 0 << false << true << QByteArray("0");
        QTest::newRow("answer just inside the time-out")
            << "INTIME1"
            << "5" << StandInRegister::listed("INTIME1") << 200 << 250 << false << false << QByteArray("1");
    }
    void simpleAnswer() {
        QFETCH(QString, number);
        QFETCH(QString, type);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(int, delayMs);
        QFETCH(bool, drip);
        QFETCH(bool, hangUp);
        QFETCH(QByteArray, expected);
        m_register.answer(number, {body, status, delayMs, drip, hangUp});

        QElapsedTimer clock;
        clock.start();
        const Fetched fetched = simple(number, type);
        QCOMPARE(fetched.status, 200);
        QCOMPARE(fetched.body, expected);
        QVERIFY2(fetched.contentType.startsWith("text/plain"), fetched.contentType.constData());
        // Qt's client sends once more when the connection drops before any answer.
        const int asked = m_register.requestsFor(number);
        QVERIFY2(asked == 1 || (hangUp && asked == 2), qPrintable(QString::number(asked)));
        // The register was asked in its own form.
        QCOMPARE(m_register.lastPath(), QStringLiteral("/neplatne-doklady/doklady.aspx"));
        QCOMPARE(m_register.lastQuery().queryItemValue(QStringLiteral("dotaz")), number);
        QCOMPARE(m_register.lastQuery().queryItemValue(QStringLiteral("doklad")), type);
        // Never much longer than the time-out, whatever the register does.
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    }

    void unreachableRegister() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        ServiceOptions withoutRegister = options();
        withoutRegister.registerUrl = QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(closed.serverPort()));
        closed.close();
        const auto service = start(withoutRegister);
        const Fetched fetched = fetch(
            m_network, url(QStringLiteral("/overeni-dokladu/simple/?number=123&type=0"), service.get()));
        QCOMPARE(fetched.body, QByteArray("0"));
    }

    // Queries that must never reach the register.
    void refusedWithoutAsking_data() {
        QTest::addColumn<QString>("query");
        QTest::newRow("no query") << "";
        QTest::newRow("type missing") << "number=123456";
        QTest::newRow("number missing") << "type=0";
        QTest::newRow("empty number") << "number=&type=0";
        QTest::newRow("type of a kind the register does not keep") << "number=123456&type=1";
        QTest::newRow("empty type, as the program sends for foreign documents") << "number=123456&type=";
        QTest::newRow("type with extra digit") << "number=123456&type=00";
        QTest::newRow("type with blank") << "number=123456&type=0%20";
        QTest::newRow("21 characters") << "number=123456789012345678901&type=0";
        QTest::newRow("blank inside") << "number=123%20456&type=0";
        QTest::newRow("plus sign") << "number=123+456&type=0";
        QTest::newRow("dash") << "number=123-456&type=0";
        QTest::newRow("letter with diacritics") << "number=%C4%8CR123&type=0";
        QTest::newRow("NUL byte") << "number=123%00&type=0";
        QTest::newRow("ampersand smuggled into the register query") << "number=1%26doklad%3D4&type=0";
        QTest::newRow("number given twice") << "number=111&number=222&type=0";
        QTest::newRow("type given twice") << "number=111&type=0&type=4";
        QTest::newRow("broken percent escape") << "number=12%G1&type=0";
    }
    void refusedWithoutAsking() {
        QFETCH(QString, query);
        const int before = m_register.requests();
        const Fetched fetched = fetch(m_network, url(QStringLiteral("/overeni-dokladu/simple/?") + query));
        QCOMPARE(fetched.status, 200);
        QCOMPARE(fetched.body, QByteArray("0"));
        QCOMPARE(m_register.requests(), before);
    }

    void longestNumberIsAsked() {
        const QString number = QStringLiteral("ABCDEFGHIJ1234567890");
        m_register.answerListed(number);
        QCOMPARE(simple(number, QStringLiteral("4")).body, QByteArray("1"));
        QCOMPARE(m_register.requestsFor(number), 1);
    }

    // A clerk typing the same number again, or two clerks at once, cost the
    // register one question.
    void answersAreCachedAndShared() {
        m_register.answerListed(QStringLiteral("CACHE1"));
        QCOMPARE(simple(QStringLiteral("CACHE1"), QStringLiteral("0")).body, QByteArray("1"));
        QCOMPARE(simple(QStringLiteral("CACHE1"), QStringLiteral("0")).body, QByteArray("1"));
        QCOMPARE(m_register.requestsFor(QStringLiteral("CACHE1")), 1);
        // Another document type is another question.
        QCOMPARE(simple(QStringLiteral("CACHE1"), QStringLiteral("4")).body, QByteArray("1"));
        QCOMPARE(m_register.requestsFor(QStringLiteral("CACHE1")), 2);

        m_register.answer(QStringLiteral("SHARED1"), {StandInRegister::notListed("SHARED1"), 200, 200});
        QList<QNetworkReply*> replies;
        for (int i = 0; i < 6; ++i) {
            replies << m_network.get(
                QNetworkRequest(url(QStringLiteral("/overeni-dokladu/simple/?number=SHARED1&type=0"))));
        }
        for (QNetworkReply* reply : replies)
            QCOMPARE(collect(reply).body, QByteArray("2"));
        QCOMPARE(m_register.requestsFor(QStringLiteral("SHARED1")), 1);
    }

    // A register that fails is asked again soon, not after the whole cache
    // time; a register that answered is not.
    void failuresAreKeptBriefly() {
        RegisterLookup::Settings settings;
        settings.registerUrl = m_register.url();
        settings.timeoutMs = 500;
        settings.cacheTtlMs = 60000;
        settings.failureTtlMs = 100;
        RegisterLookup lookup(settings);
        m_register.answer(QStringLiteral("BRIEF1"), {StandInRegister::error(QStringLiteral("x"))});
        m_register.answerListed(QStringLiteral("BRIEF2"));
        auto ask = [&lookup](const QString& number) {
            char digit = 'x';
            lookup.lookup({number, QStringLiteral("0")},
                          [&digit](const RegisterAnswer& a) { digit = a.digit(); });
            for (int i = 0; i < 100 && digit == 'x'; ++i)
                QTest::qWait(20);
            return digit;
        };
        QCOMPARE(ask(QStringLiteral("BRIEF1")), '0');
        QCOMPARE(ask(QStringLiteral("BRIEF2")), '1');
        QCOMPARE(ask(QStringLiteral("BRIEF1")), '0');
        QCOMPARE(m_register.requestsFor(QStringLiteral("BRIEF1")), 1);
        QTest::qWait(150);
        QCOMPARE(ask(QStringLiteral("BRIEF1")), '0');
        QCOMPARE(ask(QStringLiteral("BRIEF2")), '1');
        QCOMPARE(m_register.requestsFor(QStringLiteral("BRIEF1")), 2);
        QCOMPARE(m_register.requestsFor(QStringLiteral("BRIEF2")), 1);
        QCOMPARE(lookup.upstreamRequests(), 3);
    }

    // The register answers from its former address with a redirect: followed
    // within the scheme and at most three times.
    void registerRedirects_data() {
        QTest::addColumn<int>("hops");
        QTest::addColumn<QString>("lastTarget"); // where the last hop points; %1 is the stand-in's port
        QTest::addColumn<char>("digit");
        QTest::newRow("one hop") << 1 << "http://127.0.0.1:%1/neplatne-doklady/doklady.aspx" << '2';
        QTest::newRow("two hops") << 2 << "http://127.0.0.1:%1/neplatne-doklady/doklady.aspx" << '2';
        QTest::newRow("three hops") << 3 << "http://127.0.0.1:%1/neplatne-doklady/doklady.aspx" << '2';
        QTest::newRow("another host, same scheme")
            << 1 << "http://localhost:%1/neplatne-doklady/doklady.aspx" << '2';
        QTest::newRow("four hops") << 4 << "http://127.0.0.1:%1/neplatne-doklady/doklady.aspx" << '0';
        QTest::newRow("another scheme") << 1 << "https://127.0.0.1:%1/neplatne-doklady/doklady.aspx" << '0';
    }
    void registerRedirects() {
        QFETCH(int, hops);
        QFETCH(QString, lastTarget);
        QFETCH(char, digit);
        const QString row = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-').remove(u',');
        const QString number = QStringLiteral("215674125");
        m_register.answer(number, {kRealNotListed});
        const QString base = m_register.baseUrl().toString();
        for (int hop = 0; hop < hops; ++hop) {
            const QString target = hop + 1 == hops ? lastTarget.arg(m_register.serverPort())
                                                   : QStringLiteral("%1/%2/%3").arg(base, row).arg(hop + 1);
            m_register.answerPath(QStringLiteral("/%1/%2").arg(row).arg(hop),
                                  {"moved", 301, 0, false, false, target.toLatin1()});
        }
        RegisterLookup::Settings settings;
        settings.registerUrl = QUrl(QStringLiteral("%1/%2/0").arg(base, row));
        settings.timeoutMs = 1000;
        settings.cacheTtlMs = 0;
        RegisterLookup lookup(settings);
        std::optional<RegisterAnswer> answer;
        lookup.lookup({number, QStringLiteral("0")}, [&answer](const RegisterAnswer& a) { answer = a; });
        QTRY_VERIFY(answer.has_value());
        QVERIFY2(answer->digit() == digit, qPrintable(answer->failure));
        if (digit == '2') {
            QCOMPARE(answer->updated, QStringLiteral("31.12.2025"));
            QCOMPARE(m_register.lastQuery().queryItemValue(QStringLiteral("dotaz")), number);
        } else {
            QVERIFY(!answer->failure.isEmpty());
        }
    }

    void answerCacheExpiresAndStaysBounded() {
        RegisterAnswer listed;
        listed.outcome = RegisterAnswer::Outcome::Listed;
        AnswerCache cache(2);
        cache.insert(QStringLiteral("a"), listed, 1000, 0);
        QVERIFY(cache.find(QStringLiteral("a"), 999));
        QVERIFY(!cache.find(QStringLiteral("a"), 1000));

        cache.insert(QStringLiteral("b"), listed, 5000, 100);
        cache.insert(QStringLiteral("c"), listed, 3000, 100);
        // Full of live answers: the one nearest its end gives way.
        cache.insert(QStringLiteral("d"), listed, 9000, 200);
        QCOMPARE(cache.size(), 2);
        QVERIFY(cache.find(QStringLiteral("b"), 200));
        QVERIFY(!cache.find(QStringLiteral("c"), 200));
        QVERIFY(cache.find(QStringLiteral("d"), 200));
        // Replacing a key keeps one entry for it.
        cache.insert(QStringLiteral("d"), listed, 9500, 300);
        QCOMPARE(cache.size(), 2);
        QVERIFY(cache.find(QStringLiteral("b"), 300));
        // Expired answers are dropped before live ones.
        cache.insert(QStringLiteral("e"), listed, 20000, 6000);
        QVERIFY(cache.find(QStringLiteral("d"), 6000));
        QVERIFY(cache.find(QStringLiteral("e"), 6000));
    }

    void rateLimiterRefillsPerClient() {
        RateLimiter limiter(2.0, 3.0, 2);
        const QString a = QStringLiteral("a");
        for (int i = 0; i < 3; ++i)
            QVERIFY(limiter.allow(a, 0));
        QVERIFY(!limiter.allow(a, 0));
        QCOMPARE(limiter.retryAfterSeconds(a, 0), 1);
        QVERIFY(!limiter.allow(a, 400));
        QVERIFY(limiter.allow(a, 500)); // one token after half a second at 2/s
        QVERIFY(!limiter.allow(a, 500));
        // Another client has its own bucket.
        QVERIFY(limiter.allow(QStringLiteral("b"), 500));
        // The table is full of clients still drawing: a third one waits...
        QVERIFY(!limiter.allow(QStringLiteral("c"), 600));
        // ...until a bucket is full again and its client forgotten.
        QVERIFY(limiter.allow(QStringLiteral("c"), 10000));
        QVERIFY(limiter.clients() <= 2);
    }

    void tooManyRequestsPerClient() {
        ServiceOptions limited = options();
        limited.ratePerSecond = 0.5;
        limited.burst = 3;
        const auto service = start(limited);
        const QUrl page = url(QStringLiteral("/download/"), service.get());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(fetch(m_network, page).status, 200);
        const Fetched refused = fetch(m_network, page);
        QCOMPARE(refused.status, 429);
        QVERIFY(refused.header("Retry-After").toInt() >= 1);
        // The document check is limited too, and a refusal is not a digit.
        const int before = m_register.requests();
        const Fetched check =
            fetch(m_network, url(QStringLiteral("/overeni-dokladu/simple/?number=R1&type=0"), service.get()));
        QCOMPARE(check.status, 429);
        QCOMPARE(m_register.requests(), before);

        // Another loopback address is another client.
        const RawExchange other = rawExchange(service->port(), "GET /download/ HTTP/1.1\r\nHost: x\r\n\r\n",
                                              500, QHostAddress(QStringLiteral("127.0.0.2")));
        QVERIFY2(other.received.startsWith("HTTP/1.1 200"), other.received.left(60).constData());
    }

    // Behind a reverse proxy every request comes from the proxy; the client is
    // the address the proxy forwards, and only when told to trust it.
    void forwardedClients_data() {
        QTest::addColumn<bool>("trust");
        QTest::addColumn<int>("expectedSecond");
        QTest::newRow("trusted proxy") << true << 200;
        QTest::newRow("header not trusted") << false << 429;
    }
    void forwardedClients() {
        QFETCH(bool, trust);
        QFETCH(int, expectedSecond);
        ServiceOptions limited = options();
        limited.ratePerSecond = 0.1;
        limited.burst = 1;
        limited.trustForwarded = trust;
        const auto service = start(limited);
        const QUrl page = url(QStringLiteral("/edoklady"), service.get());
        QCOMPARE(fetch(m_network, page, {{"X-Forwarded-For", "203.0.113.5"}}).status, 200);
        QCOMPARE(fetch(m_network, page, {{"X-Forwarded-For", "198.51.100.7, 203.0.113.9"}}).status,
                 expectedSecond);
    }

    // Nothing a client sends may bring the service down.
    void garbageRequests_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("words") << QByteArray("GARBAGE\r\n\r\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01 nonsense \r\n\r\n", 19);
        QTest::newRow("empty lines") << QByteArray("\r\n\r\n\r\n\r\n");
        QTest::newRow("no version") << QByteArray("GET /overeni-dokladu/simple/?number=1&type=0\r\n\r\n");
        QTest::newRow("unknown method") << QByteArray("BREW /coffee HTTP/1.1\r\nHost: x\r\n\r\n");
        QTest::newRow("absurd version") << QByteArray("GET / HTTP/9.9\r\nHost: x\r\n\r\n");
        QTest::newRow("header without colon") << QByteArray("GET / HTTP/1.1\r\nHost x\r\nBroken\r\n\r\n");
        QTest::newRow("negative length") << QByteArray("GET / HTTP/1.1\r\nContent-Length: -5\r\n\r\n");
        QTest::newRow("huge length") << QByteArray(
            "GET / HTTP/1.1\r\nContent-Length: 99999999999999999999\r\n\r\n");
        QTest::newRow("bad chunk") << QByteArray(
            "POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nZZ\r\n");
        QTest::newRow("very long path")
            << QByteArray("GET /" + QByteArray(100000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n");
        QTest::newRow("very long header")
            << QByteArray("GET / HTTP/1.1\r\nX: " + QByteArray(300000, 'b') + "\r\n\r\n");
        QTest::newRow("endless line") << QByteArray(2 * 1024 * 1024, 'A');
        QTest::newRow("websocket upgrade")
            << QByteArray("GET / HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                          "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        QTest::newRow("absolute target") << QByteArray("GET http://evil.example/download/ HTTP/1.1\r\n\r\n");
        QTest::newRow("percent NUL in path") << QByteArray("GET /download/%00 HTTP/1.1\r\nHost: x\r\n\r\n");
    }
    void garbageRequests() {
        QFETCH(QByteArray, bytes);
        const RawExchange exchange = rawExchange(m_service->port(), bytes, 300);
        // Whatever came back is HTTP or nothing.
        QVERIFY2(exchange.received.isEmpty() || exchange.received.startsWith("HTTP/1.1 "),
                 exchange.received.left(80).constData());
        verifyStillServing();
    }

    void oversizedRequestClosesConnection() {
        for (const QByteArray& bytes : {QByteArray(2 * 1024 * 1024, 'A'),
                                        "GET / HTTP/1.1\r\nX: " + QByteArray(100 * 1024, 'b') + "\r\n\r\n"}) {
            const RawExchange exchange = rawExchange(m_service->port(), bytes, 2000);
            QVERIFY(exchange.closedByService);
            QVERIFY(!exchange.received.startsWith("HTTP/1.1 200"));
        }
    }

    // The size limit is for one request: a client that keeps its connection
    // for many requests is not cut off.
    void longKeepAliveConnectionIsNotCut() {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_service->port());
        QTRY_COMPARE(socket.state(), QAbstractSocket::ConnectedState);
        const QByteArray request =
            "GET /overeni-dokladu/simple/?number=" + QByteArray(20, 'K') +
            "&type=9 HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: " + QByteArray(100, 'u') + "\r\n\r\n";
        const int rounds = 2 * 64 * 1024 / int(request.size()) + 1;
        for (int i = 0; i < rounds; ++i) {
            socket.write(request);
            QByteArray answer;
            while (!answer.endsWith("\r\n\r\n0")) {
                // The service runs on this thread: wait with its events going.
                QSignalSpy readable(&socket, &QIODevice::readyRead);
                QVERIFY2(socket.bytesAvailable() > 0 || readable.wait(2000),
                         qPrintable(QStringLiteral("round %1").arg(i)));
                answer += socket.readAll();
            }
        }
        QCOMPARE(socket.state(), QAbstractSocket::ConnectedState);
    }

    void idleConnectionIsClosed() {
        ServiceOptions quick = options();
        quick.registerTimeoutMs = 100;
        quick.limits.idleTimeoutMs = 100; // raised to the register time-out and a second
        const auto service = start(quick);
        QElapsedTimer clock;
        clock.start();
        const RawExchange exchange = rawExchange(service->port(), "GET / HTTP/1.1\r\n", 4000);
        QVERIFY(exchange.closedByService);
        QVERIFY2(clock.elapsed() >= 1000 && clock.elapsed() < 3000,
                 qPrintable(QString::number(clock.elapsed())));
    }

    void connectionsPerClientAreLimited() {
        ServiceOptions few = options();
        few.limits.maxPerClient = 2;
        const auto service = start(few);
        QTcpSocket first, second, third;
        for (QTcpSocket* socket : {&first, &second, &third}) {
            socket->connectToHost(QHostAddress::LocalHost, service->port());
            QVERIFY(socket->waitForConnected(1000));
        }
        QTRY_COMPARE(third.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(first.state(), QAbstractSocket::ConnectedState);
        QCOMPARE(service->guard().openConnections(), 2);
        first.abort();
        QTRY_COMPARE(service->guard().openConnections(), 1);
    }

    // However slowly the bytes come, a request head has a deadline: from the
    // connection's start, and again from the moment all its answers are out.
    void slowRequestHeadIsCutOff_data() {
        QTest::addColumn<QByteArray>("first"); // a whole request answered before the slow one
        QTest::addColumn<QByteArray>("drip");  // sent a byte every 100 ms; empty: nothing
        const QByteArray request = "GET /overeni-dokladu/simple/?number=&type=0 HTTP/1.1\r\nHost: x\r\n\r\n";
        QTest::newRow("silent from the start") << QByteArray() << QByteArray();
        QTest::newRow("head trickled") << QByteArray() << "GET / HTTP/1.1\r\nX-Slow: " + QByteArray(200, 'a');
        QTest::newRow("kept connection, silent") << request << QByteArray();
        QTest::newRow("kept connection, next head trickled")
            << request << "GET / HTTP/1.1\r\nX-Slow: " + QByteArray(200, 'a');
    }
    void slowRequestHeadIsCutOff() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, drip);
        ServiceOptions quick = options();
        quick.limits.headerTimeoutMs = 600;
        const auto service = start(quick);

        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, service->port());
        QVERIFY(socket.waitForConnected(1000));
        QElapsedTimer clock;
        clock.start();
        if (!first.isEmpty()) {
            socket.write(first);
            QByteArray answer;
            while (!answer.endsWith("\r\n\r\n0")) {
                QSignalSpy readable(&socket, &QIODevice::readyRead);
                QVERIFY(socket.bytesAvailable() > 0 || readable.wait(2000));
                answer += socket.readAll();
            }
            clock.restart();
        }
        QTimer dripper;
        qsizetype next = 0;
        connect(&dripper, &QTimer::timeout, &socket, [&] {
            if (next < drip.size())
                socket.write(drip.mid(next++, 1));
        });
        dripper.start(100);
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 5000);
        QVERIFY2(clock.elapsed() >= 550 && clock.elapsed() < 1600,
                 qPrintable(QString::number(clock.elapsed())));
        QTRY_COMPARE(service->guard().openConnections(), 0);
    }

    // The deadline covers the TLS handshake too: a client that starts one and
    // never finishes it is closed like any slow one.
    void stalledTlsHandshakeIsCutOff() {
        ServiceOptions secure = options();
        secure.certificateFile =
            qEnvironmentVariable("LORVENA_SERVICE_TEST_DATA") + QStringLiteral("/localhost.crt");
        secure.keyFile = qEnvironmentVariable("LORVENA_SERVICE_TEST_DATA") + QStringLiteral("/localhost.key");
        secure.limits.headerTimeoutMs = 600;
        const auto service = start(secure);
        QVERIFY(service->port() != 0);
        QElapsedTimer clock;
        clock.start();
        const RawExchange exchange = rawExchange(service->port(), QByteArray("\x16\x03\x01", 3), 4000);
        QVERIFY(exchange.closedByService);
        QVERIFY2(clock.elapsed() >= 550 && clock.elapsed() < 1600,
                 qPrintable(QString::number(clock.elapsed())));
    }

    // The deadline is the client's: a connection whose answer waits for the
    // register is not cut.
    void answerWaitingForTheRegisterIsKept() {
        ServiceOptions quick = options();
        quick.limits.headerTimeoutMs = 300;
        quick.registerTimeoutMs = 3000;
        const auto service = start(quick);
        m_register.answer(QStringLiteral("SLOWREG1"), {StandInRegister::listed("SLOWREG1"), 200, 900});
        const RawExchange exchange = rawExchange(
            service->port(),
            "GET /overeni-dokladu/simple/?number=SLOWREG1&type=0 HTTP/1.1\r\nHost: x\r\n\r\n", 1500);
        QVERIFY(exchange.received.startsWith("HTTP/1.1 200"));
        QVERIFY(exchange.received.endsWith("\r\n\r\n1"));
    }

    // Hundreds of clients from many addresses, each under the per-address
    // limit, trickle request heads and reconnect as soon as they are closed;
    // they are more than the service takes at once. An honest client is
    // still answered at once, and no slow one holds a connection past the
    // head deadline.
    void slowClientsCannotLockOut() {
        ServiceOptions crowded = options();
        crowded.limits.headerTimeoutMs = 1500;
        const auto service = start(crowded);
        const int addresses = 18;
        const int perAddress = crowded.limits.maxPerClient;
        QVERIFY(addresses * perAddress > crowded.limits.maxConnections);

        struct Slow {
            std::unique_ptr<QTcpSocket> socket;
            QHostAddress from;
            QElapsedTimer since; // from the moment it is connected
            qsizetype sent = 0;
        };
        qint64 longestHeld = 0;
        int closedByService = 0;
        bool connecting = true;
        QObject scope; // reconnections still queued end with the test
        std::vector<Slow> slow(static_cast<size_t>(addresses * perAddress));
        auto quiet = qScopeGuard([&] {
            connecting = false;
            for (Slow& client : slow) {
                if (client.socket)
                    client.socket->disconnect();
            }
        });
        const QByteArray head = "GET / HTTP/1.1\r\nHost: x\r\nX-Slow: " + QByteArray(4096, 'a');
        std::function<void(Slow&)> open = [&](Slow& client) {
            client.socket = std::make_unique<QTcpSocket>();
            QTcpSocket* socket = client.socket.get();
            socket->bind(client.from);
            client.sent = 0;
            client.since.invalidate();
            connect(socket, &QAbstractSocket::connected, socket,
                    [pointer = &client] { pointer->since.start(); });
            connect(socket, &QAbstractSocket::disconnected, socket, [&, socket, pointer = &client] {
                if (pointer->since.isValid())
                    longestHeld = qMax(longestHeld, pointer->since.elapsed());
                ++closedByService;
                socket->disconnect();
                socket->deleteLater();
                (void)pointer->socket.release();
                QTimer::singleShot(0, &scope, [&, pointer] {
                    if (connecting)
                        open(*pointer);
                });
            });
            socket->connectToHost(QHostAddress::LocalHost, service->port());
        };
        for (size_t i = 0; i < slow.size(); ++i) {
            slow[i].from = QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + int(i) % addresses));
            open(slow[i]);
        }
        QTimer dripper; // one header byte from each of them every 200 ms
        connect(&dripper, &QTimer::timeout, this, [&] {
            for (Slow& client : slow) {
                if (client.socket && client.socket->state() == QAbstractSocket::ConnectedState)
                    client.socket->write(head.mid(client.sent++ % head.size(), 1));
            }
        });
        dripper.start(200);

        QTRY_COMPARE_WITH_TIMEOUT(service->guard().openConnections(), crowded.limits.maxConnections, 5000);
        QElapsedTimer run;
        run.start();
        int honest = 0;
        while (run.elapsed() < 4000) {
            QTest::qWait(700);
            m_register.answerListed(QStringLiteral("HONEST%1").arg(honest));
            QNetworkAccessManager network;
            QElapsedTimer answered;
            answered.start();
            const Fetched fetched = fetch(
                network, url(QStringLiteral("/overeni-dokladu/simple/?number=HONEST%1&type=0").arg(honest),
                             service.get()));
            QCOMPARE(fetched.error, QNetworkReply::NoError);
            QCOMPARE(fetched.body, QByteArray("1"));
            QVERIFY2(answered.elapsed() < 1000, qPrintable(QString::number(answered.elapsed())));
            ++honest;
        }
        quiet.dismiss();
        connecting = false;
        dripper.stop();
        // Everyone of the first crowd has been closed, and reconnected, at least once.
        QVERIFY2(closedByService >= int(slow.size()), qPrintable(QString::number(closedByService)));
        QVERIFY2(longestHeld < crowded.limits.headerTimeoutMs + 1000,
                 qPrintable(QString::number(longestHeld)));
        for (Slow& client : slow) {
            if (client.socket)
                client.socket->disconnect();
        }
        slow.clear();
        QTRY_COMPARE(service->guard().openConnections(), 0);
    }

    // An answer that waits for the register must not overtake or be overtaken
    // on the same connection, nor be written to a client that has gone.
    void pipelinedAnswersKeepTheirOrder() {
        m_register.answer(QStringLiteral("PIPE1"), {StandInRegister::listed("PIPE1"), 200, 200});
        const RawExchange exchange =
            rawExchange(m_service->port(),
                        "GET /overeni-dokladu/simple/?number=PIPE1&type=0 HTTP/1.1\r\nHost: x\r\n\r\n"
                        "GET /overeni-dokladu/simple/?number=&type=0 HTTP/1.1\r\nHost: x\r\n\r\n",
                        800);
        const QByteArray& text = exchange.received;
        QCOMPARE(text.count("HTTP/1.1 200"), 2);
        const qsizetype firstBody = text.indexOf("\r\n\r\n") + 4;
        QCOMPARE(text.mid(firstBody, 1), QByteArray("1"));
        QVERIFY(text.endsWith("\r\n\r\n0"));
    }

    void clientGoneBeforeTheRegisterAnswers() {
        m_register.answer(QStringLiteral("GONE1"), {StandInRegister::listed("GONE1"), 200, 200});
        {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_service->port());
            QVERIFY(socket.waitForConnected(1000));
            socket.write(
                "GET /overeni-dokladu/vysledek-overeni/?number=GONE1&type=0 HTTP/1.1\r\nHost: x\r\n\r\n");
            QVERIFY(socket.waitForBytesWritten(1000));
            QTest::qWait(50);
            socket.abort();
        }
        QTRY_COMPARE(m_register.requestsFor(QStringLiteral("GONE1")), 1);
        QTest::qWait(400);
        verifyStillServing();
    }

    void resultPage_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QByteArray>("registerBody");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("listed") << "number=PAGE1&type=0" << StandInRegister::listed("PAGE1", "3.2.2023")
                                << QStringList{"občanský průkaz",   "PAGE1",    "JE v evidenci",
                                               "5.3.2024",          "3.2.2023", "Co dělat dál",
                                               "jiný platný doklad"}
                                << QStringList{"není v evidenci"};
        QTest::newRow("not listed") << "number=PAGE2&type=4" << StandInRegister::notListed("PAGE2")
                                    << QStringList{"cestovní pas",    "centrálně vydávaný", "PAGE2",
                                                   "není v evidenci", "5.3.2024",           "Co dělat dál"}
                                    << QStringList{"JE v evidenci", "neplatný od"};
        QTest::newRow("register error")
            << "number=PAGE3&type=5" << StandInRegister::error("Chybný dotaz")
            << QStringList{"vydaný okresním úřadem", "PAGE3", "nepodařilo", "Chybný dotaz", "Co dělat dál"}
            << QStringList{"JE v evidenci", "není v evidenci"};
        QTest::newRow("foreign document")
            << "number=X1234&type=" << QByteArray() << QStringList{"X1234", "ověřit nelze", "Co dělat dál"}
            << QStringList{"JE v evidenci"};
        QTest::newRow("markup in the number is shown as text")
            << "number=%3Cscript%3Ealert(1)%3C/script%3E&type=0" << QByteArray()
            << QStringList{"&lt;script&gt;", "nemá správný tvar"} << QStringList{"<script>"};
    }
    void resultPage() {
        QFETCH(QString, query);
        QFETCH(QByteArray, registerBody);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QString number = QUrlQuery(query).queryItemValue(QStringLiteral("number"));
        if (!registerBody.isEmpty())
            m_register.answer(number, {registerBody});
        const Fetched fetched =
            fetch(m_network, url(QStringLiteral("/overeni-dokladu/vysledek-overeni/?") + query));
        QCOMPARE(fetched.status, 200);
        QCOMPARE(fetched.contentType, QByteArray("text/html; charset=utf-8"));
        const QString html = QString::fromUtf8(fetched.body);
        for (const QString& text : present)
            QVERIFY2(html.contains(text), qPrintable(text));
        for (const QString& text : absent)
            QVERIFY2(!html.contains(text), qPrintable(text));
    }

    void helpPages_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("present");
        QTest::newRow("frequent questions")
            << "/casto-kladene-dotazy/" << QStringList{"Často kladené dotazy", "Nastavení tisku doložek"};
        QTest::newRow("download") << "/download/" << QStringList{"nejnovější verzi", "7.41"};
        QTest::newRow("eDoklady") << "/edoklady"
                                  << QStringList{"„Exportovat údaje“", "„Kopírovat do schránky“",
                                                 "LEGALIZACE",
                                                 "Vložit data ze čtečky ověřovatele - eDoklady"};
        QTest::newRow("home") << "/" << QStringList{"/files/lorvena-manual.pdf", "/casto-kladene-dotazy/"};
    }
    void helpPages() {
        QFETCH(QString, path);
        QFETCH(QStringList, present);
        const Fetched fetched = fetch(m_network, url(path));
        QCOMPARE(fetched.status, 200);
        QCOMPARE(fetched.contentType, QByteArray("text/html; charset=utf-8"));
        const QString html = QString::fromUtf8(fetched.body);
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        QVERIFY(html.contains(QStringLiteral("<html lang=\"cs\">")));
        for (const QString& text : present)
            QVERIFY2(html.contains(text), qPrintable(text));
    }

    // Files given with --installer are offered on the download page and served
    // byte for byte; a name that cannot be an address or a file that cannot be
    // read is left out, and nothing else under /download/ is served.
    void offeredDownloads() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto write = [&dir](const QString& name, const QByteArray& data) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() ? file.fileName()
                                                                                      : QString();
        };
        QByteArray package("!<arch>\ndebian-binary");
        package.append('\0').append(QByteArray(70000, 'x')).append("\r\n\xff");
        const QByteArray setup("MZ setup");
        const QString packageFile = write(QStringLiteral("lorvena_7.41_amd64.deb"), package);
        const QString setupFile = write(QStringLiteral("lorvena-setup.exe"), setup);
        const QString spaced = write(QStringLiteral("bad name.exe"), "x");
        const QString shadow = dir.filePath(QStringLiteral("other"));
        QVERIFY(QDir().mkpath(shadow));
        QVERIFY(QFile::copy(setupFile, shadow + QStringLiteral("/lorvena-setup.exe")));

        ServiceOptions offering = options();
        offering.installerFiles = {packageFile, setupFile, spaced,
                                   dir.filePath(QStringLiteral("missing.deb")),
                                   shadow + QStringLiteral("/lorvena-setup.exe")};
        const auto service = start(offering);
        QVERIFY(service->port() != 0);

        const Fetched page = fetch(m_network, url(QStringLiteral("/download/"), service.get()));
        QCOMPARE(page.status, 200);
        const QString html = QString::fromUtf8(page.body);
        QVERIFY(html.contains(QStringLiteral("href=\"/download/lorvena_7.41_amd64.deb\"")));
        QVERIFY(html.contains(QStringLiteral("href=\"/download/lorvena-setup.exe\"")));
        QCOMPARE(html.count(QStringLiteral("href=\"/download/lorvena-setup.exe\"")), 1);
        QVERIFY(html.contains(QStringLiteral("sudo apt install ./lorvena_7.41_amd64.deb")));
        QVERIFY(!html.contains(QStringLiteral("missing.deb")));
        QVERIFY(!html.contains(QStringLiteral("bad name")));
        QVERIFY(!html.contains(QStringLiteral("na požádání")));

        const Fetched deb =
            fetch(m_network, url(QStringLiteral("/download/lorvena_7.41_amd64.deb"), service.get()));
        QCOMPARE(deb.status, 200);
        QCOMPARE(deb.body, package);
        QCOMPARE(deb.contentType, QByteArray("application/vnd.debian.binary-package"));
        QCOMPARE(deb.header("Content-Disposition"),
                 QByteArray("attachment; filename=\"lorvena_7.41_amd64.deb\""));
        const Fetched exe =
            fetch(m_network, url(QStringLiteral("/download/lorvena-setup.exe"), service.get()));
        QCOMPARE(exe.body, setup);
        QCOMPARE(exe.contentType, QByteArray("application/octet-stream"));

        for (const char* path :
             {"/download/missing.deb", "/download/bad%20name.exe", "/download/other/lorvena-setup.exe",
              "/download/lorvena_7.41_amd64.deb/", "/download/LORVENA_7.41_AMD64.DEB"})
            QVERIFY2(fetch(m_network, url(QString::fromLatin1(path), service.get())).status == 404, path);

        // Without files the page says where the installer comes from and offers no package steps.
        const QString plain = QString::fromUtf8(fetch(m_network, url(QStringLiteral("/download/"))).body);
        QVERIFY(plain.contains(QStringLiteral("na požádání")));
        QVERIFY(!plain.contains(QStringLiteral("apt install")));
    }

    void unknownPathAndMethod() {
        QCOMPARE(fetch(m_network, url(QStringLiteral("/wp-admin/"))).status, 404);
        QCOMPARE(fetch(m_network, url(QStringLiteral("/files/../etc/passwd"))).status, 404);
        const RawExchange post = rawExchange(
            m_service->port(), "POST /download/ HTTP/1.1\r\nHost: x\r\nContent-Length: 2\r\n\r\nab", 300);
        QVERIFY2(post.received.startsWith("HTTP/1.1 405"), post.received.left(40).constData());
        QVERIFY(post.received.contains("Allow: GET, HEAD"));
        const RawExchange head =
            rawExchange(m_service->port(), "HEAD /download/ HTTP/1.1\r\nHost: x\r\n\r\n", 300);
        QVERIFY(head.received.startsWith("HTTP/1.1 200"));
        QVERIFY(head.received.endsWith("\r\n\r\n"));
    }

    void manualIsARealPdf() {
        const Fetched fetched = fetch(m_network, url(QStringLiteral("/files/lorvena-manual.pdf")));
        QCOMPARE(fetched.status, 200);
        QCOMPARE(fetched.contentType, QByteArray("application/pdf"));
        QVERIFY(fetched.body.startsWith("%PDF-"));
        QVERIFY(fetched.body.trimmed().endsWith("%%EOF"));
        const int pages = fetched.body.count("/Type /Page\n") + fetched.body.count("/Type /Page\r") +
                          fetched.body.count("/Type /Page ") + fetched.body.count("/Type /Page/");
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
        // The picture of the main window is laid out with the text.
        QVERIFY(fetched.body.contains("/Subtype /Image"));

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed: the text of the manual is not checked");
        QTemporaryFile pdf;
        QVERIFY(pdf.open());
        pdf.write(fetched.body);
        pdf.close();
        QProcess process;
        process.start(pdftotext,
                      {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf.fileName(), QStringLiteral("-")});
        QVERIFY(process.waitForFinished(10000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        for (const char* phrase :
             {"Hlavní okno", "VIDIMACE", "LEGALIZACE", "ZÁMĚR", "SCHVÁLENÍ", "ověřovací knihy",
              "Nastavení tisku doložek", "Uložit doložku", "eDoklady", "Kopírovat do schránky",
              "Ovládání klávesnicí", "Ctrl+P", "~/.local/share/Lorvena"})
            QVERIFY2(text.contains(QString::fromUtf8(phrase)), phrase);
    }

    void httpsWithCertificate() {
        ServiceOptions secure = options();
        secure.certificateFile =
            qEnvironmentVariable("LORVENA_SERVICE_TEST_DATA") + QStringLiteral("/localhost.crt");
        secure.keyFile = qEnvironmentVariable("LORVENA_SERVICE_TEST_DATA") + QStringLiteral("/localhost.key");
        const auto service = start(secure);
        QVERIFY(service->port() != 0);

        m_register.answerNotListed(QStringLiteral("TLS1"));
        QNetworkRequest request(
            QUrl(QStringLiteral("https://127.0.0.1:%1/overeni-dokladu/simple/?number=TLS1&type=0")
                     .arg(service->port())));
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(QSslCertificate::fromPath(secure.certificateFile));
        request.setSslConfiguration(tls);
        const Fetched fetched = collect(m_network.get(request));
        QCOMPARE(fetched.error, QNetworkReply::NoError);
        QCOMPARE(fetched.body, QByteArray("2"));

        // Plain HTTP on the TLS port gets no answer.
        const RawExchange plain = rawExchange(service->port(), "GET / HTTP/1.1\r\nHost: x\r\n\r\n", 500);
        QVERIFY(!plain.received.startsWith("HTTP/1.1 200"));
    }

    void registerReplyParsing_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<char>("digit");
        QTest::addColumn<QString>("updated");
        QTest::addColumn<QString>("since");

        QTest::newRow("listed") << StandInRegister::listed("1", "1.2.2020") << '1' << "5.3.2024"
                                << "1.2.2020";
        QTest::newRow("not listed, as the register really answers") << kRealNotListed << '2' << "31.12.2025"
                                                                    << "";
        QTest::newRow("not listed drops a stray date")
            << StandInRegister::notListed("1").replace("evidovano_od=\"\"", "evidovano_od=\"9.9.2009\"")
            << '2' << "5.3.2024"
            << "";
        QTest::newRow("windows-1250 declared")
            << QByteArray("<?xml version=\"1.0\" encoding=\"windows-1250\"?><doklady_neplatne>"
                          "<odpoved aktualizovano=\"1.1.2024\" evidovano=\"ne\"/></doklady_neplatne>")
            << '2' << "1.1.2024"
            << "";
        QTest::newRow("error at the root") << StandInRegister::error("x") << '0' << ""
                                           << "";
        QTest::newRow("error inside the answer")
            << QByteArray("<doklady_neplatne><chyba spatny_dotaz=\"ne\">Chyba</chyba>"
                          "<odpoved evidovano=\"ne\"/></doklady_neplatne>")
            << '0' << ""
            << "";
        QTest::newRow("two answers") << QByteArray("<doklady_neplatne><odpoved evidovano=\"ne\"/>"
                                                   "<odpoved evidovano=\"ano\"/></doklady_neplatne>")
                                     << '0' << ""
                                     << "";
        QTest::newRow("answer in upper case")
            << QByteArray("<doklady_neplatne><odpoved evidovano=\"ANO\"/></doklady_neplatne>") << '0' << ""
            << "";
        QTest::newRow("foreign root") << QByteArray("<html><odpoved evidovano=\"ano\"/></html>") << '0' << ""
                                      << "";
        QTest::newRow("trailing garbage") << StandInRegister::listed("1") + "<x" << '0' << ""
                                          << "";
        QTest::newRow("entity expansion")
            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\">"
                          "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
                          "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                          "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e "
                          "\"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
                          "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
                          "<doklady_neplatne><chyba>&f;</chyba></doklady_neplatne>")
            << '0' << ""
            << "";
        QTest::newRow("nothing") << QByteArray() << '0' << ""
                                 << "";
    }
    void registerReplyParsing() {
        QFETCH(QByteArray, xml);
        QFETCH(char, digit);
        QFETCH(QString, updated);
        QFETCH(QString, since);
        const RegisterAnswer answer = parseRegisterReply(xml);
        QCOMPARE(answer.digit(), digit);
        if (digit != '0') {
            QCOMPARE(answer.updated, updated);
            QCOMPARE(answer.listedSince, since);
        } else {
            QVERIFY(!answer.failure.isEmpty());
            QVERIFY(answer.failure.size() < 300);
        }
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("registerUrl");
        QTest::addColumn<int>("port");

        const QString builtIn = QString::fromLatin1(ServiceOptions::kRegisterUrl);
        QTest::newRow("defaults") << QStringList{} << "" << true << builtIn << 8080;
        QTest::newRow("environment") << QStringList{} << "http://127.0.0.1:9/r" << true
                                     << "http://127.0.0.1:9/r" << 8080;
        QTest::newRow("option over environment")
            << QStringList{"--register", "http://127.0.0.1:7/o", "--port", "9000"} << "http://127.0.0.1:9/r"
            << true << "http://127.0.0.1:7/o" << 9000;
        QTest::newRow("register without scheme")
            << QStringList{"--register", "127.0.0.1:7"} << "" << false << "" << 0;
        QTest::newRow("register by ftp")
            << QStringList{"--register", "ftp://127.0.0.1/x"} << "" << false << "" << 0;
        QTest::newRow("port out of range") << QStringList{"--port", "70000"} << "" << false << "" << 0;
        QTest::newRow("port not a number") << QStringList{"--port", "80a"} << "" << false << "" << 0;
        QTest::newRow("certificate without key") << QStringList{"--cert", "a.pem"} << "" << false << "" << 0;
        QTest::newRow("bad address") << QStringList{"--address", "localhost:80"} << "" << false << "" << 0;
        QTest::newRow("zero rate") << QStringList{"--rate", "0"} << "" << false << "" << 0;
        QTest::newRow("header time-out too short")
            << QStringList{"--header-timeout", "5"} << "" << false << "" << 0;
        QTest::newRow("stray argument") << QStringList{"extra"} << "" << false << "" << 0;
        QTest::newRow("unknown option") << QStringList{"--colour"} << "" << false << "" << 0;
        QTest::newRow("mirror without a folder") << QStringList{"--mirror", ""} << "" << false << "" << 0;
        QTest::newRow("mirror source by ftp")
            << QStringList{"--mirror", "/tmp/m", "--mirror-source", "ftp://127.0.0.1/f"} << "" << false << ""
            << 0;
        QTest::newRow("mirror age zero") << QStringList{"--mirror-max-age", "0"} << "" << false << "" << 0;
        QTest::newRow("mirror age over a week")
            << QStringList{"--mirror-max-age", "169"} << "" << false << "" << 0;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(bool, valid);
        QFETCH(QString, registerUrl);
        QFETCH(int, port);
        qputenv("LORVENA_REGISTER_URL", environment.toUtf8());
        QString error;
        const auto parsed =
            parseServiceOptions(QStringList{QStringLiteral("lorvena-service")} + arguments, &error);
        qunsetenv("LORVENA_REGISTER_URL");
        QCOMPARE(parsed.has_value(), valid);
        if (!valid) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QCOMPARE(parsed->registerUrl.toString(), registerUrl);
        QCOMPARE(int(parsed->port), port);
        QCOMPARE(parsed->address, QHostAddress(QHostAddress::LocalHost));
    }
};

QTEST_MAIN(ServiceTest)
#include "tst_service.moc"
