// Order numbers: the designation routine and the book choosers.
#include "app/Messages.h"
#include "app/main.h"
#include "clauses/Designation.h"
#include "settings/Conversion.h"
#include "settings/SettingsStore.h"

#include <QComboBox>
#include <QSpinBox>

QString TForm1::oznaceni(const QString& cinnost) {
    const bool vidimace = cinnost == u"VIDIMACE";
    if (!vidimace && cinnost != u"LEGALIZACE")
        return kDesignationError;
    QSpinBox* field = vidimace ? SpinEdit2 : SpinEdit4;
    QSpinBox* year = vidimace ? SpinEdit5 : SpinEdit6;
    QSpinBox* otherField = vidimace ? SpinEdit4 : SpinEdit2;
    const QString ownKey =
        vidimace ? QStringLiteral("VybranaKniha-Vidimace") : QStringLiteral("VybranaKniha-Legalizace");
    const QString otherKey =
        vidimace ? QStringLiteral("VybranaKniha-Legalizace") : QStringLiteral("VybranaKniha-Vidimace");

    SettingsStore& s = settings();
    const QString tvar =
        s.ReadString(QStringLiteral("Cislovani"), QStringLiteral("Tvar"), QStringLiteral("0"));
    const QString book = normalisedBookChoice(s.ReadString(QStringLiteral("Cislovani"), ownKey, QString()));
    const QString otherBook =
        normalisedBookChoice(s.ReadString(QStringLiteral("Cislovani"), otherKey, QString()));
    const QString bookText =
        book == u"0" ? QString()
                     : s.ReadString(QStringLiteral("Knihy"), QStringLiteral("Kniha") + book, QString());

    const QString designation = formatDesignation(tvar, book, bookText, field->value(), year->value());
    field->setValue(field->value() + 1);
    // One sequence for both kinds when they keep the same book (or none).
    if (otherBook == book)
        otherField->setValue(field->value());
    if (book == u"0")
        s.WriteString(QStringLiteral("Cislovani"), QStringLiteral("Vidimace-legalizace"),
                      QString::number(field->value()));
    else
        s.WriteString(QStringLiteral("Knihy"), QStringLiteral("CisloKniha") + book,
                      QString::number(field->value()));
    return designation;
}

void TForm1::loadOrderNumber(QComboBox* chooser, QSpinBox* field) {
    const int index = chooser->currentIndex();
    if (index < 0)
        return;
    const QString counter =
        index == 0 ? settings().ReadString(QStringLiteral("Cislovani"), QStringLiteral("Vidimace-legalizace"),
                                           QStringLiteral("1"))
                   : settings().ReadString(QStringLiteral("Knihy"), QStringLiteral("cisloKniha%1").arg(index),
                                           QStringLiteral("1"));
    field->setValue(strToInt(counter));
}

void TForm1::ComboBox16Change() {
    guarded(this, [this] {
        settings().WriteString(QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Vidimace"),
                               QString::number(ComboBox16->currentIndex()));
        loadOrderNumber(ComboBox16, SpinEdit2);
    });
}

void TForm1::ComboBox15Change() {
    guarded(this, [this] {
        settings().WriteString(QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Legalizace"),
                               QString::number(ComboBox15->currentIndex()));
        loadOrderNumber(ComboBox15, SpinEdit4);
    });
}
