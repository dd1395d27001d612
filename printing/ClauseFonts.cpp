#include "printing/ClauseFonts.h"

#include "settings/AppError.h"
#include "settings/Conversion.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

namespace {

int readSize(const SettingsStore& settings, const Setting& key) {
    const int size = key.integer(settings);
    if (size < 1 || size > ClauseFonts::kMaxPoints)
        throw AppError(QStringLiteral("Velikost písma [%1] %2 musí být 1 až %3 bodů, v nastavení je %4.")
                           .arg(key.section(), key.key())
                           .arg(ClauseFonts::kMaxPoints)
                           .arg(size));
    return size;
}

} // namespace

ClauseFonts ClauseFonts::read(const SettingsStore& settings) {
    ClauseFonts fonts;
    fonts.basicFace = Key::basicFace().text(settings);
    fonts.basicSize = readSize(settings, Key::basicSize());
    fonts.headingFace = Key::headingFace().text(settings);
    fonts.headingSize = readSize(settings, Key::headingSize());
    fonts.dataFace = Key::dataFace().text(settings);
    return fonts;
}
