// The print command "TISK" and the printer choice.
#include "app/main.h"
#include "book/BookWindowSource.h"
#include "book/book.h"
#include "journal/JournalRecorder.h"
#include "journal/JournalWindow.h"
#include "printing/PrintJob.h"
#include "settings/DataDir.h"
#include "settings/SettingsCatalogue.h"
#include "settings/SettingsStore.h"
#include "ui/Messages.h"
#include "ui/PrinterSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <optional>

namespace {

QString selectedText(QComboBox* c) {
    return c->currentIndex() >= 0 ? c->currentText() : QString();
}

} // namespace

void TForm1::Button7Click() {
    guarded(this, [this] { choosePrinter(printer(), this); });
}

void TForm1::Button1Click() {
    guarded(this, [this] { printClauses(); });
}

std::optional<Refusal> TForm1::refusalOfKind(ClauseKind kind) const {
    switch (kind) {
    case ClauseKind::Legalization:
        if (auto r = legalizationRefusal(ComboBox14->currentText(), ComboBox7->currentIndex(), Edit3->text(),
                                         Edit4->text()))
            return r;
        return savingRefusal();
    case ClauseKind::CopyVerification:
        return copyVerificationRefusal(SpinEdit1->value(), SpinEdit3->value());
    case ClauseKind::Intention:
        return intentionRefusal(Edit2->text(), Edit5->text());
    case ClauseKind::Approval:
        return approvalRefusal(Edit6->text());
    }
    return std::nullopt;
}

CopyVerificationParticulars TForm1::gatherCopyVerification() const {
    CopyVerificationParticulars p;
    p.completeness = ComboBox1->currentIndex();
    p.form = ComboBox2->currentIndex();
    p.outputPages = SpinEdit1->value();
    p.sourceState = ComboBox3->currentIndex();
    p.sourcePages = SpinEdit3->value();
    p.securityFeature = ComboBox9->currentIndex();
    p.date = DateTimePicker1->date();
    p.officer = selectedText(ComboBox4);
    return p;
}

LegalizationParticulars TForm1::gatherLegalization() const {
    LegalizationParticulars p;
    p.signingManner = ComboBox5->currentIndex();
    p.applicant = ComboBox14->currentText();
    p.addressKind = ComboBox6->currentIndex();
    p.address = Edit3->text();
    p.documentKind = ComboBox7->currentIndex();
    p.documentNumber = Edit4->text();
    p.date = DateTimePicker2->date();
    p.officer = selectedText(ComboBox8);
    return p;
}

IntentionParticulars TForm1::gatherIntention() const {
    IntentionParticulars p;
    p.number = Edit2->text();
    const int item = ComboBox10->findText(ComboBox10->currentText(), Qt::MatchExactly);
    p.intentionItem = item >= 0 ? item : kTypedIntention;
    p.intentionText = ComboBox10->currentText();
    p.publishedFrom = DateTimePicker3->date();
    p.publishedTo = DateTimePicker4->date();
    p.approvingBody = selectedText(ComboBox11);
    p.resolutionDate = DateTimePicker5->date();
    p.resolutionNumber = Edit5->text();
    return p;
}

ApprovalParticulars TForm1::gatherApproval() const {
    ApprovalParticulars p;
    p.statement = selectedText(ComboBox12);
    p.body = selectedText(ComboBox13);
    p.resolutionNumber = Edit6->text();
    p.resolutionDate = DateTimePicker6->date();
    return p;
}

ClauseParticulars TForm1::gather(ClauseKind kind) const {
    switch (kind) {
    case ClauseKind::CopyVerification:
        return gatherCopyVerification();
    case ClauseKind::Legalization:
        return gatherLegalization();
    case ClauseKind::Intention:
        return gatherIntention();
    case ClauseKind::Approval:
        break;
    }
    return gatherApproval();
}

BookWindowSource TForm1::bookWindowSource() const {
    BookWindowSource source;
    source.kind = clauseKindOf(selectedKind());
    source.firstPrintedNumber = firstPrintedNumber;
    source.markedCount = markedCount();
    source.numbers = orderNumbers();
    source.copyVerification = gatherCopyVerification();
    source.legalization = gatherLegalization();
    source.documentSeries = Edit1->text();
    return source;
}

void TForm1::printClauses() {
    const std::optional<ClauseKind> kind = clauseKindOf(selectedKind());
    if (!kind) {
        showInfo(this, QStringLiteral("Není zobrazena žádná záložka s druhem doložky. Zapněte druhy doložek "
                                      "v Nastavení a spusťte program znovu."));
        return;
    }
    const QString question = documentCheckQuestion(documentCheckState);
    if (!question.isEmpty() && !confirmOkCancel(this, question))
        return;
    if (const std::optional<Refusal> refusal = refusalOfKind(*kind)) {
        showInfo(this, refusal->message);
        if (auto* field = findChild<QWidget*>(refusal->field))
            field->setFocus();
        return;
    }
    if (isNumbered(*kind))
        firstPrintedNumber = orderNumbers().number(*kind);

    const QList<int> marked = markedPositions();
    ClauseBatch batch(settings(), *kind, marked, orderNumbers());

    if (marked.isEmpty()) {
        // Nothing printed, so the last printed position stays what it was.
        showInfo(this,
                 QStringLiteral("Není vybrán žádný štítek. Označte nejprve čísla štítků, na které chcete "
                                "doložku vytisknout."));
    } else {
        const ClauseParticulars particulars = gather(*kind);
        if (!overflowAccepted(batch, particulars))
            return;
        // Every issued number gets its row in the journal before the counter
        // moves; a journal that cannot be opened ends the command here.
        std::optional<JournalRecorder> recorder;
        if (isNumbered(*kind))
            recorder.emplace(journal());
        BatchListener* listener = recorder ? &*recorder : nullptr;
        if (!reissueAccepted(batch, batch.reissues(listener)))
            return;
        // Before anything is saved or issued: a silent print system ends the command here.
        QPrinter& target = printer();
        if (*kind == ClauseKind::Legalization && CheckBox1->isChecked()) {
            ulozDolozkuLegalizace();
            CheckBox1->setChecked(false);
        }
        PrinterSheetJob job(target, batch.dpi());
        std::optional<BatchSummary> summary;
        while (!summary) {
            try {
                summary = batch.run(job, particulars, ClauseBatch::Mode::Print, listener);
            } catch (const ReissueNeeded& again) {
                // Another copy of the program printed these numbers since the question.
                if (!reissueAccepted(batch, again.numbers()))
                    return;
            }
        }
        setOrderNumbers(summary->numbers);
        if (Form6 && Form6->isVisible())
            guarded(Form6, [this] { Form6->reload(); });
        if (summary->logoUnreadable)
            showInfo(this,
                     QStringLiteral("Logo organizace (%1) nelze načíst, doložky byly vytištěny bez loga. "
                                    "Vyberte logo znovu v Nastavení.")
                         .arg(QDir::toNativeSeparators(DataDir::logoFile())));
    }

    if (isNumbered(*kind) && Form5)
        Form5->exec();
    Button4Click();
    if (Key::prepareNext().flag(settings()))
        setNextPrinted();
}
