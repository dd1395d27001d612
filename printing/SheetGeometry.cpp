#include "printing/SheetGeometry.h"

#include "printing/Units.h"
#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

namespace {

// The sums are formed in 64 bits, so no setting can make them overflow.
QPoint checkedPoint(qint64 x, qint64 y) {
    if (x > kMaxSheetCoordinate || x < -kMaxSheetCoordinate || y > kMaxSheetCoordinate ||
        y < -kMaxSheetCoordinate)
        throw AppError(QStringLiteral("Rozměry štítků v nastavení jsou nesmyslně velké, štítek by ležel "
                                      "mimo tiskovou plochu. Opravte je v nastavení."));
    return QPoint(int(x), int(y));
}

void checkPosition(int position, int count) {
    if (position < 1 || position > count)
        throw AppError(
            QStringLiteral("Štítek číslo %1 na archu není, pozice jsou 1 až %2.").arg(position).arg(count));
}

} // namespace

SheetGeometry SheetGeometry::read(const SettingsStore& settings) {
    SheetGeometry g;
    int* values[] = {&g.a, &g.b, &g.c, &g.d, &g.z, &g.y, &g.x, &g.w};
    for (int i = 0; i < Key::clauseSheet().size(); ++i)
        *values[i] = Key::clauseSheet()[i].pixels(settings);
    // The origins are linear in column and row, so the corners bound them all.
    g.textOrigin(1);
    g.textOrigin(kPositions);
    return g;
}

QPoint SheetGeometry::textOrigin(int position) const {
    checkPosition(position, kPositions);
    const int col = position % 2 == 1 ? 1 : 2;
    const int row = (position + 1) / 2;
    const qint64 lineX = qint64(col - 1) * (qint64(x) + w) + z + y;
    const qint64 penY = qint64(row - 1) * (qint64(c) + d) + a + b;
    return checkedPoint(lineX, penY);
}

BookSheetGeometry BookSheetGeometry::read(const SettingsStore& settings) {
    BookSheetGeometry g;
    int* values[] = {&g.a, &g.b, &g.c, &g.d, &g.z, &g.y};
    for (int i = 0; i < Key::bookSheet().size(); ++i)
        *values[i] = Key::bookSheet()[i].pixels(settings);
    g.textOrigin(1);
    g.textOrigin(kPositions);
    return g;
}

QPoint BookSheetGeometry::textOrigin(int position) const {
    checkPosition(position, kPositions);
    const qint64 lineX = qint64(z) + y;
    const qint64 penY = (qint64(c) + d) * (position - 1) + a + b;
    return checkedPoint(lineX, penY);
}
