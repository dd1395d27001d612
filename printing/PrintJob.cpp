#include "printing/PrintJob.h"

#include "settings/AppError.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

PrintJob::PrintJob(QPrinter& printer, int dpi) : m_printer(printer) {
    if (printer.outputFormat() == QPrinter::NativeFormat &&
        (printer.printerName().isEmpty() || QPrinterInfo::availablePrinterNames().isEmpty()))
        throw AppError(
            QStringLiteral("V systému není nainstalována žádná tiskárna. Nainstalujte tiskárnu nebo ji "
                           "vyberte tlačítkem „Vybrat tiskárnu“; nic nebylo vytištěno."));
    printer.setDocName(kPrintJobTitle);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(false);
    printer.setResolution(dpi);
    if (!m_painter.begin(&printer))
        throw AppError(
            QStringLiteral("Tiskovou úlohu se nepodařilo zahájit na tiskárně „%1“. Zkontrolujte tiskárnu "
                           "a zkuste to znovu; nic nebylo vytištěno.")
                .arg(printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName()
                                                                      : printer.outputFileName()));
    m_surface = std::make_unique<PainterSurface>(m_painter);
}

PrintJob::~PrintJob() {
    if (!m_finished && m_painter.isActive()) {
        m_printer.abort();
        m_painter.end();
    }
}

void PrintJob::finish() {
    m_finished = true;
    if (!m_painter.end() || m_printer.printerState() == QPrinter::Error)
        throw AppError(
            QStringLiteral("Tiskárna „%1“ tiskovou úlohu nepřijala.").arg(m_printer.printerName()));
}
