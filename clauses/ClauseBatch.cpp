#include "clauses/ClauseBatch.h"

#include "printing/Pen.h"
#include "printing/SheetJob.h"
#include "settings/DataDir.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <algorithm>
#include <stdexcept>

namespace {

ClauseKind kindOf(const ClauseParticulars& particulars) {
    constexpr ClauseKind kinds[] = {ClauseKind::CopyVerification, ClauseKind::Legalization,
                                    ClauseKind::Intention, ClauseKind::Approval};
    return kinds[particulars.index()];
}

// What the counter holds now; the first number when the key is absent, and
// nothing to compare with when it is not a number.
std::optional<int> storedCounter(const SettingsStore& settings, const Setting& counter) {
    try {
        return counter.integer(settings);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void drawClause(Pen& pen, const ClauseParticulars& particulars, const QString& designation,
                const MunicipalHeader& header) {
    if (const auto* p = std::get_if<CopyVerificationParticulars>(&particulars))
        drawCopyVerification(pen, *p, designation);
    else if (const auto* p = std::get_if<LegalizationParticulars>(&particulars))
        drawLegalization(pen, *p, designation);
    else if (const auto* p = std::get_if<IntentionParticulars>(&particulars))
        drawIntention(pen, header, *p);
    else if (const auto* p = std::get_if<ApprovalParticulars>(&particulars))
        drawApproval(pen, header, *p);
}

} // namespace

void drawAgain(SheetJob& job, const SheetGeometry& geometry, const QList<ReprintedClause>& clauses) {
    if (clauses.isEmpty())
        return;
    for (const ReprintedClause& clause : clauses)
        if (!isNumbered(kindOf(clause.particulars)))
            throw std::invalid_argument("only numbered clauses are printed again");
    DrawingSurface& surface = job.start();
    for (const ReprintedClause& clause : clauses) {
        const QPoint origin = geometry.textOrigin(clause.position);
        Pen pen(surface, origin.x(), origin.y());
        drawClause(pen, clause.particulars, clause.designation, MunicipalHeader());
    }
    job.finish();
}

QList<IssuedNumber> ClauseBatch::issueAll(OrderNumbers& numbers, BatchListener* listener,
                                          QList<IssuedNumber>& again) const {
    QList<IssuedNumber> all;
    for (qsizetype i = 0; i < m_marked.size(); ++i)
        all << issueNumber(m_settings, m_kind, numbers);
    if (all.isEmpty())
        return all;
    // One kind, one rule: every number of the batch comes from the same counter.
    const std::optional<int> before = storedCounter(m_settings, all.first().counter);
    for (IssuedNumber& issued : all) {
        issued.counterBefore = before.value_or(0);
        if (before && issued.number < *before && !m_acceptedReissue.contains(issued.designation) &&
            (!listener || listener->wasIssued(issued)))
            again << issued;
    }
    return all;
}

QList<IssuedNumber> ClauseBatch::reissues(BatchListener* listener) const {
    QList<IssuedNumber> again;
    if (isNumbered(m_kind)) {
        OrderNumbers numbers = m_numbers;
        issueAll(numbers, listener, again);
    }
    return again;
}

void ClauseBatch::acceptReissue(const QList<IssuedNumber>& numbers) {
    for (const IssuedNumber& n : numbers)
        m_acceptedReissue << n.designation;
}

// One value the batch wrote, with what the file held before (nothing when
// the key was absent: no key is ever deleted, so such a key keeps the new value).
struct ClauseBatch::Change {
    Setting key;
    std::optional<QString> before;
};

ClauseBatch::ClauseBatch(SettingsStore& settings, ClauseKind kind, QList<int> marked, OrderNumbers numbers)
    : m_settings(settings), m_kind(kind), m_marked(std::move(marked)), m_numbers(numbers),
      m_geometry(SheetGeometry::read(settings)), m_fonts(ClauseFonts::read(settings)),
      m_dpi(Key::dpi().integer(settings)) {
    std::sort(m_marked.begin(), m_marked.end());
    m_marked.erase(std::unique(m_marked.begin(), m_marked.end()), m_marked.end());
}

BatchSummary ClauseBatch::run(SheetJob& job, const ClauseParticulars& gathered, Mode mode,
                              BatchListener* listener) {
    if (kindOf(gathered) != m_kind)
        throw std::invalid_argument("particulars of another clause kind");
    BatchSummary summary;
    summary.kind = m_kind;
    summary.positions = m_marked;
    summary.numbers = m_numbers;
    if (m_marked.isEmpty())
        return summary;

    // Everything read from the settings is read before anything is written.
    ClauseParticulars particulars = gathered;
    if (m_kind == ClauseKind::Intention || m_kind == ClauseKind::Approval) {
        m_header = readMunicipalHeader(m_settings, m_fonts);
        const QString logoPath = DataDir::logoFile();
        if (QFileInfo::exists(logoPath)) {
            m_header.logo = QImage(logoPath);
            summary.logoUnreadable = m_header.logo.isNull();
        }
    }
    m_office = Key::officeGenitive().text(m_settings);
    m_place = Key::place().text(m_settings);
    if (auto* p = std::get_if<CopyVerificationParticulars>(&particulars)) {
        p->officeGenitive = m_office;
        p->place = m_place;
        p->headingFace = m_fonts.headingFace;
        p->basicFace = m_fonts.basicFace;
    } else if (auto* p = std::get_if<LegalizationParticulars>(&particulars)) {
        p->officeGenitive = m_office;
        p->place = m_place;
        p->headingFace = m_fonts.headingFace;
        p->basicFace = m_fonts.basicFace;
        p->dataFace = m_fonts.dataFace;
    }

    summary.drawn = particulars;

    if (mode == Mode::Preview) {
        QList<IssuedNumber> notAsked; // a preview prints nothing, so it asks nothing
        if (isNumbered(m_kind))
            summary.issued = issueAll(summary.numbers, nullptr, notAsked);
        draw(job, particulars, summary, listener);
        return summary;
    }

    // Every number is issued and stored before the job opens, so the order
    // numbers on paper are always ones the counters already hold. All of it
    // reaches the file in one replace: a failure while storing leaves the
    // file as it was.
    QList<Change> changes;
    {
        SettingsStore::Batch transaction(m_settings);
        auto change = [&](const Setting& key, const QString& value) {
            changes << Change{key, key.stored(m_settings)};
            key.write(m_settings, value);
        };
        change(Key::lastPrinted(), QString::number(m_marked.last()));
        if (isNumbered(m_kind)) {
            // Checked again under the lock: a second copy of the program that
            // printed meanwhile has moved the counter, and its numbers are caught here.
            QList<IssuedNumber> again;
            summary.issued = issueAll(summary.numbers, listener, again);
            if (!again.isEmpty())
                throw ReissueNeeded(again);
            for (const IssuedNumber& issued : std::as_const(summary.issued))
                change(issued.counter, QString::number(issued.nextNumber));
        } else if (const auto* approval = std::get_if<ApprovalParticulars>(&particulars)) {
            for (const Setting* key : {&Key::approvalNumber(), &Key::approvalDate()})
                changes << Change{*key, key->stored(m_settings)};
            rememberApproval(m_settings, *approval);
        }
        if (listener)
            listener->issuing(summary);
        try {
            transaction.commit();
        } catch (...) {
            if (listener)
                listener->notStored(summary);
            throw;
        }
    }

    try {
        if (listener)
            listener->issued(summary);
        draw(job, particulars, summary, listener);
    } catch (...) {
        // The numbers go back, so the screen, the counters and the printer
        // agree: nothing was printed.
        try {
            SettingsStore::Batch transaction(m_settings);
            for (auto it = changes.crbegin(); it != changes.crend(); ++it)
                if (it->before && it->key.text(m_settings, QString()) != *it->before)
                    it->key.write(m_settings, *it->before);
            transaction.commit();
            if (listener)
                listener->rolledBack(summary);
        } catch (...) {
            // The original error is the one the clerk needs to see.
        }
        throw;
    }
    if (listener)
        listener->printed(summary);
    return summary;
}

void ClauseBatch::draw(SheetJob& job, const ClauseParticulars& particulars, const BatchSummary& summary,
                       BatchListener* listener) {
    DrawingSurface& surface = job.start();
    for (qsizetype i = 0; i < summary.positions.size(); ++i) {
        const QPoint origin = m_geometry.textOrigin(summary.positions[i]);
        Pen pen(surface, origin.x(), origin.y());
        drawClause(pen, particulars, summary.issued.isEmpty() ? QString() : summary.issued[i].designation,
                   m_header);
        if (listener)
            listener->positionDrawn(int(i), summary.positions[i]);
    }
    job.finish();
}
