#include "printing/ClauseFonts.h"

#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"

namespace {

QString readFace(const SettingsStore& settings, const QString& key) {
    return settings.ReadString(QStringLiteral("Font"), key, QStringLiteral("Arial"));
}

int readSize(const SettingsStore& settings, const QString& key, const QString& defaultValue) {
    const int size = strToInt(settings.ReadString(QStringLiteral("Font"), key, defaultValue));
    if (size < 1 || size > ClauseFonts::kMaxPoints)
        throw AppError(QStringLiteral("Velikost písma [Font] %1 musí být 1 až %2 bodů, v nastavení je %3.")
                           .arg(key)
                           .arg(ClauseFonts::kMaxPoints)
                           .arg(size));
    return size;
}

} // namespace

ClauseFonts ClauseFonts::read(const SettingsStore& settings) {
    ClauseFonts fonts;
    fonts.basicFace = readFace(settings, QStringLiteral("ZakladniFont"));
    fonts.basicSize = readSize(settings, QStringLiteral("ZakladniVelikost"), QStringLiteral("6"));
    fonts.headingFace = readFace(settings, QStringLiteral("NadpisFont"));
    fonts.headingSize = readSize(settings, QStringLiteral("NadpisVelikost"), QStringLiteral("8"));
    fonts.dataFace = readFace(settings, QStringLiteral("UdajeFont"));
    return fonts;
}
