#include "book/BookFees.h"

#include "settings/SettingsCatalogue.h"

namespace {

const QString kLaw = QStringLiteral("Osvobozeno dle zákona č. 634/2004 Sb., ");

QStringList lettered(const QString& paragraph, const QString& letters) {
    QStringList out;
    for (QChar letter : letters)
        out << kLaw + paragraph + QStringLiteral(" písm. ") + letter + u')';
    return out;
}

QStringList tariff(int item) {
    QStringList out;
    for (int paragraph = 1; paragraph <= 3; ++paragraph)
        out << kLaw + QStringLiteral("pol. %1 sazebníku odst. %2").arg(item).arg(paragraph);
    return out;
}

} // namespace

QStringList copyVerificationExemptions() {
    return QStringList{QString()} + lettered(QStringLiteral("ust. § 8 odst. 1"), QStringLiteral("abcde")) +
           lettered(QStringLiteral("ust. § 8 odst. 2"), QStringLiteral("abcdefghi")) +
           QStringList{kLaw + QStringLiteral("pol. 16 sazebníku")} + tariff(4);
}

QStringList legalizationExemptions() {
    return QStringList{QString()} + lettered(QStringLiteral("ust. § 8 odst. 1"), QStringLiteral("abcde")) +
           lettered(QStringLiteral("ust. § 8 odst. 2"), QStringLiteral("abcf")) +
           QStringList{kLaw + QStringLiteral("pol. 16 sazebníku")} + tariff(5);
}

int copyVerificationFee(const SettingsStore& settings) {
    return Key::copyVerificationFee().integer(settings);
}

int legalizationFee(const SettingsStore& settings) {
    return Key::legalizationFee().integer(settings);
}

QString feeText(int fee, int count, int pages) {
    return QString::number(qint64(fee) * count * pages) + QStringLiteral(" Kč");
}
