#include "TestSupport.h"
#include "UiSupport.h"

#include "about/about.h"
#include "book/book.h"
#include "settings/SettingsStore.h"
#include "settings/settings.h"
#include "ui/PositionPanel.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>

namespace {

QStringList tabCaptions(TForm1& f) {
    QStringList out;
    for (int i = 0; i < child<QTabBar>(f, "TabControl1")->count(); ++i)
        out << child<QTabBar>(f, "TabControl1")->tabText(i);
    return out;
}

QList<int> markedPositions(TForm1& f) {
    QList<int> out;
    for (int n = 1; n <= 12; ++n)
        if (child<PositionPanel>(&f, QStringLiteral("Panel%1").arg(n).toLatin1())->isMarked())
            out << n;
    return out;
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStart();
    void tabsFollowSettings_data();
    void tabsFollowSettings();
    void bookLists();
    void marking();
    void nextPositionAtStart_data();
    void nextPositionAtStart();
    void intentionDates();
    void positionIsRemembered();
    void startFailureShowsMessageAndOpensWindow_data();
    void startFailureShowsMessageAndOpensWindow();
    void approvalResolutionIsOffered();
    void designation_data();
    void designation();
    void bookChoiceReloadsNumber();
    void aboutBoxAndHelpLinks();
    void openedListsTakeTheirWidth_data();
    void openedListsTakeTheirWidth();
};

void TestMainWindow::firstStart() {
    AppDataSandbox box;
    QVERIFY(!QDir(box.dataDir()).exists());
    auto f = createWindows();
    QVERIFY(QDir(box.dataDir()).exists());
    QCOMPARE(readBytes(DataDir::savedClausesFile()), QByteArray());
    QVERIFY(QFile::exists(DataDir::savedClausesFile()));
    QCOMPARE(f->windowTitle(), QStringLiteral("Lorvena - software pro tisk doložek"));
    QCOMPARE(f->size().width(), 371);
    QCOMPARE(f->minimumSize(), f->maximumSize());
    QCOMPARE(tabCaptions(*f), (QStringList{"VIDIMACE", "LEGALIZACE", "ZÁMĚR", "SCHVÁLENÍ"}));
    QVERIFY(!child<QGroupBox>(f, "GroupBox1")->isHidden());
    QVERIFY(child<QGroupBox>(f, "GroupBox2")->isHidden() && child<QGroupBox>(f, "GroupBox3")->isHidden() &&
            child<QGroupBox>(f, "GroupBox4")->isHidden());
    QVERIFY(child<QCheckBox>(f, "CheckBox1")->isHidden());
    // The group boxes stand at left 8, top 24 of the tab control, which fills the client area.
    auto* tabs = child<QTabBar>(f, "TabControl1");
    QCOMPARE(tabs->parentWidget(), f->centralWidget());
    QCOMPARE(tabs->y(), 0);
    for (const char* name : {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"}) {
        auto* g = child<QGroupBox>(f, name);
        QCOMPARE(g->mapTo(f->centralWidget(), QPoint(0, 0)), QPoint(8, 24));
        QCOMPARE(g->size(), QSize(353, 252));
    }
    QVERIFY(child<QToolButton>(f, "Button1")->menu() != nullptr);
    QCOMPARE(markedPositions(*f), QList<int>{1});
    QCOMPARE(child<QComboBox>(f, "ComboBox4")->currentText(), QStringLiteral("Zoz Azira"));
    QCOMPARE(child<QComboBox>(f, "ComboBox8")->currentText(), QStringLiteral("Zoz Azira"));
    QCOMPARE(child<QComboBox>(f, "ComboBox11")->currentText(),
             QStringLiteral("Zastupitelstvem obce Zididuzado Dazuz"));
    QCOMPARE(child<QComboBox>(f, "ComboBox13")->currentText(),
             QStringLiteral("Zastupitelstva obce Zididuzado Dazuz"));
    QCOMPARE(child<QLabel>(f.get(), "Label9")->text(), QStringLiteral("V Dudeverodu Zered"));
    QCOMPARE(child<QLabel>(f.get(), "Label18")->text(), QStringLiteral("V Dudeverodu Zered"));
    const QDate today = QDate::currentDate();
    QCOMPARE(child<QSpinBox>(f, "SpinEdit5")->value(), today.year());
    QCOMPARE(child<QSpinBox>(f, "SpinEdit6")->value(), today.year());
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker3")->date(), today.addDays(-15));
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker4")->date(), today);
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker6")->date(), today);
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker1")->text(), today.toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 1);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 1);
    QCOMPARE(f->documentCheckState, QString());
    const QString status = f->statusBar()->findChild<QLabel*>()->text();
    QVERIFY2(status.contains(QString::number(today.year())) && status.contains(QStringLiteral("verze 7.41")),
             qPrintable(status));
    QCOMPARE(child<QComboBox>(f, "ComboBox14")->itemText(0),
             QStringLiteral("Zadejte alespoň tři písmena uložené doložky"));
    QVERIFY(!child<QPushButton>(f, "Button8")->isEnabled());
    QVERIFY(f->Form2 && f->Form3 && f->Form5);
    QVERIFY(f->Form2->isHidden() && f->Form3->isHidden() && f->Form5->isHidden());
}

void TestMainWindow::tabsFollowSettings_data() {
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QString>("visibleBox");
    QTest::newRow("no copy verification")
        << QStringList{"0", "1", "1", "1"} << QStringList{"LEGALIZACE", "ZÁMĚR", "SCHVÁLENÍ"} << "GroupBox2";
    QTest::newRow("municipal only") << QStringList{"0", "0", "1", "1"} << QStringList{"ZÁMĚR", "SCHVÁLENÍ"}
                                    << "GroupBox3";
    QTest::newRow("approval only, others not 1")
        << QStringList{"0", "2", "x", "1"} << QStringList{"SCHVÁLENÍ"} << "GroupBox4";
    QTest::newRow("empty flag is seeded first")
        << QStringList{"", "0", "0", "1"} << QStringList{"VIDIMACE", "SCHVÁLENÍ"} << "GroupBox1";
    QTest::newRow("none") << QStringList{"0", "0", "0", "0"} << QStringList{} << "";
}

void TestMainWindow::tabsFollowSettings() {
    QFETCH(QStringList, flags);
    QFETCH(QStringList, tabs);
    QFETCH(QString, visibleBox);
    AppDataSandbox box;
    writeSettings({"[App]", "last printed=3", "[Zalozky]", "Vidimace=" + flags[0], "Legalizace=" + flags[1],
                   "Zamer=" + flags[2], "Schvaleni=" + flags[3]});
    auto f = createWindows();
    QCOMPARE(tabCaptions(*f), tabs);
    for (const char* name : {"GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"})
        QCOMPARE(!child<QGroupBox>(f.get(), name)->isHidden(), visibleBox == QLatin1String(name));
    QCOMPARE(!child<QCheckBox>(f, "CheckBox1")->isHidden(), visibleBox == u"GroupBox2");
    QCOMPARE(child<QToolButton>(f, "Button1")->menu() != nullptr,
             visibleBox == u"GroupBox1" || visibleBox == u"GroupBox2");
    // Flags that are not "1" are seeded only when empty, so "0" stays.
    QCOMPARE(readSetting("Zalozky", "Vidimace"), flags[0].isEmpty() ? QStringLiteral("1") : flags[0]);
    QCOMPARE(markedPositions(*f), QList<int>{4});
}

void TestMainWindow::bookLists() {
    AppDataSandbox box;
    writeSettings({"[Knihy]", "Kniha1=A", "Kniha2=", "Kniha3=C", "cisloKniha1=15", "[Cislovani]",
                   "VybranaKniha-Vidimace=3", "VybranaKniha-Legalizace=1", "Vidimace-legalizace=7"});
    auto f = createWindows();
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox16")), (QStringList{"bez označení", "A"}));
    QCOMPARE(comboItems(child<QComboBox>(f, "ComboBox15")), (QStringList{"bez označení", "A"}));
    QCOMPARE(child<QComboBox>(f, "ComboBox16")->currentIndex(), -1);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 1); // no selection: the field keeps its value
    QCOMPARE(child<QComboBox>(f, "ComboBox15")->currentIndex(), 1);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 15);
}

void TestMainWindow::marking() {
    AppDataSandbox box;
    auto f = createWindows();
    auto* p5 = child<PositionPanel>(f.get(), "Panel5");
    QTest::mouseClick(p5, Qt::LeftButton);
    QCOMPARE(markedPositions(*f), (QList<int>{1, 5}));
    QTest::mouseClick(p5, Qt::LeftButton);
    QTest::mouseClick(p5, Qt::LeftButton);
    QVERIFY(p5->isMarked());
    QCOMPARE(p5->palette().color(QPalette::Window), QColor(58, 203, 242));
    QCOMPARE(p5->frameShadow(), QFrame::Sunken);
    QTest::mouseClick(child<QPushButton>(f, "Button2"), Qt::LeftButton);
    QCOMPARE(markedPositions(*f).size(), 12);
    QTest::mouseClick(child<QPushButton>(f, "Button4"), Qt::LeftButton);
    QCOMPARE(markedPositions(*f), QList<int>{});
    QCOMPARE(p5->frameShadow(), QFrame::Raised);
}

void TestMainWindow::nextPositionAtStart_data() {
    QTest::addColumn<QStringList>("app");
    QTest::addColumn<QList<int>>("marked");
    QTest::newRow("after 12 comes 1") << QStringList{"last printed=12", "prepare next=1"} << QList<int>{1};
    QTest::newRow("after 7 comes 8") << QStringList{"last printed=7", "prepare next=1"} << QList<int>{8};
    QTest::newRow("not prepared") << QStringList{"last printed=7", "prepare next=0"} << QList<int>{};
    QTest::newRow("out of range") << QStringList{"last printed=40"} << QList<int>{};
    QTest::newRow("absent: seeded") << QStringList{"prepare next=0"} << QList<int>{1};
}

void TestMainWindow::nextPositionAtStart() {
    QFETCH(QStringList, app);
    QFETCH(QList<int>, marked);
    AppDataSandbox box;
    writeSettings(QStringList{"[App]"} + app);
    auto f = createWindows();
    QCOMPARE(markedPositions(*f), marked);
}

void TestMainWindow::intentionDates() {
    AppDataSandbox box;
    auto f = createWindows();
    const QDate today = QDate::currentDate();
    child<QDateEdit>(f, "DateTimePicker3")->setDate(QDate(today.year(), 3, 1));
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker4")->date(), QDate(today.year(), 3, 16));
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker5")->date(), QDate(today.year(), 3, 16));
    child<QDateEdit>(f, "DateTimePicker4")->setDate(QDate(today.year(), 4, 2));
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker5")->date(), QDate(today.year(), 4, 2));
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker3")->date(), QDate(today.year(), 3, 1));
}

void TestMainWindow::positionIsRemembered() {
    AppDataSandbox box;
    {
        auto f = createWindows();
        QCOMPARE(f->pos(), QPoint(0, 0));
        f->show();
        f->move(120, 80);
        QTest::mouseClick(child<QPushButton>(f, "Button3"), Qt::LeftButton);
        QVERIFY(!f->isVisible());
    }
    QCOMPARE(readSetting("App", "position left"), QStringLiteral("120"));
    QCOMPARE(readSetting("App", "position top"), QStringLiteral("80"));
    auto f = createWindows();
    QCOMPARE(f->pos(), QPoint(120, 80));
}

void TestMainWindow::startFailureShowsMessageAndOpensWindow_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QString>("message");
    QTest::newRow("position") << QStringList{"[App]", "position left=abc"}
                              << "'abc' is not a valid integer value";
    QTest::newRow("resolution date") << QStringList{"[DPJ]", "SchvaleniCisloUsneseni=12/2020",
                                                    "SchvaleniDatumUsneseni=zítra"}
                                     << "'zítra' is not a valid date";
}

void TestMainWindow::startFailureShowsMessageAndOpensWindow() {
    QFETCH(QStringList, ini);
    QFETCH(QString, message);
    AppDataSandbox box;
    writeSettings(ini);
    MessageBoxAnswerer answerer;
    auto f = createWindows();
    QCOMPARE(answerer.texts, QStringList{message});
    // The rest of the start sequence did not run: no first-start values, no tabs.
    QCOMPARE(readSetting("App", "Verze"), QStringLiteral("<absent>"));
    QCOMPARE(child<QTabBar>(f, "TabControl1")->count(), 0);
    f->show();
    QVERIFY(f->isVisible());
}

void TestMainWindow::approvalResolutionIsOffered() {
    AppDataSandbox box;
    writeSettings({"[DPJ]", "SchvaleniCisloUsneseni=12/2020", "SchvaleniDatumUsneseni=14.8.2019"});
    auto f = createWindows();
    QCOMPARE(child<QLineEdit>(f, "Edit6")->text(), QStringLiteral("12/2020"));
    QCOMPARE(child<QDateEdit>(f, "DateTimePicker6")->date(), QDate(2019, 8, 14));
}

// Each row prints a sequence of designations through the window's routine.
void TestMainWindow::designation_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<QStringList>("designations");
    QTest::addColumn<int>("copyField");
    QTest::addColumn<int>("legalField");
    QTest::addColumn<QStringList>("stored"); // "Section/key=value"
    const QStringList books = {"[Knihy]", "Kniha1=A", "Kniha2=B", "cisloKniha1=15", "cisloKniha2=40"};
    QTest::newRow("no books share one sequence")
        << QStringList{"[Cislovani]", "Vidimace-legalizace=7"} << QStringList{"VIDIMACE", "LEGALIZACE"}
        << QStringList{"7/2025", "8/2025"} << 9 << 9 << QStringList{"Cislovani/Vidimace-legalizace=9"};
    QTest::newRow("own book, independent sequences")
        << (books + QStringList{"[Cislovani]", "VybranaKniha-Vidimace=1", "Vidimace-legalizace=3"})
        << QStringList{"VIDIMACE", "VIDIMACE", "VIDIMACE"}
        << QStringList{"A/15/2025", "A/16/2025", "A/17/2025"} << 18 << 3
        << QStringList{"Knihy/cisloKniha1=18", "Cislovani/Vidimace-legalizace=3"};
    QTest::newRow("same book keeps fields equal")
        << (books + QStringList{"[Cislovani]", "VybranaKniha-Vidimace=2", "VybranaKniha-Legalizace=2"})
        << QStringList{"VIDIMACE"} << QStringList{"B/40/2025"} << 41 << 41
        << QStringList{"Knihy/cisloKniha2=41"};
    QTest::newRow("form 1") << (books + QStringList{"[Cislovani]", "Tvar=1", "VybranaKniha-Legalizace=1"})
                            << QStringList{"LEGALIZACE"} << QStringList{"15/A/2025"} << 1 << 16
                            << QStringList{"Knihy/CISLOKNIHA1=16"};
    QTest::newRow("form 5 with and without book")
        << (books +
            QStringList{"[Cislovani]", "Tvar=5", "VybranaKniha-Legalizace=1", "Vidimace-legalizace=4"})
        << QStringList{"LEGALIZACE", "VIDIMACE"} << QStringList{"15", "4"} << 5 << 16 << QStringList{};
    QTest::newRow("form 4 without book")
        << QStringList{"[Cislovani]", "Tvar=4", "Vidimace-legalizace=4"} << QStringList{"VIDIMACE"}
        << QStringList{"4/2025"} << 5 << 5 << QStringList{};
    QTest::newRow("unknown form with a book still consumes")
        << (books + QStringList{"[Cislovani]", "Tvar=9", "VybranaKniha-Vidimace=1"})
        << QStringList{"VIDIMACE", "VIDIMACE"} << QStringList{"chyba", "chyba"} << 17 << 1
        << QStringList{"Knihy/cisloKniha1=17"};
    QTest::newRow("upper limit repeats")
        << QStringList{"[Cislovani]", "Vidimace-legalizace=100000"} << QStringList{"VIDIMACE", "VIDIMACE"}
        << QStringList{"100000/2025", "100000/2025"} << 100000 << 100000
        << QStringList{"Cislovani/Vidimace-legalizace=100000"};
    QTest::newRow("other kind word") << QStringList{} << QStringList{"ZÁMĚR"} << QStringList{"chyba"} << 1
                                     << 1 << QStringList{"Cislovani/Vidimace-legalizace=1"};
}

void TestMainWindow::designation() {
    QFETCH(QStringList, ini);
    QFETCH(QStringList, kinds);
    QFETCH(QStringList, designations);
    QFETCH(int, copyField);
    QFETCH(int, legalField);
    QFETCH(QStringList, stored);
    AppDataSandbox box;
    writeSettings(ini);
    auto f = createWindows();
    child<QSpinBox>(f, "SpinEdit5")->setValue(2025);
    child<QSpinBox>(f, "SpinEdit6")->setValue(2025);
    QStringList got;
    for (const QString& kind : kinds)
        got << f->oznaceni(kind);
    QCOMPARE(got, designations);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), copyField);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), legalField);
    SettingsStore s(DataDir::settingsFile());
    for (const QString& entry : stored) {
        const QString section = entry.section(u'/', 0, 0);
        const QString key = entry.section(u'/', 1).section(u'=', 0, 0);
        QCOMPARE(s.ReadString(section, key, QStringLiteral("<absent>")), entry.section(u'=', 1));
    }
}

void TestMainWindow::bookChoiceReloadsNumber() {
    AppDataSandbox box;
    writeSettings({"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]", "Vidimace-legalizace=7"});
    auto f = createWindows();
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 7);
    child<QSpinBox>(f, "SpinEdit2")->setValue(99); // typed by hand, never printed
    child<QComboBox>(f, "ComboBox16")->setCurrentIndex(1);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 15);
    QCOMPARE(readSetting("Cislovani", "VybranaKniha-Vidimace"), QStringLiteral("1"));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 7); // the other kind is not touched
    child<QComboBox>(f, "ComboBox16")->setCurrentIndex(0);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 7);
    // A counter spoilt by hand: the error is shown and the field keeps its value.
    SettingsStore(DataDir::settingsFile())
        .WriteString(QStringLiteral("Knihy"), QStringLiteral("cisloKniha1"), QStringLiteral("x"));
    MessageBoxAnswerer answerer;
    child<QComboBox>(f, "ComboBox16")->setCurrentIndex(1);
    QCOMPARE(answerer.texts, QStringList{"'x' is not a valid integer value"});
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 7);
}

void TestMainWindow::aboutBoxAndHelpLinks() {
    AppDataSandbox box;
    writeSettings({"[Web]", "Server=pomoc.example.cz"});
    qputenv("XDG_CACHE_HOME", QFile::encodeName(box.root()));
    auto f = createWindows();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    child<QAction>(f.get(), "Webovstrnkysnpovdou1")->trigger();
    child<QAction>(f.get(), "Sthnoutnejnovjverziprogramu1")->trigger();
    QCOMPARE(catcher.urls, (QList<QUrl>{QUrl("https://pomoc.example.cz/casto-kladene-dotazy/"),
                                        QUrl("http://pomoc.example.cz/download/")}));
    // The manual's site cannot be reached here: the program's own copy opens.
    catcher.urls.clear();
    child<QAction>(f.get(), "Manulkprogramu1")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(catcher.urls.size(), 1, 10000);
    QVERIFY2(catcher.urls.first().isLocalFile(), qPrintable(catcher.urls.first().toString()));
    QVERIFY(readBytes(catcher.urls.first().toLocalFile()).contains("manuál k programu"));
    for (const char* scheme : {"https", "http", "file"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));

    f->show();
    f->move(-300, 50);
    auto* about = f->Form3;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(50, about, [about] { about->Button1->click(); });
        child<QAction>(f.get(), "Informaceoprogramu1")->trigger();
    }
    const QStringList lines = about->Memo1->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 18);
    QCOMPARE(lines[0], QStringLiteral("Program pro tisk ověřovacích doložek vidimace a legalizace."));
    QCOMPARE(lines[2], QStringLiteral("Verze: 7.41"));
    QCOMPARE(lines[17], QStringLiteral("Více informací na https://pomoc.example.cz"));
    QCOMPARE(about->windowTitle(), QStringLiteral("O programu"));
    QVERIFY(about->x() < 0);
}

void TestMainWindow::openedListsTakeTheirWidth_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("width");
    QTest::newRow("source state") << "Form1" << 0 << "ComboBox3" << 350;
    QTest::newRow("signing") << "Form1" << 1 << "ComboBox5" << 250;
    QTest::newRow("document kind") << "Form1" << 1 << "ComboBox7" << 290;
    QTest::newRow("intention") << "Form1" << 2 << "ComboBox10" << 340;
    QTest::newRow("book copy fee") << "Form5" << 0 << "ComboBox3" << 350;
    QTest::newRow("book legalization fee") << "Form5" << 1 << "ComboBox2" << 350;
}

// The lists open wider than their fields, so that long entries can be read.
void TestMainWindow::openedListsTakeTheirWidth() {
    QFETCH(QString, window);
    QFETCH(int, tab);
    QFETCH(QString, combo);
    QFETCH(int, width);
    AppDataSandbox box;
    auto f = createWindows();
    QWidget* w = window == u"Form1" ? static_cast<QWidget*>(f.get()) : f->Form5;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    child<QTabBar>(w, "TabControl1")->setCurrentIndex(tab);
    auto* c = child<QComboBox>(w, combo.toLatin1().constData());
    QVERIFY(c->isVisible());
    QVERIFY(c->width() < width);
    c->showPopup();
    QTRY_VERIFY(c->view()->isVisible());
    QVERIFY2(c->view()->width() >= width, qPrintable(QString::number(c->view()->width())));
    c->hidePopup();
    w->hide();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
