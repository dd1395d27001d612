// The journal of issued numbers: the question before a number is printed
// again, the journal window and its reprint.
#include "app/main.h"
#include "clauses/ParticularsJson.h"
#include "journal/Journal.h"
#include "journal/JournalWindow.h"
#include "printing/PrintJob.h"
#include "settings/AppError.h"
#include "settings/DataDir.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "ui/Messages.h"

#include <QDateTime>
#include <QScreen>

Journal& TForm1::journal() {
    if (!m_journal) {
        DataDir::ensureExists();
        int years = 10;
        try {
            years = Key::journalYears().integer(settings());
        } catch (const AppError&) {
            // A typing error in the file keeps the rows rather than losing any.
            years = 0;
        }
        m_journal = std::make_unique<Journal>(DataDir::journalFile(), std::max(years, 0), settings());
    }
    return *m_journal;
}

bool TForm1::reissueAccepted(ClauseBatch& batch, const QList<IssuedNumber>& again) {
    if (again.isEmpty())
        return true;
    if (!confirmOkCancel(this, reissueQuestion(again, m_journal.get())))
        return false;
    batch.acceptReissue(again);
    return true;
}

QList<int> TForm1::markedPositions() const {
    QList<int> marked;
    for (int n = 1; n <= 12; ++n)
        if (isMarked(n))
            marked << n;
    return marked;
}

void TForm1::Denik1Click() {
    guarded(this, [this] {
        journal(); // an unreadable journal is reported before the window opens
        if (!Form6) {
            Form6 = new TForm6(
                this, [this]() -> Journal& { return journal(); },
                [this](const QList<JournalEntry>& entries) { return reprintEntries(entries); });
            // Beside the main window, where it leaves the label positions in view.
            const QRect screen = this->screen()->availableGeometry();
            const QPoint beside(frameGeometry().right() + 8, frameGeometry().top());
            if (screen.contains(QRect(beside, Form6->frameGeometry().size())))
                Form6->move(beside);
        }
        Form6->show();
        Form6->raise();
        Form6->activateWindow();
    });
}

bool TForm1::reprintEntries(const QList<JournalEntry>& listed) {
    // The rows as the journal holds them now, with the particulars to draw from.
    QList<JournalEntry> entries;
    for (const JournalEntry& l : listed) {
        std::optional<JournalEntry> whole = journal().entry(l.id);
        if (!whole)
            throw AppError(QStringLiteral("Záznam %1 v deníku již není.").arg(l.designation));
        entries << *whole;
    }
    QWidget* asking = Form6 ? static_cast<QWidget*>(Form6) : this;
    const QList<int> marked = markedPositions();
    if (marked.size() != entries.size()) {
        showInfo(asking, QStringLiteral("Označte v hlavním okně tolik štítků, kolik záznamů tisknete znovu "
                                        "(vybráno záznamů: %1, označeno štítků: %2).")
                             .arg(entries.size())
                             .arg(marked.size()));
        return false;
    }
    QList<ReprintedClause> clauses;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const JournalEntry& e = entries[i];
        if (e.state == JournalEntry::State::NotPrinted) {
            showInfo(asking, QStringLiteral("Doložka %1 se nevytiskla a její číslo se vrátilo do řady; "
                                            "znovu ji vytisknout nelze.")
                                 .arg(e.designation));
            return false;
        }
        const std::optional<ClauseParticulars> particulars = particularsFromJson(e.kind, e.particulars);
        if (!particulars)
            throw AppError(QStringLiteral("Záznam %1 v deníku nelze přečíst.").arg(e.designation));
        clauses << ReprintedClause{marked[i], *particulars, e.designation};
    }

    const SheetGeometry geometry = SheetGeometry::read(settings());
    const int dpi = Key::dpi().integer(settings());
    PrinterSheetJob job(printer(), dpi);
    drawAgain(job, geometry, clauses);

    QList<JournalEntry> rows;
    const QDateTime now = QDateTime::currentDateTime();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        JournalEntry row = entries[i];
        row.id = 0;
        row.time = now;
        row.position = marked[i];
        row.state = JournalEntry::State::Reprinted;
        row.reprintOf = entries[i].reprintOf ? entries[i].reprintOf : entries[i].id;
        rows << row;
    }
    journal().add(rows);
    // The labels are used: the next sheet position follows them, as after a print.
    Key::lastPrinted().write(settings(), marked.last());
    Button4Click();
    if (Key::prepareNext().flag(settings()))
        setNextPrinted();
    return true;
}
