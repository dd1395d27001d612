#pragma once

#include "clauses/CopyVerificationClause.h"
#include "clauses/LegalizationClause.h"
#include "clauses/MunicipalClause.h"
#include "clauses/Numbering.h"
#include "printing/ClauseFonts.h"
#include "printing/SheetGeometry.h"
#include "settings/ClauseKind.h"

#include <QList>
#include <exception>
#include <variant>

class SettingsStore;
class SheetJob;

// The particulars of the selected kind, as the main window gathered them.
using ClauseParticulars = std::variant<CopyVerificationParticulars, LegalizationParticulars,
                                       IntentionParticulars, ApprovalParticulars>;

// What one batch did or, in a preview, would do.
struct BatchSummary {
    ClauseKind kind = ClauseKind::CopyVerification;
    QList<int> positions;        // the marked positions, ascending
    QList<IssuedNumber> issued;  // one per position for the numbered kinds, none otherwise
    OrderNumbers numbers;        // the order-number fields afterwards
    bool logoUnreadable = false; // a logo file exists but could not be read: printed without it
    // The particulars as drawn: with office, place and faces from the settings.
    ClauseParticulars drawn;
};

// Told what a batch does at the moments that matter to a record of issued
// numbers. Every call is optional.
class BatchListener {
public:
    virtual ~BatchListener() = default;
    // Whether a number below the counter of its sequence was given out
    // before. Without a record of it the answer must be yes; a record that
    // shows it never was (a new year's numbers begin at 1 again) says no.
    virtual bool wasIssued(const IssuedNumber&) { return true; }
    // The numbers are issued but not yet stored: the settings file is locked
    // and its counters are written when this returns. Throwing here stores
    // nothing and ends the batch.
    virtual void issuing(const BatchSummary&) {}
    // After issuing(): the file could not take the counters, so the numbers
    // were never given out. Must not throw.
    virtual void notStored(const BatchSummary&) {}
    // The counters and the last printed position are in the file.
    virtual void issued(const BatchSummary&) {}
    virtual void positionDrawn(int index, int position) {
        Q_UNUSED(index);
        Q_UNUSED(position);
    }
    virtual void printed(const BatchSummary&) {}
    // The job failed after the numbers were stored; the file holds the
    // counters of before again.
    virtual void rolledBack(const BatchSummary&) {}
};

// Raised, before anything is written, by a batch that would give out numbers
// again: each is below the counter of its sequence (the counter holds the
// next number to issue), and was not accepted for reissue.
class ReissueNeeded : public std::exception {
public:
    explicit ReissueNeeded(QList<IssuedNumber> numbers) : m_numbers(std::move(numbers)) {}
    const QList<IssuedNumber>& numbers() const { return m_numbers; }
    const char* what() const noexcept override { return "order numbers issued before"; }

private:
    QList<IssuedNumber> m_numbers;
};

// One clause printed again under the designation it was issued with.
struct ReprintedClause {
    int position = 0;
    ClauseParticulars particulars;
    QString designation;
};

// Draws clauses of the numbered kinds again, each at its position, from
// their particulars as they were printed; issues and writes nothing.
void drawAgain(SheetJob& job, const SheetGeometry& geometry, const QList<ReprintedClause>& clauses);

// One press of "TISK": issues the designations, draws the clause of the kind
// at every marked position on one sheet and, when anything fails after the
// numbers were stored, restores exactly what it changed in the settings
// (counters, [App] last printed, the remembered approval). The window's
// fields change only through the summary of a batch that succeeded.
class ClauseBatch {
public:
    enum class Mode {
        Print,   // issues and stores the numbers, then prints
        Preview, // draws what Print would, with the numbers it would issue; writes nothing
    };

    // Reads the sheet geometry, the fonts and [Printer] dpi; throws (before
    // anything is written) when one of them is not usable.
    ClauseBatch(SettingsStore& settings, ClauseKind kind, QList<int> marked, OrderNumbers numbers);

    ClauseKind kind() const { return m_kind; }
    const QList<int>& marked() const { return m_marked; }
    int dpi() const { return m_dpi; }

    // The numbers the batch would give out again as the file stands now
    // (read without the lock: run() checks again), so that the clerk can be
    // asked before anything else is written.
    QList<IssuedNumber> reissues(BatchListener* listener) const;
    // The clerk agreed to print these numbers again (designations as the
    // batch raised them in ReissueNeeded).
    void acceptReissue(const QList<IssuedNumber>& numbers);

    // Runs the batch on the job; with no marked position it does nothing.
    // A number below its counter that was not accepted raises ReissueNeeded
    // while nothing is written yet. Throws what failed, after the rollback.
    BatchSummary run(SheetJob& job, const ClauseParticulars& particulars, Mode mode = Mode::Print,
                     BatchListener* listener = nullptr);

private:
    struct Change;
    QList<IssuedNumber> issueAll(OrderNumbers& numbers, BatchListener* listener,
                                 QList<IssuedNumber>& again) const;
    void draw(SheetJob& job, const ClauseParticulars& particulars, const BatchSummary& summary,
              BatchListener* listener);

    SettingsStore& m_settings;
    ClauseKind m_kind;
    QList<int> m_marked;
    OrderNumbers m_numbers;
    QStringList m_acceptedReissue;
    SheetGeometry m_geometry;
    ClauseFonts m_fonts;
    int m_dpi = 0;
    QString m_office;
    QString m_place;
    MunicipalHeader m_header;
};
