#include "settings/Conversion.h"

#include "settings/AppError.h"

#include <QStringList>
#include <limits>

bool tryStrToInt(const QString& text, int& value) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == n)
        return false;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    const qint64 signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max() || signedValue < std::numeric_limits<int>::min())
        return false;
    value = int(signedValue);
    return true;
}

int strToInt(const QString& text) {
    int value = 0;
    if (!tryStrToInt(text, value))
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

QString shortDateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString plainDateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("d.M.yyyy")) : QString();
}

QDate strToDate(const QString& text) {
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() == 3) {
        int d = 0, m = 0, y = 0;
        if (tryStrToInt(parts[0], d) && tryStrToInt(parts[1], m) && tryStrToInt(parts[2], y) && d > 0 &&
            m > 0 && y >= 0 && parts[2].size() <= 4) {
            if (parts[2].size() <= 2)
                y += y < 50 ? 2000 : 1900;
            const QDate date(y, m, d);
            if (date.isValid())
                return date;
        }
    }
    throw AppError(QStringLiteral("'%1' is not a valid date").arg(text));
}
