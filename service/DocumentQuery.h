#pragma once

#include <QString>
#include <QUrlQuery>

#include <optional>

// One question for the register: a document number and its type code
// ("0" identity card, "4" and "5" passports).
struct DocumentQuery {
    QString number;
    QString type;

    // The key under which answers are cached and shared.
    QString key() const { return type + u':' + number; }
};

// The query keys "number" and "type", each given exactly once, with a type the
// register knows and a number of 1 to 20 ASCII letters and digits. Anything
// else is refused here so that it never reaches the register.
std::optional<DocumentQuery> documentQueryFrom(const QUrlQuery& query);

// Czech name of the document kind for a type code; empty for an unknown code.
QString documentKindName(const QString& type);
