#pragma once

#include "clauses/ClauseBatch.h"
#include "journal/Journal.h"

// Keeps the journal of one print batch: its rows are written while the
// settings file is locked and before the counters are stored, so that no
// number reaches the file without its row; the end of the job sets their state.
class JournalRecorder : public BatchListener {
public:
    explicit JournalRecorder(Journal& journal) : m_journal(journal) {}

    bool wasIssued(const IssuedNumber& number) override;
    void issuing(const BatchSummary& summary) override;
    void notStored(const BatchSummary& summary) override;
    void printed(const BatchSummary& summary) override;
    void rolledBack(const BatchSummary& summary) override;

    const QList<JournalEntry>& entries() const { return m_entries; }

private:
    QList<qint64> ids() const;

    Journal& m_journal;
    QList<JournalEntry> m_entries;
};
