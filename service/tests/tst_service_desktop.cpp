// The desktop program's document check against the real service, which asks
// a loopback stand-in register: what the clerk types, what the register is
// asked, what colour the number field takes, and the "info" page it opens.
#include "ServiceClient.h"
#include "ServiceServer.h"
#include "StandInRegister.h"
#include "TestSupport.h"
#include "UiSupport.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

#include <memory>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class ServiceDesktopTest : public QObject {
    Q_OBJECT

private:
    StandInRegister m_register;
    std::unique_ptr<ServiceServer> m_service;

private slots:
    void initTestCase() {
        // The loopback service must be reached directly, whatever the machine's proxy.
        for (const char* name :
             {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
            qunsetenv(name);
        ServiceOptions options;
        options.port = 0;
        options.registerUrl = m_register.url();
        options.registerTimeoutMs = 1000;
        m_service = std::make_unique<ServiceServer>(options);
        QString error;
        QVERIFY2(m_service->start(&error), qPrintable(error));
    }

    void documentCheck_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("series");
        QTest::addColumn<QByteArray>("registerBody");
        QTest::addColumn<QString>("askedAs"); // empty: the register must not be asked
        QTest::addColumn<QString>("state");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("pageText");

        QTest::newRow("identity card found") << 0 << "E2E111"
                                             << "" << StandInRegister::listed("E2E111") << "E2E111"
                                             << "danger" << QColor(248, 215, 218) << "JE v evidenci";
        QTest::newRow("purple passport with series, not found")
            << 2 << "123456"
            << "AB" << StandInRegister::notListed("123456AB") << "123456AB"
            << "ok" << QColor(212, 237, 218) << "není v evidenci";
        QTest::newRow("green passport, register error")
            << 3 << "E2E333"
            << "" << StandInRegister::error("Chybný dotaz") << "E2E333"
            << "error" << QColor(255, 243, 205) << "nepodařilo";
        QTest::newRow("number with a blank is refused by the service")
            << 0 << "12 34"
            << "" << QByteArray() << ""
            << "error" << QColor(255, 243, 205) << "nemá správný tvar";
    }
    void documentCheck() {
        QFETCH(int, kind);
        QFETCH(QString, number);
        QFETCH(QString, series);
        QFETCH(QByteArray, registerBody);
        QFETCH(QString, askedAs);
        QFETCH(QString, state);
        QFETCH(QColor, colour);
        QFETCH(QString, pageText);

        AppDataSandbox box;
        box.makeDataDir();
        QVERIFY(writeWindowsIni(
            DataDir::settingsFile(),
            {QStringLiteral("[Web]"), QStringLiteral("Server=http://127.0.0.1:%1").arg(m_service->port())}));
        if (!askedAs.isEmpty())
            m_register.answer(askedAs, {registerBody});
        const int askedBefore = m_register.requests();

        auto f = createWindows();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        for (int i = 0; i < child<QTabBar>(f, "TabControl1")->count(); ++i) {
            if (child<QTabBar>(f, "TabControl1")->tabText(i) == QStringLiteral("LEGALIZACE"))
                child<QTabBar>(f, "TabControl1")->setCurrentIndex(i);
        }
        QCOMPARE(child<QTabBar>(f, "TabControl1")->tabText(child<QTabBar>(f, "TabControl1")->currentIndex()),
                 QStringLiteral("LEGALIZACE"));
        auto* documentKind = child<QComboBox>(f.get(), "ComboBox7");
        auto* numberField = child<QLineEdit>(f.get(), "Edit4");
        auto* seriesField = child<QLineEdit>(f.get(), "Edit1");
        auto* info = child<QPushButton>(f.get(), "Button8");
        documentKind->setCurrentIndex(kind);

        QTest::keyClicks(numberField, number);
        QTest::keyClicks(seriesField, series);
        QCOMPARE(f->documentCheckState, QStringLiteral("?"));
        QTRY_COMPARE_WITH_TIMEOUT(f->documentCheckState, state, 5000);
        QCOMPARE(numberField->palette().color(QPalette::Base), colour);
        QVERIFY(info->isEnabled());

        // Typing without a pause sent one question, in the register's own form.
        if (askedAs.isEmpty()) {
            QCOMPARE(m_register.requests(), askedBefore);
        } else {
            QCOMPARE(m_register.requests(), askedBefore + 1);
            QCOMPARE(m_register.lastQuery().queryItemValue(QStringLiteral("dotaz")), askedAs);
            const QString type = kind == 0   ? QStringLiteral("0")
                                 : kind == 2 ? QStringLiteral("4")
                                             : QStringLiteral("5");
            QCOMPARE(m_register.lastQuery().queryItemValue(QStringLiteral("doklad")), type);
        }

        // "info" opens the service's result page, which tells the same.
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        QTest::mouseClick(info, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().path(), QStringLiteral("/overeni-dokladu/vysledek-overeni/"));
        QNetworkAccessManager network;
        const Fetched page = fetch(network, catcher.urls.first());
        QCOMPARE(page.status, 200);
        QVERIFY2(QString::fromUtf8(page.body).contains(pageText), qPrintable(pageText));
    }
};

QTEST_MAIN(ServiceDesktopTest)
#include "tst_service_desktop.moc"
