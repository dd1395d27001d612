// Time to turn a 2000 x 1500 colour JPEG into the logo bitmap, as the clerk
// waits for it after choosing a picture. Prints the median of several runs.

#include "settings/LogoConversion.h"
#include "tests/JpegEncoder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main() {
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    JpegFixture f;
    f.width = 2000;
    f.height = 1500;
    f.quadrants = {{{200, 40, 30, 0}, {30, 160, 60, 0}, {40, 60, 190, 0}, {240, 230, 150, 0}}};
    f.ripple = 12; // some texture, so it compresses like a photograph
    f.quality = 90;
    const QByteArray bytes = encodeJpeg(f);
    const QString jpeg = dir.filePath(QStringLiteral("photo.jpg"));
    const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
    QFile file(jpeg);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();

    constexpr int kRuns = 11;
    std::vector<double> ms;
    convertLogo(jpeg, bmp); // warm the caches once
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        convertLogo(jpeg, bmp);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("logo conversion, 2000 x 1500 colour JPEG (%lld bytes) to %lld-byte BMP: median %.1f ms "
                "(min %.1f, max %.1f, %d runs)\n",
                static_cast<long long>(bytes.size()), static_cast<long long>(QFile(bmp).size()),
                ms[kRuns / 2], ms.front(), ms.back(), kRuns);
    return 0;
}
