#include "TestSupport.h"

#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strictIntegers_data();
    void strictIntegers();
};

void TestSettings::strictIntegers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "12" << true << 12;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("decimal comma") << "1,5" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing letters") << "12a" << false << 0;
    QTest::newRow("blank inside") << " 12" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("overflow") << "2147483648" << false << 0;
    QTest::newRow("huge") << "99999999999999999999999" << false << 0;
}

void TestSettings::strictIntegers() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    if (ok) {
        QCOMPARE(strToInt(text), value);
    } else {
        try {
            strToInt(text);
            QFAIL("no error raised");
        } catch (const AppError& e) {
            QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
