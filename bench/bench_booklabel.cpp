// Prints how far each book record reaches on its 44 x 133 mm label at
// 600 dpi with Arial, and how long one record takes to draw. With a folder as
// argument it also prints the records of twelve legalizations and of one
// copy verification through the book-label window into PDF files there
// (legalizace.pdf, vidimace.pdf), for a look at the real output.
#include "TextExtent.h"
#include "UiSupport.h"
#include "app/Windows.h"
#include "app/main.h"
#include "book/BookLabel.h"
#include "book/book.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

void measure(const char* name, const std::function<void(Pen&)>& draw) {
    const TextExtent e = measureExtent(3300, draw);
    std::printf("%-36s left %4.1f mm  right %5.1f mm  bottom %4.1f mm  %5.0f us per record\n", name,
                e.left / kPixelsPerMm, e.right / kPixelsPerMm, e.bottom / kPixelsPerMm, e.microseconds);
}

QStringList designations(int first, int count, const QString& pattern) {
    QStringList out;
    for (int n = first; n < first + count; ++n)
        out << pattern.arg(n);
    return out;
}

// Fills the main window as the clerk would, shows the book-label window as
// the main window does, and prints the record on position 1 into `pdf`.
void printThroughTheWindow(TForm1& f, const QString& pdf, bool legalization) {
    f.printer().setOutputFormat(QPrinter::PdfFormat);
    f.printer().setOutputFileName(pdf);
    child<QTabBar>(f, "TabControl1")->setCurrentIndex(legalization ? 1 : 0);
    f.Button4Click();
    if (legalization) {
        f.Button2Click(); // all twelve positions
        child<QSpinBox>(f, "SpinEdit4")->setValue(1234);
        child<QComboBox>(f, "ComboBox14")
            ->setEditText(QStringLiteral("Jaroslava Nováková-Dvořáková, 07.03.1985, Brno"));
        child<QLineEdit>(f, "Edit3")->setText(QStringLiteral("Masarykova 1234/56, 602 00 Brno"));
        child<QComboBox>(f, "ComboBox7")->setCurrentIndex(6);
        child<QLineEdit>(f, "Edit4")->setText(QStringLiteral("AB1234567"));
        child<QLineEdit>(f, "Edit1")->setText(QStringLiteral("X"));
    } else {
        child<QSpinBox>(f, "SpinEdit2")->setValue(1234);
        child<QComboBox>(f, "ComboBox3")->setCurrentIndex(4);
        child<QSpinBox>(f, "SpinEdit3")->setValue(12);
        child<QSpinBox>(f, "SpinEdit1")->setValue(12);
        child<QComboBox>(f, "ComboBox9")->setCurrentIndex(1);
    }
    TForm5& w = *f.Form5;
    w.show();
    w.PanelClick(1);
    if (legalization) {
        child<QLineEdit>(w, "Edit10")->setText(QStringLiteral("SK"));
        child<QLineEdit>(w, "Edit5")
            ->setText(QStringLiteral("Kupní smlouva o převodu vlastnictví bytové jednotky ze dne 1.2.2025"));
    } else {
        child<QLineEdit>(w, "Edit2")
            ->setText(QStringLiteral("Rozsudek Okresního soudu v Brně ve věci sp. zn. 12 C 345/2024"));
    }
    child<QPushButton>(w, "Button1")->click();
    std::printf("%s %s\n", w.isVisible() ? "NOT PRINTED:" : "printed", qPrintable(pdf));
    w.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::printf("label 133 x 44 mm; text starts 2 mm in\n");

    LegalizationRecord legal;
    legal.date = QDate(2025, 1, 22);
    legal.applicant = QStringLiteral("Jaroslava Nováková-Dvořáková, 07.03.1985, Brno");
    legal.address = QStringLiteral("Masarykova 1234/56, 602 00 Brno");
    legal.documentKind = QStringLiteral("CD");
    legal.state = QStringLiteral("SK");
    legal.documentNumber = QStringLiteral("č.AB1234567 (série X)");
    legal.signature = QStringLiteral("Listina byla u úřadu vlastnoručně podepsána");
    legal.signedDocument =
        QStringLiteral("Kupní smlouva o převodu vlastnictví bytové jednotky ze dne 1.2.2025");
    legal.fee = QStringLiteral("Osvobozeno dle zákona č. 634/2004 Sb., pol. 5 sazebníku odst. 3");
    for (const auto& [count, pattern] :
         {std::pair(1, QStringLiteral("%1/2025")), std::pair(6, QStringLiteral("%1/2025")),
          std::pair(12, QStringLiteral("%1/2025")), std::pair(12, QStringLiteral("LEG-%1/2025"))}) {
        legal.designations = designations(1234, count, pattern);
        for (AddressSource source : {AddressSource::Document, AddressSource::Declaration}) {
            legal.addressSource = source;
            const QByteArray name = "legalization x" + QByteArray::number(count) + " " +
                                    pattern.arg(1234).toUtf8() +
                                    (source == AddressSource::Document ? " address" : " declared");
            measure(name.constData(), [&](Pen& pen) { drawBookLabel(pen, legal); });
        }
    }

    CopyVerificationRecord copy;
    copy.designations = designations(1234, 1, QStringLiteral("%1/2025"));
    copy.date = legal.date;
    copy.sourceLine =
        QStringLiteral("Stejnopis písemného vyhotovení rozhodnutí nebo výroku rozhodnutí (12 str.), ");
    copy.outputLine = QStringLiteral("obsahuje zajišťovací prvek, částečná kopie (12 str.)");
    copy.documentKind = QStringLiteral("Rozsudek Okresního soudu v Brně ve věci sp. zn. 12 C 345/2024");
    copy.fee = QStringLiteral("Osvobozeno dle zákona č. 634/2004 Sb., ust. § 8 odst. 2 písm. i)");
    measure("copy verification x1", [&](Pen& pen) { drawBookLabel(pen, copy); });
    copy.designations = designations(1234, 12, QStringLiteral("%1/2025"));
    measure("copy verification x12", [&](Pen& pen) { drawBookLabel(pen, copy); });

    if (argc > 1) {
        QTemporaryDir appData;
        qputenv("APPDATA", QFile::encodeName(appData.path()));
        setUpApplication();
        auto f = createWindows();
        f->settings().WriteString(QStringLiteral("Knihy"), QStringLiteral("Kniha1"), QStringLiteral("B"));
        f->settings().WriteString(QStringLiteral("Cislovani"), QStringLiteral("VybranaKniha-Legalizace"),
                                  QStringLiteral("1"));
        const QString dir = QString::fromLocal8Bit(argv[1]);
        printThroughTheWindow(*f, dir + QStringLiteral("/legalizace.pdf"), true);
        printThroughTheWindow(*f, dir + QStringLiteral("/vidimace.pdf"), false);
    }
    return 0;
}
