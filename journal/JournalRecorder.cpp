#include "journal/JournalRecorder.h"

#include "clauses/ParticularsJson.h"
#include "settings/SettingsCatalogue.h"

#include <QDateTime>

bool JournalRecorder::wasIssued(const IssuedNumber& number) {
    return m_journal.earlierIssue(journalCounterName(number.counter), number.number, number.year).knowledge !=
           Journal::Knowledge::NotIssued;
}

void JournalRecorder::issuing(const BatchSummary& summary) {
    if (summary.issued.isEmpty())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    QJsonObject json;
    QString officer, applicant, document;
    if (const auto* c = std::get_if<CopyVerificationParticulars>(&summary.drawn)) {
        json = particularsToJson(*c);
        officer = c->officer;
    } else if (const auto* l = std::get_if<LegalizationParticulars>(&summary.drawn)) {
        json = particularsToJson(*l);
        officer = l->officer;
        applicant = l->applicant;
        document = l->documentNumber;
    }
    const int after = summary.issued.last().nextNumber;
    QList<JournalEntry> rows;
    for (qsizetype i = 0; i < summary.issued.size(); ++i) {
        const IssuedNumber& n = summary.issued[i];
        JournalEntry e;
        e.time = now;
        e.kind = n.kind;
        e.designation = n.designation;
        e.book = n.book;
        e.number = n.number;
        e.year = n.year;
        e.position = summary.positions.value(i);
        e.officer = officer;
        e.applicant = applicant;
        e.documentNumber = document;
        e.particulars = json;
        e.counter = journalCounterName(n.counter);
        e.counterBefore = n.counterBefore;
        e.counterAfter = after;
        e.state = JournalEntry::State::Printing;
        rows << e;
    }
    m_journal.add(rows);
    m_entries = rows;
}

QList<qint64> JournalRecorder::ids() const {
    QList<qint64> ids;
    for (const JournalEntry& e : m_entries)
        ids << e.id;
    return ids;
}

void JournalRecorder::notStored(const BatchSummary&) {
    try {
        m_journal.removePrinting(ids());
    } catch (const std::exception&) {
        // Left for the next opening of the journal, which removes them too.
    }
    m_entries.clear();
}

void JournalRecorder::printed(const BatchSummary&) {
    m_journal.setState(ids(), JournalEntry::State::Printed);
}

void JournalRecorder::rolledBack(const BatchSummary&) {
    m_journal.setState(ids(), JournalEntry::State::NotPrinted);
}
