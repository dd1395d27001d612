#pragma once

#include "settings/ClauseKind.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

class Setting;
class SettingsStore;

// One row of the journal: one designation issued (or printed again).
struct JournalEntry {
    enum class State {
        Printing,    // issued, the job has not ended yet
        Printed,     // issued and handed to the printer
        NotPrinted,  // the job failed and the number went back to its counter
        Interrupted, // issued, but the program ended before the job did
        Reprinted,   // a spoiled label printed again under its own designation
    };

    qint64 id = 0;
    QDateTime time; // local time, to the second
    ClauseKind kind = ClauseKind::CopyVerification;
    QString designation;
    QString book; // "0" for none, else "1" to "10"
    int number = 0;
    int year = 0;
    int position = 0;
    QString officer;
    QString applicant;      // the applicant line of a legalization, else empty
    QString documentNumber; // the identity document of a legalization, else empty
    QJsonObject particulars;
    QString counter;       // "section/key" of the order-number counter used
    int counterBefore = 0; // what the counter held before the batch
    int counterAfter = 0;  // what the batch stored in it
    State state = State::Printing;
    qint64 reprintOf = 0; // for a reprint, the row printed again
    // What the journal shows as the applicant or the document (journalSubject()
    // of the particulars, kept with the row when it is added).
    QString subject;
};

// "vidimace", "legalizace", ...: the word a clerk reads in the journal.
QString journalKindWord(ClauseKind kind);
QString journalStateWord(JournalEntry::State state);

// The journal of issued order numbers: an SQLite database in the data
// directory, written ahead of the counters in the settings file so that
// every number the file has given out has its row. Rows whose batch never
// reached the file are removed when the journal is opened; rows whose job
// never ended are marked interrupted then. Errors throw AppError.
class Journal {
public:
    // Opens (or creates, readable by its owner only) the database; removes
    // rows older than `keepYears` years (0 keeps everything). The settings
    // are read to settle rows left by a program that ended mid-print.
    Journal(const QString& path, int keepYears, SettingsStore& settings);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const QString& path() const { return m_path; }

    // Adds the rows in one transaction; their ids are set.
    void add(QList<JournalEntry>& entries);
    void setState(const QList<qint64>& ids, JournalEntry::State state);
    // Removes rows still printing whose numbers never reached the counters.
    void removePrinting(const QList<qint64>& ids);

    // What the journal knows of a number below its counter.
    enum class Knowledge { Issued, NotIssued, Unknown };
    struct Earlier {
        Knowledge knowledge = Knowledge::Unknown;
        std::optional<JournalEntry> entry; // the latest issue, when known
    };
    Earlier earlierIssue(const QString& counter, int number, int year) const;

    // The rows a filter finds, newest first, without the particulars (entry()
    // has them). The filter is part of the designation, the applicant, the
    // document number, the officer or the date and time as shown
    // ("11.12.2026 10:15", also "1.3.2026"), in any letter case; an empty
    // one finds every row. A limit of -1 reads to the end.
    QList<JournalEntry> entries(const QString& filter = QString(), int offset = 0, int limit = -1) const;
    std::optional<JournalEntry> entry(qint64 id) const;

private:
    void open();
    void settle(SettingsStore& settings);
    void removeOlderThan(int years);
    QList<JournalEntry> select(const QString& where, const QVariantList& values, bool whole = true) const;

    QString m_path;
    QString m_connection;
};

// The journal as CSV for a Czech spreadsheet: UTF-8 with a byte-order mark,
// semicolons, CR LF, fields quoted where they need it.
QByteArray journalCsv(const QList<JournalEntry>& entries);
// The counter of an issued number as the journal names it, "section/key".
QString journalCounterName(const Setting& counter);
// The date and time as the journal shows them: "11.12.2026 10:15".
QString journalTime(const QDateTime& time);
// The applicant or the document of a row, from its particulars.
QString journalSubject(const JournalEntry& entry);

// The question before numbers are printed again: "Číslo 2/2026 již bylo
// vydáno 11.12.2026 v 10:15 (vidimace). Vytisknout je znovu?"; when and for
// what only where the journal knows it (`journal` may be null).
struct IssuedNumber;
QString reissueQuestion(const QList<IssuedNumber>& numbers, const Journal* journal);
