// The print system as an office network can have it: a print server that
// takes every connection and never answers. Start must not wait for it, and
// every command that needs the printer says so within a few seconds.
#include "TestSupport.h"
#include "UiSupport.h"

#include "printing/PrintSystem.h"
#include "settings/AppError.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

const QString kSilence =
    QStringLiteral("Tiskový systém neodpovídá. Zkontrolujte tiskárnu nebo tiskový server a zkuste to znovu.");

// Generous for a loaded machine, yet shorter than any wait for the print system.
constexpr qint64 kPromptStartMs = 2000;

} // namespace

class TestPrintSystem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startAsksNothing();
    void commandsReportTheSilence_data();
    void commandsReportTheSilence();
    void closedPortIsNoSilence();

private:
    // Takes connections (the kernel completes them even while this thread
    // waits) and keeps them open without a byte in return.
    QTcpServer m_silent;
    int m_connections = 0;
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestPrintSystem::initTestCase() {
    QVERIFY(m_silent.listen(QHostAddress::LocalHost));
    connect(&m_silent, &QTcpServer::newConnection, this, [this] {
        while (m_silent.hasPendingConnections()) {
            m_silent.nextPendingConnection()->setParent(&m_silent);
            ++m_connections;
        }
    });
    qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(m_silent.serverPort()));
}

void TestPrintSystem::init() {
    m_box = std::make_unique<AppDataSandbox>();
}

void TestPrintSystem::cleanup() {
    m_box.reset();
}

void TestPrintSystem::startAsksNothing() {
    const int before = m_connections;
    QElapsedTimer t;
    t.start();
    auto f = createWindows();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    QVERIFY2(t.elapsed() < kPromptStartMs, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
    QTest::qWait(200);
    QCOMPARE(m_connections, before);
}

void TestPrintSystem::commandsReportTheSilence_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("TISK") << QStringLiteral("print");
    QTest::newRow("Vybrat tiskárnu") << QStringLiteral("choose");
    QTest::newRow("menu Vybrat tiskárnu") << QStringLiteral("menu");
    QTest::newRow("book label") << QStringLiteral("book");
}

void TestPrintSystem::commandsReportTheSilence() {
    QFETCH(QString, command);
    auto f = createWindows();
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    QVERIFY(f->isMarked(1));
    if (command == u"book") {
        f->Form5->show();
        child<QLineEdit>(f->Form5, "Edit2")->setText(QStringLiteral("Kupní smlouva"));
        f->Form5->PanelClick(1);
    }
    const QByteArray settingsBefore = readBytes(DataDir::settingsFile());
    const int numberBefore = child<QSpinBox>(f, "SpinEdit2")->value();
    const int connectionsBefore = m_connections;

    // A second try waits no longer than the first and says the same.
    for (int attempt = 0; attempt < 2; ++attempt) {
        MessageBoxAnswerer answers;
        QElapsedTimer t;
        t.start();
        if (command == u"print")
            QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
        else if (command == u"choose")
            QTest::mouseClick(child<QPushButton>(f, "Button7"), Qt::LeftButton);
        else if (command == u"menu")
            child<QAction>(f, "Volbatiskrny1")->trigger();
        else
            QTest::mouseClick(child<QPushButton>(f->Form5, "Button1"), Qt::LeftButton);
        const qint64 waited = t.elapsed();
        QVERIFY2(waited < kPrintSystemPatience.count() + 1500,
                 qPrintable(QStringLiteral("%1 ms").arg(waited)));
        QCOMPARE(answers.texts, QStringList{kSilence});
    }

    // The silence was that of the configured server.
    QTest::qWait(50);
    QVERIFY(m_connections > connectionsBefore);

    // Nothing issued, nothing recorded, and the window goes on taking the clerk's clicks.
    QCOMPARE(readBytes(DataDir::settingsFile()), settingsBefore);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), numberBefore);
    QVERIFY(f->isMarked(1));
    QTest::mouseClick(panel(*f, 5), Qt::LeftButton);
    QVERIFY(f->isMarked(5));
    QVERIFY_THROWS_EXCEPTION(AppError, f->printer());
    if (command == u"book")
        QVERIFY(f->Form5->isVisible());
}

void TestPrintSystem::closedPortIsNoSilence() {
    // Nothing listens: the printer is made at once and finds no queue.
    quint16 closed = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closed = probe.serverPort();
    }
    const QByteArray silent = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(closed));
    QElapsedTimer t;
    t.start();
    const PrintSystemAnswer answer = askPrintSystem();
    qputenv("CUPS_SERVER", silent);
    QCOMPARE(answer, PrintSystemAnswer::Absent);
    QVERIFY2(t.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
}

QTEST_MAIN(TestPrintSystem)
#include "tst_printsystem.moc"
