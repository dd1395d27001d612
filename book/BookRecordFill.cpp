#include "book/BookRecordFill.h"

std::optional<int> nextBookPosition(const QString& prepareNext, const QString& lastPrinted) {
    if (prepareNext != u"1")
        return std::nullopt;
    for (int last = 1; last <= 6; ++last)
        if (lastPrinted == QString::number(last))
            return last % 6 + 1;
    return std::nullopt;
}

std::optional<AddressSource> addressSourceFor(int documentKind) {
    switch (documentKind) {
    case 0:
    case 4:
    case 5:
        return AddressSource::Document;
    case 6:
        return AddressSource::Declaration;
    case 1:
    case 2:
    case 3:
        return AddressSource::Aiseo;
    default:
        return std::nullopt;
    }
}

IdentityDocumentText identityDocumentFor(int documentKind) {
    switch (documentKind) {
    case 0:
        return {QStringLiteral("OP"), false};
    case 1: // the former driving licence, still in old saved clauses
        return {QStringLiteral("ŘP"), false};
    case 2:
    case 3:
        return {QStringLiteral("CD"), false};
    case 4:
        return {QStringLiteral("Průkaz o povolení pobytu cizince"), false};
    case 5:
        return {QStringLiteral("OP"), true};
    case 6:
        return {QStringLiteral("CD"), true};
    case 7:
        return {QStringLiteral("Identifikační průkaz vydaný MZV ČR"), false};
    default:
        return {};
    }
}

QString documentNumberText(const QString& number, const QString& series) {
    QString text = QStringLiteral("č.") + number;
    if (!series.isEmpty())
        text += QStringLiteral(" (série ") + series + u')';
    return text;
}

int signatureIndexFor(int mainSignatureIndex) {
    return mainSignatureIndex == 2 ? 1 : mainSignatureIndex;
}

QString sourceLine(const QString& sourceState, int sourcePages) {
    return sourceState + QStringLiteral(" (") + QString::number(sourcePages) + QStringLiteral(" str.), ");
}

QString outputLine(bool securityElement, bool partial, bool copy, int outputPages) {
    QString text = securityElement ? QStringLiteral("obsahuje zajišťovací prvek, ")
                                   : QStringLiteral("neobsahuje zajišťovací prvek, ");
    if (partial)
        text += copy ? QStringLiteral("částečná kopie ") : QStringLiteral("částečný opis ");
    else
        text += copy ? QStringLiteral("úplná kopie ") : QStringLiteral("úplný opis ");
    return text + u'(' + QString::number(outputPages) + QStringLiteral(" str.)");
}
