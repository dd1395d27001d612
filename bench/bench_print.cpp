// Time from "TISK" to the job handed to the print system.
//   bench_print [pdf-output-folder [LEGALIZACE|ZÁMĚR|SCHVÁLENÍ]]
// Prints one and twelve copy-verification clauses to the default printer (a
// CUPS queue) and twelve to a PDF file, next to an empty job on the same
// printer. Leaves sheet-12.pdf in the folder for a look.
#include "UiSupport.h"
#include "app/Windows.h"
#include "app/main.h"
#include "book/book.h"
#include "printing/PrintJob.h"
#include "ui/PositionPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timePrint(TForm1& f, int labels) {
    f.Button4Click();
    for (int n = 1; n <= labels; ++n)
        panel(f, n)->setMarked(true);
    QElapsedTimer t;
    t.start();
    f.Button1Click();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication();
    QTemporaryDir dir;
    // LORVENA_BENCH_APPDATA keeps a data directory of one's own (with a logo, say).
    const QByteArray own = qgetenv("LORVENA_BENCH_APPDATA");
    qputenv("APPDATA", own.isEmpty() ? QFile::encodeName(dir.path()) : own);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.path();
    auto f = createWindows();
    // The book-label window would wait for the clerk; close it at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (f->Form5->isVisible())
            f->Form5->reject();
    });
    closer.start(0);

    const QString kind = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("VIDIMACE");
    for (int i = 0; i < child<QTabBar>(f, "TabControl1")->count(); ++i)
        if (child<QTabBar>(f, "TabControl1")->tabText(i) == kind)
            child<QTabBar>(f, "TabControl1")->setCurrentIndex(i);
    child<QComboBox>(f, "ComboBox14")->setEditText(QStringLiteral("Tomáš Dvořák, 07.03.1985, Brno"));
    child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Husova 1234/5, Brno-střed, 602 00 Brno"));
    child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("205123456"));
    child<QComboBox>(f, "ComboBox6")->setCurrentIndex(1);
    child<QLineEdit>(f, "Edit2")->setText(QStringLiteral("12/2019"));
    child<QLineEdit>(f, "Edit5")->setText(QStringLiteral("ZO/5/2019"));
    child<QLineEdit>(f, "Edit6")->setText(QStringLiteral("ZO/7/2019"));
    const bool cups = kind == u"VIDIMACE" && !QPrinterInfo::availablePrinterNames().isEmpty();
    const int runs = 7;
    if (cups) {
        std::vector<double> empty, one, twelve;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            {
                PrintJob job(f->printer(), 600);
                job.finish();
            }
            empty.push_back(t.nsecsElapsed() / 1e6);
            one.push_back(timePrint(*f, 1));
            twelve.push_back(timePrint(*f, 12));
        }
        std::printf("printer %s: empty job %.1f ms, 1 label %.1f ms, 12 labels %.1f ms (medians of %d)\n",
                    qPrintable(f->printer().printerName()), median(empty), median(one), median(twelve), runs);
    } else {
        std::printf("no printer in the system: printer figures skipped\n");
    }
    std::vector<double> pdf;
    f->printer().setOutputFormat(QPrinter::PdfFormat);
    for (int i = 0; i < runs; ++i) {
        f->printer().setOutputFileName(out + QStringLiteral("/sheet-12.pdf"));
        pdf.push_back(timePrint(*f, 12));
    }
    std::printf("12 labels to PDF: %.1f ms (median of %d); %s\n", median(pdf), runs,
                qPrintable(out + QStringLiteral("/sheet-12.pdf")));
    return 0;
}
