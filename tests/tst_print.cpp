#include "PrintCapture.h"
#include "SmallFileSystem.h"
#include "TestSupport.h"
#include "UiSupport.h"

#include "book/book.h"
#include "journal/Journal.h"
#include "settings/SettingsStore.h"
#include "ui/PositionPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QSpinBox>
#include <QTabBar>
#include <QToolButton>

namespace {

void selectTab(TForm1& f, const QString& caption) {
    for (int i = 0; i < child<QTabBar>(f, "TabControl1")->count(); ++i)
        if (child<QTabBar>(f, "TabControl1")->tabText(i) == caption)
            child<QTabBar>(f, "TabControl1")->setCurrentIndex(i);
    QCOMPARE(f.selectedKind(), caption);
}

QList<int> marked(TForm1& f) {
    QList<int> out;
    for (int n = 1; n <= 12; ++n)
        if (f.isMarked(n))
            out << n;
    return out;
}

// Closes the book-label window whenever it comes up, and counts the showings.
// The words of the clause whose heading is nearest to the given origin.
QList<PdfWord> wordsNear(const QList<PdfWord>& words, double xPt, double yPt, double wPt, double hPt) {
    QList<PdfWord> out;
    for (const PdfWord& w : words)
        if (w.xMin >= xPt - 1 && w.yMin >= yPt - 1 && w.xMin < xPt + wPt && w.yMin < yPt + hPt)
            out << w;
    return out;
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_box = std::make_unique<AppDataSandbox>(); }
    void cleanup() { m_box.reset(); }

    void threeCopyVerificationsThroughCups();
    void fullSheetStaysInsideItsLabels();
    void municipalClausesDoNotOpenTheBookWindow();
    void approvalRemembersItsResolution();
    void unreadableLogoPrintsWithoutIt();
    void checksRefuseWithFocus_data();
    void checksRefuseWithFocus();
    void documentCheckConfirmation_data();
    void documentCheckConfirmation();
    void noMarkShowsMessageAndFollowsUp();
    void badSettingsStopBeforeTheJob_data();
    void badSettingsStopBeforeTheJob();
    void failedJobConsumesNoNumber();
    void fullDiskStopsThePrintAndKeepsTheSettings();
    void jobThatCannotStartGivesNumbersBack();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestPrint::threeCopyVerificationsThroughCups() {
    REQUIRE_CAPTURE_QUEUE();
    writeSettings({"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]", "VybranaKniha-Vidimace=1"});
    auto f = createWindows();
    QVERIFY2(f->printer().printerName() == u"lorvena-capture", qPrintable(f->printer().printerName()));
    child<QSpinBox>(f, "SpinEdit5")->setValue(2025);
    mark(*f, {1, 2, 7});
    const QStringList before = capturedJobs();
    BookWindowCloser closer(*f);
    QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
    QCOMPARE(closer.shown, 1);
    QCOMPARE(f->firstPrintedNumber, 15);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 18);
    QCOMPARE(readSetting("Knihy", "cisloKniha1"), QStringLiteral("18"));
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("7"));
    QCOMPARE(marked(*f), QList<int>{8});

    const QString pdf = waitForNewJob(before);
    QVERIFY2(!pdf.isEmpty(), "no job reached the capture queue");
    QCOMPARE(jobTitle(pdf), QStringLiteral("Tisk ověřovacích doložek"));
    int pages = 0;
    const QList<PdfWord> words = pdfWords(pdf, &pages);
    QCOMPARE(pages, 1);
    QList<PdfWord> designations;
    for (const PdfWord& w : words)
        if (w.text.startsWith(QStringLiteral("A/")))
            designations << w;
    QCOMPARE(designations.size(), 3);
    // Positions 1, 2 and 7: columns 1, 2, 1 and rows 1, 1, 4 of the 78 x 48 mm grid (pitch 93 x 47 mm).
    std::sort(designations.begin(), designations.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::pair(a.yMin, a.xMin) < std::pair(b.yMin, b.xMin);
    });
    QCOMPARE(designations[0].text, QStringLiteral("A/15/2025"));
    QCOMPARE(designations[1].text, QStringLiteral("A/16/2025"));
    QCOMPARE(designations[2].text, QStringLiteral("A/17/2025"));
    QVERIFY(qAbs(pointsToMm(designations[1].xMin - designations[0].xMin) - 93.0) < 1.0);
    QVERIFY(qAbs(pointsToMm(designations[2].yMin - designations[0].yMin) - 3 * 47.0) < 1.0);
    QVERIFY(qAbs(designations[2].xMin - designations[0].xMin) < 0.5);
    // The headings stand at the text origins: Z + Y = 18 mm, A + B = 7 mm from the printable area.
    QList<PdfWord> headings;
    for (const PdfWord& w : words)
        if (w.text == u"OVĚŘOVACÍ")
            headings << w;
    QCOMPARE(headings.size(), 3);
}

void TestPrint::fullSheetStaysInsideItsLabels() {
    QString reason;
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is missing (poppler-utils)");
    writeSettings({"[Cislovani]", "Vidimace-legalizace=120"});
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/sheet.pdf"));
    selectTab(*f, QStringLiteral("LEGALIZACE"));
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Jan Novák, 07.03.1985, Brno"));
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Masarykova 1234/56, 602 00 Brno"));
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123456789"));
    f->Button2Click();
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 132);
    int pages = 0;
    const QList<PdfWord> words = pdfWords(pdf, &pages);
    QCOMPARE(pages, 1);
    const QRectF printable = f->printer().pageLayout().paintRect(QPageLayout::Point);
    const double mm = 72.0 / 25.4;
    for (int n = 1; n <= 12; ++n) {
        const int col = (n % 2) ? 0 : 1, row = (n - 1) / 2;
        const double left = printable.left() + (16 + col * 93) * mm;
        const double top = printable.top() + (5 + row * 47) * mm;
        const QList<PdfWord> label = wordsNear(words, left, top, 78 * mm, 47 * mm);
        QVERIFY2(label.size() > 30,
                 qPrintable(QStringLiteral("label %1 has %2 words").arg(n).arg(label.size())));
        for (const PdfWord& w : label) {
            QVERIFY2(w.xMax <= left + 78 * mm && w.yMax <= top + 47 * mm,
                     qPrintable(QStringLiteral("label %1: '%2' leaves the label").arg(n).arg(w.text)));
        }
        bool hasDesignation = false;
        for (const PdfWord& w : label)
            hasDesignation = hasDesignation || w.text == QStringLiteral("%1/%2").arg(119 + n).arg(
                                                             child<QSpinBox>(f, "SpinEdit6")->value());
        QVERIFY2(hasDesignation, qPrintable(QStringLiteral("label %1 lacks its designation").arg(n)));
    }
}

void TestPrint::municipalClausesDoNotOpenTheBookWindow() {
    auto f = createWindows();
    printToPdf(*f, m_box->root() + QStringLiteral("/zamer.pdf"));
    selectTab(*f, QStringLiteral("ZÁMĚR"));
    child<QLineEdit>(f, "Edit2")->setText(QStringLiteral("12/2019"));
    child<QLineEdit>(f, "Edit5")->setText(QStringLiteral("5/2019"));
    mark(*f, {3});
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(closer.shown, 0);
    QCOMPARE(f->firstPrintedNumber, 0);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 1);
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("3"));
    QCOMPARE(marked(*f), QList<int>{4});
    const QList<PdfWord> words = pdfWords(m_box->root() + QStringLiteral("/zamer.pdf"));
    QStringList texts;
    for (const PdfWord& w : words)
        texts << w.text;
    QVERIFY2(texts.contains(QStringLiteral("č.12/2019")) && texts.contains(QStringLiteral("DOLOŽKA")),
             qPrintable(texts.join(u' ')));
}

void TestPrint::approvalRemembersItsResolution() {
    writeSettings({"[App]", "last printed=12", "prepare next=0"});
    auto f = createWindows();
    printToPdf(*f, m_box->root() + QStringLiteral("/schvaleni.pdf"));
    selectTab(*f, QStringLiteral("SCHVÁLENÍ"));
    child<QLineEdit>(f, "Edit6")->setText(QStringLiteral("ZO/7/2019"));
    child<QDateEdit>(f, "DateTimePicker6")->setDate(QDate(2019, 8, 14));
    mark(*f, {2, 5});
    f->Button1Click();
    QCOMPARE(readSetting("DPJ", "SchvaleniCisloUsneseni"), QStringLiteral("ZO/7/2019"));
    QCOMPARE(readSetting("DPJ", "SchvaleniDatumUsneseni"), QStringLiteral("14.8.2019"));
    QCOMPARE(marked(*f), QList<int>{});
    auto again = createWindows();
    QCOMPARE(child<QLineEdit>(again, "Edit6")->text(), QStringLiteral("ZO/7/2019"));
    QCOMPARE(child<QDateEdit>(again, "DateTimePicker6")->date(), QDate(2019, 8, 14));
}

// A logo file that cannot be read: the clauses are printed without it and
// the clerk is told once, after the job.
void TestPrint::unreadableLogoPrintsWithoutIt() {
    writeSettings({"[App]", "last printed=12"});
    QVERIFY(writeBytes(DataDir::logoFile(), QByteArray("BM not really a bitmap")));
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/logo.pdf"));
    selectTab(*f, QStringLiteral("SCHVÁLENÍ"));
    child<QLineEdit>(f, "Edit6")->setText(QStringLiteral("ZO/7/2019"));
    mark(*f, {1, 2, 3});
    MessageBoxAnswerer answerer;
    f->Button1Click();
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].startsWith(QStringLiteral("Logo organizace")), qPrintable(answerer.texts[0]));
    int pages = 0;
    const QList<PdfWord> words = pdfWords(pdf, &pages);
    QCOMPARE(pages, 1);
    int headings = 0;
    for (const PdfWord& w : words)
        headings += w.text == u"DOLOŽKA" ? 1 : 0;
    QCOMPARE(headings, 3);
    QCOMPARE(marked(*f), QList<int>{4});
}

void TestPrint::checksRefuseWithFocus_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("fill"); // "Widget=value"
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("more output pages")
        << "VIDIMACE" << QStringList{"SpinEdit1=3", "SpinEdit3=2"}
        << "Výstupní vidimovaná listina nemůže mít více stran než vstupní vidimovaná listina."
        << "SpinEdit1";
    QTest::newRow("legalization: name first")
        << "LEGALIZACE" << QStringList{}
        << "Zapomněli jste vyplnit jméno, příjmení, datum a místo narození žadatele."
        << "ComboBox14";
    QTest::newRow("legalization: former document kind")
        << "LEGALIZACE" << QStringList{"ComboBox14=Jan Novák", "ComboBox7=1", "Edit3=Brno", "Edit4=1"}
        << "Vyberte prosím druh dokladu."
        << "ComboBox7";
    QTest::newRow("legalization: address") << "LEGALIZACE" << QStringList{"ComboBox14=Jan Novák"}
                                           << "Zapomněli jste vyplnit adresu místa pobytu."
                                           << "Edit3";
    QTest::newRow("legalization: number") << "LEGALIZACE" << QStringList{"ComboBox14=Jan Novák", "Edit3= "}
                                          << "Zapomněli jste vyplnit číslo dokladu."
                                          << "Edit4";
    QTest::newRow("intention number")
        << "ZÁMĚR" << QStringList{} << "Zapomněli jste vyplnit číslo záměru obce."
        << "Edit2";
    QTest::newRow("intention resolution")
        << "ZÁMĚR" << QStringList{"Edit2=1"}
        << "Zapomněli jste vyplnit číslo usnesení, kterým byla tato smlouva schválena."
        << "Edit5";
    QTest::newRow("approval resolution")
        << "SCHVÁLENÍ" << QStringList{}
        << "Zapomněli jste vyplnit číslo usnesení, kterým byla tato smlouva schválena."
        << "Edit6";
}

void TestPrint::checksRefuseWithFocus() {
    QFETCH(QString, tab);
    QFETCH(QStringList, fill);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/refused.pdf"));
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    selectTab(*f, tab);
    child<QLineEdit>(f, "Edit6")->clear();
    for (const QString& entry : fill) {
        const QString name = entry.section(u'=', 0, 0), value = entry.section(u'=', 1);
        QWidget* w = f->findChild<QWidget*>(name);
        if (auto* s = qobject_cast<QSpinBox*>(w))
            s->setValue(value.toInt());
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(value);
        else if (auto* c = qobject_cast<QComboBox*>(w); c && c->isEditable())
            c->setEditText(value);
        else if (c) {
            // As a restored saved clause sets it: no change handler runs.
            const QSignalBlocker block(c);
            c->setCurrentIndex(value.toInt());
        }
    }
    const QString lastPrinted = readSetting("App", "last printed");
    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts, QStringList{message});
    QCOMPARE(f->focusWidget() ? f->focusWidget()->objectName() : QString(), focus);
    QCOMPARE(closer.shown, 0);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(readSetting("App", "last printed"), lastPrinted);
    QCOMPARE(marked(*f), QList<int>{1});
}

void TestPrint::documentCheckConfirmation_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<bool>("printed");
    const QString danger =
        QStringLiteral("Tento doklad byl nalezen v databázi neplatných dokladů MVČR. Opravdu chcete "
                       "vytisknout legalizační doložku?");
    const QString error =
        QStringLiteral("Ověřování dokladu vůči databázi neplatných dokladů MVČR skončilo chybou. "
                       "Opravdu chcete vytisknout legalizační doložku?");
    QTest::newRow("danger, cancel") << "danger"
                                    << "Zrušit" << QStringList{danger} << false;
    QTest::newRow("danger, ok") << "danger"
                                << "OK" << QStringList{danger} << true;
    QTest::newRow("error, ok") << "error"
                               << "OK" << QStringList{error} << true;
    QTest::newRow("ok") << "ok"
                        << "OK" << QStringList{} << true;
    QTest::newRow("changed") << "?"
                             << "OK" << QStringList{} << true;
}

// Asked whatever the kind: here on the copy-verification tab.
void TestPrint::documentCheckConfirmation() {
    QFETCH(QString, state);
    QFETCH(QString, answer);
    QFETCH(QStringList, asked);
    QFETCH(bool, printed);
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/confirm.pdf"));
    f->documentCheckState = state;
    MessageBoxAnswerer answerer(answer);
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts, asked);
    QCOMPARE(QFile::exists(pdf), printed);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), printed ? 2 : 1);
    QCOMPARE(f->documentCheckState, state);
}

void TestPrint::noMarkShowsMessageAndFollowsUp() {
    writeSettings({"[App]", "last printed=5"});
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/none.pdf"));
    mark(*f, {});
    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts,
             QStringList{"Není vybrán žádný štítek. Označte nejprve čísla štítků, na které chcete "
                         "doložku vytisknout."});
    QCOMPARE(closer.shown, 1);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 1);
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("5"));
    QCOMPARE(marked(*f), QList<int>{6});
}

void TestPrint::badSettingsStopBeforeTheJob_data() {
    QTest::addColumn<QStringList>("ini");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters in geometry")
        << QStringList{"[Stitky]", "c=abc"} << "'abc' is not a valid integer value";
    QTest::newRow("decimal comma") << QStringList{"[Stitky]", "x=78,5"}
                                   << "'78,5' is not a valid integer value";
    QTest::newRow("empty dpi") << QStringList{"[Printer]", "dpi="} << "'' is not a valid integer value";
    QTest::newRow("font size") << QStringList{"[Font]", "NadpisVelikost=osm"}
                               << "'osm' is not a valid integer value";
    QTest::newRow("zero dpi") << QStringList{"[Printer]", "dpi=0"}
                              << "Rozlišení tiskárny [Printer] dpi musí být kladné číslo, v nastavení je 0.";
}

void TestPrint::badSettingsStopBeforeTheJob() {
    QFETCH(QStringList, ini);
    QFETCH(QString, message);
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/bad.pdf"));
    // A hand edit while the program runs, seen by the next print.
    SettingsStore s(DataDir::settingsFile());
    s.WriteString(ini[0].mid(1, ini[0].size() - 2), ini[1].section(u'=', 0, 0), ini[1].section(u'=', 1));
    mark(*f, {4});
    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts, QStringList{message});
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("12"));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 1);
    QCOMPARE(closer.shown, 0);
    QCOMPARE(marked(*f), QList<int>{4});
}

// The settings file turns read-only: the order number cannot be stored, so
// nothing may be printed and the numbers on screen stay where they were.
void TestPrint::failedJobConsumesNoNumber() {
    writeSettings({"[Cislovani]", "Vidimace-legalizace=40"});
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/failed.pdf"));
    mark(*f, {1, 2});
    QFile::setPermissions(DataDir::settingsFile(), QFile::ReadOwner);
    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    f->Button1Click();
    QFile::setPermissions(DataDir::settingsFile(), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(answerer.texts,
             QStringList{QStringLiteral("Unable to write to %1").arg(DataDir::settingsFile())});
    QCOMPARE(child<QSpinBox>(f, "SpinEdit2")->value(), 40);
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 40);
    QCOMPARE(readSetting("Cislovani", "Vidimace-legalizace"), QStringLiteral("40"));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(closer.shown, 0);
}

// The data folder's disk is full: the next number cannot be stored, so the
// clerk is told, nothing is printed and the settings file stays as it was
// (a truncated file would offer the first number again at the next start).
void TestPrint::fullDiskStopsThePrintAndKeepsTheSettings() {
    // Room for the journal's database and its companion files once the disk is free again.
    SmallFileSystem fs(1024 * 1024);
    REQUIRE_SMALL_FILE_SYSTEM(fs);
    qputenv("APPDATA", QFile::encodeName(fs.path()));
    writeSettings({"[Cislovani]", "Vidimace-legalizace=40"});
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/full.pdf"));
    mark(*f, {1, 2});
    const QByteArray before = readBytes(DataDir::settingsFile());
    QVERIFY(before.contains("Vidimace-legalizace=40\r\n"));
    QVERIFY(fs.fillLeaving(4096));

    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    child<QToolButton>(f.get(), "Button1")->click();
    // Whichever comes first, the journal of issued numbers or the settings file, is named.
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0] == QStringLiteral("Unable to write to %1").arg(DataDir::settingsFile()) ||
                 answerer.texts[0].startsWith(
                     QStringLiteral("Unable to write to %1 (").arg(DataDir::journalFile())),
             qPrintable(answerer.texts[0]));
    QCOMPARE(readBytes(DataDir::settingsFile()), before);
    QCOMPARE(QDir(DataDir::directory()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")),
             QStringList{});
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(closer.shown, 0);
    QCOMPARE(child<QSpinBox>(f.get(), "SpinEdit2")->value(), 40);

    // With room again the same TISK prints and stores the next number.
    QVERIFY(fs.removeFiller());
    QVERIFY(f->journal().entries().isEmpty()); // no number was issued
    child<QToolButton>(f.get(), "Button1")->click();
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(readSetting("Cislovani", "Vidimace-legalizace"), QStringLiteral("42"));
}

// The job cannot start (here: the document cannot be created): the numbers
// issued for it go back and nothing else changes.
void TestPrint::jobThatCannotStartGivesNumbersBack() {
    writeSettings({"[App]", "last printed=2", "[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]",
                   "VybranaKniha-Legalizace=1"});
    auto f = createWindows();
    printToPdf(*f, m_box->root() + QStringLiteral("/no/such/folder/job.pdf"));
    selectTab(*f, QStringLiteral("LEGALIZACE"));
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Jan Novák"));
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Brno"));
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123"));
    mark(*f, {3, 4, 5});
    MessageBoxAnswerer answerer;
    BookWindowCloser closer(*f);
    f->Button1Click();
    QCOMPARE(answerer.texts.size(), 1);
    QVERIFY2(answerer.texts[0].startsWith(QStringLiteral("Tiskovou úlohu se nepodařilo zahájit")),
             qPrintable(answerer.texts[0]));
    QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), 15);
    QCOMPARE(readSetting("Knihy", "cisloKniha1"), QStringLiteral("15"));
    QCOMPARE(readSetting("App", "last printed"), QStringLiteral("2"));
    QCOMPARE(marked(*f), (QList<int>{3, 4, 5}));
    QCOMPARE(closer.shown, 0);
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
