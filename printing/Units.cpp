#include "printing/Units.h"

#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

#include <cmath>
#include <limits>

double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

int mmToDPI(int mm, int dpi) {
    if (dpi <= 0)
        throw AppError(
            QStringLiteral("Rozlišení tiskárny [Printer] dpi musí být kladné číslo, v nastavení je %1.")
                .arg(dpi));
    const qint64 product = qint64(mm) * qint64(dpi);
    if (product > std::numeric_limits<int>::max() || product < std::numeric_limits<int>::min())
        throw AppError(QStringLiteral("Délku %1 mm nelze při rozlišení %2 dpi převést na body tiskárny, "
                                      "hodnota je nesmyslně velká. Opravte ji v nastavení.")
                           .arg(mm)
                           .arg(dpi));
    // |product| / 25.4 stays well inside int, so the cast is exact.
    return int(roundHalfEven(double(product) / 25.4));
}

int mmToDPI(const SettingsStore& settings, int mm) {
    return mmToDPI(mm, Key::dpi().integer(settings));
}
