#include "DocumentQuery.h"

namespace {

constexpr int kMaxNumberLength = 20;

std::optional<QString> singleValue(const QUrlQuery& query, const QString& key) {
    const QStringList values = query.allQueryItemValues(key, QUrl::FullyDecoded);
    if (values.size() != 1)
        return std::nullopt;
    return values.first();
}

bool isAsciiAlphanumeric(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

std::optional<DocumentQuery> documentQueryFrom(const QUrlQuery& query) {
    const auto number = singleValue(query, QStringLiteral("number"));
    const auto type = singleValue(query, QStringLiteral("type"));
    if (!number || !type)
        return std::nullopt;
    if (documentKindName(*type).isEmpty())
        return std::nullopt;
    if (number->isEmpty() || number->size() > kMaxNumberLength)
        return std::nullopt;
    for (QChar c : *number) {
        if (!isAsciiAlphanumeric(c))
            return std::nullopt;
    }
    return DocumentQuery{*number, *type};
}

QString documentKindName(const QString& type) {
    if (type == u"0")
        return QStringLiteral("občanský průkaz");
    if (type == u"4")
        return QStringLiteral("cestovní pas – centrálně vydávaný (fialový)");
    if (type == u"5")
        return QStringLiteral("cestovní pas – vydaný okresním úřadem (zelený)");
    return {};
}
