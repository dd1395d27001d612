// Which manual the help menu opens: the site's, or the program's own copy
// when the site cannot be reached.
#include "StandInService.h"
#include "TestSupport.h"

#include "about/ManualOpener.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTcpServer>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

// An address on the loopback interface where nothing listens.
QString closedPortBase() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

} // namespace

class TestManual : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void siteOrOwnCopy_data();
    void siteOrOwnCopy();
    void ownCopyAsPage();

private:
    QTemporaryDir m_dir;
    UrlCatcher m_catcher;
};

void TestManual::initTestCase() {
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath("cache")));
    QVERIFY(writeBytes(m_dir.filePath("lorvena-manual.md"), "# Lorvena – manuál\n\nKlávesa **F1**.\n"));
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_catcher, "open");
}

void TestManual::cleanupTestCase() {
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void TestManual::siteOrOwnCopy_data() {
    QTest::addColumn<QString>("site");    // "stand-in" or "closed port"
    QTest::addColumn<int>("status");      // of the stand-in's answer
    QTest::addColumn<bool>("silent");     // the stand-in never answers
    QTest::addColumn<bool>("haveCopy");   // the program's own copy exists
    QTest::addColumn<bool>("expectSite"); // the site's address is opened
    QTest::newRow("site serves the manual") << "stand-in" << 200 << false << true << true;
    QTest::newRow("site redirects") << "stand-in" << 302 << false << true << true;
    QTest::newRow("site lacks the manual") << "stand-in" << 404 << false << true << false;
    QTest::newRow("site fails") << "stand-in" << 503 << false << true << false;
    QTest::newRow("nothing listens") << "closed port" << 0 << false << true << false;
    QTest::newRow("site never answers") << "stand-in" << 200 << true << true << false;
    QTest::newRow("unreachable, no own copy") << "closed port" << 0 << false << false << true;
}

void TestManual::siteOrOwnCopy() {
    QFETCH(QString, site);
    QFETCH(int, status);
    QFETCH(bool, silent);
    QFETCH(bool, haveCopy);
    QFETCH(bool, expectSite);
    StandInService standIn;
    standIn.respond = [&](const QByteArray&) {
        StandInService::Answer a{status, "%PDF-1.4", 0, silent};
        return a;
    };
    const QString base = site == QLatin1String("stand-in") ? standIn.base() : closedPortBase();
    const QUrl siteManual(base + QStringLiteral("/files/lorvena-manual.pdf"));
    m_catcher.urls.clear();

    ManualOpener opener;
    opener.setTimeout(400);
    opener.setCopyCandidates({m_dir.filePath("absent/lorvena-manual.md"),
                              haveCopy ? m_dir.filePath("lorvena-manual.md") : m_dir.filePath("absent.md")});
    QSignalSpy opened(&opener, &ManualOpener::opened);
    QElapsedTimer clock;
    clock.start();
    opener.open(siteManual);
    opener.open(siteManual); // pressed twice: still one page
    // The window goes on at once; the answer is awaited in the background.
    QVERIFY(clock.elapsed() < 200);
    QVERIFY(opened.isEmpty());
    QTRY_COMPARE(opened.size(), 1);
    QTest::qWait(50);
    QCOMPARE(m_catcher.urls.size(), 1);
    const QUrl shown = m_catcher.urls.first();
    if (expectSite) {
        QCOMPARE(shown, siteManual);
    } else {
        QVERIFY2(shown.isLocalFile(), qPrintable(shown.toString()));
        const QString page = QString::fromUtf8(readBytes(shown.toLocalFile()));
        QVERIFY(page.contains(QStringLiteral("Klávesa")));
    }
    QCOMPARE(opened.first().first().toUrl(), shown);
    if (silent)
        QVERIFY(clock.elapsed() >= 400);
}

void TestManual::ownCopyAsPage() {
    const QString md = QStringLiteral("# Hlavní okno\n\n![Hlavní okno](hlavni-okno.png)\n\n"
                                      "Vzdálený obrázek ![x](https://example.cz/a.png) zůstane.\n");
    const QString page = ManualOpener::toHtml(md, QStringLiteral("/usr/share/lorvena"));
    QVERIFY(page.contains(QStringLiteral("Hlavní okno")));
    QVERIFY2(page.contains(QStringLiteral("src=\"file:///usr/share/lorvena/hlavni-okno.png\"")),
             qPrintable(page));
    QVERIFY(page.contains(QStringLiteral("src=\"https://example.cz/a.png\"")));
}

QTEST_MAIN(TestManual)
#include "tst_manual.moc"
