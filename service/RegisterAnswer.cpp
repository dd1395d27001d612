#include "RegisterAnswer.h"

#include <QXmlStreamReader>

char RegisterAnswer::digit() const {
    switch (outcome) {
    case Outcome::Listed:
        return '1';
    case Outcome::NotListed:
        return '2';
    case Outcome::Failed:
        break;
    }
    return '0';
}

RegisterAnswer RegisterAnswer::failed(const QString& reason) {
    RegisterAnswer answer;
    answer.failure = reason;
    return answer;
}

RegisterAnswer parseRegisterReply(const QByteArray& xml) {
    QXmlStreamReader reader(xml);
    int answers = 0;
    bool sawRoot = false;
    QString listed;
    RegisterAnswer answer;
    QString errorText;
    bool sawError = false;

    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const auto name = reader.name();
        if (!sawRoot) {
            sawRoot = true;
            if (name != u"doklady_neplatne" && name != u"chyba")
                return RegisterAnswer::failed(QStringLiteral("neznámá odpověď registru"));
        }
        if (name == u"chyba") {
            sawError = true;
            errorText = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (name == u"odpoved") {
            ++answers;
            const auto attributes = reader.attributes();
            listed = attributes.value(QLatin1String("evidovano")).toString();
            answer.updated = attributes.value(QLatin1String("aktualizovano")).toString().trimmed();
            answer.listedSince = attributes.value(QLatin1String("evidovano_od")).toString().trimmed();
        }
    }
    if (reader.hasError())
        return RegisterAnswer::failed(QStringLiteral("poškozená odpověď registru"));
    if (sawError) {
        return RegisterAnswer::failed(errorText.isEmpty()
                                          ? QStringLiteral("registr ohlásil chybu")
                                          : QStringLiteral("registr ohlásil chybu: ") + errorText.left(200));
    }
    if (answers != 1)
        return RegisterAnswer::failed(QStringLiteral("neúplná odpověď registru"));
    if (listed == u"ano") {
        answer.outcome = RegisterAnswer::Outcome::Listed;
    } else if (listed == u"ne") {
        answer.outcome = RegisterAnswer::Outcome::NotListed;
        answer.listedSince.clear();
    } else {
        return RegisterAnswer::failed(QStringLiteral("neúplná odpověď registru"));
    }
    return answer;
}
