#include "InvalidList.h"
#include "ListArchives.h"
#include "RegisterCopy.h"
#include "RegisterMirror.h"
#include "ServiceClient.h"
#include "ServiceServer.h"
#include "StandInRegister.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kSourcePath = QStringLiteral("/neplatne-doklady/ViewFile.aspx");

std::vector<DocumentKey> keysOf(const QStringList& numbers) {
    std::vector<DocumentKey> keys;
    for (const QString& number : numbers)
        keys.push_back(*documentKey(number));
    return keys;
}

QByteArray writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return bytes;
}

// The three archives of one day of the register.
struct Day {
    QByteArray cards = "111111111;01.02.2010\r\n222222222;3.4.2015\r\n";
    QByteArray cardsWithSeries = "123456;AB;01.02.2010\r\n";
    QByteArray passports = "41234567;05.06.2020\r\n";
};

} // namespace

class RegisterCopyTest : public QObject {
    Q_OBJECT

private:
    StandInRegister m_register;
    QNetworkAccessManager m_network;

    void serve(const Day& day) {
        const QByteArray lists[] = {day.cards, day.cardsWithSeries, day.passports};
        for (int i = 0; i < kListKinds; ++i) {
            m_register.answerPath(
                kSourcePath + QStringLiteral("?typ_dokladu=%1").arg(i),
                {zipOf(listFileName(ListKind(i)), lists[i]), 200, 0, false, false, {}, "application/zip"});
        }
    }
    void serveRaw(int list, const QByteArray& body, const QByteArray& contentType = "application/zip") {
        m_register.answerPath(kSourcePath + QStringLiteral("?typ_dokladu=%1").arg(list),
                              {body, 200, 0, false, false, {}, contentType});
    }
    ServiceOptions options(const QString& directory) const {
        ServiceOptions options;
        options.port = 0;
        options.registerUrl = m_register.url();
        options.registerTimeoutMs = 500;
        options.cacheTtlMs = 0; // every question is a new one for the register
        options.ratePerSecond = 10000;
        options.burst = 10000;
        options.mirrorDirectory = directory;
        options.mirrorSourceUrl = QUrl(m_register.baseUrl().toString() + kSourcePath);
        return options;
    }
    // A service whose copy has been downloaded (or refused) once.
    std::unique_ptr<ServiceServer> startMirrored(const QString& directory, bool expectCopy = true) {
        auto service = std::make_unique<ServiceServer>(options(directory));
        QSignalSpy refreshed(service->mirroredLookup().mirror(), &RegisterMirror::refreshed);
        QString error;
        if (!service->start(&error))
            qWarning("%s", qPrintable(error));
        if (!service->mirroredLookup().mirror()->copy()) {
            if (!refreshed.wait(10000))
                qWarning("no download");
            else if (expectCopy && !refreshed.first().first().toBool())
                qWarning("%s", qPrintable(refreshed.first().at(1).toString()));
        }
        return service;
    }
    static bool refresh(ServiceServer& service, QString* message = nullptr) {
        RegisterMirror* mirror = service.mirroredLookup().mirror();
        QSignalSpy refreshed(mirror, &RegisterMirror::refreshed);
        mirror->refresh();
        if (!refreshed.wait(10000))
            return false;
        if (message)
            *message = refreshed.first().at(1).toString();
        return refreshed.first().first().toBool();
    }
    QByteArray simple(const ServiceServer& service, const QString& number, const QString& type) {
        return fetch(m_network,
                     QUrl(QStringLiteral("http://127.0.0.1:%1/overeni-dokladu/simple/?number=%2&type=%3")
                              .arg(service.port())
                              .arg(number, type)))
            .body;
    }
    QString page(const ServiceServer& service, const QString& path) {
        return QString::fromUtf8(
            fetch(m_network, QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(service.port()).arg(path)))
                .body);
    }
    static QString today() { return QDate::currentDate().toString(QStringLiteral("d.M.yyyy")); }

private slots:
    void initTestCase() { QVERIFY(m_register.isListening()); }

    void listLines_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<int>("refused");

        const int cards = int(ListKind::IdentityCards);
        const int series = int(ListKind::IdentityCardsWithSeries);
        QTest::newRow("line feeds") << cards << QByteArray("123456789;01.02.2010\n987654321;1.2.2011\n")
                                    << true << QStringList{"123456789", "987654321"} << 0;
        QTest::newRow("CR LF, blanks, blank lines, byte-order mark")
            << cards
            << QByteArray("\xEF\xBB\xBF 123456789 ; 01.02.2010 \r\n\r\n  \r\n\t987654321;1.2.2011\r\n")
            << true << QStringList{"123456789", "987654321"} << 0;
        QTest::newRow("last line without its end")
            << cards << QByteArray("123456789;01.02.2010\r\n987654321;1.2.2011") << true
            << QStringList{"123456789", "987654321"} << 0;
        QTest::newRow("number and series joined as the desktop program sends them")
            << series << QByteArray("123456;AB;01.02.2010\r\n000123;xz;28.2.1999\r\n") << true
            << QStringList{"123456AB", "000123XZ"} << 0;
        QTest::newRow("a heading in Windows-1250 is refused and borne")
            << cards << QByteArray("\xC8\xEDslo;Datum\r\n123456789;01.02.2010\r\n") << true
            << QStringList{"123456789"} << 1;
        QTest::newRow("an impossible date leaves the line out")
            << cards << QByteArray("123456789;31.02.2010\r\n987654321;1.2.2011\r\n") << true
            << QStringList{"987654321"} << 1;
        QTest::newRow("empty") << cards << QByteArray() << false << QStringList{} << 0;
        QTest::newRow("only blank lines") << cards << QByteArray("\r\n \r\n") << false << QStringList{} << 0;
        QTest::newRow("HTML error page")
            << cards << QByteArray("\r\n<!DOCTYPE html><html><body>Chyba serveru</body></html>") << false
            << QStringList{} << 0;
        QTest::newRow("series missing where the list has them")
            << series << QByteArray("123456;01.02.2010\r\n") << false << QStringList{} << 1;
        QTest::newRow("a series where the list has none")
            << cards << QByteArray("123456;AB;01.02.2010\r\n") << false << QStringList{} << 1;
        QTest::newRow("more than one bad line in a short list")
            << cards << QByteArray("x;y\r\n123456789;01.02.2010\r\n1234 56789;01.02.2010\r\n") << false
            << QStringList{} << 2;
        QTest::newRow("number longer than twelve")
            << cards << QByteArray("1234567890123;01.02.2010\r\n123456789;01.02.2010\r\n") << true
            << QStringList{"123456789"} << 1;
        QTest::newRow("letters with diacritics in UTF-8")
            << series << QByteArray("123456;\xC4\x8C\xC5\x98;01.02.2010\r\n123456;AB;01.02.2010\r\n") << true
            << QStringList{"123456AB"} << 1;
        QTest::newRow("quoted fields")
            << cards << QByteArray("\"123456789\";\"01.02.2010\"\r\n") << false << QStringList{} << 1;
        QTest::newRow("UTF-16") << cards
                                << QByteArray("\xFF\xFE"
                                              "1\0"
                                              "2\0;\0",
                                              8)
                                << false << QStringList{} << 0;
        QTest::newRow("one endless line") << cards << QByteArray(10000, '1') << false << QStringList{} << 0;
    }
    void listLines() {
        QFETCH(int, kind);
        QFETCH(QByteArray, text);
        QFETCH(bool, accepted);
        QFETCH(QStringList, documents);
        QFETCH(int, refused);
        // Fed in pieces that cut lines, fields and the byte-order mark.
        for (const qsizetype piece :
             {qsizetype(1), qsizetype(2), qsizetype(7), qMax<qsizetype>(1, text.size())}) {
            ListParser parser{ListKind(kind)};
            for (qsizetype at = 0; at < text.size(); at += piece)
                parser.feed(text.constData() + at, qMin(piece, text.size() - at));
            QCOMPARE(parser.finish(), accepted);
            QCOMPARE(parser.refusedLines(), refused);
            if (!accepted) {
                QVERIFY(!parser.error().isEmpty());
                continue;
            }
            std::vector<DocumentKey> keys;
            for (const ListEntry& entry : parser.entries())
                keys.push_back(entry.key);
            QCOMPARE(keys, keysOf(documents));
            QCOMPARE(qsizetype(parser.refusedSamples().size()), qsizetype(refused));
        }
    }

    void documentKeys() {
        // Each string its own key, letters in either case alike.
        const QStringList distinct{"1",        "01",           "001",          "10",
                                   "A",        "0A",           "A0",           "123456789",
                                   "123456AB", "ZZZZZZZZZZZZ", "999999999999", "000000000000"};
        std::vector<DocumentKey> keys = keysOf(distinct);
        std::sort(keys.begin(), keys.end());
        QVERIFY(std::adjacent_find(keys.begin(), keys.end()) == keys.end());
        QCOMPARE(documentKey(u"123456ab"), documentKey(u"123456AB"));
        for (const QString& refused : {QString(), QStringLiteral("1234567890123"), QStringLiteral("12 34"),
                                       QStringLiteral("12-34"), QStringLiteral("ČR1")})
            QVERIFY2(!documentKey(refused), qPrintable(refused));
    }

    void archives_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        const QByteArray good = zipOf(QStringLiteral("op_vse.csv"), "123456789;01.02.2010\r\n");
        QByteArray flipped =
            zipOf(QStringLiteral("op_vse.csv"), QByteArray(20000, '\n') + "123456789;01.02.2010\r\n");
        flipped[flipped.size() / 3] = char(flipped[flipped.size() / 3] ^ 0x55);
        QTest::newRow("good") << good << true;
        QTest::newRow("name in capitals, in a folder")
            << zipOf(QStringLiteral("data/OP_VSE.CSV"), "123456789;01.02.2010\r\n") << true;
        QTest::newRow("another list")
            << zipOf(QStringLiteral("cd_vse.csv"), "12345678;01.02.2010\r\n") << false;
        QTest::newRow("two files") << zipOf({{QStringLiteral("op_vse.csv"), "123456789;01.02.2010\r\n"},
                                             {QStringLiteral("readme.txt"), "x"}})
                                   << false;
        QTest::newRow("empty archive") << zipOf(QList<QPair<QString, QByteArray>>{}) << false;
        QTest::newRow("empty list in the archive")
            << zipOf(QStringLiteral("op_vse.csv"), QByteArray()) << false;
        QTest::newRow("cut in half") << good.left(good.size() / 2) << false;
        QTest::newRow("last bytes missing") << good.chopped(10) << false;
        QTest::newRow("damaged inside") << flipped << false;
        QTest::newRow("HTML page") << QByteArray("<html><body>Služba je dočasně nedostupná</body></html>")
                                   << false;
        QTest::newRow("empty download") << QByteArray() << false;
        QTest::newRow("something else") << QByteArray("Lorem ipsum dolor sit amet") << false;
    }
    void archives() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("a.zip"));
        writeFile(path, bytes);
        const ListArchive archive = readListArchive(path, ListKind::IdentityCards);
        QVERIFY2(archive.error.isEmpty() == accepted, qPrintable(archive.error));
        if (accepted) {
            QCOMPARE(archive.entries.size(), size_t(1));
            QCOMPARE(archive.entries.front().key, *documentKey(u"123456789"));
        }
    }

    void copyFile() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("copy.idx"));
        RegisterCopy::Lists lists;
        lists[0] = {{*documentKey(u"222222222"), 10},
                    {*documentKey(u"111111111"), 5},
                    {*documentKey(u"222222222"), 3}};
        lists[1] = {{*documentKey(u"123456AB"), 100}};
        lists[2] = {{*documentKey(u"41234567"), 20000}};
        const QDateTime fetched = QDateTime(QDate(2026, 12, 11), QTime(6, 30), Qt::UTC);
        QString error;
        QVERIFY2(RegisterCopy::write(path, fetched, lists, &error), qPrintable(error));
        const auto copy = RegisterCopy::open(path, &error);
        QVERIFY2(copy, qPrintable(error));
        QCOMPARE(copy->fetchedAt(), fetched);
        QCOMPARE(copy->documents(), 4);
        QCOMPARE(copy->fileSize(), QFileInfo(path).size());

        struct Case {
            const char* number;
            const char* type;
            RegisterCopy::Verdict verdict;
            QDate since;
        };
        using V = RegisterCopy::Verdict;
        const Case cases[] = {
            {"222222222", "0", V::Listed, QDate(1970, 1, 4)}, // listed twice: the earlier day
            {"111111111", "0", V::Listed, QDate(1970, 1, 6)},
            {"123456ab", "0", V::Listed, QDate(1970, 4, 11)},
            {"123456", "0", V::NotListed, {}},
            {"41234567", "0", V::NotListed, {}},
            {"41234567", "4", V::Listed, sinceDate(20000)},
            {"111111111", "4", V::NotListed, {}},
            {"41234567", "5", V::Unknown, {}},
            {"1234567890123", "0", V::Unknown, {}},
        };
        for (const Case& c : cases) {
            const auto look = copy->look({QString::fromLatin1(c.number), QString::fromLatin1(c.type)});
            QVERIFY2(look.verdict == c.verdict, c.number);
            QCOMPARE(look.since, c.since);
        }

        // A damaged file answers nothing.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QByteArray swapped = bytes;
        const qsizetype keys = 80; // the first list's keys follow the header
        std::swap_ranges(swapped.begin() + keys, swapped.begin() + keys + 8, swapped.begin() + keys + 8);
        for (const QByteArray& damaged :
             {bytes.left(40), bytes.chopped(8), QByteArray(bytes).replace(0, 4, "XXXX"), swapped}) {
            const QString other = directory.filePath(QStringLiteral("damaged.idx"));
            writeFile(other, damaged);
            QVERIFY(!RegisterCopy::open(other, &error));
            QVERIFY(!error.isEmpty());
        }
    }

    // Every document of a long list is found and no other, at the ends and
    // across the stretches a search is split into.
    void copyFindsInLongLists() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("copy.idx"));
        RegisterCopy::Lists lists;
        const int listed = 1000;
        for (int i = 0; i < listed; ++i)
            lists[2].push_back({*documentKey(QString::number(10000000 + 3 * i)), std::uint16_t(i)});
        QString error;
        QVERIFY(RegisterCopy::write(path, QDateTime::currentDateTimeUtc(), lists, &error));
        const auto copy = RegisterCopy::open(path, &error);
        QVERIFY2(copy, qPrintable(error));
        for (int i = -5; i < 3 * listed + 5; ++i) {
            const auto look = copy->look({QString::number(10000000 + i), QStringLiteral("4")});
            const bool expected = i >= 0 && i % 3 == 0 && i < 3 * listed;
            QVERIFY2((look.verdict == RegisterCopy::Verdict::Listed) == expected,
                     qPrintable(QString::number(i)));
            if (expected)
                QCOMPARE(look.since, sinceDate(std::uint16_t(i / 3)));
        }
    }

    // A new service downloads the three lists, answers from them without
    // asking the register, and says so on the result page and the status page.
    void firstLoad() {
        QTemporaryDir directory;
        serve(Day());
        const int before = m_register.requestsForPath(kSourcePath);
        const auto service = startMirrored(directory.path());
        QVERIFY(service->mirroredLookup().mirror()->copy());
        QCOMPARE(m_register.requestsForPath(kSourcePath), before + 3);

        const int asked = m_register.requests();
        QCOMPARE(simple(*service, QStringLiteral("111111111"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("123456AB"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("123456ab"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("41234567"), QStringLiteral("4")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("333333333"), QStringLiteral("0")), QByteArray("2"));
        QCOMPARE(simple(*service, QStringLiteral("123456"), QStringLiteral("0")), QByteArray("2"));
        QCOMPARE(simple(*service, QStringLiteral("41234567"), QStringLiteral("0")), QByteArray("2"));
        QCOMPARE(m_register.requests(), asked);

        // The open data has no green passports: the register is asked.
        m_register.answerListed(QStringLiteral("E7654321"));
        QCOMPARE(simple(*service, QStringLiteral("E7654321"), QStringLiteral("5")), QByteArray("1"));
        QCOMPARE(m_register.requests(), asked + 1);

        const QString result =
            page(*service, QStringLiteral("/overeni-dokladu/vysledek-overeni/?number=222222222&type=0"));
        QVERIFY(result.contains(QStringLiteral("JE v evidenci")));
        QVERIFY2(result.contains(QStringLiteral("podle kopie registru ze dne ") + today()),
                 qPrintable(result));
        QVERIFY(result.contains(QStringLiteral("3.4.2015")));
        const QString status = page(*service, QStringLiteral("/stav"));
        QVERIFY2(status.contains(QStringLiteral("ze dne ") + today()), qPrintable(status));
        QVERIFY2(status.contains(QStringLiteral("4 dokladů")), qPrintable(status));
        QVERIFY2(status.contains(
                     QStringLiteral("%1 B").arg(service->mirroredLookup().mirror()->copy()->fileSize())),
                 qPrintable(status));

        // Nothing of the download is left beside the copy.
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{RegisterMirror::kIndexName});

        // Another service on the same folder answers from the copy at once.
        const auto second = std::make_unique<ServiceServer>(options(directory.path()));
        QString error;
        QVERIFY(second->start(&error));
        QCOMPARE(simple(*second, QStringLiteral("111111111"), QStringLiteral("0")), QByteArray("1"));
        QTest::qWait(100);
        QCOMPARE(m_register.requestsForPath(kSourcePath), before + 3);
    }

    void refreshAddsAndRemoves() {
        QTemporaryDir directory;
        serve(Day());
        const auto service = startMirrored(directory.path());
        Day next;
        next.cards = "111111111;01.02.2010\r\n444444444;10.12.2026\r\n";
        next.passports = "41234567;05.06.2020\r\n49999999;10.12.2026\r\n";
        serve(next);
        QString message;
        QVERIFY2(refresh(*service, &message), qPrintable(message));
        const int asked = m_register.requests();
        QCOMPARE(simple(*service, QStringLiteral("222222222"), QStringLiteral("0")), QByteArray("2"));
        QCOMPARE(simple(*service, QStringLiteral("444444444"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("49999999"), QStringLiteral("4")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("111111111"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(m_register.requests(), asked);
    }

    // Whatever comes instead of a good list, the copy the service had stays,
    // whole and answering, and the status page says why.
    void refusedDownloadKeepsTheCopy_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        // Long enough that the middle of the archive is compressed data.
        QByteArray lines = "123456;AB;01.02.2010\r\n";
        for (int i = 0; i < 3000; ++i)
            lines += QByteArray::number(100000 + i * 7) + ";XY;1.1.2020\r\n";
        const QByteArray good = zipOf(QStringLiteral("ops_vse.csv"), lines);
        QByteArray damaged = good;
        damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x55);
        QTest::newRow("HTML page instead of a zip")
            << 1 << QByteArray("<!DOCTYPE html><html><body>Omlouváme se, služba je nedostupná.</body></html>")
            << 200 << QByteArray("text/html");
        QTest::newRow("corrupt archive") << 1 << damaged << 200 << QByteArray("application/zip");
        QTest::newRow("truncated archive")
            << 1 << good.left(good.size() - 30) << 200 << QByteArray("application/zip");
        QTest::newRow("empty archive")
            << 0 << zipOf(QList<QPair<QString, QByteArray>>{}) << 200 << QByteArray("application/zip");
        QTest::newRow("server error") << 0 << zipOf(QStringLiteral("op_vse.csv"), "333333333;1.1.2020\r\n")
                                      << 500 << QByteArray("application/zip");
        QTest::newRow("list cut to less than half")
            << 0 << zipOf(QStringLiteral("op_vse.csv"), "111111111;01.02.2010\r\n") << 200
            << QByteArray("application/zip");
    }
    void refusedDownloadKeepsTheCopy() {
        QFETCH(int, list);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QTemporaryDir directory;
        Day day;
        day.cards += "555555555;1.1.2020\r\n666666666;1.1.2020\r\n";
        serve(day);
        const auto service = startMirrored(directory.path());
        const auto before = service->mirroredLookup().mirror()->copy();
        QVERIFY(before);
        const QString index = QDir(directory.path()).filePath(RegisterMirror::kIndexName);
        QFile file(index);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();

        m_register.answerPath(kSourcePath + QStringLiteral("?typ_dokladu=%1").arg(list),
                              {body, status, 0, false, false, {}, contentType});
        QString message;
        QVERIFY(!refresh(*service, &message));
        QVERIFY(!message.isEmpty());
        QCOMPARE(service->mirroredLookup().mirror()->copy(), before);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        file.close();
        QCOMPARE(QDir(directory.path()).entryList(QDir::Files), QStringList{RegisterMirror::kIndexName});

        const int asked = m_register.requests();
        QCOMPARE(simple(*service, QStringLiteral("123456AB"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(simple(*service, QStringLiteral("333333333"), QStringLiteral("0")), QByteArray("2"));
        QCOMPARE(m_register.requests(), asked);
        const QString state = page(*service, QStringLiteral("/stav/"));
        QVERIFY2(state.contains(QStringLiteral("odmítnuto: ") + message), qPrintable(state));
    }

    // A new service whose first download is refused keeps asking the register.
    void noCopyYet() {
        QTemporaryDir directory;
        serve(Day());
        serveRaw(0, "<html><body>Chyba</body></html>", "text/html");
        const auto service = startMirrored(directory.path(), false);
        QVERIFY(!service->mirroredLookup().mirror()->copy());
        m_register.answerListed(QStringLiteral("777777777"));
        const int asked = m_register.requests();
        QCOMPARE(simple(*service, QStringLiteral("777777777"), QStringLiteral("0")), QByteArray("1"));
        QCOMPARE(m_register.requests(), asked + 1);
        QVERIFY(page(*service, QStringLiteral("/stav")).contains(QStringLiteral("kopie registru: žádná")));
        QVERIFY(QDir(directory.path()).entryList(QDir::Files).isEmpty());
    }

    // Downloads come again by themselves: every day after a good one, sooner
    // after a refused one (both shortened here).
    void refreshesOnItsOwn() {
        QTemporaryDir directory;
        serve(Day());
        RegisterMirror::Settings settings;
        settings.directory = directory.path();
        settings.sourceUrl = QUrl(m_register.baseUrl().toString() + kSourcePath);
        settings.refreshIntervalMs = 2000;
        settings.retryIntervalMs = 100;
        RegisterMirror mirror(settings);
        QSignalSpy refreshed(&mirror, &RegisterMirror::refreshed);
        mirror.start();
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.size(), 1, 5000);
        QVERIFY(refreshed.at(0).at(0).toBool());
        const auto first = mirror.copy();

        serveRaw(2, "<html>Údržba</html>", "text/html");
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.size(), 2, 5000);
        QVERIFY2(clock.elapsed() >= 1800, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!refreshed.at(1).at(0).toBool());
        QCOMPARE(mirror.copy(), first);

        serve(Day());
        clock.restart();
        QTRY_COMPARE_WITH_TIMEOUT(refreshed.size(), 3, 5000);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(refreshed.at(2).at(0).toBool());
        QVERIFY(mirror.copy() != first);
    }

    // How old the copy is decides who answers.
    void copyByAge_data() {
        QTest::addColumn<int>("ageHours");
        QTest::addColumn<bool>("registerUp");
        QTest::addColumn<QByteArray>("listedAnswer");   // for a document the copy lists
        QTest::addColumn<QByteArray>("unlistedAnswer"); // for one it does not
        QTest::addColumn<bool>("registerAsked");
        QTest::addColumn<bool>("fromCopy");
        // The register says the opposite of the copy, to tell who answered.
        QTest::newRow("fresh, register down")
            << 1 << false << QByteArray("1") << QByteArray("2") << false << true;
        QTest::newRow("fresh, register up")
            << 35 << true << QByteArray("1") << QByteArray("2") << false << true;
        QTest::newRow("stale, register up")
            << 37 << true << QByteArray("2") << QByteArray("1") << true << false;
        QTest::newRow("stale, register down")
            << 37 << false << QByteArray("1") << QByteArray("2") << true << true;
        QTest::newRow("a week old, register down")
            << 7 * 24 - 1 << false << QByteArray("1") << QByteArray("2") << true << true;
        QTest::newRow("older than a week, register down")
            << 7 * 24 + 1 << false << QByteArray("0") << QByteArray("0") << true << false;
        QTest::newRow("from the future, register down")
            << -2 << false << QByteArray("0") << QByteArray("0") << true << false;
    }
    void copyByAge() {
        QFETCH(int, ageHours);
        QFETCH(bool, registerUp);
        QFETCH(QByteArray, listedAnswer);
        QFETCH(QByteArray, unlistedAnswer);
        QFETCH(bool, registerAsked);
        QFETCH(bool, fromCopy);
        QTemporaryDir directory;
        serve(Day());
        const auto service = startMirrored(directory.path());
        RegisterMirror* mirror = service->mirroredLookup().mirror();
        const QDateTime fetched = mirror->copy()->fetchedAt();
        mirror->setClock([fetched, ageHours] { return fetched.addSecs(qint64(ageHours) * 3600); });

        const QString listed = QStringLiteral("111111111");
        const QString unlisted = QStringLiteral("888888888");
        if (registerUp) {
            m_register.answerNotListed(listed);
            m_register.answerListed(unlisted);
        } else {
            m_register.answer(listed, {{}, 503});
            m_register.answer(unlisted, {{}, 0, 0, false, true});
        }
        const int asked = m_register.requests();
        QCOMPARE(simple(*service, listed, QStringLiteral("0")), listedAnswer);
        QCOMPARE(simple(*service, unlisted, QStringLiteral("0")), unlistedAnswer);
        QCOMPARE(m_register.requests() > asked, registerAsked);

        const QString result =
            page(*service, QStringLiteral("/overeni-dokladu/vysledek-overeni/?number=%1&type=0").arg(listed));
        QCOMPARE(result.contains(QStringLiteral("podle kopie registru ze dne ") + today()), fromCopy);
        QCOMPARE(result.contains(QStringLiteral("on-line registr Ministerstva vnitra")),
                 !fromCopy && registerUp);
        // When the copy stood in for the register, the page says why.
        QCOMPARE(result.contains(QStringLiteral("proto odpověděla kopie")), fromCopy && registerAsked);
    }
};

QTEST_MAIN(RegisterCopyTest)
#include "tst_register_copy.moc"
