#pragma once

#include <QByteArray>
#include <QString>

// What the register of invalid documents said about one document.
struct RegisterAnswer {
    enum class Outcome { Failed, Listed, NotListed };
    enum class Source { Register, Copy };

    Outcome outcome = Outcome::Failed;
    Source source = Source::Register;
    QString copyDate;    // the day of the local copy that answered ("11.12.2026")
    QString updated;     // when the register was last updated, as it writes it ("5.3.2024")
    QString listedSince; // since when a listed document is invalid
    QString failure;     // why no answer could be had (register's own text or ours); with an
                         // answer from the copy, why the register could not give it

    // The single character of the simple answer: '1' listed, '2' not listed, '0' no answer.
    char digit() const;

    static RegisterAnswer failed(const QString& reason);
};

// Reads the register's XML reply. Only a well-formed document with exactly one
// answer element saying "ano" or "ne" and no error element counts as an answer.
RegisterAnswer parseRegisterReply(const QByteArray& xml);
