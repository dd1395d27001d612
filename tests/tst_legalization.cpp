#include "StandInService.h"
#include "TestSupport.h"
#include "UiSupport.h"

#include "applicant/SavedClauses.h"
#include "book/book.h"
#include "settings/SettingsStore.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>

namespace {

QColor windowColour() {
    return QPalette().color(QPalette::Base);
}

void writeClauses(const QStringList& lines) {
    QDir().mkpath(DataDir::directory());
    QVERIFY(writeBytes(DataDir::savedClausesFile(),
                       AnsiText::encode(lines.join(QStringLiteral("\r\n")) + "\r\n")));
}

std::unique_ptr<TForm1> legalizationWindow() {
    auto f = createWindows();
    for (int i = 0; i < child<QTabBar>(f, "TabControl1")->count(); ++i)
        if (child<QTabBar>(f, "TabControl1")->tabText(i) == u"LEGALIZACE")
            child<QTabBar>(f, "TabControl1")->setCurrentIndex(i);
    f->show();
    return f;
}

void type(TForm1& f, const QString& text) {
    for (QChar c : text)
        QTest::keyClick(child<QComboBox>(f, "ComboBox14")->lineEdit(), c.toLatin1() ? c.toLatin1() : 'x');
}

QColor edit4Colour(TForm1& f) {
    return child<QLineEdit>(f, "Edit4")->palette().color(QPalette::Base);
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class TestLegalization : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_box = std::make_unique<AppDataSandbox>(); }
    void cleanup() { m_box.reset(); }

    void searchWhileTyping();
    void firstStartKeepsTheHint();
    void pickingRestoresEveryMatchInOrder();
    void formerDrivingLicenceIsReported();
    void savedOnceWhilePrinting();
    void unstorableTextIsRefusedBeforePrinting();

    void documentCheckFollowsTheAnswer_data();
    void documentCheckFollowsTheAnswer();
    void typingWithPausesSendsOneRequest();
    void kindsWithoutCodeSendNothing();
    void networkDownOffersRetryAndInfo();
    void dangerMakesThePrintCommandAsk();

    void eidImportFillsTheFields();
    void eidImportMessages_data();
    void eidImportMessages();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestLegalization::searchWhileTyping() {
    writeClauses({"Jan Novák, 1.1.1980, Brno|0|0|1|Brno 1|0|111",
                  "Eva NOVÁKOVÁ, 2.2.1990, Praha|1|0|2|Praha 2|2|222", "Petr Dvořák|0|0|1|Ostrava|0|333",
                  "Jan Novák, 1.1.1980, Brno|0|1|1|Brno 3|0|444"});
    auto f = legalizationWindow();
    type(*f, QStringLiteral("no"));
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox14")), QStringList{});
    type(*f, QStringLiteral("v"));
    QCOMPARE(child<QComboBox>(f, "ComboBox14")->currentText(), QStringLiteral("nov"));
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox14")),
             (QStringList{"Jan Novák, 1.1.1980, Brno", "Eva NOVÁKOVÁ, 2.2.1990, Praha",
                          "Jan Novák, 1.1.1980, Brno"}));
    QVERIFY(child<QComboBox>(f, "ComboBox14")->completer()->popup()->isVisible());
    // Moving through the list changes nothing.
    QTest::keyClick(child<QComboBox>(f, "ComboBox14")->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox14")), QStringList{});
    f->ComboBox14KeyUp(Qt::Key_Down);
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox14")), QStringList{});
    type(*f, QStringLiteral("v"));
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox14")).size(), 3);
}

void TestLegalization::firstStartKeepsTheHint() {
    auto f = legalizationWindow();
    QCOMPARE(readBytes(DataDir::savedClausesFile()), QByteArray());
    type(*f, QStringLiteral("nov"));
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox14")),
             QStringList{"Zadejte alespoň tři písmena uložené doložky"});
    QCOMPARE(child<QComboBox>(f, "ComboBox14")->currentText(), QStringLiteral("nov"));
}

void TestLegalization::pickingRestoresEveryMatchInOrder() {
    writeClauses(
        {"Jan Novák|0|0|1|Brno 1|0|111", "Jan Novák|2|1|2|Brno 3|3|444", "jan novák|1|2|1|Jinde|2|999"});
    auto f = legalizationWindow();
    type(*f, QStringLiteral("nov"));
    child<QComboBox>(f, "ComboBox14")->setCurrentIndex(1);
    Q_EMIT child<QComboBox>(f, "ComboBox14")->activated(1);
    QCOMPARE(child<QComboBox>(f, "ComboBox14")->currentText(), QStringLiteral("Jan Novák"));
    QCOMPARE(child<QComboBox>(f, "ComboBox5")->currentIndex(), 2);
    QCOMPARE(child<QComboBox>(f, "ComboBox6")->currentIndex(), 1);
    QVERIFY(child<QRadioButton>(f, "RadioButton2")->isChecked());
    QCOMPARE(child<QLineEdit>(f, "Edit3")->text(), QStringLiteral("Brno 3"));
    QCOMPARE(child<QComboBox>(f, "ComboBox7")->currentIndex(), 3);
    QCOMPARE(child<QLineEdit>(f, "Edit4")->text(), QStringLiteral("444"));
    // Setting the number counts as a change of the document.
    QCOMPARE(f->documentCheckState, QStringLiteral("?"));
    QVERIFY(child<QTimer>(f, "Timer1")->isActive());
}

void TestLegalization::formerDrivingLicenceIsReported() {
    writeClauses({"Karel Starý|0|0|1|Tábor|1|AB123"});
    auto f = legalizationWindow();
    MessageBoxAnswerer answerer;
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Karel Starý"));
    f->ComboBox14Select();
    QCOMPARE(answerer.texts, QStringList{SavedClauses::kFormerDrivingLicenceMessage});
    QCOMPARE(child<QComboBox>(f, "ComboBox7")->currentIndex(), 1);
    // The print command refuses that kind until another is chosen.
    f->printer().setOutputFormat(QPrinter::PdfFormat);
    f->printer().setOutputFileName(m_box->root() + QStringLiteral("/x.pdf"));
    f->Button1Click();
    QCOMPARE(answerer.texts.last(), QStringLiteral("Vyberte prosím druh dokladu."));
}

void TestLegalization::savedOnceWhilePrinting() {
    auto f = legalizationWindow();
    f->printer().setOutputFormat(QPrinter::PdfFormat);
    f->printer().setOutputFileName(m_box->root() + QStringLiteral("/three.pdf"));
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Olena Шевченко, 3.4.1991, Kyjev"));
    child<QComboBox>(f, "ComboBox5")->setCurrentIndex(1);
    child<QRadioButton>(f, "RadioButton2")->setChecked(true);
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Dlouhá 5, Praha"));
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(6);
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("FP1234567"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(true);
    f->Button4Click();
    for (int n : {3, 4, 5})
        f->PanelClick(n);
    const int first = child<QSpinBox>(f, "SpinEdit4")->value();
    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts, QStringList{"Tato legalizační doložka byla uložena."});
    QVERIFY(!child<QCheckBox>(f, "CheckBox1")->isChecked());
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), first + 3);
    const QByteArray file = readBytes(DataDir::savedClausesFile());
    QVERIFY(file.startsWith("\xEF\xBB\xBF")); // the name needs more than Windows-1250
    QCOMPARE(AnsiText::decode(file),
             QStringLiteral("Olena Шевченко, 3.4.1991, Kyjev|1|0|2|Dlouhá 5, Praha|6|FP1234567\r\n"));
    QCOMPARE(f->savedClauses().names(), QStringList{"Olena Шевченко, 3.4.1991, Kyjev"});
}

void TestLegalization::unstorableTextIsRefusedBeforePrinting() {
    auto f = legalizationWindow();
    const QString pdf = m_box->root() + QStringLiteral("/none.pdf");
    f->printer().setOutputFormat(QPrinter::PdfFormat);
    f->printer().setOutputFileName(pdf);
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Jan | Novák"));
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Brno"));
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(true);
    MessageBoxAnswerer answerer;
    f->Button1Click();
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].contains(QStringLiteral("„|“")), qPrintable(answerer.texts[0]));
    QCOMPARE(f->focusWidget(), child<QComboBox>(f, "ComboBox14"));
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(child<QCheckBox>(f, "CheckBox1")->isChecked());
    QCOMPARE(readBytes(DataDir::savedClausesFile()), QByteArray());
}

void TestLegalization::documentCheckFollowsTheAnswer_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("hint");
    QTest::newRow("database error")
        << 200 << QByteArray("0") << QColor(255, 243, 205) << "error"
        << "Server MVČR ohlásil chybu ověření - více informací po kliknutí na tlačítko Info";
    QTest::newRow("found") << 200 << QByteArray("1") << QColor(248, 215, 218) << "danger"
                           << "Pozor - doklad byl nalezen v databázi neplatných dokladů MVČR";
    QTest::newRow("not found") << 200 << QByteArray("2") << QColor(212, 237, 218) << "ok"
                               << "Doklad nebyl nalezen v databázi neplatných dokladů MVČR";
    QTest::newRow("digit and line end") << 200 << QByteArray("2\r\n") << windowColour() << "?"
                                        << "Zadejte číslo dokladu";
    QTest::newRow("error page") << 500 << QByteArray("1") << windowColour() << "?"
                                << "Zadejte číslo dokladu";
}

void TestLegalization::documentCheckFollowsTheAnswer() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QColor, colour);
    QFETCH(QString, state);
    QFETCH(QString, hint);
    StandInService service;
    service.respond = [=](const QByteArray&) { return StandInService::Answer{status, body, 0, false}; };
    writeSettings({"[Web]", "Server=" + service.base()});
    auto f = legalizationWindow();
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123456"));
    child<QLineEdit>(f, "Edit1")->setText(QStringLiteral("AB"));
    QCOMPARE(f->documentCheckState, QStringLiteral("?"));
    QVERIFY(!child<QPushButton>(f, "Button8")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(f, "Button8")->isEnabled(), 5000);
    QCOMPARE(service.targets, QList<QByteArray>{"/overeni-dokladu/simple/?number=123456AB&type=0"});
    QCOMPARE(edit4Colour(*f), colour);
    QCOMPARE(f->documentCheckState, state);
    QCOMPARE(child<QLineEdit>(f, "Edit4")->toolTip(), hint);
    QCOMPARE(child<QPushButton>(f, "Button8")->text(), QStringLiteral("info"));
    // Any change puts the field back until the next answer.
    child<QLineEdit>(f, "Edit1")->setText(QStringLiteral("ABC"));
    QCOMPARE(edit4Colour(*f), windowColour());
    QCOMPARE(f->documentCheckState, QStringLiteral("?"));
    QVERIFY(!child<QPushButton>(f, "Button8")->isEnabled());
}

void TestLegalization::typingWithPausesSendsOneRequest() {
    StandInService service;
    writeSettings({"[Web]", "Server=" + service.base()});
    auto f = legalizationWindow();
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(2);
    for (QChar c : QStringLiteral("A1&#x")) {
        QTest::keyClick(child<QLineEdit>(f, "Edit4"), c.toLatin1());
        QTest::qWait(300);
    }
    QVERIFY(service.targets.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(service.targets.size(), 1, 3000);
    QCOMPARE(service.targets[0], QByteArray("/overeni-dokladu/simple/?number=A1%26%23x&type=4"));
    QTRY_COMPARE(f->documentCheckState, QStringLiteral("ok"));
    QTest::qWait(1200);
    QCOMPARE(service.targets.size(), 1);
    // Clearing the number disables "info" and sends nothing.
    child<QLineEdit>(f, "Edit4")->clear();
    QTest::qWait(1200);
    QCOMPARE(service.targets.size(), 1);
    QVERIFY(!child<QPushButton>(f, "Button8")->isEnabled());
    QCOMPARE(f->documentCheckState, QStringLiteral("?"));
}

void TestLegalization::kindsWithoutCodeSendNothing() {
    StandInService service;
    writeSettings({"[Web]", "Server=" + service.base()});
    auto f = legalizationWindow();
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(4);
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123456"));
    QTest::qWait(1300);
    QVERIFY(service.targets.isEmpty());
    QVERIFY(!child<QPushButton>(f, "Button8")->isEnabled());
    QCOMPARE(f->documentCheckState, QStringLiteral("?"));
    // The empty kind is not accepted: the first kind takes its place and is checked.
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(1);
    QCOMPARE(child<QComboBox>(f, "ComboBox7")->currentIndex(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(service.targets.size(), 1, 3000);
    QVERIFY(service.targets[0].endsWith("&type=0"));
}

void TestLegalization::networkDownOffersRetryAndInfo() {
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
    }
    writeSettings({"[Web]", QStringLiteral("Server=http://127.0.0.1:%1").arg(port)});
    auto f = legalizationWindow();
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("99"));
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(f, "Button8")->isEnabled(), 5000);
    QCOMPARE(child<QPushButton>(f, "Button8")->text(), QStringLiteral("Ověřit"));
    QCOMPARE(f->documentCheckState, QStringLiteral("?"));
    QCOMPARE(edit4Colour(*f), windowColour());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QTest::mouseClick(child<QPushButton>(f, "Button8"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(catcher.urls,
             QList<QUrl>{
                 QUrl(QStringLiteral("http://127.0.0.1:%1/overeni-dokladu/vysledek-overeni/?number=99&type=0")
                          .arg(port))});
}

void TestLegalization::dangerMakesThePrintCommandAsk() {
    StandInService service;
    service.respond = [](const QByteArray&) { return StandInService::Answer{200, "1", 0, false}; };
    writeSettings({"[Web]", "Server=" + service.base()});
    auto f = legalizationWindow();
    const QString pdf = m_box->root() + QStringLiteral("/asked.pdf");
    f->printer().setOutputFormat(QPrinter::PdfFormat);
    f->printer().setOutputFileName(pdf);
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Jan Novák"));
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Brno"));
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123"));
    QTRY_COMPARE_WITH_TIMEOUT(f->documentCheckState, QStringLiteral("danger"), 5000);
    MessageBoxAnswerer answerer(QStringLiteral("Zrušit"));
    f->Button1Click();
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY(answerer.texts[0].startsWith(QStringLiteral("Tento doklad byl nalezen")));
    QVERIFY(!QFile::exists(pdf));
    // After a change of the series the command no longer asks.
    child<QLineEdit>(f, "Edit1")->setText(QStringLiteral("X"));
    answerer.setButton(QStringLiteral("OK"));
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY(QFile::exists(pdf));
}

void TestLegalization::eidImportFillsTheFields() {
    StandInService service;
    writeSettings({"[Web]", "Server=" + service.base()});
    auto f = legalizationWindow();
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(3);
    child<QComboBox>(f, "ComboBox6")->setCurrentIndex(2);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(readBytes(testDataPath("eid/complete.json"))));
    MessageBoxAnswerer answerer;
    QTest::mouseClick(child<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(answerer.texts, QStringList{});
    QCOMPARE(child<QComboBox>(f, "ComboBox14")->currentText(),
             QStringLiteral("Tomáš Dvořák, 07.03.1985, Brno"));
    QCOMPARE(child<QLineEdit>(f, "Edit3")->text(), QStringLiteral("Husova 1234/5, Brno-střed, 602 00 Brno"));
    QCOMPARE(child<QComboBox>(f, "ComboBox6")->currentIndex(), 0);
    QCOMPARE(child<QComboBox>(f, "ComboBox7")->currentIndex(), 0);
    QCOMPARE(child<QLineEdit>(f, "Edit4")->text(), QStringLiteral("205123456"));
    QVERIFY(child<QRadioButton>(f, "RadioButton1")->isChecked());
    QCOMPARE(edit4Colour(*f), windowColour());
    QTRY_COMPARE_WITH_TIMEOUT(f->documentCheckState, QStringLiteral("ok"), 5000);
    QCOMPARE(service.targets, QList<QByteArray>{"/overeni-dokladu/simple/?number=205123456&type=0"});
}

void TestLegalization::eidImportMessages_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("hasText");
    QTest::addColumn<QString>("message");
    const QString noData =
        QStringLiteral("Ve schránce nesjou žádná data. Ve čtečce je potřeba kliknout na \"Exportovat "
                       "údaje\" a dále na \"Kopírovat do schránky\". Více informací najdete na webu "
                       "https://pomoc.example.cz/edoklady");
    const QString wrong = QStringLiteral("Ve schránce nesjou správná data. Více informací najdete na webu "
                                         "https://pomoc.example.cz/edoklady");
    QTest::newRow("empty clipboard") << QString() << false << noData;
    QTest::newRow("top-level array") << QString::fromUtf8(readBytes(testDataPath("eid/top-array.json")))
                                     << true << wrong;
    QTest::newRow("not JSON") << QStringLiteral("Jan Novák") << true << wrong;
}

void TestLegalization::eidImportMessages() {
    QFETCH(QString, clipboard);
    QFETCH(bool, hasText);
    QFETCH(QString, message);
    writeSettings({"[Web]", "Server=pomoc.example.cz"});
    auto f = legalizationWindow();
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("beze změny"));
    if (hasText)
        QGuiApplication::clipboard()->setText(clipboard);
    else
        QGuiApplication::clipboard()->clear();
    MessageBoxAnswerer answerer;
    f->BitBtn1Click();
    QCOMPARE(answerer.texts, QStringList{message});
    QCOMPARE(child<QComboBox>(f, "ComboBox14")->currentText(), QStringLiteral("beze změny"));
    QCOMPARE(f->documentCheckState, QString());
}

QTEST_MAIN(TestLegalization)
#include "tst_legalization.moc"
