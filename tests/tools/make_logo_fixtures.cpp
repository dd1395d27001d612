// Writes the small pictures of tests/data/logo. Run once after changing them:
//   make_logo_fixtures tests/data/logo
// tst_logo.cpp states the colours it expects; keep the two in step.

#include "tests/JpegEncoder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

using Quadrants = std::array<std::array<quint8, 4>, 4>;

// red, green, blue, pale yellow
const Quadrants kColours{{{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {250, 240, 120, 0}}};
const Quadrants kGreys{{{20, 0, 0, 0}, {90, 0, 0, 0}, {160, 0, 0, 0}, {240, 0, 0, 0}}};
// ink: red (magenta + yellow), cyan, half black, cyan half with a quarter black
const Quadrants kInks{{{0, 255, 255, 0}, {255, 0, 0, 0}, {0, 0, 0, 128}, {128, 0, 0, 64}}};

JpegFixture fixture(JpegFixture::Space space, int width, int height, const Quadrants& quadrants) {
    JpegFixture f;
    f.space = space;
    f.width = width;
    f.height = height;
    f.quadrants = quadrants;
    return f;
}

bool save(const QDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    using Space = JpegFixture::Space;
    bool ok = true;

    // Odd widths make the bitmap rows need padding (303 and 37 bytes).
    const QByteArray colour = encodeJpeg(fixture(Space::Colour, 101, 61, kColours));
    ok &= save(dir, "colour-101x61.jpg", colour);
    ok &= save(dir, "colour-100x80.jpg", encodeJpeg(fixture(Space::Colour, 100, 80, kColours)));
    ok &= save(dir, "grey-37x23.jpg", encodeJpeg(fixture(Space::Grey, 37, 23, kGreys)));

    ok &= save(dir, "cmyk-adobe-33x17.jpg", encodeJpeg(fixture(Space::Cmyk, 33, 17, kInks)));
    JpegFixture plain = fixture(Space::Cmyk, 33, 17, kInks);
    plain.adobeMarker = false;
    ok &= save(dir, "cmyk-plain-33x17.jpg", encodeJpeg(plain));
    ok &= save(dir, "ycck-33x17.jpg", encodeJpeg(fixture(Space::Ycck, 33, 17, kInks)));

    JpegFixture progressive = fixture(Space::Colour, 64, 48, kColours);
    progressive.progressive = true;
    const QByteArray progressiveBytes = encodeJpeg(progressive);
    ok &= save(dir, "progressive-64x48.jpg", progressiveBytes);

    JpegFixture turned = fixture(Space::Colour, 101, 61, kColours);
    turned.app1 = exifOrientation(6);
    ok &= save(dir, "exif-turned-101x61.jpg", encodeJpeg(turned));

    ok &= save(dir, "truncated.jpg", colour.left(colour.size() * 3 / 5));
    ok &= save(dir, "truncated-progressive.jpg", progressiveBytes.left(progressiveBytes.size() * 3 / 5));

    QImage png(16, 16, QImage::Format_RGB32);
    png.fill(Qt::red);
    QByteArray pngBytes;
    QBuffer pngBuffer(&pngBytes);
    pngBuffer.open(QIODevice::WriteOnly);
    ok &= png.save(&pngBuffer, "PNG");
    ok &= save(dir, "png-renamed.jpg", pngBytes);
    ok &= save(dir, "empty.jpg", QByteArray());
    return ok ? 0 : 1;
}
