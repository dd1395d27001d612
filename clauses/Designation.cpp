#include "clauses/Designation.h"

#include "settings/Conversion.h"

QString formatDesignation(const QString& tvar, const QString& bookChoice, const QString& bookText, int number,
                          int year) {
    const QString n = QString::number(number);
    const QString y = QString::number(year);
    if (bookChoice == QLatin1String("0"))
        return tvar == QLatin1String("5") ? n : n + u'/' + y;
    const QString& b = bookText;
    if (tvar == QLatin1String("0"))
        return b + u'/' + n + u'/' + y;
    if (tvar == QLatin1String("1"))
        return n + u'/' + b + u'/' + y;
    if (tvar == QLatin1String("2"))
        return b + u'-' + n + u'/' + y;
    if (tvar == QLatin1String("3"))
        return n + u'-' + b + u'/' + y;
    if (tvar == QLatin1String("4"))
        return n + u'/' + b;
    if (tvar == QLatin1String("5"))
        return n;
    if (tvar == QLatin1String("6"))
        return n + u'/' + y + u'/' + b;
    return kDesignationError;
}

QString normalisedBookChoice(const QString& stored) {
    int n = 0;
    return tryStrToInt(stored, n) && n >= 1 && n <= 10 ? QString::number(n) : QStringLiteral("0");
}
