#include "settings/SettingsCatalogue.h"

#include "LorvenaVersion.h"
#include "about/MakerSite.h"
#include "printing/Units.h"
#include "settings/SettingsStore.h"

namespace {

using K = ValueKind;

QString latin1(const char* s) {
    return QString::fromLatin1(s);
}

} // namespace

Setting::Setting(QString section, QString key, QString fallback, ValueKind kind)
    : m_section(std::move(section)), m_key(std::move(key)), m_fallback(std::move(fallback)), m_kind(kind) {}

QString Setting::text(const SettingsStore& store) const {
    return store.ReadString(m_section, m_key, m_fallback);
}

QString Setting::text(const SettingsStore& store, const QString& defaultValue) const {
    return store.ReadString(m_section, m_key, defaultValue);
}

int Setting::integer(const SettingsStore& store) const {
    return store.ReadInt(m_section, m_key, m_fallback);
}

int Setting::integer(const SettingsStore& store, const QString& defaultValue) const {
    return store.ReadInt(m_section, m_key, defaultValue);
}

bool Setting::flag(const SettingsStore& store) const {
    return text(store) == u"1";
}

bool Setting::flag(const SettingsStore& store, const QString& defaultValue) const {
    return text(store, defaultValue) == u"1";
}

std::optional<QString> Setting::stored(const SettingsStore& store) const {
    // The store returns a default only for an absent key, so a present key
    // reads the same under two different defaults.
    const QString value = text(store, QStringLiteral("0"));
    if (value != text(store, QStringLiteral("1")))
        return std::nullopt;
    return value;
}

int Setting::pixels(const SettingsStore& store) const {
    return mmToDPI(store, integer(store));
}

void Setting::write(SettingsStore& store, const QString& value) const {
    store.WriteString(m_section, m_key, value);
}

void Setting::write(SettingsStore& store, int value) const {
    write(store, QString::number(value));
}

void Setting::writeFlag(SettingsStore& store, bool on) const {
    write(store, on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Setting::operator==(const Setting& other) const {
    return m_section.compare(other.m_section, Qt::CaseInsensitive) == 0 &&
           m_key.compare(other.m_key, Qt::CaseInsensitive) == 0;
}

namespace Key {

#define LORVENA_SETTING(name, section, key, fallback, kind)                                                  \
    const Setting& name() {                                                                                  \
        static const Setting s(QStringLiteral(section), QStringLiteral(key), QStringLiteral(fallback),       \
                               kind);                                                                        \
        return s;                                                                                            \
    }

LORVENA_SETTING(positionLeft, "App", "position left", "0", K::Integer)
LORVENA_SETTING(positionTop, "App", "position top", "0", K::Integer)
LORVENA_SETTING(positionBookLeft, "App", "position book left", "0", K::Integer)
LORVENA_SETTING(positionBookTop, "App", "position book top", "0", K::Integer)
LORVENA_SETTING(version, "App", "Verze", "", K::Text)
LORVENA_SETTING(lastPrinted, "App", "last printed", "12", K::Integer)
LORVENA_SETTING(prepareNext, "App", "prepare next", "1", K::Flag)
LORVENA_SETTING(lastPrintedBook, "App", "last printed kniha", "", K::Integer)

LORVENA_SETTING(copyVerificationFee, "Poplatky", "vidimace", "30", K::Integer)
LORVENA_SETTING(legalizationFee, "Poplatky", "legalizace", "30", K::Integer)

LORVENA_SETTING(dpi, "Printer", "dpi", "", K::Integer)

LORVENA_SETTING(approvalNumber, "DPJ", "SchvaleniCisloUsneseni", "", K::Text)
LORVENA_SETTING(approvalDate, "DPJ", "SchvaleniDatumUsneseni", "", K::Text)

LORVENA_SETTING(basicFace, "Font", "ZakladniFont", "Arial", K::Text)
LORVENA_SETTING(basicSize, "Font", "ZakladniVelikost", "6", K::Integer)
LORVENA_SETTING(headingFace, "Font", "NadpisFont", "Arial", K::Text)
LORVENA_SETTING(headingSize, "Font", "NadpisVelikost", "8", K::Integer)
LORVENA_SETTING(dataFace, "Font", "UdajeFont", "Arial", K::Text)
LORVENA_SETTING(dataSize, "Font", "UdajeVelikost", "6", K::Integer)

LORVENA_SETTING(place, "Organizace", "Kde", "", K::Text)
LORVENA_SETTING(officeGenitive, "Organizace", "Organizace2pad", "", K::Text)
LORVENA_SETTING(organisationName, "Organizace", "Nazev", "Název obce", K::Text)
LORVENA_SETTING(organisationIc, "Organizace", "IC", "", K::Text)
LORVENA_SETTING(organisationAddress1, "Organizace", "Adresa1", "1. řádek adresy", K::Text)
LORVENA_SETTING(organisationAddress2, "Organizace", "Adresa2", "2. řádek adresy", K::Text)
LORVENA_SETTING(organisationAddress3, "Organizace", "Adresa3", "", K::Text)

LORVENA_SETTING(designationForm, "Cislovani", "Tvar", "0", K::Integer)
LORVENA_SETTING(sharedCounter, "Cislovani", "Vidimace-legalizace", "1", K::Integer)

LORVENA_SETTING(journalYears, "Denik", "Roky", "10", K::Integer)

#undef LORVENA_SETTING

Setting officer(int n) {
    return Setting(QStringLiteral("Overovatele"), QStringLiteral("Overovatel%1").arg(n), QString(), K::Text);
}

Setting bodyGenitive(int n) {
    return Setting(QStringLiteral("DPJ"), QStringLiteral("2Organ%1").arg(n), QString(), K::Text);
}

Setting bodyInstrumental(int n) {
    return Setting(QStringLiteral("DPJ"), QStringLiteral("7Organ%1").arg(n), QString(), K::Text);
}

namespace {

QList<Setting> lengths(std::initializer_list<std::pair<const char*, const char*>> keys) {
    QList<Setting> out;
    for (const auto& [key, fallback] : keys)
        out << Setting(QStringLiteral("Stitky"), latin1(key), latin1(fallback), K::Millimetres);
    return out;
}

} // namespace

const QList<Setting>& clauseSheet() {
    // The defaults of the print read; ka and kz below differ from their first-start values.
    static const QList<Setting> keys = lengths(
        {{"a", "5"}, {"b", "2"}, {"c", "47"}, {"d", "0"}, {"z", "16"}, {"y", "2"}, {"x", "78"}, {"w", "15"}});
    return keys;
}

const QList<Setting>& bookSheet() {
    static const QList<Setting> keys =
        lengths({{"ka", "5"}, {"kb", "2"}, {"kc", "44"}, {"kd", "0"}, {"kz", "16"}, {"ky", "2"}});
    return keys;
}

const Setting& tab(ClauseKind kind) {
    static const QList<Setting> tabs = [] {
        QList<Setting> out;
        for (const char* key : {"Vidimace", "Legalizace", "Zamer", "Schvaleni"})
            out << Setting(QStringLiteral("Zalozky"), latin1(key), QStringLiteral("0"), K::Flag);
        return out;
    }();
    return tabs[int(kind)];
}

const Setting& chosenBook(ClauseKind kind) {
    static const Setting copy(QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Vidimace"), QString(),
                              K::Integer);
    static const Setting legal(QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Legalizace"),
                               QString(), K::Integer);
    return kind == ClauseKind::Legalization ? legal : copy;
}

Setting bookText(const QString& n) {
    return Setting(QStringLiteral("Knihy"), QStringLiteral("Kniha") + n, QString(), K::Text);
}

Setting bookCounter(const QString& n) {
    return Setting(QStringLiteral("Knihy"), QStringLiteral("cisloKniha") + n, QStringLiteral("1"),
                   K::Integer);
}

// The same key as bookCounter: names ignore case. The numbering has always
// written it with a capital C, and a counter it creates must keep landing in
// the file under that spelling, byte for byte as the files in use have it.
Setting issuedBookCounter(const QString& n) {
    return Setting(QStringLiteral("Knihy"), QStringLiteral("CisloKniha") + n, QStringLiteral("1"),
                   K::Integer);
}

Setting bookText(int n) {
    return bookText(QString::number(n));
}

Setting bookCounter(int n) {
    return bookCounter(QString::number(n));
}

const Setting& makerServer() {
    static const Setting s(QStringLiteral("Web"), QStringLiteral("Server"), latin1(MakerSite::kDefaultServer),
                           K::Text);
    return s;
}

} // namespace Key

const QList<FirstStartValue>& firstStartValues() {
    using W = FirstStartValue::When;
    static const QList<FirstStartValue> values = [] {
        QList<FirstStartValue> v;
        auto always = [&](const Setting& s, const char* value) {
            v.append({s, QString::fromUtf8(value), W::Always});
        };
        auto seed = [&](const Setting& s, const char* value) {
            v.append({s, QString::fromUtf8(value), W::IfEmpty});
        };
        always(Key::version(), kLorvenaVersion);
        seed(Key::lastPrinted(), "12");
        v.append({Key::prepareNext(), QStringLiteral("1"), W::WithPrevious});
        seed(Key::copyVerificationFee(), "30");
        always(Key::legalizationFee(), "50");
        seed(Key::lastPrintedBook(), "6");
        seed(Key::dpi(), "600");
        seed(Key::officer(1), "Zoz Azira");
        seed(Key::bodyGenitive(1), "Zastupitelstva obce Zididuzado Dazuz");
        seed(Key::bodyInstrumental(1), "Zastupitelstvem obce Zididuzado Dazuz");
        const char* clauseSheet[] = {"5", "2", "47", "0", "16", "2", "78", "15"};
        for (int i = 0; i < Key::clauseSheet().size(); ++i)
            seed(Key::clauseSheet()[i], clauseSheet[i]);
        const char* bookSheet[] = {"13", "2", "44", "0", "38", "2"};
        for (int i = 0; i < Key::bookSheet().size(); ++i)
            seed(Key::bookSheet()[i], bookSheet[i]);
        for (const Setting* face : {&Key::basicFace(), &Key::headingFace(), &Key::dataFace()})
            seed(*face, "Arial");
        for (ClauseKind kind : kClauseKinds)
            seed(Key::tab(kind), "1");
        seed(Key::basicSize(), "6");
        seed(Key::headingSize(), "8");
        always(Key::dataSize(), "6");
        seed(Key::place(), "V Dudeverodu Zered");
        seed(Key::officeGenitive(), "Obecního úřadu Zididuzado Dazuz");
        seed(Key::sharedCounter(), "1");
        seed(Key::designationForm(), "0");
        seed(Key::chosenBook(ClauseKind::CopyVerification), "0");
        seed(Key::chosenBook(ClauseKind::Legalization), "0");
        return v;
    }();
    return values;
}
