#include "JpegEncoder.h"
#include "TestSupport.h"

#include "settings/AppError.h"
#include "settings/LogoConversion.h"
#include "settings/LogoPreview.h"

#include <QColor>
#include <QImage>
#include <QtEndian>

#include <algorithm>
#include <memory>

namespace {

// The header fields of a bitmap file, read straight from its bytes.
struct BmpHeader {
    QByteArray magic;
    quint32 fileSize = 0;
    quint32 dataOffset = 0;
    quint32 infoSize = 0;
    qint32 width = 0;
    qint32 height = 0;
    quint16 planes = 0;
    quint16 bits = 0;
    quint32 compression = 0;
    quint32 imageSize = 0;
    quint32 coloursUsed = 0;
};

BmpHeader parseBmp(const QByteArray& bytes) {
    BmpHeader h;
    if (bytes.size() < 54)
        return h;
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    h.magic = bytes.left(2);
    h.fileSize = qFromLittleEndian<quint32>(p + 2);
    h.dataOffset = qFromLittleEndian<quint32>(p + 10);
    h.infoSize = qFromLittleEndian<quint32>(p + 14);
    h.width = qFromLittleEndian<qint32>(p + 18);
    h.height = qFromLittleEndian<qint32>(p + 22);
    h.planes = qFromLittleEndian<quint16>(p + 26);
    h.bits = qFromLittleEndian<quint16>(p + 28);
    h.compression = qFromLittleEndian<quint32>(p + 30);
    h.imageSize = qFromLittleEndian<quint32>(p + 34);
    h.coloursUsed = qFromLittleEndian<quint32>(p + 46);
    return h;
}

int stride(const BmpHeader& h) {
    return (h.width * h.bits + 31) / 32 * 4;
}

// The pixel at (x, y) counted from the top, read from the raw bottom-up rows.
QRgb rawPixel(const QByteArray& bytes, const BmpHeader& h, int x, int y) {
    const auto* row = reinterpret_cast<const uchar*>(bytes.constData()) + h.dataOffset +
                      qsizetype(h.height - 1 - y) * stride(h);
    if (h.bits == 8) {
        const uchar* entry = reinterpret_cast<const uchar*>(bytes.constData()) + 54 + 4 * row[x];
        return qRgb(entry[2], entry[1], entry[0]);
    }
    const uchar* px = row + x * (h.bits / 8);
    return qRgb(px[2], px[1], px[0]);
}

bool closeTo(QRgb a, QRgb b, int tolerance) {
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

QString rgbText(QRgb c) {
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

QList<QPoint> quadrantCentres(int w, int h) {
    return {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
}

// Rewrites the size in the frame header, leaving the rest of the file as it is.
QByteArray withDeclaredSize(QByteArray jpeg, quint16 width, quint16 height) {
    qsizetype i = 2;
    while (i + 9 < jpeg.size() && uchar(jpeg[i]) == 0xFF) {
        const uchar code = uchar(jpeg[i + 1]);
        if (code >= 0xC0 && code <= 0xC2) {
            auto* p = reinterpret_cast<uchar*>(jpeg.data()) + i;
            qToBigEndian<quint16>(height, p + 5);
            qToBigEndian<quint16>(width, p + 7);
            return jpeg;
        }
        i += 2 + qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(jpeg.constData()) + i + 2);
    }
    return {};
}

QString decodingErrorStart(const QString& path) {
    return QStringLiteral("Obrázek „%1“ nelze načíst jako JPEG: ").arg(QDir::toNativeSeparators(path));
}

// Colours of the generated pictures (tools/make_logo_fixtures.cpp).
const QList<QRgb> kColours{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(250, 240, 120)};
const QList<QRgb> kGreys{qRgb(20, 20, 20), qRgb(90, 90, 90), qRgb(160, 160, 160), qRgb(240, 240, 240)};
// Ink (0,255,255,0), (255,0,0,0), (0,0,0,128), (128,0,0,64) as light.
const QList<QRgb> kInksAsLight{qRgb(255, 0, 0), qRgb(0, 255, 255), qRgb(127, 127, 127), qRgb(95, 191, 191)};

} // namespace

class TestLogo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void writtenBitmap_data();
    void writtenBitmap();
    void largeColourPicture();
    void replacesEarlierLogo();
    void badInputChangesNothing_data();
    void badInputChangesNothing();
    void unwritableTargetReported();
    void previewSize_data();
    void previewSize();

private:
    std::unique_ptr<AppDataSandbox> m_sandbox;
    QString m_logo;
};

void TestLogo::init() {
    m_sandbox = std::make_unique<AppDataSandbox>();
    m_sandbox->makeDataDir();
    m_logo = DataDir::logoFile();
}

void TestLogo::cleanup() {
    m_sandbox.reset();
}

void TestLogo::writtenBitmap_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QList<QRgb>>("quadrants");
    // Qt's own JPEG reader as a second opinion, where it reads the file right.
    QTest::addColumn<bool>("sameAsQt");

    QTest::newRow("colour, padded rows") << "colour-101x61.jpg" << 101 << 61 << 24 << kColours << true;
    QTest::newRow("colour 100 x 80") << "colour-100x80.jpg" << 100 << 80 << 24 << kColours << true;
    QTest::newRow("progressive colour") << "progressive-64x48.jpg" << 64 << 48 << 24 << kColours << true;
    QTest::newRow("orientation mark not applied")
        << "exif-turned-101x61.jpg" << 101 << 61 << 24 << kColours << true;
    QTest::newRow("grey, 3 bytes of padding") << "grey-37x23.jpg" << 37 << 23 << 8 << kGreys << true;
    QTest::newRow("CMYK stored inverted, Adobe marker")
        << "cmyk-adobe-33x17.jpg" << 33 << 17 << 32 << kInksAsLight << true;
    // Qt takes every CMYK file for inverted, so it would show these wrong.
    QTest::newRow("CMYK stored plain, no marker")
        << "cmyk-plain-33x17.jpg" << 33 << 17 << 32 << kInksAsLight << false;
    QTest::newRow("YCCK") << "ycck-33x17.jpg" << 33 << 17 << 32 << kInksAsLight << true;
}

void TestLogo::writtenBitmap() {
    QFETCH(QString, file);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bits);
    QFETCH(QList<QRgb>, quadrants);
    QFETCH(bool, sameAsQt);

    const QString jpeg = testDataPath(QStringLiteral("logo/") + file);
    convertLogo(jpeg, m_logo);
    const QByteArray bytes = readBytes(m_logo);
    const BmpHeader h = parseBmp(bytes);

    const int paletteSize = bits == 8 ? 1024 : 0;
    const int rowBytes = (width * bits + 31) / 32 * 4;
    QCOMPARE(h.magic, QByteArray("BM"));
    QCOMPARE(h.infoSize, 40u);
    QCOMPARE(h.width, width);
    QCOMPARE(h.height, height); // positive: bottom-up rows
    QCOMPARE(h.planes, quint16(1));
    QCOMPARE(h.bits, quint16(bits));
    QCOMPARE(h.compression, 0u);
    QCOMPARE(h.dataOffset, quint32(54 + paletteSize));
    QCOMPARE(h.imageSize, quint32(rowBytes * height));
    QCOMPARE(h.fileSize, quint32(bytes.size()));
    QCOMPARE(qsizetype(h.dataOffset) + h.imageSize, bytes.size());

    if (bits == 8) {
        QCOMPARE(h.coloursUsed, 256u);
        for (int i = 0; i < 256; ++i) {
            const QByteArray entry = bytes.mid(54 + 4 * i, 4);
            QCOMPARE(entry, QByteArray(3, char(i)) + '\0');
        }
    }
    const int used = width * bits / 8;
    for (int y = 0; y < height; ++y) {
        const qsizetype row = h.dataOffset + qsizetype(y) * rowBytes;
        QVERIFY2(bytes.mid(row + used, rowBytes - used).count('\0') == rowBytes - used,
                 "row padding is not zero");
        if (bits == 32) {
            for (int x = 0; x < width; ++x)
                QCOMPARE(uchar(bytes[row + 4 * x + 3]), uchar(255));
        }
    }

    QImage image;
    QVERIFY(image.load(m_logo));
    QCOMPARE(image.size(), QSize(width, height));
    QVERIFY(!image.hasAlphaChannel() || image.pixelColor(0, 0).alpha() == 255);
    QCOMPARE(image.isGrayscale(), bits == 8);

    const QList<QPoint> centres = quadrantCentres(width, height);
    for (int q = 0; q < 4; ++q) {
        const QPoint p = centres[q];
        const QRgb got = image.pixel(p);
        QCOMPARE(rgbText(rawPixel(bytes, h, p.x(), p.y())), rgbText(got));
        QVERIFY2(closeTo(got, quadrants[q], 6), qPrintable(QStringLiteral("quadrant %1: %2, expected %3")
                                                               .arg(q)
                                                               .arg(rgbText(got), rgbText(quadrants[q]))));
    }

    if (sameAsQt) {
        const QImage reference(jpeg);
        QCOMPARE(reference.size(), image.size());
        int worst = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb a = image.pixel(x, y), b = reference.pixel(x, y);
                worst = std::max(
                    {worst, qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
            }
        }
        QVERIFY2(worst <= 1, qPrintable(QStringLiteral("differs from Qt's reading by %1").arg(worst)));
    }
}

void TestLogo::largeColourPicture() {
    JpegFixture f;
    f.width = 2000;
    f.height = 1500;
    f.quadrants = {{{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {250, 240, 120, 0}}};
    const QString jpeg = m_sandbox->root() + QStringLiteral("/photo.jpg");
    QVERIFY(writeBytes(jpeg, encodeJpeg(f)));

    convertLogo(jpeg, m_logo);
    const QByteArray bytes = readBytes(m_logo);
    const BmpHeader h = parseBmp(bytes);
    QCOMPARE(h.width, 2000);
    QCOMPARE(h.height, 1500);
    QCOMPARE(h.bits, quint16(24));
    QCOMPARE(bytes.size(), 54 + 2000 * 3 * 1500);

    QImage image;
    QVERIFY(image.load(m_logo));
    QCOMPARE(image.size(), QSize(2000, 1500));
    QCOMPARE(logoPreviewSize(image.size()), QSize(121, 90));
    const QList<QPoint> centres = quadrantCentres(2000, 1500);
    for (int q = 0; q < 4; ++q)
        QVERIFY2(closeTo(image.pixel(centres[q]), kColours[q], 6),
                 qPrintable(rgbText(image.pixel(centres[q]))));
}

void TestLogo::replacesEarlierLogo() {
    convertLogo(testDataPath(QStringLiteral("logo/grey-37x23.jpg")), m_logo);
    QCOMPARE(parseBmp(readBytes(m_logo)).bits, quint16(8));

    convertLogo(testDataPath(QStringLiteral("logo/colour-100x80.jpg")), m_logo);
    const QByteArray bytes = readBytes(m_logo);
    const BmpHeader h = parseBmp(bytes);
    QCOMPARE(h.bits, quint16(24));
    QCOMPARE(h.width, 100);
    QCOMPARE(bytes.size(), 54 + 300 * 80);
    QCOMPARE(QDir(m_sandbox->dataDir()).entryList(QDir::Files), QStringList{QStringLiteral("logo.bmp")});
}

void TestLogo::badInputChangesNothing_data() {
    QTest::addColumn<QString>("fixture"); // a file of tests/data/logo, or written from bytes
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QByteArray good = readBytes(testDataPath(QStringLiteral("logo/colour-101x61.jpg")));
    QVERIFY(!good.isEmpty());

    QTest::newRow("truncated")
        << "truncated.jpg" << QByteArray()
        << "soubor je neúplný, data obrázku předčasně končí (Premature end of JPEG file)";
    QTest::newRow("truncated progressive")
        << "truncated-progressive.jpg" << QByteArray() << "Premature end of JPEG file";
    QTest::newRow("end marker only missing") << QString() << good.chopped(2) << "Premature end of JPEG file";
    QTest::newRow("PNG named .jpg") << "png-renamed.jpg" << QByteArray()
                                    << "chyba dekodéru JPEG (Not a JPEG file: starts with 0x89 0x50)";
    QTest::newRow("empty file") << "empty.jpg" << QByteArray() << "soubor je prázdný";
    QTest::newRow("start and end markers only")
        << QString() << QByteArray("\xFF\xD8\xFF\xD9", 4) << "JPEG datastream contains no image";
    QTest::newRow("width 0 declared") << QString() << withDeclaredSize(good, 0, 61) << "Empty JPEG image";
    QTest::newRow("65000 x 65000 declared")
        << QString() << withDeclaredSize(good, 65000, 65000)
        << "obrázek je příliš velký (65000 x 65000 bodů), lze načíst nejvýše 100 milionů bodů";
    QTest::newRow("just over the pixel cap") << QString() << withDeclaredSize(good, 10001, 10000)
                                             << "obrázek je příliš velký (10001 x 10000 bodů)";
    QTest::newRow("file over 256 MB") << "<oversized>" << QByteArray() << "soubor je větší než 256 MB";
#ifdef Q_OS_UNIX
    QTest::newRow("endless device") << "/dev/zero" << QByteArray() << "nejde o běžný soubor";
#endif
    QTest::newRow("missing file") << "<missing>" << QByteArray() << "soubor nelze otevřít";
    QTest::newRow("directory") << "<directory>" << QByteArray() << "soubor nelze otevřít";
}

void TestLogo::badInputChangesNothing() {
    QFETCH(QString, fixture);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    const QByteArray good = readBytes(testDataPath(QStringLiteral("logo/colour-101x61.jpg")));
    QString jpeg;
    if (fixture == QLatin1String("<missing>"))
        jpeg = m_sandbox->root() + QStringLiteral("/gone.jpg");
    else if (fixture == QLatin1String("<directory>"))
        jpeg = m_sandbox->root();
    else if (fixture == QLatin1String("<oversized>")) {
        // Sparse: takes no time to make, and it must be refused unread.
        jpeg = m_sandbox->root() + QStringLiteral("/huge.jpg");
        QFile huge(jpeg);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.write(good) == good.size());
        QVERIFY(huge.resize((256LL << 20) + 1));
    } else if (fixture.startsWith(u'/'))
        jpeg = fixture;
    else if (fixture.isEmpty()) {
        jpeg = m_sandbox->root() + QStringLiteral("/bad.jpg");
        QVERIFY(!bytes.isEmpty());
        QVERIFY(writeBytes(jpeg, bytes));
    } else
        jpeg = testDataPath(QStringLiteral("logo/") + fixture);

    const auto expectRefusal = [&] {
        try {
            convertLogo(jpeg, m_logo);
        } catch (const AppError& e) {
            QVERIFY2(e.message().startsWith(decodingErrorStart(jpeg)), qPrintable(e.message()));
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
            return;
        }
        QFAIL("no error raised");
    };

    // Without an earlier logo no file appears.
    expectRefusal();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!QFile::exists(m_logo));

    // An earlier logo stays as it was, byte for byte, and no stray file is left.
    convertLogo(testDataPath(QStringLiteral("logo/grey-37x23.jpg")), m_logo);
    const QByteArray earlier = readBytes(m_logo);
    QVERIFY(!earlier.isEmpty());
    expectRefusal();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(readBytes(m_logo), earlier);
    QCOMPARE(QDir(m_sandbox->dataDir()).entryList(QDir::Files), QStringList{QStringLiteral("logo.bmp")});
}

void TestLogo::unwritableTargetReported() {
    const QString target = m_sandbox->root() + QStringLiteral("/no such folder/logo.bmp");
    try {
        convertLogo(testDataPath(QStringLiteral("logo/colour-100x80.jpg")), target);
        QFAIL("no error raised");
    } catch (const AppError& e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(target)));
    }
    QVERIFY(!QFile::exists(target));
}

void TestLogo::previewSize_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("box");
    QTest::addColumn<QSize>("shown");

    QTest::newRow("photo 2000 x 1500") << QSize(2000, 1500) << 121 << QSize(121, 90);
    QTest::newRow("small, own size") << QSize(100, 80) << 121 << QSize(100, 80);
    QTest::newRow("exactly the box") << QSize(121, 121) << 121 << QSize(121, 121);
    QTest::newRow("tiny, never enlarged") << QSize(3, 2) << 121 << QSize(3, 2);
    QTest::newRow("one pixel too wide") << QSize(122, 121) << 121 << QSize(121, 120);
    QTest::newRow("one pixel too high") << QSize(121, 122) << 121 << QSize(120, 121);
    QTest::newRow("square, large") << QSize(500, 500) << 121 << QSize(121, 121);
    QTest::newRow("upright 200 x 400") << QSize(200, 400) << 121 << QSize(60, 121);
    QTest::newRow("wide but within the height") << QSize(300, 100) << 121 << QSize(121, 40);
    QTest::newRow("high but within the width") << QSize(100, 300) << 121 << QSize(40, 121);
    // Exact quotients that floating point would truncate one short.
    QTest::newRow("121 / 2.2 is 55") << QSize(132, 60) << 121 << QSize(121, 55);
    QTest::newRow("121 x 62/242 is 31") << QSize(62, 242) << 121 << QSize(31, 121);
    QTest::newRow("sliver stays visible") << QSize(5000, 10) << 121 << QSize(121, 1);
    QTest::newRow("upright sliver") << QSize(3, 4000) << 121 << QSize(1, 121);
    QTest::newRow("other box") << QSize(100, 80) << 50 << QSize(50, 40);
    QTest::newRow("empty picture") << QSize(0, 0) << 121 << QSize(0, 0);
}

void TestLogo::previewSize() {
    QFETCH(QSize, picture);
    QFETCH(int, box);
    QFETCH(QSize, shown);
    QCOMPARE(logoPreviewSize(picture, box), shown);
}

QTEST_GUILESS_MAIN(TestLogo)
#include "tst_logo.moc"
