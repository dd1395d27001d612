#include "applicant/EidImport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace EidImport {

QString helpPage(const QString& siteBase) {
    QString base = siteBase;
    while (base.endsWith(u'/'))
        base.chop(1);
    return base + QStringLiteral("/edoklady");
}

QString noDataMessage(const QString& siteBase) {
    return QStringLiteral("Ve schránce nesjou žádná data. Ve čtečce je potřeba kliknout na \"Exportovat "
                          "údaje\" a dále na \"Kopírovat do schránky\". Více informací najdete na webu ") +
           helpPage(siteBase);
}

QString wrongDataMessage(const QString& siteBase) {
    return QStringLiteral("Ve schránce nesjou správná data. Více informací najdete na webu ") +
           helpPage(siteBase);
}

namespace {

void applyCredential(const QString& name, const QString& value, LegalizationFields& fields, Result& result) {
    if (name == u"given_name") {
        fields.applicant = value + u' ';
        result.applicantSet = true;
    } else if (name == u"family_name") {
        fields.applicant += value + QStringLiteral(", ");
        result.applicantSet = true;
    } else if (name == u"birth_date") {
        // year-month-day; a short value gives what it has, without an error
        fields.applicant +=
            value.mid(8, 2) + u'.' + value.mid(5, 2) + u'.' + value.mid(0, 4) + QStringLiteral(", ");
        result.applicantSet = true;
    } else if (name == u"birth_place") {
        fields.applicant += value;
        result.applicantSet = true;
    } else if (name == u"document_number") {
        fields.documentKind = 0;
        fields.documentNumber = value;
        result.documentSet = true;
    } else if (name == u"resident_address") {
        fields.addressKind = 0;
        fields.address = value;
        result.addressSet = true;
    } else if (name == u"sex") {
        fields.man = value == u"Muž";
        result.sexSet = true;
    }
}

} // namespace

Result apply(const std::optional<QString>& clipboardText, LegalizationFields& fields,
             const QString& siteBase) {
    Result result;
    if (!clipboardText || clipboardText->isEmpty()) {
        result.message = noDataMessage(siteBase);
        return result;
    }
    const QString wrong = wrongDataMessage(siteBase);
    if (clipboardText->size() > kMaxTextLength) {
        result.message = wrong;
        return result;
    }

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(clipboardText->toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        result.message = wrong;
        return result;
    }
    const QJsonValue presented = document.object().value(QStringLiteral("presentedDocuments"));
    const QJsonValue first = presented.isArray() ? presented.toArray().at(0) : QJsonValue();
    const QJsonValue credentials =
        first.isObject() ? first.toObject().value(QStringLiteral("credentials")) : QJsonValue();
    if (!credentials.isArray()) {
        result.message = wrong;
        return result;
    }

    for (const QJsonValue& credential : credentials.toArray()) {
        const QJsonValue name = credential.toObject().value(QStringLiteral("name"));
        const QJsonValue value = credential.toObject().value(QStringLiteral("value"));
        if (!name.isString() || !value.isString()) {
            // what came before stays applied
            result.message = wrong;
            return result;
        }
        applyCredential(name.toString(), value.toString(), fields, result);
    }
    return result;
}

} // namespace EidImport
