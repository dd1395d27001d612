// Writes the program's sign as the PNG sizes of the desktop icon theme, from
// the same painter code that draws the window icon:
//   render-icon OUTPUT_DIR SIZE... -> OUTPUT_DIR/<SIZE>x<SIZE>/apps/lorvena.png
#include "ui/Artwork.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR SIZE...\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "bad size: %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = dir + QStringLiteral("/lorvena.png");
        if (!QDir().mkpath(dir) || !Artwork::sign(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
