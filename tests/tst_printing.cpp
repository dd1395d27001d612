#include "TestSupport.h"

#include "printing/ClauseFonts.h"
#include "printing/PainterSurface.h"
#include "printing/Pen.h"
#include "printing/SheetGeometry.h"
#include "printing/Units.h"
#include "settings/AppError.h"
#include "settings/SettingsStore.h"
#include "support/RecordingSurface.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <functional>
#include <limits>

namespace {

// The message of the AppError that f throws, or an empty text when it throws none.
QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const AppError& e) {
        return e.message().isEmpty() ? QStringLiteral("(empty message)") : e.message();
    }
    return {};
}

QString settingsPath() {
    return DataDir::settingsFile();
}

// A settings file holding exactly these lines.
SettingsStore storeWith(const QStringList& lines) {
    QDir().mkpath(DataDir::directory());
    writeWindowsIni(settingsPath(), lines);
    return SettingsStore(settingsPath());
}

// An image whose painter resolves points at dpi, as a printer does.
QImage paperImage(int width, int height, int dpi) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

bool isInk(QRgb pixel) {
    return qGray(pixel) < 128;
}

// The smallest rectangle holding every dark pixel.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int inkCount(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += isInk(image.pixel(x, y));
    return n;
}

// Longest run of dark pixels on one row: a struck-out text has a row that
// is ink almost from its first letter to its last.
int longestInkRow(const QImage& image) {
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = isInk(image.pixel(x, y)) ? run + 1 : 0;
            best = qMax(best, run);
        }
    }
    return best;
}

struct Rendered {
    QImage image;
    int width = 0;
    int height = 0;
};

Rendered render(const QString& text, int points, bool bold, bool strikeOut, int dpi, QPoint at) {
    Rendered r;
    r.image = paperImage(1600, 400, dpi);
    QPainter painter(&r.image);
    PainterSurface surface(painter);
    surface.setFont(QStringLiteral("Arial"), points, bold, strikeOut);
    surface.drawText(at.x(), at.y(), text);
    r.width = surface.textWidth(text);
    r.height = surface.textHeight(text);
    return r;
}

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_sandbox = std::make_unique<AppDataSandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void millimetresToPixels_data();
    void millimetresToPixels();
    void dpiComesFromSettingsOnEveryCall();
    void unusableDpiSetting_data();
    void unusableDpiSetting();

    void sheetOriginsWithDefaults_data();
    void sheetOriginsWithDefaults();
    void sheetLettersLandWhereTheyBelong();
    void sheetGeometryErrors_data();
    void sheetGeometryErrors();
    void farAwaySheetStillPrints();
    void bookSheetOrigins_data();
    void bookSheetOrigins();

    void fontsFromSettings();
    void badFontSizes_data();
    void badFontSizes();

    void penAdvancesByTheFontInForce();

    void painterSizesTextInPointsOfTheDevice();
    void painterPlacesTheTopOfTheCellAtY();
    void painterDrawsBoldAndStrikeOut();
    void painterStretchesImages();
    void pdfCarriesTextWherePlaced();

private:
    std::unique_ptr<AppDataSandbox> m_sandbox;
};

void TestPrinting::roundsHalfToEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half to zero") << 0.5 << 0.0;
    QTest::newRow("half up to even") << 1.5 << 2.0;
    QTest::newRow("half down to even") << 2.5 << 2.0;
    QTest::newRow("just below half") << 2.4999 << 2.0;
    QTest::newRow("just above half") << 2.5001 << 3.0;
    QTest::newRow("negative half to even") << -1.5 << -2.0;
    QTest::newRow("negative half down") << -2.5 << -2.0;
    QTest::newRow("negative fraction") << -47.244 << -47.0;
    QTest::newRow("whole") << 7.0 << 7.0;
}

void TestPrinting::roundsHalfToEven() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(roundHalfEven(value), rounded);
}

void TestPrinting::millimetresToPixels_data() {
    QTest::addColumn<int>("mm");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QString>("error"); // a word of the expected message, empty for none
    const int intMax = std::numeric_limits<int>::max();
    QTest::newRow("0 mm") << 0 << 600 << 0 << "";
    QTest::newRow("2 mm") << 2 << 600 << 47 << "";
    QTest::newRow("5 mm") << 5 << 600 << 118 << "";
    QTest::newRow("15 mm") << 15 << 600 << 354 << "";
    QTest::newRow("16 mm") << 16 << 600 << 378 << "";
    QTest::newRow("47 mm") << 47 << 600 << 1110 << "";
    QTest::newRow("78 mm") << 78 << 600 << 1843 << "";
    QTest::newRow("5 mm at 300") << 5 << 300 << 59 << "";
    QTest::newRow("2 mm at 300") << 2 << 300 << 24 << "";
    QTest::newRow("negative") << -2 << 600 << -47 << "";
    QTest::newRow("largest product") << 3579139 << 600 << 84546591 << "";
    QTest::newRow("largest negative product") << -3579139 << 600 << -84546591 << "";
    QTest::newRow("product just beyond 32 bits") << 3579140 << 600 << 0 << "nesmyslně velká";
    QTest::newRow("negative product beyond 32 bits") << -3579140 << 600 << 0 << "nesmyslně velká";
    QTest::newRow("largest millimetres") << intMax << 600 << 0 << "nesmyslně velká";
    QTest::newRow("largest dpi") << 1 << intMax << 84546600 << "";
    QTest::newRow("largest dpi, 2 mm") << 2 << intMax << 0 << "nesmyslně velká";
    QTest::newRow("zero dpi") << 5 << 0 << 0 << "kladné číslo";
    QTest::newRow("zero dpi, zero mm") << 0 << 0 << 0 << "kladné číslo";
    QTest::newRow("negative dpi") << 5 << -600 << 0 << "kladné číslo";
    QTest::newRow("smallest dpi") << 5 << std::numeric_limits<int>::min() << 0 << "kladné číslo";
}

void TestPrinting::millimetresToPixels() {
    QFETCH(int, mm);
    QFETCH(int, dpi);
    QFETCH(int, pixels);
    QFETCH(QString, error);
    int result = 0;
    const QString message = errorOf([&] { result = mmToDPI(mm, dpi); });
    if (error.isEmpty()) {
        QCOMPARE(message, QString());
        QCOMPARE(result, pixels);
    } else {
        QVERIFY2(message.contains(error), qPrintable(message));
    }
}

void TestPrinting::dpiComesFromSettingsOnEveryCall() {
    SettingsStore store = storeWith({"[Printer]", "dpi=600"});
    QCOMPARE(mmToDPI(store, 5), 118);
    store.WriteString("Printer", "dpi", "300");
    QCOMPARE(mmToDPI(store, 5), 59);
}

void TestPrinting::unusableDpiSetting_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("absent") << QStringList{"[Stitky]", "a=5"} << "'' is not a valid integer value";
    QTest::newRow("empty") << QStringList{"[Printer]", "dpi="} << "'' is not a valid integer value";
    QTest::newRow("letters") << QStringList{"[Printer]", "dpi=600dpi"}
                             << "'600dpi' is not a valid integer value";
    QTest::newRow("decimal") << QStringList{"[Printer]", "dpi=600.5"}
                             << "'600.5' is not a valid integer value";
    QTest::newRow("zero") << QStringList{"[Printer]", "dpi=0"}
                          << "Rozlišení tiskárny [Printer] dpi musí být kladné číslo, v nastavení je 0.";
    QTest::newRow("negative")
        << QStringList{"[Printer]", "dpi=-600"}
        << "Rozlišení tiskárny [Printer] dpi musí být kladné číslo, v nastavení je -600.";
}

void TestPrinting::unusableDpiSetting() {
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    const SettingsStore store = storeWith(lines);
    QCOMPARE(errorOf([&] { mmToDPI(store, 5); }), message);
    QCOMPARE(errorOf([&] { SheetGeometry::read(store); }), message);
}

void TestPrinting::sheetOriginsWithDefaults_data() {
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("origin");
    const int columns600[] = {425, 2622};
    const int rows600[] = {165, 1275, 2385, 3495, 4605, 5715};
    const int columns300[] = {213, 1311};
    const int rows300[] = {83, 638, 1193, 1748, 2303, 2858};
    for (int n = 1; n <= 12; ++n) {
        const int col = (n - 1) % 2;
        const int row = (n - 1) / 2;
        QTest::addRow("600 dpi, position %d", n) << "600" << n << QPoint(columns600[col], rows600[row]);
        QTest::addRow("300 dpi, position %d", n) << "300" << n << QPoint(columns300[col], rows300[row]);
    }
}

void TestPrinting::sheetOriginsWithDefaults() {
    QFETCH(QString, dpi);
    QFETCH(int, position);
    QFETCH(QPoint, origin);
    // No [Stitky] keys at all: the read defaults apply.
    const SettingsStore store = storeWith({"[Printer]", "dpi=" + dpi});
    QCOMPARE(SheetGeometry::read(store).textOrigin(position), origin);
}

void TestPrinting::sheetLettersLandWhereTheyBelong() {
    // At 254 dpi a millimetre is exactly ten pixels, so every letter shows.
    const SettingsStore store = storeWith(
        {"[Printer]", "dpi=254", "[Stitky]", "a=1", "b=2", "c=3", "d=4", "z=5", "y=6", "x=7", "w=8"});
    const SheetGeometry g = SheetGeometry::read(store);
    QCOMPARE(g.textOrigin(1), QPoint(50 + 60, 10 + 20));
    QCOMPARE(g.textOrigin(4), QPoint(70 + 80 + 50 + 60, 30 + 40 + 10 + 20));
    QCOMPARE(g.textOrigin(11), QPoint(50 + 60, 5 * (30 + 40) + 10 + 20));
    QCOMPARE(g.textOrigin(12), QPoint(70 + 80 + 50 + 60, 5 * (30 + 40) + 10 + 20));
}

void TestPrinting::sheetGeometryErrors_data() {
    QTest::addColumn<QStringList>("stitky");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters in a") << QStringList{"a=abc"} << "'abc' is not a valid integer value";
    QTest::newRow("letters in w") << QStringList{"w=15mm"} << "'15mm' is not a valid integer value";
    QTest::newRow("a is read before b")
        << QStringList{"b=bad", "a=worse"} << "'worse' is not a valid integer value";
    QTest::newRow("x is read before w")
        << QStringList{"w=late", "x=early"} << "'early' is not a valid integer value";
    QTest::newRow("empty value") << QStringList{"c="} << "'' is not a valid integer value";
    QTest::newRow("beyond 32 bits") << QStringList{"x=5000000"} << "nesmyslně velká";
    QTest::newRow("a kilometre of label") << QStringList{"c=1000000"} << "nesmyslně velké";
    QTest::newRow("far to the left") << QStringList{"z=-1000000"} << "nesmyslně velké";
}

void TestPrinting::sheetGeometryErrors() {
    QFETCH(QStringList, stitky);
    QFETCH(QString, message);
    const SettingsStore store = storeWith(QStringList{"[Printer]", "dpi=600", "[Stitky]"} + stitky);
    const QString error = errorOf([&] { SheetGeometry::read(store); });
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestPrinting::farAwaySheetStillPrints() {
    // Ten metres per value is absurd but representable: the origins are exact
    // and drawing there neither crashes nor hangs.
    const SettingsStore store = storeWith({"[Printer]", "dpi=600", "[Stitky]", "a=10000", "b=10000",
                                           "c=10000", "d=10000", "z=10000", "y=10000", "x=10000", "w=10000"});
    const SheetGeometry g = SheetGeometry::read(store);
    const int v = 236220;
    QCOMPARE(g.textOrigin(12), QPoint(4 * v, 5 * 2 * v + 2 * v));
    QImage image = paperImage(200, 200, 600);
    QPainter painter(&image);
    PainterSurface surface(painter);
    Pen pen(surface, g.textOrigin(12).x(), g.textOrigin(12).y());
    pen.printText(QStringLiteral("OVĚŘOVACÍ DOLOŽKA"));
    pen.printEnter();
    pen.drawImage(QRect(pen.lineX, pen.penY, 450, 320), paperImage(4, 4, 600));
    painter.end();
    QCOMPARE(inkCount(image), 0);

    for (int bad : {0, -1, 13, std::numeric_limits<int>::min()})
        QVERIFY(errorOf([&] { g.textOrigin(bad); }).contains(QStringLiteral("1 až 12")));
}

void TestPrinting::bookSheetOrigins_data() {
    QTest::addColumn<QStringList>("stitky");
    QTest::addColumn<int>("position");
    QTest::addColumn<QPoint>("origin");
    // kc 44 mm is 1039 px, ka 5 mm 118, kb 2 mm 47, kz 16 mm 378, ky 2 mm 47.
    QTest::newRow("defaults, first") << QStringList{} << 1 << QPoint(425, 165);
    QTest::newRow("defaults, last") << QStringList{} << 6 << QPoint(425, 5 * 1039 + 165);
    // The first-start values: ka 13 mm is 307 px, kz 38 mm 898 px.
    QTest::newRow("seeded, third") << QStringList{"ka=13", "kz=38"} << 3
                                   << QPoint(898 + 47, 2 * 1039 + 307 + 47);
    // The clause-sheet keys do not move the book sheet.
    QTest::newRow("clause keys ignored")
        << QStringList{"a=99", "c=1", "z=99"} << 2 << QPoint(425, 1039 + 165);
    QTest::newRow("gap between labels") << QStringList{"kd=2"} << 4 << QPoint(425, 3 * (1039 + 47) + 165);
}

void TestPrinting::bookSheetOrigins() {
    QFETCH(QStringList, stitky);
    QFETCH(int, position);
    QFETCH(QPoint, origin);
    const SettingsStore store = storeWith(QStringList{"[Printer]", "dpi=600", "[Stitky]"} + stitky);
    const BookSheetGeometry g = BookSheetGeometry::read(store);
    QCOMPARE(g.textOrigin(position), origin);
    QVERIFY(!errorOf([&] { g.textOrigin(7); }).isEmpty());
    QVERIFY(!errorOf([&] { g.textOrigin(0); }).isEmpty());

    const SettingsStore broken = storeWith({"[Printer]", "dpi=600", "[Stitky]", "kb=x", "ka=y"});
    QCOMPARE(errorOf([&] { BookSheetGeometry::read(broken); }),
             QStringLiteral("'y' is not a valid integer value"));
}

void TestPrinting::fontsFromSettings() {
    const ClauseFonts defaults = ClauseFonts::read(storeWith({"[Printer]", "dpi=600"}));
    QCOMPARE(defaults.basicFace, QStringLiteral("Arial"));
    QCOMPARE(defaults.basicSize, 6);
    QCOMPARE(defaults.headingFace, QStringLiteral("Arial"));
    QCOMPARE(defaults.headingSize, 8);
    QCOMPARE(defaults.dataFace, QStringLiteral("Arial"));

    const ClauseFonts set = ClauseFonts::read(
        storeWith({"[font]", "zakladnifont=Tahoma", "ZakladniVelikost=+7", "NadpisFont=Times New Roman",
                   "NadpisVelikost=12", "UdajeFont=Verdana", "UdajeVelikost=99"}));
    QCOMPARE(set.basicFace, QStringLiteral("Tahoma"));
    QCOMPARE(set.basicSize, 7);
    QCOMPARE(set.headingFace, QStringLiteral("Times New Roman"));
    QCOMPARE(set.headingSize, 12);
    QCOMPARE(set.dataFace, QStringLiteral("Verdana"));
}

void TestPrinting::badFontSizes_data() {
    QTest::addColumn<QStringList>("font");
    QTest::addColumn<QString>("message");
    QTest::newRow("letters") << QStringList{"ZakladniVelikost=šest"} << "'šest' is not a valid integer value";
    QTest::newRow("empty") << QStringList{"NadpisVelikost="} << "'' is not a valid integer value";
    QTest::newRow("basic read before heading")
        << QStringList{"NadpisVelikost=x", "ZakladniVelikost=y"} << "'y' is not a valid integer value";
    QTest::newRow("zero") << QStringList{"NadpisVelikost=0"}
                          << "Velikost písma [Font] NadpisVelikost musí být 1 až 100 bodů, v nastavení je 0.";
    QTest::newRow("huge")
        << QStringList{"ZakladniVelikost=5000"}
        << "Velikost písma [Font] ZakladniVelikost musí být 1 až 100 bodů, v nastavení je 5000.";
    QTest::newRow("largest allowed") << QStringList{"ZakladniVelikost=100", "NadpisVelikost=1"} << "";
}

void TestPrinting::badFontSizes() {
    QFETCH(QStringList, font);
    QFETCH(QString, message);
    const SettingsStore store = storeWith(QStringList{"[Font]"} + font);
    QCOMPARE(errorOf([&] { ClauseFonts::read(store); }), message);
}

void TestPrinting::penAdvancesByTheFontInForce() {
    RecordingSurface surface;
    Pen pen(surface, 100, 1000);
    pen.setFont("Basic", 6);
    pen.printText("abc"); // 3 x 6 x 10
    QCOMPARE(pen.penX, 280);
    pen.printText(QString());
    QCOMPARE(pen.penX, 280);
    QCOMPARE(surface.runs().size(), 1);
    pen.drawAt(5, 7, "heading");
    QCOMPARE(pen.penX, 280);
    QCOMPARE(pen.penY, 1000);
    pen.setSize(4);
    pen.printText("d");
    QCOMPARE(pen.penX, 320);
    // The break uses the size in force now, not the sizes of the runs on the line.
    pen.setSize(9);
    pen.printEnter();
    QCOMPARE(pen.penX, 100);
    QCOMPARE(pen.penY, 1000 + 9 * 20);

    const QList<RecordedRun>& runs = surface.runs();
    QCOMPARE(runs.size(), 3);
    QCOMPARE(QPoint(runs[0].x, runs[0].y), QPoint(100, 1000));
    QCOMPARE(QPoint(runs[1].x, runs[1].y), QPoint(5, 7));
    QCOMPARE(QPoint(runs[2].x, runs[2].y), QPoint(280, 1000));
    QCOMPARE(runs[2].size, 4);
}

void TestPrinting::painterSizesTextInPointsOfTheDevice() {
    const Rendered at600 = render("MMMM", 7, false, false, 600, QPoint(10, 10));
    const Rendered at1200 = render("MMMM", 7, false, false, 1200, QPoint(10, 10));
    // 7 points are 58 pixels of em at 600 dpi; the line is a little taller.
    QVERIFY2(at600.height >= 58 && at600.height <= 80, qPrintable(QString::number(at600.height)));
    QVERIFY2(qAbs(at1200.height - 2 * at600.height) <= 3,
             qPrintable(QStringLiteral("%1 vs %2").arg(at1200.height).arg(at600.height)));
    QVERIFY2(qAbs(at1200.width - 2 * at600.width) <= 4,
             qPrintable(QStringLiteral("%1 vs %2").arg(at1200.width).arg(at600.width)));
    const Rendered one = render("M", 7, false, false, 600, QPoint(10, 10));
    QVERIFY(qAbs(at600.width - 4 * one.width) <= 4);
    // The width measured is the width drawn.
    const QRect ink = inkBounds(at600.image);
    QVERIFY2(qAbs(ink.width() - at600.width) <= at600.width / 8,
             qPrintable(QStringLiteral("ink %1, measured %2").arg(ink.width()).arg(at600.width)));
}

void TestPrinting::painterPlacesTheTopOfTheCellAtY() {
    const QPoint at(300, 120);
    const Rendered r = render("MÉ", 20, false, false, 600, at);
    const QRect ink = inkBounds(r.image);
    QVERIFY(!ink.isEmpty());
    // Capitals start near x and hang below the top of the cell, inside it.
    QVERIFY2(ink.left() >= at.x() && ink.left() <= at.x() + r.height / 4,
             qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= at.y() && ink.bottom() < at.y() + r.height,
             qPrintable(QStringLiteral("%1..%2, cell %3").arg(ink.top()).arg(ink.bottom()).arg(r.height)));
}

void TestPrinting::painterDrawsBoldAndStrikeOut() {
    const QString text = QStringLiteral("vlastnoručně");
    const Rendered regular = render(text, 12, false, false, 600, QPoint(20, 20));
    const Rendered bold = render(text, 12, true, false, 600, QPoint(20, 20));
    const Rendered struck = render(text, 12, false, true, 600, QPoint(20, 20));
    QVERIFY(inkCount(bold.image) > inkCount(regular.image) * 6 / 5);
    QVERIFY(longestInkRow(regular.image) < regular.width / 3);
    QVERIFY(longestInkRow(struck.image) > struck.width * 9 / 10);
}

void TestPrinting::painterStretchesImages() {
    QImage logo(2, 2, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QImage page = paperImage(600, 400, 600);
    {
        QPainter painter(&page);
        PainterSurface surface(painter);
        surface.drawImage(QRect(100, 50, 300, 150), logo);
        surface.drawImage(QRect(0, 0, 50, 50), QImage()); // nothing to draw
    }
    QCOMPARE(page.pixel(250, 125), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(103, 53), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(396, 196), qRgb(255, 0, 0));
    QCOMPARE(page.pixel(95, 125), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(405, 125), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(250, 45), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(250, 205), qRgb(255, 255, 255));
    QCOMPARE(page.pixel(10, 10), qRgb(255, 255, 255));
}

void TestPrinting::pdfCarriesTextWherePlaced() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    const QString pdf = m_sandbox->root() + QStringLiteral("/page.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        PainterSurface surface(painter);
        const SheetGeometry g = SheetGeometry::read(storeWith({"[Printer]", "dpi=600"}));
        Pen pen(surface, g.textOrigin(4).x(), g.textOrigin(4).y());
        pen.setFont("Arial", 7, true);
        pen.printText(QStringLiteral("OVĚŘOVACÍ"));
        pen.printEnter();
        pen.setFont("Arial", 6, false, true);
        pen.printText(QStringLiteral("částečný/á*"));
    }
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(10000));
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    // Position 4 is column 2, row 2: 2622 x 1275 pixels, in points of 1/72 inch.
    const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QHash<QString, QPointF> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(html))
        words.insert(m.captured(3), QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    QVERIFY2(words.contains(QStringLiteral("OVĚŘOVACÍ")), qPrintable(html));
    QVERIFY2(words.contains(QStringLiteral("částečný/á*")), qPrintable(html));
    const QPointF heading = words.value(QStringLiteral("OVĚŘOVACÍ"));
    const QPointF next = words.value(QStringLiteral("částečný/á*"));
    QVERIFY2(qAbs(heading.x() - 2622 * 72.0 / 600) < 1.5, qPrintable(QString::number(heading.x())));
    QVERIFY2(qAbs(heading.y() - 1275 * 72.0 / 600) < 2.5, qPrintable(QString::number(heading.y())));
    QVERIFY2(qAbs(next.x() - heading.x()) < 1.0, "the second line starts under the first");
    // The break advanced by the height of the 7-point line, about 8 points.
    QVERIFY2(next.y() - heading.y() > 6.5 && next.y() - heading.y() < 10,
             qPrintable(QString::number(next.y() - heading.y())));
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
