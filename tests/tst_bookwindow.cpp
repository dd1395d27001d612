#include "PrintCapture.h"
#include "TestSupport.h"
#include "UiSupport.h"

#include "book/BookFees.h"
#include "book/book.h"
#include "settings/SettingsStore.h"
#include "ui/PositionPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QToolButton>
#include <functional>

namespace {

// The settings file as the first start leaves it. Every test starts from a
// copy, so that the windows come up without writing forty first-start values.
QByteArray& firstStartSettings() {
    static QByteArray bytes;
    return bytes;
}

void seedSettings() {
    QDir().mkpath(DataDir::directory());
    QVERIFY(writeBytes(DataDir::settingsFile(), firstStartSettings()));
}

// The first-start settings with these values on top ("[Section]" then "key=value" lines).
void overlaySettings(const QStringList& lines) {
    SettingsStore s(DataDir::settingsFile());
    QString section;
    for (const QString& line : lines) {
        if (line.startsWith(u'['))
            section = line.mid(1, line.size() - 2);
        else
            s.WriteString(section, line.section(u'=', 0, 0), line.section(u'=', 1));
    }
}

void setSetting(TForm1& f, const char* section, const char* key, const QString& value) {
    f.settings().WriteString(QString::fromLatin1(section), QString::fromLatin1(key), value);
}

void selectTab(TForm1& f, const QString& caption) {
    for (int i = 0; i < child<QTabBar>(f, "TabControl1")->count(); ++i)
        if (child<QTabBar>(f, "TabControl1")->tabText(i) == caption)
            child<QTabBar>(f, "TabControl1")->setCurrentIndex(i);
}

QList<int> marked(const TForm5& w) {
    QList<int> out;
    for (int n = 1; n <= 6; ++n)
        if (w.isMarked(n))
            out << n;
    return out;
}

// Shows the window anew, as the main window does, so that it fills itself.
void reshow(TForm5& w) {
    w.hide();
    w.show();
}

// A legalization the main window would have accepted.
void fillLegalization(TForm1& f) {
    selectTab(f, QStringLiteral("LEGALIZACE"));
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Jan Novák, 07.03.1985, Brno"));
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Masarykova 1234/56, 602 00 Brno"));
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(0);
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123456789"));
}

// Runs `act` once, as soon as the book-label window is up (inside its modal loop).
class WhenBookWindowShown : public QObject {
public:
    WhenBookWindowShown(TForm1& f, std::function<void(TForm5&)> act) : m_form(f), m_act(std::move(act)) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_form.Form5->isVisible() && m_act) {
                m_timer.stop();
                std::exchange(m_act, nullptr)(*m_form.Form5);
            }
        });
        m_timer.start();
    }

private:
    TForm1& m_form;
    std::function<void(TForm5&)> m_act;
    QTimer m_timer;
};

QList<PdfWord> wordsOf(const QString& pdf, const QString& text) {
    QList<PdfWord> out;
    for (const PdfWord& w : pdfWords(pdf))
        if (w.text == text)
            out << w;
    return out;
}

} // namespace

class TestBookWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        AppDataSandbox box;
        createWindows();
        firstStartSettings() = readBytes(DataDir::settingsFile());
        QVERIFY(!firstStartSettings().isEmpty());
    }
    void init() {
        m_box = std::make_unique<AppDataSandbox>();
        seedSettings();
    }
    void cleanup() { m_box.reset(); }

    void controls();
    void prefilledRanges_data();
    void prefilledRanges();
    void prefilledLegalization_data();
    void prefilledLegalization();
    void prefilledCopyVerification();
    void followsTheMainTab_data();
    void followsTheMainTab();
    void nextPositionIsOffered_data();
    void nextPositionIsOffered();
    void oneMarkAtMost();
    void couplings_data();
    void couplings();
    void unreadableFeeIsReportedOnce();
    void checksRefuseWithFocus_data();
    void checksRefuseWithFocus();
    void opensFromTheMenu();
    void opensAfterTheClausePrint();
    void printsThroughTheCaptureQueue();
    void labelsStandOnTheirPositions();
    void failedPrintKeepsTheWindowOpen_data();
    void failedPrintKeepsTheWindowOpen();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestBookWindow::controls() {
    auto f = createWindows();
    TForm5& w = *f->Form5;
    w.ensureControls();
    QCOMPARE(w.windowTitle(), QStringLiteral("Lorvena - tisk štítku do ověřovací knihy"));
    QCOMPARE(w.size(), QSize(358, 641));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(child<QTabBar>(w, "TabControl1")->count(), 2);
    QCOMPARE(child<QTabBar>(w, "TabControl1")->tabText(0), QStringLiteral("VIDIMACE"));
    QCOMPARE(child<QTabBar>(w, "TabControl1")->tabText(1), QStringLiteral("LEGALIZACE"));
    QCOMPARE(child<QGroupBox>(w, "GroupBox1")->title(),
             QStringLiteral("Nastavení štítku vidmace do ověřovací knihy"));
    QCOMPARE(child<QGroupBox>(w, "GroupBox2")->title(),
             QStringLiteral("Nastavení štítku legalizace do ověřovací knihy"));
    QCOMPARE(child<QGroupBox>(w, "GroupBox1")->geometry(), QRect(6, 24, 344, 400));
    QCOMPARE(child<QGroupBox>(w, "GroupBox2")->geometry(), QRect(6, 24, 344, 400));
    for (int n = 1; n <= 6; ++n) {
        PositionPanel* p = child<PositionPanel>(&w, QStringLiteral("Panel%1").arg(n).toLatin1());
        QVERIFY(p);
        QCOMPARE(p->geometry(), QRect(8, 429 + (n - 1) * 33, 239, 31));
        auto* caption = p->findChild<QLabel*>();
        QCOMPARE(caption->text(), QString::number(n));
        QCOMPARE(caption->font().pixelSize(), 13);
        QVERIFY(caption->font().bold());
    }
    QCOMPARE(shownCaption(child<QPushButton>(w, "Button1")), QStringLiteral("TISK"));
    QCOMPARE(child<QPushButton>(w, "Button1")->geometry(), QRect(253, 521, 97, 49));
    QCOMPARE(shownCaption(child<QPushButton>(w, "Button2")), QStringLiteral("Zavřít"));
    QCOMPARE(child<QPushButton>(w, "Button2")->geometry(), QRect(253, 576, 97, 49));
    QCOMPARE(child<QPushButton>(w, "Button2")->toolTip(),
             QStringLiteral("Zavře okno pro tisk štítku do ověřovací knihy (Alt+Z)"));

    // Every control of both tabs, by its component name, inside its group box.
    const char* copyControls[] = {
        "Label1",    "Label2",    "Label3",          "Label4",    "Label6",    "SpinEdit1", "SpinEdit2",
        "SpinEdit3", "Label5",    "DateTimePicker1", "Label7",    "Label22",   "ComboBox4", "Label23",
        "SpinEdit7", "CheckBox1", "Label25",         "ComboBox5", "ComboBox6", "Label26",   "SpinEdit8",
        "Edit1",     "Edit6",     "Label8",          "Edit2",     "Label20",   "ComboBox3"};
    for (const char* name : copyControls) {
        QWidget* c = child<QWidget>(&w, name);
        QVERIFY2(c && c->parent() == child<QGroupBox>(w, "GroupBox1"), name);
        QVERIFY2(QRect(QPoint(0, 0), child<QGroupBox>(w, "GroupBox1")->size()).contains(c->geometry()), name);
    }
    const char* legalControls[] = {
        "Label9",       "Label10",      "Label11",         "Label13", "Label14", "SpinEdit4", "SpinEdit5",
        "SpinEdit6",    "Label12",      "DateTimePicker2", "Label15", "Edit3",   "Label16",   "RadioButton1",
        "RadioButton2", "RadioButton3", "Edit4",           "Label21", "Edit9",   "Edit10",    "Edit8",
        "Label17",      "ComboBox1",    "Label18",         "Edit5",   "Label19", "ComboBox2"};
    for (const char* name : legalControls) {
        QWidget* c = child<QWidget>(&w, name);
        QVERIFY2(c && c->parent() == child<QGroupBox>(w, "GroupBox2"), name);
        QVERIFY2(QRect(QPoint(0, 0), child<QGroupBox>(w, "GroupBox2")->size()).contains(c->geometry()), name);
    }

    QCOMPARE(comboItems(child<QComboBox>(w, "ComboBox3")), copyVerificationExemptions());
    QCOMPARE(comboItems(child<QComboBox>(w, "ComboBox2")), legalizationExemptions());
    QVERIFY(child<QComboBox>(w, "ComboBox3")->isEditable() && child<QComboBox>(w, "ComboBox2")->isEditable());
    QCOMPARE(comboItems(child<QComboBox>(w, "ComboBox4")),
             (QStringList{"Prvopis", "Ověřená vidimovaná listina",
                          "Listina, která je výstupem z autorizované konverze",
                          "Opis nebo kopie pořízená ze spisu",
                          "Stejnopis písemného vyhotovení rozhodnutí nebo výroku rozhodnutí"}));
    QCOMPARE(comboItems(child<QComboBox>(w, "ComboBox5")), (QStringList{"úplný/á", "částečný/á"}));
    QCOMPARE(comboItems(child<QComboBox>(w, "ComboBox6")), (QStringList{"opis", "kopie"}));
    QCOMPARE(comboItems(child<QComboBox>(w, "ComboBox1")),
             (QStringList{"Listina byla u úřadu vlastnoručně podepsána",
                          "Podpis na dokumentu byl uznán za vlastní"}));
    for (QSpinBox* s :
         {child<QSpinBox>(w, "SpinEdit1"), child<QSpinBox>(w, "SpinEdit2"), child<QSpinBox>(w, "SpinEdit4"),
          child<QSpinBox>(w, "SpinEdit5"), child<QSpinBox>(w, "SpinEdit7"), child<QSpinBox>(w, "SpinEdit8")})
        QCOMPARE(std::pair(s->minimum(), s->maximum()), std::pair(1, 99999));
    for (QSpinBox* s : {child<QSpinBox>(w, "SpinEdit3"), child<QSpinBox>(w, "SpinEdit6")})
        QCOMPARE(std::pair(s->minimum(), s->maximum()), std::pair(1, 12));
    QCOMPARE(child<QSpinBox>(w, "SpinEdit1")->toolTip(), QStringLiteral("První pořadové číslo vidimace"));
    QCOMPARE(child<QSpinBox>(w, "SpinEdit6")->toolTip(), QStringLiteral("Počet legalizací jednoho žadatele"));
    QVERIFY(child<QRadioButton>(w, "RadioButton1")->isChecked());
    QCOMPARE(child<QLabel>(&w, "Label21")->text(),
             QStringLiteral("5. Druh dokladu                          ozn. státu        číslo dokladu"));
    // The three fields of item 5 stand side by side under their heading.
    QVERIFY(child<QLineEdit>(w, "Edit9")->geometry().right() < child<QLineEdit>(w, "Edit10")->x() &&
            child<QLineEdit>(w, "Edit10")->geometry().right() < child<QLineEdit>(w, "Edit8")->x());
}

void TestBookWindow::prefilledRanges_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QList<int>>("marks");
    QTest::addColumn<int>("firstPrinted");
    QTest::addColumn<int>("copyNumber");
    QTest::addColumn<int>("legalNumber");
    QTest::addColumn<bool>("afterTwelve"); // shown once before with a batch of twelve
    QTest::addColumn<QList<int>>("copyRange");
    QTest::addColumn<QList<int>>("legalRange");
    QTest::newRow("from the menu, three marks") << "VIDIMACE" << QList<int>{1, 2, 3} << 0 << 15 << 7 << false
                                                << QList<int>{15, 17, 3} << QList<int>{7, 9, 3};
    QTest::newRow("after four legalizations from 20")
        << "LEGALIZACE" << QList<int>{3, 4, 5, 6} << 20 << 24 << 24 << false << QList<int>{20, 23, 4}
        << QList<int>{20, 23, 4};
    QTest::newRow("no mark counts as one") << "VIDIMACE" << QList<int>{} << 0 << 15 << 7 << false
                                           << QList<int>{15, 15, 1} << QList<int>{7, 7, 1};
    QTest::newRow("a whole sheet") << "VIDIMACE" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << 0
                                   << 100 << 1 << false << QList<int>{100, 111, 12} << QList<int>{1, 12, 12};
    QTest::newRow("numbers beyond the boxes are held at 99999")
        << "VIDIMACE" << QList<int>{1, 2} << 0 << 100000 << 100000 << false << QList<int>{99999, 99999, 1}
        << QList<int>{99999, 99999, 1};
    QTest::newRow("one after a batch of twelve")
        << "VIDIMACE" << QList<int>{7} << 0 << 5 << 5 << true << QList<int>{5, 5, 1} << QList<int>{5, 5, 1};
    QTest::newRow("three after a batch of twelve, numbers lower")
        << "LEGALIZACE" << QList<int>{1, 2, 3} << 40 << 1 << 1 << true << QList<int>{40, 42, 3}
        << QList<int>{40, 42, 3};
}

void TestBookWindow::prefilledRanges() {
    QFETCH(QString, tab);
    QFETCH(QList<int>, marks);
    QFETCH(int, firstPrinted);
    QFETCH(int, copyNumber);
    QFETCH(int, legalNumber);
    QFETCH(bool, afterTwelve);
    QFETCH(QList<int>, copyRange);
    QFETCH(QList<int>, legalRange);
    auto f = createWindows();
    TForm5& w = *f->Form5;
    if (afterTwelve) {
        f->Button2Click();
        child<QSpinBox>(f, "SpinEdit2")->setValue(100);
        child<QSpinBox>(f, "SpinEdit4")->setValue(100);
        w.show();
        QCOMPARE(child<QSpinBox>(w, "SpinEdit3")->value(), 12);
        QCOMPARE(child<QSpinBox>(w, "SpinEdit5")->value(), 111);
    }
    selectTab(*f, tab);
    mark(*f, marks);
    f->firstPrintedNumber = firstPrinted;
    child<QSpinBox>(f, "SpinEdit2")->setValue(copyNumber);
    child<QSpinBox>(f, "SpinEdit4")->setValue(legalNumber);
    reshow(w);
    QCOMPARE((QList<int>{child<QSpinBox>(w, "SpinEdit1")->value(), child<QSpinBox>(w, "SpinEdit2")->value(),
                         child<QSpinBox>(w, "SpinEdit3")->value()}),
             copyRange);
    QCOMPARE((QList<int>{child<QSpinBox>(w, "SpinEdit4")->value(), child<QSpinBox>(w, "SpinEdit5")->value(),
                         child<QSpinBox>(w, "SpinEdit6")->value()}),
             legalRange);
    // The fees follow the counts: [Poplatky] vidimace 30 per page, legalizace 50.
    QCOMPARE(child<QComboBox>(w, "ComboBox3")->currentText(), QStringLiteral("%1 Kč").arg(30 * copyRange[2]));
    QCOMPARE(child<QComboBox>(w, "ComboBox2")->currentText(),
             QStringLiteral("%1 Kč").arg(50 * legalRange[2]));
    // The window never changes the main window.
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), qMin(copyNumber, 100000));
    QCOMPARE(f->markedCount(), int(marks.size()));
}

void TestBookWindow::prefilledLegalization_data() {
    QTest::addColumn<int>("documentKind");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("signature");
    QTest::addColumn<QString>("kind");     // Edit9
    QTest::addColumn<bool>("stateWanted"); // Edit10 enabled
    QTest::addColumn<QString>("numberText");
    QTest::addColumn<int>("radio"); // 1 to 3
    QTest::addColumn<int>("signatureItem");
    QTest::newRow("Czech ID card") << 0 << "123"
                                   << "" << 0 << "OP" << false << "č.123" << 1 << 0;
    QTest::newRow("EU ID card") << 5 << "X99"
                                << "" << 1 << "OP" << true << "č.X99" << 1 << 1;
    QTest::newRow("passport with series") << 2 << "12345678"
                                          << "A" << 2 << "CD" << false << "č.12345678 (série A)" << 3 << 1;
    QTest::newRow("foreign passport, declared address") << 6 << "P1"
                                                        << "" << 0 << "CD" << true << "č.P1" << 2 << 0;
    QTest::newRow("former driving licence") << 1 << "7"
                                            << "" << 0 << "ŘP" << false << "č.7" << 3 << 0;
    QTest::newRow("residence permit")
        << 4 << "8"
        << "" << 0 << "Průkaz o povolení pobytu cizince" << false << "č.8" << 1 << 0;
    QTest::newRow("MZV card keeps the clerk's address choice")
        << 7 << "9"
        << "" << 0 << "Identifikační průkaz vydaný MZV ČR" << false << "č.9" << 2 << 0;
}

void TestBookWindow::prefilledLegalization() {
    QFETCH(int, documentKind);
    QFETCH(QString, number);
    QFETCH(QString, series);
    QFETCH(int, signature);
    QFETCH(QString, kind);
    QFETCH(bool, stateWanted);
    QFETCH(QString, numberText);
    QFETCH(int, radio);
    QFETCH(int, signatureItem);
    auto f = createWindows();
    TForm5& w = *f->Form5;
    w.show();
    // What the clerk left in the window last time.
    child<QRadioButton>(w, "RadioButton2")->setChecked(true);
    child<QLineEdit>(w, "Edit10")->setText(QStringLiteral("SK"));
    child<QLineEdit>(w, "Edit5")->setText(QStringLiteral("Plná moc ze dne 1.2.2020"));

    fillLegalization(*f);
    {
        // Quietly, as restoring a saved clause does: only that way the main
        // window holds the former driving licence.
        const QSignalBlocker quiet(child<QComboBox>(f, "ComboBox7"));
        child<QComboBox>(f, "ComboBox7")->setCurrentIndex(documentKind);
    }
    child<QLineEdit>(f, "Edit4")->setText(number);
    child<QLineEdit>(f, "Edit1")->setText(series);
    child<QComboBox>(f, "ComboBox5")->setCurrentIndex(signature);
    child<QDateEdit>(f, "DateTimePicker2")->setDate(QDate(2020, 1, 22));
    reshow(w);
    QCOMPARE(child<QLineEdit>(w, "Edit3")->text(), QStringLiteral("Jan Novák, 07.03.1985, Brno"));
    QCOMPARE(child<QLineEdit>(w, "Edit4")->text(), QStringLiteral("Masarykova 1234/56, 602 00 Brno"));
    QCOMPARE(child<QLineEdit>(w, "Edit9")->text(), kind);
    QCOMPARE(child<QLineEdit>(w, "Edit10")->text(), QString());
    QCOMPARE(child<QLineEdit>(w, "Edit10")->isEnabled(), stateWanted);
    QCOMPARE(child<QLineEdit>(w, "Edit8")->text(), numberText);
    const QList<QRadioButton*> radios = {child<QRadioButton>(w, "RadioButton1"),
                                         child<QRadioButton>(w, "RadioButton2"),
                                         child<QRadioButton>(w, "RadioButton3")};
    QVERIFY(radios[radio - 1]->isChecked());
    QCOMPARE(child<QComboBox>(w, "ComboBox1")->currentIndex(), signatureItem);
    QCOMPARE(child<QDateEdit>(w, "DateTimePicker2")->date(), QDate(2020, 1, 22));
    QCOMPARE(child<QLineEdit>(w, "Edit5")->text(), QStringLiteral("Plná moc ze dne 1.2.2020"));
}

void TestBookWindow::prefilledCopyVerification() {
    auto f = createWindows();
    TForm5& w = *f->Form5;
    w.show();
    child<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Výpis z katastru"));
    child<QLineEdit>(w, "Edit1")->setText(QStringLiteral("typed by hand"));
    child<QComboBox>(w, "ComboBox3")->setCurrentIndex(3);

    mark(*f, {1, 2});
    child<QComboBox>(f, "ComboBox3")->setCurrentIndex(2);
    child<QSpinBox>(f, "SpinEdit3")->setValue(5);
    child<QComboBox>(f, "ComboBox1")->setCurrentIndex(1);
    child<QComboBox>(f, "ComboBox2")->setCurrentIndex(1);
    child<QSpinBox>(f, "SpinEdit1")->setValue(4);
    child<QComboBox>(f, "ComboBox9")->setCurrentIndex(1);
    child<QDateEdit>(f, "DateTimePicker1")->setDate(QDate(2019, 8, 14));
    reshow(w);
    QCOMPARE(child<QComboBox>(w, "ComboBox4")->currentIndex(), 2);
    QCOMPARE(child<QSpinBox>(w, "SpinEdit7")->value(), 5);
    QCOMPARE(child<QSpinBox>(w, "SpinEdit8")->value(), 4);
    QVERIFY(child<QCheckBox>(w, "CheckBox1")->isChecked());
    QCOMPARE(child<QLineEdit>(w, "Edit1")->text(),
             QStringLiteral("Listina, která je výstupem z autorizované konverze (5 str.), "));
    QCOMPARE(child<QLineEdit>(w, "Edit6")->text(),
             QStringLiteral("obsahuje zajišťovací prvek, částečná kopie (4 str.)"));
    QCOMPARE(child<QComboBox>(w, "ComboBox3")->currentText(), QStringLiteral("240 Kč")); // 30 x 2 x 4
    QCOMPARE(child<QComboBox>(w, "ComboBox2")->currentText(), QStringLiteral("100 Kč")); // 50 x 2
    QCOMPARE(child<QDateEdit>(w, "DateTimePicker1")->date(), QDate(2019, 8, 14));
    QCOMPARE(child<QLineEdit>(w, "Edit2")->text(), QStringLiteral("Výpis z katastru"));

    // The clerk's own changes recompose item 8 at once.
    child<QComboBox>(w, "ComboBox6")->setCurrentIndex(0);
    QCOMPARE(child<QLineEdit>(w, "Edit6")->text(),
             QStringLiteral("obsahuje zajišťovací prvek, částečný opis (4 str.)"));
    child<QCheckBox>(w, "CheckBox1")->setChecked(false);
    QCOMPARE(child<QLineEdit>(w, "Edit6")->text(),
             QStringLiteral("neobsahuje zajišťovací prvek, částečný opis (4 str.)"));
    child<QSpinBox>(w, "SpinEdit7")->setValue(9);
    QCOMPARE(child<QLineEdit>(w, "Edit1")->text(),
             QStringLiteral("Listina, která je výstupem z autorizované konverze (9 str.), "));
    QCOMPARE(child<QComboBox>(w, "ComboBox3")->currentText(),
             QStringLiteral("240 Kč")); // input pages do not cost
}

void TestBookWindow::followsTheMainTab_data() {
    QTest::addColumn<QString>("mainTab");
    QTest::addColumn<int>("before"); // the window's tab when it was last closed
    QTest::addColumn<int>("after");
    QTest::addColumn<QString>("focus");
    QTest::newRow("copy verification") << "VIDIMACE" << 1 << 0 << "Edit2";
    QTest::newRow("legalization") << "LEGALIZACE" << 0 << 1 << "Edit5";
    QTest::newRow("another kind keeps the tab") << "ZÁMĚR" << 1 << 1 << "";
}

void TestBookWindow::followsTheMainTab() {
    QFETCH(QString, mainTab);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(QString, focus);
    auto f = createWindows();
    TForm5& w = *f->Form5;
    w.ensureControls();
    child<QTabBar>(w, "TabControl1")->setCurrentIndex(before);
    QCOMPARE(child<QGroupBox>(w, "GroupBox2")->isHidden(), before == 0);
    child<QGroupBox>(w, "GroupBox1")->move(50, 50);
    selectTab(*f, mainTab);
    w.show();
    QCOMPARE(child<QTabBar>(w, "TabControl1")->currentIndex(), after);
    QCOMPARE(child<QGroupBox>(w, "GroupBox1")->isHidden(), after == 1);
    QCOMPARE(child<QGroupBox>(w, "GroupBox2")->isHidden(), after == 0);
    QCOMPARE(child<QGroupBox>(w, "GroupBox1")->pos(), QPoint(6, 24));
    if (!focus.isEmpty())
        QCOMPARE(w.focusWidget() ? w.focusWidget()->objectName() : QString(), focus);
    // The clerk may switch the tab.
    child<QTabBar>(w, "TabControl1")->setCurrentIndex(1 - after);
    QCOMPARE(child<QGroupBox>(w, "GroupBox1")->isHidden(), after == 0);
    QCOMPARE(child<QGroupBox>(w, "GroupBox2")->isHidden(), after == 1);
}

void TestBookWindow::nextPositionIsOffered_data() {
    QTest::addColumn<QStringList>("app");
    QTest::addColumn<QList<int>>("marked");
    QTest::newRow("after the last label, the first")
        << QStringList{"prepare next=1", "last printed kniha=6"} << QList<int>{1};
    QTest::newRow("after 3, 4") << QStringList{"prepare next=1", "last printed kniha=3"} << QList<int>{4};
    QTest::newRow("not prepared") << QStringList{"prepare next=0", "last printed kniha=3"} << QList<int>{};
    QTest::newRow("nothing printed yet")
        << QStringList{"prepare next=1", "last printed kniha="} << QList<int>{};
}

void TestBookWindow::nextPositionIsOffered() {
    QFETCH(QStringList, app);
    QFETCH(QList<int>, marked);
    auto f = createWindows();
    TForm5& w = *f->Form5;
    for (const QString& entry : app)
        f->settings().WriteString(QStringLiteral("App"), entry.section(u'=', 0, 0), entry.section(u'=', 1));
    w.PanelClick(5); // left from the last showing; every showing starts afresh
    w.show();
    QCOMPARE(::marked(w), marked);
}

void TestBookWindow::oneMarkAtMost() {
    auto f = createWindows();
    TForm5& w = *f->Form5;
    w.show();
    QTest::mouseClick(panel(w, 3), Qt::LeftButton);
    QCOMPARE(marked(w), QList<int>{3});
    QTest::mouseClick(panel(w, 6), Qt::LeftButton);
    QCOMPARE(marked(w), QList<int>{6});
    QTest::mouseClick(panel(w, 6), Qt::LeftButton);
    QCOMPARE(marked(w), QList<int>{6});
    QCOMPARE(w.markedPosition(), 6);
}

// Operations on one tab, starting from first 15 and count 3 (15 to 17) and
// one output page. "first=", "last=", "count=", "pages=" assign a value as
// code does; "type-first=", "type-last=" type it as the clerk does and press
// Enter; "exempt" picks an exemption for item 10.
void TestBookWindow::couplings_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QList<int>>("range");
    QTest::addColumn<QString>("fee"); // "exempt" for the picked exemption
    QTest::newRow("last below first snaps to first")
        << "copy" << QStringList{"last=10"} << QList<int>{15, 15, 1} << "30 Kč";
    QTest::newRow("last beyond first + 11 stops there with count 12")
        << "copy" << QStringList{"last=35"} << QList<int>{15, 26, 12} << "360 Kč";
    QTest::newRow("last within the range sets the count")
        << "copy" << QStringList{"last=20"} << QList<int>{15, 20, 6} << "180 Kč";
    QTest::newRow("first moves last and keeps the count")
        << "copy" << QStringList{"first=30"} << QList<int>{30, 32, 3} << "90 Kč";
    QTest::newRow("count moves last")
        << "copy" << QStringList{"count=5"} << QList<int>{15, 19, 5} << "150 Kč";
    QTest::newRow("count above 12 is held at 12")
        << "copy" << QStringList{"count=20"} << QList<int>{15, 26, 12} << "360 Kč";
    QTest::newRow("first near the top shortens the batch")
        << "copy" << QStringList{"first=99998"} << QList<int>{99998, 99999, 2} << "60 Kč";
    QTest::newRow("typed by the clerk, last below first")
        << "copy" << QStringList{"type-last=9"} << QList<int>{15, 15, 1} << "30 Kč";
    QTest::newRow("typed by the clerk, a number of two digits")
        << "copy" << QStringList{"type-last=20"} << QList<int>{15, 20, 6} << "180 Kč";
    QTest::newRow("typed by the clerk, first of three digits")
        << "copy" << QStringList{"type-first=120"} << QList<int>{120, 122, 3} << "90 Kč";
    QTest::newRow("typed by the clerk, last far beyond")
        << "copy" << QStringList{"type-last=100"} << QList<int>{15, 26, 12} << "360 Kč";
    QTest::newRow("output pages replace a picked exemption")
        << "copy" << QStringList{"exempt", "pages=3"} << QList<int>{15, 17, 3} << "270 Kč";
    QTest::newRow("a new count replaces a picked exemption")
        << "copy" << QStringList{"exempt", "count=2"} << QList<int>{15, 16, 2} << "60 Kč";
    QTest::newRow("an unchanged count keeps the exemption")
        << "copy" << QStringList{"exempt", "count=3"} << QList<int>{15, 17, 3} << "exempt";
    QTest::newRow("an unchanged last keeps the exemption")
        << "copy" << QStringList{"exempt", "last=17"} << QList<int>{15, 17, 3} << "exempt";
    QTest::newRow("a new first keeps the exemption, the count is the same")
        << "copy" << QStringList{"exempt", "first=40"} << QList<int>{40, 42, 3} << "exempt";
    QTest::newRow("legalization: last beyond")
        << "legal" << QStringList{"last=99"} << QList<int>{15, 26, 12} << "600 Kč";
    QTest::newRow("legalization: last below first")
        << "legal" << QStringList{"last=1"} << QList<int>{15, 15, 1} << "50 Kč";
    QTest::newRow("legalization: count replaces an exemption")
        << "legal" << QStringList{"exempt", "count=4"} << QList<int>{15, 18, 4} << "200 Kč";
    QTest::newRow("legalization: first, then count")
        << "legal" << QStringList{"first=7", "count=1"} << QList<int>{7, 7, 1} << "50 Kč";
}

void TestBookWindow::couplings() {
    QFETCH(QString, tab);
    QFETCH(QStringList, operations);
    QFETCH(QList<int>, range);
    QFETCH(QString, fee);
    auto f = createWindows();
    TForm5& w = *f->Form5;
    const bool copy = tab == u"copy";
    selectTab(*f, copy ? QStringLiteral("VIDIMACE") : QStringLiteral("LEGALIZACE"));
    mark(*f, {1, 2, 3});
    child<QSpinBox>(f, "SpinEdit2")->setValue(15);
    child<QSpinBox>(f, "SpinEdit4")->setValue(15);
    w.show();
    QSpinBox* first = copy ? child<QSpinBox>(w, "SpinEdit1") : child<QSpinBox>(w, "SpinEdit4");
    QSpinBox* last = copy ? child<QSpinBox>(w, "SpinEdit2") : child<QSpinBox>(w, "SpinEdit5");
    QSpinBox* count = copy ? child<QSpinBox>(w, "SpinEdit3") : child<QSpinBox>(w, "SpinEdit6");
    QComboBox* feeBox = copy ? child<QComboBox>(w, "ComboBox3") : child<QComboBox>(w, "ComboBox2");
    QCOMPARE((QList<int>{first->value(), last->value(), count->value()}), (QList<int>{15, 17, 3}));

    QString exemption;
    for (const QString& op : operations) {
        const QString name = op.section(u'=', 0, 0);
        const int value = op.section(u'=', 1).toInt();
        if (name == u"exempt") {
            feeBox->setCurrentIndex(2);
            exemption = feeBox->currentText();
            QVERIFY(exemption.startsWith(QStringLiteral("Osvobozeno")));
        } else if (name == u"first") {
            first->setValue(value);
        } else if (name == u"last") {
            last->setValue(value);
        } else if (name == u"count") {
            count->setValue(value);
        } else if (name == u"pages") {
            child<QSpinBox>(w, "SpinEdit8")->setValue(value);
        } else if (name.startsWith(QStringLiteral("type-"))) {
            QSpinBox* box = name == u"type-last" ? last : first;
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, QString::number(value));
            QTest::keyClick(box, Qt::Key_Enter);
        }
    }
    QCOMPARE((QList<int>{first->value(), last->value(), count->value()}), range);
    QCOMPARE(feeBox->currentText(), fee == u"exempt" ? exemption : fee);
}

void TestBookWindow::unreadableFeeIsReportedOnce() {
    auto f = createWindows();
    setSetting(*f, "Poplatky", "vidimace", QStringLiteral("30 Kč"));
    fillLegalization(*f);
    mark(*f, {1, 2});
    TForm5& w = *f->Form5;
    w.ensureControls();
    child<QComboBox>(w, "ComboBox3")->setEditText(QStringLiteral("90 Kč")); // from an earlier batch
    MessageBoxAnswerer answerer;
    w.show();
    QCOMPARE(answerer.texts, QStringList{"'30 Kč' is not a valid integer value"});
    QVERIFY(w.isVisible());
    QCOMPARE(child<QComboBox>(w, "ComboBox3")->currentText(), QString());
    QCOMPARE(child<QComboBox>(w, "ComboBox2")->currentText(), QStringLiteral("100 Kč"));
    QCOMPARE(child<QSpinBox>(w, "SpinEdit5")->value(), 2);
    QCOMPARE(child<QLineEdit>(w, "Edit9")->text(), QStringLiteral("OP"));
    // A change of the clerk reads the fee again and reports it again, once.
    child<QSpinBox>(w, "SpinEdit3")->setValue(1);
    QCOMPARE(answerer.texts.size(), 2);
    QCOMPARE(child<QSpinBox>(w, "SpinEdit2")->value(), child<QSpinBox>(w, "SpinEdit1")->value());
}

void TestBookWindow::checksRefuseWithFocus_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("change"); // "Widget=value" in the book window, "main:" on the main window
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("legalization: applicant")
        << "LEGALIZACE" << QStringList{"main:ComboBox14="}
        << "Je potřeba vyplnit jméno, příjmení, datum a místo narození žadatele."
        << "Edit3";
    QTest::newRow("legalization: state of an EU card")
        << "LEGALIZACE" << QStringList{"main:ComboBox7=5"}
        << "Je potřeba vyplnit označení státu (u prokazování se dokladem z jiné zěmě)"
        << "Edit10";
    QTest::newRow("legalization: number")
        << "LEGALIZACE" << QStringList{"Edit8="} << "Je potřeba vyplnit číslo dokladu žadatele."
        << "Edit8";
    QTest::newRow("legalization: signed document")
        << "LEGALIZACE" << QStringList{"Edit5="}
        << "Je potřeba vyplnit označení druhu listiny, na které je podpis legalizován."
        << "Edit5";
    QTest::newRow("copy verification: kind of document")
        << "VIDIMACE" << QStringList{"Edit2="}
        << "Je potřeba vyplnit označení druhu listiny, která je vidimována."
        << "Edit2";
    QTest::newRow("copy verification: more output pages")
        << "VIDIMACE" << QStringList{"main:SpinEdit3=2", "main:SpinEdit1=3"}
        << "Výstupní listina nemůže mít větší počet stran než vstupní listina vidimace."
        << "SpinEdit8";
    QTest::newRow("no position") << "VIDIMACE" << QStringList{"nomark"}
                                 << "Vyberte alespoň jednu pozici, na kterou se bude štítek tisknout."
                                 << "Edit2";
    QTest::newRow("legalization: no position")
        << "LEGALIZACE" << QStringList{"nomark"}
        << "Vyberte alespoň jednu pozici, na kterou se bude štítek tisknout."
        << "Edit5";
}

void TestBookWindow::checksRefuseWithFocus() {
    QFETCH(QString, tab);
    QFETCH(QStringList, change);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/refused.pdf"));
    fillLegalization(*f);
    selectTab(*f, tab);
    for (const QString& entry : change) {
        if (!entry.startsWith(QStringLiteral("main:")))
            continue;
        const QString name = entry.mid(5).section(u'=', 0, 0), value = entry.section(u'=', 1);
        QWidget* c = f->findChild<QWidget*>(name);
        if (auto* s = qobject_cast<QSpinBox*>(c))
            s->setValue(value.toInt());
        else if (auto* box = qobject_cast<QComboBox*>(c); box && box->isEditable())
            box->setEditText(value);
        else if (box)
            box->setCurrentIndex(value.toInt());
    }
    TForm5& w = *f->Form5;
    w.show();
    child<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Smlouva"));
    child<QLineEdit>(w, "Edit5")->setText(QStringLiteral("Plná moc"));
    for (const QString& entry : change) {
        if (entry == u"nomark")
            panel(w, w.markedPosition())->setMarked(false);
        else if (auto* e = w.findChild<QLineEdit*>(entry.section(u'=', 0, 0)))
            e->setText(entry.section(u'=', 1));
    }
    const QString lastPrinted = readSetting("App", "last printed kniha");
    MessageBoxAnswerer answerer;
    child<QPushButton>(w, "Button1")->click();
    QCOMPARE(answerer.texts, QStringList{message});
    QCOMPARE(w.focusWidget() ? w.focusWidget()->objectName() : QString(), focus);
    QVERIFY(w.isVisible());
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(readSetting("App", "last printed kniha"), lastPrinted);
}

void TestBookWindow::opensFromTheMenu() {
    overlaySettings({"[App]", "position book left=120", "position book top=80"});
    auto f = createWindows();
    QCOMPARE(f->Form5->pos(), QPoint(120, 80));
    selectTab(*f, QStringLiteral("VIDIMACE"));
    mark(*f, {1, 2, 3});
    child<QSpinBox>(f, "SpinEdit2")->setValue(15);
    child<QSpinBox>(f, "SpinEdit4")->setValue(7);
    f->firstPrintedNumber = 40; // left from an earlier print
    QList<int> seen;
    bool modal = false;
    WhenBookWindowShown act(*f, [&](TForm5& w) {
        modal = w.isVisible() && QApplication::activeModalWidget() == &w;
        seen = {child<QSpinBox>(w, "SpinEdit1")->value(), child<QSpinBox>(w, "SpinEdit2")->value(),
                child<QSpinBox>(w, "SpinEdit4")->value(), child<QSpinBox>(w, "SpinEdit5")->value()};
        w.move(140, 90);
        QTest::mouseClick(child<QPushButton>(w, "Button2"), Qt::LeftButton);
    });
    QVERIFY(child<QToolButton>(f, "Button1")->menu());
    child<QToolButton>(f, "Button1")->menu()->actions().first()->trigger();
    QVERIFY(modal);
    QCOMPARE(seen, (QList<int>{15, 17, 7, 9}));
    QCOMPARE(f->firstPrintedNumber, 0);
    QVERIFY(!f->Form5->isVisible());
    QCOMPARE(readSetting("App", "position book left"), QStringLiteral("140"));
    QCOMPARE(readSetting("App", "position book top"), QStringLiteral("90"));
    QCOMPARE(createWindows()->Form5->pos(), QPoint(140, 90));
}

// The main window's print hands over its first number and its marks.
void TestBookWindow::opensAfterTheClausePrint() {
    overlaySettings({"[Cislovani]", "Vidimace-legalizace=20"});
    auto f = createWindows();
    printToPdf(*f, m_box->root() + QStringLiteral("/clauses.pdf"));
    fillLegalization(*f);
    mark(*f, {5, 6, 7, 8});
    QList<int> seen;
    QString applicant;
    WhenBookWindowShown act(*f, [&](TForm5& w) {
        seen = {child<QTabBar>(w, "TabControl1")->currentIndex(), child<QSpinBox>(w, "SpinEdit4")->value(),
                child<QSpinBox>(w, "SpinEdit5")->value(), child<QSpinBox>(w, "SpinEdit6")->value(),
                child<QSpinBox>(w, "SpinEdit1")->value()};
        applicant = child<QLineEdit>(w, "Edit3")->text();
        w.reject();
    });
    f->Button1Click();
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 24);
    QCOMPARE(seen, (QList<int>{1, 20, 23, 4, 20}));
    QCOMPARE(applicant, QStringLiteral("Jan Novák, 07.03.1985, Brno"));
}

// Twelve legalizations in book "B" on label 2 of the sheet, through the
// system's print queue.
void TestBookWindow::printsThroughTheCaptureQueue() {
    REQUIRE_CAPTURE_QUEUE();
    overlaySettings({"[Knihy]", "Kniha1=A", "Kniha2=B", "[Cislovani]", "VybranaKniha-Legalizace=2", "Tvar=0",
                     "[App]", "prepare next=1", "last printed kniha=1"});
    auto f = createWindows();
    QCOMPARE(f->printer().printerName(), QStringLiteral("lorvena-capture"));
    fillLegalization(*f);
    child<QSpinBox>(f, "SpinEdit6")->setValue(2020);
    child<QSpinBox>(f, "SpinEdit4")->setValue(123);
    f->Button2Click(); // all twelve
    TForm5& w = *f->Form5;
    w.show();
    QCOMPARE(w.markedPosition(), 2);
    QCOMPARE(child<QSpinBox>(w, "SpinEdit5")->value(), 134);
    child<QLineEdit>(w, "Edit5")->setText(QStringLiteral("Kupní smlouva ze dne 1.2.2020"));
    const QStringList before = capturedJobs();
    MessageBoxAnswerer answerer;
    QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    QCOMPARE(answerer.texts, QStringList{});
    QVERIFY(!w.isVisible());
    QCOMPARE(readSetting("App", "last printed kniha"), QStringLiteral("2"));
    // No number is issued for the record.
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 123);
    QCOMPARE(readSetting("Knihy", "cisloKniha2"), QStringLiteral("<absent>"));

    const QString pdf = waitForNewJob(before);
    QVERIFY2(!pdf.isEmpty(), "no job reached the capture queue");
    QCOMPARE(jobTitle(pdf), QStringLiteral("Tisk ověřovacích doložek"));
    int pages = 0;
    const QList<PdfWord> words = pdfWords(pdf, &pages);
    QCOMPARE(pages, 1);
    QStringList texts;
    QList<PdfWord> designations;
    for (const PdfWord& word : words) {
        texts << word.text;
        if (word.text.startsWith(QStringLiteral("B/")))
            designations << word;
    }
    QStringList expected;
    for (int n = 123; n <= 134; ++n)
        expected << QStringLiteral("B/%1/2020").arg(n) + (n < 134 ? QStringLiteral(",") : QString());
    QStringList got;
    for (const PdfWord& d : designations)
        got << d.text;
    QCOMPARE(got, expected);
    // Six on the first line, six on the second, which starts under the first.
    for (int i = 1; i < 12; ++i)
        QCOMPARE(designations[i].yMin == designations[0].yMin, i < 6);
    QVERIFY(qAbs(designations[6].xMin - designations[0].xMin) < 0.5);
    QVERIFY(designations[6].yMin > designations[0].yMin);
    const QString line = texts.join(u' ');
    for (const char* part : {"Jan Novák, 07.03.1985, Brno", "Masarykova 1234/56, 602 00 Brno",
                             "5. OP č.123456789", "7. Listina byla u úřadu vlastnoručně podepsána", "8. ---",
                             "9. Kupní smlouva ze dne 1.2.2020", "10. 600 Kč"})
        QVERIFY2(line.contains(QString::fromUtf8(part)), qPrintable(line));
}

// Where the record lands: label 1 and label 4 one under the other, 44 mm
// apart, and "10." 37 printer pixels left of the other item numbers.
void TestBookWindow::labelsStandOnTheirPositions() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (poppler-utils)");
    auto f = createWindows();
    setSetting(*f, "Font", "UdajeFont", QStringLiteral("DejaVu Serif"));
    selectTab(*f, QStringLiteral("VIDIMACE"));
    TForm5& w = *f->Form5;
    QList<QList<PdfWord>> runs;
    for (int position : {1, 4}) {
        const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/label%1.pdf").arg(position));
        w.show();
        w.PanelClick(position);
        child<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Rodný list"));
        QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        runs << (QList<PdfWord>{wordsOf(pdf, QStringLiteral("1.")).value(0),
                                wordsOf(pdf, QStringLiteral("10.")).value(0),
                                wordsOf(pdf, QStringLiteral("9.")).value(0)});
        QVERIFY2(!runs.last()[1].text.isEmpty(), "no item 10");
    }
    // The record is set in [Font] UdajeFont.
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {m_box->root() + QStringLiteral("/label1.pdf")});
    if (fonts.waitForFinished(20000)) {
        const QString list = QString::fromLocal8Bit(fonts.readAllStandardOutput());
        QVERIFY2(list.contains(QStringLiteral("DejaVuSerif")) && !list.contains(QStringLiteral("Liberation")),
                 qPrintable(list));
    }
    const double mm = 25.4 / 72.0;
    // 3 x 44 mm at 600 dpi is 3 x 1039 px; the sums are of rounded pixels.
    QVERIFY(qAbs((runs[1][0].yMin - runs[0][0].yMin) * mm - 3 * 1039 * 25.4 / 600) < 0.2);
    QVERIFY(qAbs(runs[1][0].xMin - runs[0][0].xMin) < 0.1);
    QVERIFY(qAbs((runs[0][2].xMin - runs[0][1].xMin) * mm - 37 * 25.4 / 600) < 0.2);
}

void TestBookWindow::failedPrintKeepsTheWindowOpen_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message"); // its beginning
    QTest::newRow("letters in the label height") << "Stitky"
                                                 << "kc"
                                                 << "abc"
                                                 << "ok.pdf"
                                                 << "'abc' is not a valid integer value";
    QTest::newRow("empty resolution") << "Printer"
                                      << "dpi"
                                      << ""
                                      << "ok.pdf"
                                      << "'' is not a valid integer value";
    QTest::newRow("job cannot start") << "Stitky"
                                      << "kc"
                                      << "44"
                                      << "no/such/folder/job.pdf"
                                      << "Tiskovou úlohu se nepodařilo zahájit";
}

void TestBookWindow::failedPrintKeepsTheWindowOpen() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, file);
    QFETCH(QString, message);
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + u'/' + file);
    TForm5& w = *f->Form5;
    w.show();
    w.PanelClick(3);
    child<QLineEdit>(w, "Edit2")->setText(QStringLiteral("Rodný list"));
    f->settings().WriteString(section, key, value);
    MessageBoxAnswerer answerer;
    QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].startsWith(message), qPrintable(answerer.texts[0]));
    QVERIFY(w.isVisible());
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(readSetting("App", "last printed kniha"), QStringLiteral("3"));

    // Once mended, the same window prints.
    f->settings().WriteString(section, key,
                              section == u"Printer" ? QStringLiteral("600") : QStringLiteral("44"));
    const QString good = printToPdf(*f, m_box->root() + QStringLiteral("/mended.pdf"));
    QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(QFile::exists(good));
}

QTEST_MAIN(TestBookWindow)
#include "tst_bookwindow.moc"
