// The desktop icon file must show what the program draws as its window icon:
// the SVG is written by hand, the painter code may change.
#include "ui/Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include <cstdlib>

class IconTest : public QObject {
    Q_OBJECT

private slots:
    void svgMatchesPainter_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 48, 64, 256})
            QTest::addRow("%d px", size) << size;
    }
    void svgMatchesPainter() {
        QFETCH(int, size);
        QSvgRenderer svg(qEnvironmentVariable("LORVENA_ICON_SVG"));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBoxF(), QRectF(0, 0, 64, 64));

        QImage drawn(size, size, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        {
            QPainter p(&drawn);
            svg.render(&p, QRectF(0, 0, size, size));
        }
        const QImage painted = Artwork::sign(size).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(painted.size(), drawn.size());

        // Edges are smoothed a little differently; a shape, colour or place
        // that differs shows as many pixels far apart.
        qint64 total = 0;
        int far = 0;
        for (int y = 0; y < size; ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(painted.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                const int d = std::abs(qRed(a[x]) - qRed(b[x])) + std::abs(qGreen(a[x]) - qGreen(b[x])) +
                              std::abs(qBlue(a[x]) - qBlue(b[x])) + std::abs(qAlpha(a[x]) - qAlpha(b[x]));
                total += d;
                if (d > 200)
                    ++far;
            }
        }
        const double mean = double(total) / (size * size * 4);
        QVERIFY2(mean < 3.0, qPrintable(QStringLiteral("mean difference %1").arg(mean)));
        QVERIFY2(far <= size * size / 100, qPrintable(QStringLiteral("%1 pixels far apart").arg(far)));
    }
};

QTEST_MAIN(IconTest)
#include "tst_icon.moc"
