// "Náhled tisku" and the question before text runs over a label.
#include "app/main.h"
#include "clauses/SheetPreview.h"
#include "preview/PreviewWindow.h"
#include "printing/SheetRecorder.h"
#include "ui/Messages.h"

void TForm1::Nahledtisku1Click() {
    guarded(this, [this] { showPrintPreview(); });
}

// Draws what "TISK" would print now, with the designations it would issue.
// Nothing is checked, issued, saved or written and the marks stay: the
// clerk sees a refused field as it would print.
void TForm1::showPrintPreview() {
    const std::optional<ClauseKind> kind = clauseKindOf(selectedKind());
    if (!kind) {
        showInfo(this, QStringLiteral("Není zobrazena žádná záložka s druhem doložky. Zapněte druhy doložek "
                                      "v Nastavení a spusťte program znovu."));
        return;
    }
    QList<int> marked;
    for (int n = 1; n <= 12; ++n)
        if (isMarked(n))
            marked << n;
    ClauseBatch batch(settings(), *kind, marked, orderNumbers());
    SheetPreview sheet = [&] {
        // The printer's metrics exist only while the sheet is drawn.
        PrinterMetrics metrics(batch.dpi());
        return previewClauses(settings(), batch, gather(*kind), metrics.surface());
    }();
    TForm7 preview(this, std::move(sheet));
    if (preview.exec() == QDialog::Accepted)
        printClauses();
}

bool TForm1::overflowAccepted(ClauseBatch& batch, const ClauseParticulars& particulars) {
    PrinterMetrics metrics(batch.dpi());
    const QString question =
        overflowQuestion(previewClauses(settings(), batch, particulars, metrics.surface()).overflows);
    return question.isEmpty() || confirmOkCancel(this, question);
}
