#include "journal/JournalRecorder.h"

#include "clauses/ParticularsJson.h"
#include "settings/SettingsCatalogue.h"

#include <QDateTime>

QString journalCounterName(const Setting& counter) {
    // Key names ignore case; the journal compares them as one spelling.
    return counter.section().toLower() + u'/' + counter.key().toLower();
}

bool JournalRecorder::wasIssued(const IssuedNumber& number) {
    return m_journal.earlierIssue(journalCounterName(number.counter), number.number, number.year).knowledge !=
           Journal::Knowledge::NotIssued;
}

void JournalRecorder::issuing(const BatchSummary& summary) {
    if (summary.issued.isEmpty())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime second = now.addMSecs(-now.time().msec());
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
        e.time = second;
        e.kind = n.kind;
        e.designation = n.designation;
        e.book = n.counter.section().compare(QLatin1String("Knihy"), Qt::CaseInsensitive) == 0
                     ? n.counter.key().mid(QStringLiteral("CisloKniha").size())
                     : QStringLiteral("0");
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

void JournalRecorder::notStored(const BatchSummary&) {
    QList<qint64> ids;
    for (const JournalEntry& e : std::as_const(m_entries))
        ids << e.id;
    try {
        m_journal.removePrinting(ids);
    } catch (const std::exception&) {
        // Left for the next opening of the journal, which removes them too.
    }
    m_entries.clear();
}

void JournalRecorder::printed(const BatchSummary&) {
    QList<qint64> ids;
    for (const JournalEntry& e : std::as_const(m_entries))
        ids << e.id;
    m_journal.setState(ids, JournalEntry::State::Printed);
}

void JournalRecorder::rolledBack(const BatchSummary&) {
    QList<qint64> ids;
    for (const JournalEntry& e : std::as_const(m_entries))
        ids << e.id;
    m_journal.setState(ids, JournalEntry::State::NotPrinted);
}
