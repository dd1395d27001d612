#include "settings/FirstStart.h"

#include "settings/SettingsStore.h"

namespace {

void seed(SettingsStore& s, const QString& section, const QString& key, const QString& value) {
    if (s.ReadString(section, key, QString()).isEmpty())
        s.WriteString(section, key, value);
}

} // namespace

void writeFirstStartValues(SettingsStore& s) {
    // One atomic replace of the file instead of forty on a first start.
    SettingsStore::Batch batch(s);
    const QString app = QStringLiteral("App");
    s.WriteString(app, QStringLiteral("Verze"), QStringLiteral("7.41"));
    if (s.ReadString(app, QStringLiteral("last printed"), QString()).isEmpty()) {
        s.WriteString(app, QStringLiteral("last printed"), QStringLiteral("12"));
        s.WriteString(app, QStringLiteral("prepare next"), QStringLiteral("1"));
    }
    seed(s, QStringLiteral("Poplatky"), QStringLiteral("vidimace"), QStringLiteral("30"));
    s.WriteString(QStringLiteral("Poplatky"), QStringLiteral("legalizace"), QStringLiteral("50"));
    seed(s, app, QStringLiteral("last printed kniha"), QStringLiteral("6"));
    seed(s, QStringLiteral("Printer"), QStringLiteral("dpi"), QStringLiteral("600"));
    seed(s, QStringLiteral("Overovatele"), QStringLiteral("Overovatel1"), QStringLiteral("Zoz Azira"));
    seed(s, QStringLiteral("DPJ"), QStringLiteral("2Organ1"),
         QStringLiteral("Zastupitelstva obce Zididuzado Dazuz"));
    seed(s, QStringLiteral("DPJ"), QStringLiteral("7Organ1"),
         QStringLiteral("Zastupitelstvem obce Zididuzado Dazuz"));

    static const char* const geometry[][2] = {
        {"a", "5"},  {"b", "2"},   {"c", "47"}, {"d", "0"},   {"z", "16"}, {"y", "2"},   {"x", "78"},
        {"w", "15"}, {"ka", "13"}, {"kb", "2"}, {"kc", "44"}, {"kd", "0"}, {"kz", "38"}, {"ky", "2"}};
    for (const auto& g : geometry)
        seed(s, QStringLiteral("Stitky"), QString::fromLatin1(g[0]), QString::fromLatin1(g[1]));

    for (const char* key : {"ZakladniFont", "NadpisFont", "UdajeFont"})
        seed(s, QStringLiteral("Font"), QString::fromLatin1(key), QStringLiteral("Arial"));
    for (const char* key : {"Vidimace", "Legalizace", "Zamer", "Schvaleni"})
        seed(s, QStringLiteral("Zalozky"), QString::fromLatin1(key), QStringLiteral("1"));
    seed(s, QStringLiteral("Font"), QStringLiteral("ZakladniVelikost"), QStringLiteral("6"));
    seed(s, QStringLiteral("Font"), QStringLiteral("NadpisVelikost"), QStringLiteral("8"));
    s.WriteString(QStringLiteral("Font"), QStringLiteral("UdajeVelikost"), QStringLiteral("6"));
    seed(s, QStringLiteral("Organizace"), QStringLiteral("Kde"), QStringLiteral("V Dudeverodu Zered"));
    seed(s, QStringLiteral("Organizace"), QStringLiteral("Organizace2pad"),
         QStringLiteral("Obecního úřadu Zididuzado Dazuz"));
    seed(s, QStringLiteral("Cislovani"), QStringLiteral("Vidimace-legalizace"), QStringLiteral("1"));
    seed(s, QStringLiteral("Cislovani"), QStringLiteral("Tvar"), QStringLiteral("0"));
    seed(s, QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Vidimace"), QStringLiteral("0"));
    seed(s, QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Legalizace"), QStringLiteral("0"));
    batch.commit();
}
