#include "settings/LogoPreview.h"

#include <algorithm>

QSize logoPreviewSize(QSize picture, int box) {
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    if (w <= 0 || h <= 0)
        return QSize(0, 0);
    if (w <= box && h <= box)
        return picture;
    // Whole-number arithmetic: box / (w / h) in floating point truncates
    // e.g. 132 x 60 to 54 instead of 55.
    // A sliver of a picture keeps at least one pixel so that it stays visible.
    if (w > h)
        return QSize(box, int(std::max<qint64>(1, box * h / w)));
    return QSize(int(std::max<qint64>(1, box * w / h)), box);
}
