#include "clauses/ParticularsJson.h"

#include <QJsonValue>

namespace {

QString isoDate(const QDate& date) {
    return date.toString(Qt::ISODate);
}

// Reads a member of the expected type; false when it is missing or of another type.
bool read(const QJsonObject& o, const char* name, QString& out) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (!v.isString())
        return false;
    out = v.toString();
    return true;
}

bool read(const QJsonObject& o, const char* name, int& out) {
    const QJsonValue v = o.value(QLatin1String(name));
    if (!v.isDouble())
        return false;
    out = v.toInt();
    return true;
}

bool read(const QJsonObject& o, const char* name, QDate& out) {
    QString text;
    if (!read(o, name, text))
        return false;
    out = QDate::fromString(text, Qt::ISODate);
    return out.isValid() || text.isEmpty();
}

} // namespace

QJsonObject particularsToJson(const CopyVerificationParticulars& p) {
    return QJsonObject{
        {QStringLiteral("officeGenitive"), p.officeGenitive},
        {QStringLiteral("place"), p.place},
        {QStringLiteral("completeness"), p.completeness},
        {QStringLiteral("form"), p.form},
        {QStringLiteral("outputPages"), p.outputPages},
        {QStringLiteral("sourceState"), p.sourceState},
        {QStringLiteral("sourcePages"), p.sourcePages},
        {QStringLiteral("securityFeature"), p.securityFeature},
        {QStringLiteral("date"), isoDate(p.date)},
        {QStringLiteral("officer"), p.officer},
        {QStringLiteral("headingFace"), p.headingFace},
        {QStringLiteral("basicFace"), p.basicFace},
    };
}

QJsonObject particularsToJson(const LegalizationParticulars& p) {
    return QJsonObject{
        {QStringLiteral("officeGenitive"), p.officeGenitive},
        {QStringLiteral("place"), p.place},
        {QStringLiteral("signingManner"), p.signingManner},
        {QStringLiteral("applicant"), p.applicant},
        {QStringLiteral("addressKind"), p.addressKind},
        {QStringLiteral("address"), p.address},
        {QStringLiteral("documentKind"), p.documentKind},
        {QStringLiteral("documentNumber"), p.documentNumber},
        {QStringLiteral("date"), isoDate(p.date)},
        {QStringLiteral("officer"), p.officer},
        {QStringLiteral("headingFace"), p.headingFace},
        {QStringLiteral("basicFace"), p.basicFace},
        {QStringLiteral("dataFace"), p.dataFace},
    };
}

std::optional<ClauseParticulars> particularsFromJson(ClauseKind kind, const QJsonObject& o) {
    if (kind == ClauseKind::CopyVerification) {
        CopyVerificationParticulars p;
        if (read(o, "officeGenitive", p.officeGenitive) && read(o, "place", p.place) &&
            read(o, "completeness", p.completeness) && read(o, "form", p.form) &&
            read(o, "outputPages", p.outputPages) && read(o, "sourceState", p.sourceState) &&
            read(o, "sourcePages", p.sourcePages) && read(o, "securityFeature", p.securityFeature) &&
            read(o, "date", p.date) && read(o, "officer", p.officer) &&
            read(o, "headingFace", p.headingFace) && read(o, "basicFace", p.basicFace))
            return p;
    } else if (kind == ClauseKind::Legalization) {
        LegalizationParticulars p;
        if (read(o, "officeGenitive", p.officeGenitive) && read(o, "place", p.place) &&
            read(o, "signingManner", p.signingManner) && read(o, "applicant", p.applicant) &&
            read(o, "addressKind", p.addressKind) && read(o, "address", p.address) &&
            read(o, "documentKind", p.documentKind) && read(o, "documentNumber", p.documentNumber) &&
            read(o, "date", p.date) && read(o, "officer", p.officer) &&
            read(o, "headingFace", p.headingFace) && read(o, "basicFace", p.basicFace) &&
            read(o, "dataFace", p.dataFace))
            return p;
    }
    return std::nullopt;
}
