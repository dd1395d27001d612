#pragma once

#include "printing/PainterSurface.h"
#include "printing/SheetJob.h"

#include <QPainter>
#include <QString>
#include <memory>
#include <optional>

class QPrinter;

inline const QString kPrintJobTitle = QStringLiteral("Tisk ověřovacích doložek");

// One print job of one A4 page on the program's printer. The resolution is
// set to [Printer] dpi so that pixel positions and point sizes keep the
// relation the calibration was made for. If the job cannot start, the
// constructor throws with a message for the clerk and nothing was sent; a job
// destroyed before finish() is aborted, so a failure midway never leaves a
// half-drawn page in the queue or a printer that cannot take the next job.
class PrintJob {
public:
    PrintJob(QPrinter& printer, int dpi);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    DrawingSurface& surface() { return *m_surface; }
    // Ends the job and hands it to the print system; throws when that fails.
    void finish();

private:
    QPrinter& m_printer;
    QPainter m_painter;
    std::unique_ptr<PainterSurface> m_surface;
    bool m_finished = false;
};

// A sheet job on the program's printer, opened when the batch starts it.
class PrinterSheetJob : public SheetJob {
public:
    PrinterSheetJob(QPrinter& printer, int dpi) : m_printer(printer), m_dpi(dpi) {}
    DrawingSurface& start() override {
        m_job.emplace(m_printer, m_dpi);
        return m_job->surface();
    }
    void finish() override { m_job->finish(); }

private:
    QPrinter& m_printer;
    int m_dpi;
    std::optional<PrintJob> m_job;
};
