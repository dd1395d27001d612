#include "book/BookDesignation.h"

#include "clauses/Designation.h"
#include "settings/SettingsStore.h"

QString oznaceni(const SettingsStore& settings, const QString& cinnost, int poradi, int rok) {
    QString bookKey;
    if (cinnost == u"VIDIMACE")
        bookKey = QStringLiteral("VybranaKniha-Vidimace");
    else if (cinnost == u"LEGALIZACE")
        bookKey = QStringLiteral("VybranaKniha-Legalizace");
    else
        return kDesignationError;
    const QString tvar =
        settings.ReadString(QStringLiteral("Cislovani"), QStringLiteral("Tvar"), QStringLiteral("0"));
    const QString book =
        normalisedBookChoice(settings.ReadString(QStringLiteral("Cislovani"), bookKey, QString()));
    const QString bookText = book == u"0" ? QString()
                                          : settings.ReadString(QStringLiteral("Knihy"),
                                                                QStringLiteral("Kniha") + book, QString());
    return formatDesignation(tvar, book, bookText, poradi, rok);
}
