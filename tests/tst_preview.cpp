#include "TestSupport.h"
#include "UiSupport.h"

#include "clauses/SheetPreview.h"
#include "preview/PreviewWindow.h"
#include "printing/Pen.h"
#include "printing/PrintJob.h"
#include "printing/SheetRecorder.h"
#include "settings/DataDir.h"
#include "support/RecordingJob.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollArea>
#include <functional>

namespace {

void selectTab(TForm1& f, const QString& caption) {
    auto* tabs = child<QTabBar>(f, "TabControl1");
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == caption)
            tabs->setCurrentIndex(i);
    QCOMPARE(f.selectedKind(), caption);
}

QList<int> marked(const TForm1& f) {
    QList<int> out;
    for (int n = 1; n <= 12; ++n)
        if (f.isMarked(n))
            out << n;
    return out;
}

QList<int> allPositions() {
    QList<int> all;
    for (int n = 1; n <= 12; ++n)
        all << n;
    return all;
}

void fillLegalization(TForm1& f, const QString& applicant, const QString& address) {
    selectTab(f, QStringLiteral("LEGALIZACE"));
    child<QComboBox>(f, "ComboBox14")->setEditText(applicant);
    child<QLineEdit>(f, "Edit3")->setText(address);
    child<QComboBox>(f, "ComboBox7")->setCurrentIndex(0);
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("123456789"));
}

const QString kApplicant = QStringLiteral("Jan Novák, 07.03.1985, Brno");
const QString kAddress = QStringLiteral("Masarykova 1234/56, 602 00 Brno");
// 113 characters, as a clerk typed a name with every title, both birth
// places and the district.
const QString kLongApplicant = QStringLiteral("prof. Ing. Mgr. Jan Nepomuk Maria Novák-Svobodový, Ph.D., "
                                              "DrSc., nar. 07.03.1985, Brno-Královo Pole, okres Brno");

ClauseParticulars gathered(TForm1& f, ClauseKind kind) {
    switch (kind) {
    case ClauseKind::CopyVerification:
        return f.gatherCopyVerification();
    case ClauseKind::Legalization:
        return f.gatherLegalization();
    case ClauseKind::Intention:
        return f.gatherIntention();
    case ClauseKind::Approval:
        break;
    }
    return f.gatherApproval();
}

SheetPreview measuredPreview(TForm1& f, ClauseKind kind, const QList<int>& positions) {
    ClauseBatch batch(f.settings(), kind, positions, f.orderNumbers());
    PrinterMetrics metrics(batch.dpi());
    return previewClauses(f.settings(), batch, gathered(f, kind), metrics.surface());
}

// What stands in the data directory: every file with its bytes.
QMap<QString, QByteArray> dataFiles() {
    QMap<QString, QByteArray> files;
    const QDir dir(DataDir::directory());
    for (const QString& name : dir.entryList(QDir::Files))
        files.insert(name, readBytes(dir.filePath(name)));
    return files;
}

// Runs act on the preview window as soon as it is up (inside its modal loop).
class WhenPreviewShown : public QObject {
public:
    explicit WhenPreviewShown(std::function<void(TForm7&)> act) : m_act(std::move(act)) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* w = qobject_cast<TForm7*>(QApplication::activeModalWidget());
            if (w && w->isVisible() && m_act) {
                ++shown;
                std::exchange(m_act, nullptr)(*w);
            }
        });
        m_timer.start();
    }
    int shown = 0;

private:
    std::function<void(TForm7&)> m_act;
    QTimer m_timer;
};

// With LORVENA_PREVIEW_SHOTS set, keeps a picture of the window there.
void keepShot(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("LORVENA_PREVIEW_SHOTS");
    if (dir.isEmpty())
        return;
    QTest::qWait(50);
    w.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_box = std::make_unique<AppDataSandbox>(); }
    void cleanup() { m_box.reset(); }

    void metricsAreThePrinters_data();
    void metricsAreThePrinters();
    void drawsWhatThePrintDraws_data();
    void drawsWhatThePrintDraws();
    void defaultsFitTheirLabels_data();
    void defaultsFitTheirLabels();
    void overflowIsFound_data();
    void overflowIsFound();
    void questionNamesTheWorstOverflow();
    void previewChangesNothing_data();
    void previewChangesNothing();
    void printFromThePreview();
    void zoom();
    void overflowAsksBeforePrinting_data();
    void overflowAsksBeforePrinting();
    void bookLabelPreview_data();
    void bookLabelPreview();
    void bookLabelOverflowAsks();

private:
    std::unique_ptr<AppDataSandbox> m_box;
};

void TestPreview::metricsAreThePrinters_data() {
    QTest::addColumn<int>("dpi");
    QTest::newRow("600 dpi") << 600;
    QTest::newRow("300 dpi") << 300;
}

// The overflow is measured as the job measures: the same widths and line
// heights as a painter on the program's printer at the configured resolution.
void TestPreview::metricsAreThePrinters() {
    QFETCH(int, dpi);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_box->root() + QStringLiteral("/metrics.pdf"));
    PrintJob job(printer, dpi);
    PrinterMetrics metrics(dpi);
    const QString text = QStringLiteral("Jan Novák, 07.03.1985, Brno – Masarykova 1234/56 WWW iii");
    for (int size : {4, 6, 7, 8, 10})
        for (bool bold : {false, true}) {
            job.surface().setFont(QStringLiteral("Arial"), size, bold, false);
            metrics.surface().setFont(QStringLiteral("Arial"), size, bold, false);
            QCOMPARE(metrics.surface().textWidth(text), job.surface().textWidth(text));
            QCOMPARE(metrics.surface().textHeight(text), job.surface().textHeight(text));
        }
}

void TestPreview::drawsWhatThePrintDraws_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("copy verification, 1 2 7") << QStringLiteral("VIDIMACE") << QList<int>{1, 2, 7};
    QTest::newRow("legalization, whole sheet") << QStringLiteral("LEGALIZACE") << allPositions();
    QTest::newRow("intention, 12") << QStringLiteral("ZÁMĚR") << QList<int>{12};
    QTest::newRow("approval, 3 4") << QStringLiteral("SCHVÁLENÍ") << QList<int>{3, 4};
}

// The preview goes the print's way: the same runs at the same places in the
// same fonts, with the designations the print then issues.
void TestPreview::drawsWhatThePrintDraws() {
    QFETCH(QString, tab);
    QFETCH(QList<int>, positions);
    writeSettings({"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]", "VybranaKniha-Vidimace=1",
                   "Vidimace-legalizace=40"});
    auto f = createWindows();
    selectTab(*f, tab);
    fillLegalization(*f, kApplicant, kAddress);
    selectTab(*f, tab);
    child<QLineEdit>(f, "Edit2")->setText(QStringLiteral("7/2025"));
    child<QLineEdit>(f, "Edit5")->setText(QStringLiteral("12/2025"));
    child<QLineEdit>(f, "Edit6")->setText(QStringLiteral("3/2025"));
    const ClauseKind kind = *clauseKindOf(tab);

    RecordingSurface metrics;
    ClauseBatch previewBatch(f->settings(), kind, positions, f->orderNumbers());
    const SheetPreview preview = previewClauses(f->settings(), previewBatch, gathered(*f, kind), metrics);

    ClauseBatch printBatch(f->settings(), kind, positions, f->orderNumbers());
    RecordingJob job;
    const BatchSummary printed = printBatch.run(job, gathered(*f, kind));

    const QList<RecordedRun>& runs = job.surface.runs();
    QCOMPARE(preview.runs.size(), runs.size());
    QVERIFY(!runs.isEmpty());
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const DrawnRun& p = preview.runs[i];
        QCOMPARE(p.text, runs[i].text);
        QCOMPARE(p.cell.topLeft(), QPoint(runs[i].x, runs[i].y));
        QCOMPARE(p.face, runs[i].face);
        QCOMPARE(p.pointSize, runs[i].size);
        QCOMPARE(p.bold, runs[i].bold);
        QCOMPARE(p.strikeOut, runs[i].strikeOut);
        QVERIFY2(positions.contains(p.label), qPrintable(p.text));
    }
    QCOMPARE(preview.images.size(), job.surface.images().size());
    QCOMPARE(preview.summary.issued.size(), printed.issued.size());
    for (qsizetype i = 0; i < printed.issued.size(); ++i)
        QCOMPARE(preview.summary.issued[i].designation, printed.issued[i].designation);
    QCOMPARE(preview.marked, positions);
    QCOMPARE(preview.labels.size(), 12);
}

void TestPreview::defaultsFitTheirLabels_data() {
    QTest::addColumn<QString>("tab");
    for (const char* tab : {"VIDIMACE", "LEGALIZACE", "ZÁMĚR", "SCHVÁLENÍ"})
        QTest::newRow(tab) << QString::fromUtf8(tab);
}

// A fresh installation's clauses with ordinary particulars fit, so "TISK"
// asks nothing on an ordinary day.
void TestPreview::defaultsFitTheirLabels() {
    QFETCH(QString, tab);
    auto f = createWindows();
    fillLegalization(*f, kApplicant, kAddress);
    selectTab(*f, tab);
    child<QLineEdit>(f, "Edit2")->setText(QStringLiteral("7/2025"));
    child<QLineEdit>(f, "Edit5")->setText(QStringLiteral("12/2025"));
    child<QLineEdit>(f, "Edit6")->setText(QStringLiteral("3/2025"));
    const SheetPreview preview = measuredPreview(*f, *clauseKindOf(tab), allPositions());
    QVERIFY(!preview.runs.isEmpty());
    QVERIFY2(preview.overflows.isEmpty(), qPrintable(overflowQuestion(preview.overflows)));
}

void TestPreview::overflowIsFound_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("applicant");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("line");
    QTest::newRow("long name") << QStringLiteral("LEGALIZACE") << QStringList() << kLongApplicant << kAddress
                               << true << QStringLiteral("jméno žadatele");
    QTest::newRow("long address")
        << QStringLiteral("LEGALIZACE") << QStringList() << kApplicant
        << QStringLiteral(
               "Na Vyhlídce nad Údolím Svratky 1234/56a, Brno-Královo Pole, 612 00 Brno, Česká republika")
        << true << QStringLiteral("adresa žadatele");
    QTest::newRow("intention at 7 pt")
        << QStringLiteral("ZÁMĚR") << QStringList{"[Font]", "ZakladniVelikost=7"} << kApplicant << kAddress
        << true << QString();
    QTest::newRow("approval at 7 pt")
        << QStringLiteral("SCHVÁLENÍ") << QStringList{"[Font]", "ZakladniVelikost=7"} << kApplicant
        << kAddress << true << QString();
    QTest::newRow("intention at 9 pt")
        << QStringLiteral("ZÁMĚR") << QStringList{"[Font]", "ZakladniVelikost=9"} << kApplicant << kAddress
        << true << QString();
    QTest::newRow("narrow labels") << QStringLiteral("VIDIMACE") << QStringList{"[Stitky]", "x=40"}
                                   << kApplicant << kAddress << true << QString();
    QTest::newRow("low labels") << QStringLiteral("LEGALIZACE") << QStringList{"[Stitky]", "c=25"}
                                << kApplicant << kAddress << false << QString();
}

// Measured with the printer's metrics: the run that crosses an edge is
// found on every position, on the right line, by its distance past the edge.
void TestPreview::overflowIsFound() {
    QFETCH(QString, tab);
    QFETCH(QStringList, settings);
    QFETCH(QString, applicant);
    QFETCH(QString, address);
    QFETCH(bool, right);
    QFETCH(QString, line);
    if (!settings.isEmpty())
        writeSettings(settings);
    auto f = createWindows();
    fillLegalization(*f, applicant, address);
    selectTab(*f, tab);
    child<QLineEdit>(f, "Edit2")->setText(QStringLiteral("7/2025"));
    child<QLineEdit>(f, "Edit5")->setText(QStringLiteral("12/2025"));
    child<QLineEdit>(f, "Edit6")->setText(QStringLiteral("3/2025"));
    const SheetPreview preview = measuredPreview(*f, *clauseKindOf(tab), {3, 4});
    QVERIFY(!preview.overflows.isEmpty());
    for (int position : {3, 4})
        QVERIFY(preview.overflowsAt(position));
    const LabelOverflow& o = preview.overflows.first();
    QCOMPARE(o.position, 3);
    QCOMPARE(o.edge, right ? LabelOverflow::Edge::Right : LabelOverflow::Edge::Bottom);
    if (!line.isEmpty())
        QCOMPARE(o.line, line);
    const QRect label = preview.labels[2];
    const int past =
        right ? o.cell.right() + 1 - (label.right() + 1) : o.cell.bottom() + 1 - (label.bottom() + 1);
    QCOMPARE(o.pixels, past);
    QVERIFY(o.pixels > 0);
    QVERIFY(qAbs(o.millimetres - o.pixels * 25.4 / preview.dpi) < 1e-9);
    const QString question = overflowQuestion(preview.overflows);
    QVERIFY2(question.startsWith(QStringLiteral("Text doložky na štítku 3 přesahuje %1 okraj štítku o ")
                                     .arg(right ? QStringLiteral("pravý") : QStringLiteral("spodní"))),
             qPrintable(question));
    QVERIFY2(question.endsWith(QStringLiteral(" Přesto tisknout?")), qPrintable(question));
}

void TestPreview::questionNamesTheWorstOverflow() {
    auto overflow = [](int position, LabelOverflow::Edge edge, int pixels, const char* line) {
        LabelOverflow o;
        o.position = position;
        o.edge = edge;
        o.pixels = pixels;
        o.millimetres = pixels * 25.4 / 600;
        o.line = QString::fromUtf8(line);
        return o;
    };
    QCOMPARE(overflowQuestion({}), QString());
    QCOMPARE(overflowQuestion({overflow(3, LabelOverflow::Edge::Right, 893, "jméno žadatele")}),
             QStringLiteral("Text doložky na štítku 3 přesahuje pravý okraj štítku o 37,8 mm (řádek: jméno "
                            "žadatele). Přesto tisknout?"));
    QCOMPARE(overflowQuestion({overflow(1, LabelOverflow::Edge::Bottom, 24, "3. řádek"),
                               overflow(5, LabelOverflow::Edge::Right, 118, "adresa žadatele"),
                               overflow(6, LabelOverflow::Edge::Right, 118, "adresa žadatele")}),
             QStringLiteral("Text doložky na štítku 5 přesahuje pravý okraj štítku o 5,0 mm (řádek: adresa "
                            "žadatele). Přesahuje také na štítcích 1, 6. Přesto tisknout?"));
}

void TestPreview::previewChangesNothing_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<bool>("fromProgramMenu");
    QTest::newRow("copy verification, split button") << QStringLiteral("VIDIMACE") << false;
    QTest::newRow("legalization, program menu") << QStringLiteral("LEGALIZACE") << true;
    QTest::newRow("intention, program menu") << QStringLiteral("ZÁMĚR") << true;
    QTest::newRow("approval, program menu") << QStringLiteral("SCHVÁLENÍ") << true;
}

// The preview issues no number, writes no file, saves no clause, opens no
// job and leaves the marks; the checks of the kind do not stop it.
void TestPreview::previewChangesNothing() {
    QFETCH(QString, tab);
    QFETCH(bool, fromProgramMenu);
    writeSettings({"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]", "VybranaKniha-Vidimace=1"});
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/sheet.pdf"));
    fillLegalization(*f, kLongApplicant, kAddress);
    // A refused field (no document number) still shows as it would print.
    child<QLineEdit>(f, "Edit4")->clear();
    child<QCheckBox>(f, "CheckBox1")->setChecked(true);
    selectTab(*f, tab);
    mark(*f, allPositions());
    f->documentCheckState = QStringLiteral("danger");
    const QMap<QString, QByteArray> before = dataFiles();
    const OrderNumbers numbers = f->orderNumbers();

    QString summary;
    WhenPreviewShown act([&](TForm7& w) {
        QCOMPARE(w.windowTitle(), QStringLiteral("Náhled tisku"));
        summary = child<QLabel>(w, "Label1")->text();
        keepShot(w, QStringLiteral("preview-") + tab.toLower());
        QTest::mouseClick(child<QPushButton>(w, "Button5"), Qt::LeftButton);
        keepShot(w, QStringLiteral("preview-fit-") + tab.toLower());
        QTest::mouseClick(child<QPushButton>(w, "Button2"), Qt::LeftButton);
    });
    MessageBoxAnswerer boxes;
    auto* menu = fromProgramMenu ? f->menuBar()->findChild<QMenu*>() : child<QMenu>(f, "PopupMenu1");
    QVERIFY(menu);
    QAction* action = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == u"Nahledtisku1")
            action = a;
    QVERIFY(action);
    QCOMPARE(action->text().remove(u'&'), QStringLiteral("Náhled tisku"));
    action->trigger();

    QCOMPARE(act.shown, 1);
    QCOMPARE(boxes.texts, QStringList());
    QCOMPARE(dataFiles(), before);
    QCOMPARE(f->orderNumbers().copyVerification, numbers.copyVerification);
    QCOMPARE(f->orderNumbers().legalization, numbers.legalization);
    QCOMPARE(marked(*f), allPositions());
    QVERIFY(child<QCheckBox>(f, "CheckBox1")->isChecked());
    QVERIFY(!QFileInfo::exists(pdf));
    if (tab == u"LEGALIZACE")
        QVERIFY2(summary.contains(QStringLiteral("Na štítcích 1–12 text přesahuje pravý okraj o ")) &&
                     summary.contains(QStringLiteral("(řádek: jméno žadatele)")),
                 qPrintable(summary));
}

// "Tisk" in the preview is the real "TISK": the job goes out and the
// numbers the preview showed are issued.
void TestPreview::printFromThePreview() {
    writeSettings({"[Knihy]", "Kniha1=A", "cisloKniha1=15", "[Cislovani]", "VybranaKniha-Vidimace=1"});
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/sheet.pdf"));
    selectTab(*f, QStringLiteral("VIDIMACE"));
    mark(*f, {1, 2});
    WhenPreviewShown act(
        [&](TForm7& w) { QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton); });
    BookWindowCloser closer(*f);
    f->Nahledtisku1Click();
    QCOMPARE(act.shown, 1);
    QCOMPARE(closer.shown, 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(readSetting("Knihy", "cisloKniha1"), QStringLiteral("17"));
    QCOMPARE(marked(*f), QList<int>{3});
}

void TestPreview::zoom() {
    auto f = createWindows();
    SheetPreview sheet;
    sheet.dpi = 600;
    TForm7 w(f.get(), sheet);
    w.show();
    const double start = w.view()->zoom();
    const QSize page = w.view()->pageSize();
    QTest::mouseClick(child<QPushButton>(w, "Button3"), Qt::LeftButton);
    QVERIFY(w.view()->zoom() > start);
    QVERIFY(w.view()->pageSize().width() > page.width());
    QTest::mouseClick(child<QPushButton>(w, "Button4"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(w, "Button4"), Qt::LeftButton);
    QVERIFY(w.view()->zoom() < start);
    for (int i = 0; i < 50; ++i)
        QTest::mouseClick(child<QPushButton>(w, "Button3"), Qt::LeftButton);
    QCOMPARE(w.view()->zoom(), SheetView::kMaxZoom);
    QTest::mouseClick(child<QPushButton>(w, "Button5"), Qt::LeftButton);
    const QSize room = child<QScrollArea>(w, "ScrollBox1")->viewport()->size();
    QVERIFY(w.view()->width() <= room.width() && w.view()->height() <= room.height());
    QVERIFY(w.view()->width() >= room.width() - 4 || w.view()->height() >= room.height() - 4);
}

void TestPreview::overflowAsksBeforePrinting_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("cancel") << QStringLiteral("Zrušit");
    QTest::newRow("ok") << QStringLiteral("OK");
}

// One question before anything is written; Cancel leaves everything as it was.
void TestPreview::overflowAsksBeforePrinting() {
    QFETCH(QString, answer);
    auto f = createWindows();
    const QString pdf = printToPdf(*f, m_box->root() + QStringLiteral("/sheet.pdf"));
    fillLegalization(*f, kLongApplicant, kAddress);
    child<QCheckBox>(f, "CheckBox1")->setChecked(true);
    mark(*f, {3});
    const QMap<QString, QByteArray> before = dataFiles();
    const int number = child<QSpinBox>(f, "SpinEdit4")->value();
    MessageBoxAnswerer boxes(answer);
    BookWindowCloser closer(*f);
    QTest::mouseClick(child<QToolButton>(f, "Button1"), Qt::LeftButton);
    // Asked once; after OK the print goes on as ever (the saved clause is announced).
    QCOMPARE(boxes.texts.filter(QStringLiteral("přesahuje")).size(), 1);
    QVERIFY2(
        boxes.texts[0].startsWith(QStringLiteral("Text doložky na štítku 3 přesahuje pravý okraj štítku o ")),
        qPrintable(boxes.texts[0]));
    QVERIFY(boxes.texts[0].endsWith(QStringLiteral(" mm (řádek: jméno žadatele). Přesto tisknout?")));
    if (answer == u"Zrušit") {
        QCOMPARE(dataFiles(), before);
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), number);
        QCOMPARE(marked(*f), QList<int>{3});
        QVERIFY(child<QCheckBox>(f, "CheckBox1")->isChecked());
        QCOMPARE(closer.shown, 0);
    } else {
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(child<QSpinBox>(f, "SpinEdit4")->value(), number + 1);
        QCOMPARE(closer.shown, 1);
    }
}

void TestPreview::bookLabelPreview_data() {
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("over");
    QTest::newRow("copy verification") << QStringLiteral("VIDIMACE") << QStringLiteral("rodný list") << false;
    QTest::newRow("copy verification, long item")
        << QStringLiteral("VIDIMACE")
        << QStringLiteral("rodný list, oddací list, úmrtní list, výpis z rejstříku trestů, výpis z katastru "
                          "nemovitostí, plná moc, smlouva o převodu")
        << true;
    QTest::newRow("legalization") << QStringLiteral("LEGALIZACE") << QStringLiteral("kupní smlouva") << false;
}

// The book window's "Náhled": the six-label sheet with the marked label,
// nothing written; a long item is outlined and named.
void TestPreview::bookLabelPreview() {
    QFETCH(QString, tab);
    QFETCH(QString, item);
    QFETCH(bool, over);
    auto f = createWindows();
    fillLegalization(*f, kApplicant, kAddress);
    selectTab(*f, tab);
    mark(*f, allPositions());
    TForm5& w = *f->Form5;
    w.show();
    const bool copy = tab == u"VIDIMACE";
    child<QLineEdit>(w, copy ? "Edit2" : "Edit5")->setText(item);
    const QMap<QString, QByteArray> before = dataFiles();

    QString summary;
    int red = 0;
    WhenPreviewShown act([&](TForm7& p) {
        summary = child<QLabel>(p, "Label1")->text();
        keepShot(p, QStringLiteral("book-") + tab.toLower() + (over ? QStringLiteral("-over") : QString()));
        // The outline is red where the text runs over.
        const QImage page = p.view()->grab().toImage();
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                red += c.red() > 180 && c.green() < 60 && c.blue() < 60;
            }
        QTest::mouseClick(child<QPushButton>(p, "Button2"), Qt::LeftButton);
    });
    QCOMPARE(child<QPushButton>(w, "Button3")->text().remove(u'&'), QStringLiteral("Náhled"));
    keepShot(w, QStringLiteral("book-window-") + tab.toLower());
    QTest::mouseClick(child<QPushButton>(w, "Button3"), Qt::LeftButton);
    QCOMPARE(act.shown, 1);
    QCOMPARE(dataFiles(), before);
    QVERIFY(w.isVisible());
    QCOMPARE(summary.contains(copy ? QStringLiteral("druh listiny") : QStringLiteral("legalizovaná listina")),
             over);
    QCOMPARE(red > 0, over);
}

// "TISK" of the book window asks once before a record that runs over its
// label; Cancel writes nothing and keeps the window open.
void TestPreview::bookLabelOverflowAsks() {
    auto f = createWindows();
    printToPdf(*f, m_box->root() + QStringLiteral("/book.pdf"));
    selectTab(*f, QStringLiteral("VIDIMACE"));
    mark(*f, {1});
    TForm5& w = *f->Form5;
    w.show();
    child<QLineEdit>(w, "Edit2")->setText(QString(60, u'W'));
    const QMap<QString, QByteArray> before = dataFiles();
    MessageBoxAnswerer boxes(QStringLiteral("Zrušit"));
    QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY2(boxes.texts[0].contains(QStringLiteral("přesahuje pravý okraj štítku o ")),
             qPrintable(boxes.texts[0]));
    QVERIFY2(boxes.texts[0].contains(QStringLiteral("(řádek: druh listiny)")), qPrintable(boxes.texts[0]));
    QCOMPARE(dataFiles(), before);
    QVERIFY(!QFileInfo::exists(m_box->root() + QStringLiteral("/book.pdf")));
    QVERIFY(w.isVisible());
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
